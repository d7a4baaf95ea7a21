#include "ui/win32/TrayIcon.h"

#include "platform/windows/WideText.h"
#include "window/cSysTray.h"

namespace quorvane::win32 {
namespace {

constexpr UINT kIconId = 0;

// Copies as much of `text` as fits, always leaving room for the closing NUL.
template <std::size_t N>
void CopyInto(wchar_t (&field)[N], const std::wstring& text) {
  const std::size_t length = text.size() < N ? text.size() : N - 1;
  text.copy(field, length);
  field[length] = L'\0';
}

}  // namespace

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uID = kIconId;
  data.uFlags = flags;
  return data;
}

BOOL TrayIcon::Send(DWORD message, NOTIFYICONDATAW& data) const {
  if (observer_) observer_(message, data);
  return Shell_NotifyIconW(message, &data);
}

bool TrayIcon::Available() const { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }

bool TrayIcon::Show(const std::string& tip) {
  const std::wstring wide_tip = Widen(tip);
  NOTIFYICONDATAW data =
      Data(NIF_MESSAGE | NIF_ICON | NIF_SHOWTIP | (wide_tip.empty() ? 0 : NIF_TIP));
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = icon_;
  CopyInto(data.szTip, wide_tip);
  // An earlier add that timed out in a busy shell may have placed the icon after
  // all; then the add is refused, and the icon answers a change.
  if (!Send(NIM_ADD, data) && !Send(NIM_MODIFY, data)) return false;
  // The shell then tells of a selection with the keyboard (NIN_KEYSELECT) as well
  // as with the mouse; a shell that refuses sends the older mouse messages only.
  data.uVersion = NOTIFYICON_VERSION_4;
  Send(NIM_SETVERSION, data);
  return true;
}

void TrayIcon::Hide() {
  NOTIFYICONDATAW data = Data(0);
  Send(NIM_DELETE, data);
}

void TrayIcon::SetTip(const std::string& tip) {
  NOTIFYICONDATAW data = Data(NIF_TIP | NIF_SHOWTIP);
  CopyInto(data.szTip, Widen(tip));
  Send(NIM_MODIFY, data);
}

void TrayIcon::ShowBalloon(const std::string& title, const std::string& text, int seconds) {
  NOTIFYICONDATAW data = Data(NIF_INFO);
  CopyInto(data.szInfo, Widen(text));
  CopyInto(data.szInfoTitle, Widen(title));
  data.uTimeout = seconds > 0 ? static_cast<UINT>(seconds) * 1000 : 0;
  Send(NIM_MODIFY, data);
}

void TrayIcon::TakeDownBalloon() {
  // A balloon with no text is no balloon: the shell takes the shown one away.
  NOTIFYICONDATAW data = Data(NIF_INFO);
  Send(NIM_MODIFY, data);
}

UINT TrayIcon::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

int TrayIcon::ReleasedButton(LPARAM notification) {
  // A shell of version 4 sends both a button's release and what it means (select,
  // context menu); the window comes back either way, and coming back twice is
  // coming back once. Enter or Space on the icon is a keyboard select.
  switch (LOWORD(notification)) {
    case WM_LBUTTONUP:
    case NIN_SELECT:
    case NIN_KEYSELECT:
      return cSysTray::kLeftButton;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      return cSysTray::kRightButton;
    default:
      return 0;
  }
}

}  // namespace quorvane::win32
