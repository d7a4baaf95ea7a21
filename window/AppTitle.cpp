#include "window/AppTitle.h"

namespace quorvane {

std::string AppTitleFor(const std::string& product_name) {
  std::string title = product_name;
  do {
    const auto blank = title.rfind(' ');
    if (blank == std::string::npos) break;  // nothing left to cut: the last word is the title
    title.resize(blank);
  } while (title.size() > 40);
  return title;
}

}  // namespace quorvane
