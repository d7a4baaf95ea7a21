#pragma once

#include <string>

namespace quorvane {

// The title of the program's message boxes for a product name: whole words are
// cut from its end until it is 40 characters or fewer, at least one word being
// cut from a name of several words. A name of one word is its own title.
std::string AppTitleFor(const std::string& product_name);

}  // namespace quorvane
