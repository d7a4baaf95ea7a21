#pragma once

#include <filesystem>
#include <vector>

#include "settings/StartupScope.h"

namespace quorvane {

// The owner and access list of `file` and of every folder above it up to the
// root, read from the file system; empty when any of them cannot be read.
std::vector<ObjectSecurity> SecurityUpToTheRoot(const std::filesystem::path& file);

}  // namespace quorvane
