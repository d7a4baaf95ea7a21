#include "window/Dialogs.h"

namespace quorvane {

std::string ErrorReport::Text() const {
  return description + "\r\nin Veltrace2021/08/31.Form1." + handler + " at line " +
         std::to_string(line) + "\r\rPlease email screenshot of this message to " + kSupportAddress;
}

template <typename ShowBox>
void OneBoxPerMessage::ShowUnlessOpen(const std::string& key, ShowBox&& show) {
  if (!open_.insert(key).second) return;
  try {
    show();
  } catch (...) {
    open_.erase(key);
    throw;
  }
  open_.erase(key);
}

void OneBoxPerMessage::ReportError(const ErrorReport& report) {
  ShowUnlessOpen("error " + report.Text(), [&] { boxes_.ReportError(report); });
}

void OneBoxPerMessage::Inform(const std::string& text) {
  ShowUnlessOpen("inform " + text, [&] { boxes_.Inform(text); });
}

void OneBoxPerMessage::Warn(const std::string& text) {
  ShowUnlessOpen("warn " + text, [&] { boxes_.Warn(text); });
}

}  // namespace quorvane
