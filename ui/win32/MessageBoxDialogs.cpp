#include "ui/win32/MessageBoxDialogs.h"

#include "platform/windows/WideText.h"

namespace quorvane::win32 {

int MessageBoxDialogs::Show(const std::string& text, const std::wstring& title, UINT type) const {
  // Owned by a window hidden in the tray, a box has no taskbar button and may
  // open behind other windows, unseen. Then it stands on its own, on top, and
  // still keeps the window from being used until it is answered.
  if (owner_ && !IsWindowVisible(owner_))
    return MessageBoxW(nullptr, Widen(text).c_str(), title.c_str(),
                       type | MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND);
  return MessageBoxW(owner_, Widen(text).c_str(), title.c_str(), type);
}

void MessageBoxDialogs::SetAppTitle(const std::string& title) { app_title_ = Widen(title); }

void MessageBoxDialogs::ReportError(const ErrorReport& report) {
  Show(report.Text(), L"Application Error", MB_OK | MB_ICONWARNING);
}

void MessageBoxDialogs::Inform(const std::string& text) { Show(text, app_title_, MB_OK); }

bool MessageBoxDialogs::Confirm(const std::string& text) {
  return Show(text, app_title_, MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

void MessageBoxDialogs::Warn(const std::string& text) {
  Show(text, app_title_, MB_OK | MB_ICONWARNING);
}

}  // namespace quorvane::win32
