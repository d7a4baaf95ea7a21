#include "window/Dialogs.h"

namespace quorvane {

std::string ErrorReport::Text() const {
  return description + "\r\nin Veltrace2021/08/31.Form1." + handler + " at line " +
         std::to_string(line) + "\r\rPlease email screenshot of this message to " + kSupportAddress;
}

}  // namespace quorvane
