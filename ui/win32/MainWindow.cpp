// The main window's class, its creation, and its messages, each passed to the
// window core's handler for it.
#include "ui/win32/MainWindow.h"

#include <windowsx.h>

#include "platform/windows/WideText.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/HistoryContextMenu.h"
#include "ui/win32/SingleInstance.h"
#include "window/Form1.h"

namespace quorvane::win32 {

MainWindow::MainWindow(HINSTANCE instance, HistoryStore& history)
    : instance_(instance), history_list_(history) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);  // fails harmlessly when already registered
  window_ = CreateWindowExW(0, kClassName, Widen(SpecOf(Control::Form1).caption).c_str(), kStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
  controls_.Create(window_, instance);
  dpi_ = DpiOf(window_);
  PlaceAtDpi(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY));
  history_list_.Attach(controls_[Control::ListView1]);
  tray_picture_ = LoadIcon(SM_CXSMICON);
  tray_ = std::make_unique<TrayIcon>(window_, tray_picture_);
  // Windows drops messages from programs of a lower integrity level: a second
  // start, not elevated, asks this copy, elevated, to come forward, and Explorer
  // announces a new taskbar.
  for (const UINT message :
       {SingleInstance::BringToFrontMessage(), TrayIcon::TaskbarCreatedMessage()})
    ChangeWindowMessageFilterEx(window_, message, MSGFLT_ALLOW, nullptr);
}

MainWindow::~MainWindow() {
  form_ = nullptr;
  tray_.reset();  // the icon leaves the tray before its window goes
  DestroyWindow(window_);
  for (HICON icon : {big_icon_, small_icon_, tray_picture_})
    if (icon) DestroyIcon(icon);
  for (const auto& [colour, brush] : brushes_) DeleteObject(brush);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED)
        if (const auto control = Controls::ControlOfId(LOWORD(wparam))) OnClicked(*control);
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_CONTEXTMENU:
      if (form_ && reinterpret_cast<HWND>(wparam) == controls_[Control::ListView1]) {
        ShowHistoryContextMenu(window_, controls_[Control::ListView1], lparam, *form_);
        return 0;
      }
      break;
    case WM_SIZE:
      if (form_ && (wparam == SIZE_MINIMIZED || wparam == SIZE_RESTORED))
        form_->WindowStateChanged();
      return 0;
    case WM_CLOSE:
      // Closing ends the program; it never goes into the tray.
      if (form_) form_->CloseRequested();
      return 0;
    case WM_ENDSESSION:
      // The system ends the process once this returns, without a message loop
      // that ends: the close happens here.
      if (wparam && form_) {
        form_->CloseRequested();
        FinishClose();
      }
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wparam), LOWORD(lparam), HIWORD(lparam))) return TRUE;
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case TrayIcon::kCallbackMessage:
      OnTrayNotification(lparam);
      return 0;
    default:
      if (message == TrayIcon::TaskbarCreatedMessage()) {
        if (form_) form_->TrayRecreated();
        return 0;
      }
      if (message == SingleInstance::BringToFrontMessage()) {
        if (form_) form_->BringToFront();
        return 0;
      }
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void MainWindow::FinishClose(UINT exit_code) {
  ::ShowWindow(window_, SW_HIDE);
  if (form_ && !form_->EndReadings()) ExitProcess(exit_code);
}

void MainWindow::OnClicked(Control control) {
  if (form_) form_->Clicked(control);
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  const auto control = Controls::ControlOfId(header.idFrom);
  if (control && header.code == NM_CUSTOMDRAW && SpecOf(*control).kind == ControlKind::kPushButton)
    return OnPushButtonDraw(*control, reinterpret_cast<const NMCUSTOMDRAW&>(header));
  // While the history list is empty it shows where its commands are.
  if (control == Control::ListView1 && header.code == LVN_GETEMPTYMARKUP) {
    auto& markup = *reinterpret_cast<NMLVEMPTYMARKUP*>(const_cast<NMHDR*>(&header));
    markup.dwFlags = EMF_CENTERED;
    const std::wstring cue = Widen(kEmptyHistoryCue);
    const std::size_t length = cue.copy(markup.szMarkup, L_MAX_URL_LENGTH - 1);
    markup.szMarkup[length] = L'\0';
    return TRUE;
  }
  if (control == Control::ListView1 && header.code == LVN_GETDISPINFOW)
    history_list_.Answer(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
  // The list has settled its selection by the time it reports the click.
  if (control == Control::ListView2 && header.code == NM_CLICK && form_) form_->IntervalClicked();
  if (control == Control::ListView2 && header.code == LVN_ITEMCHANGED && form_ &&
      RowChosenFromKeyboard(reinterpret_cast<const NMLISTVIEW&>(header)))
    form_->IntervalClicked();
  return 0;
}

bool MainWindow::RowChosenFromKeyboard(const NMLISTVIEW& change) const {
  // A row chosen with the mouse is reported by its click, once the button is up.
  if (selecting_row_ || GetKeyState(VK_LBUTTON) < 0) return false;
  return (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
         !(change.uOldState & LVIS_SELECTED);
}

bool MainWindow::OnSetCursor(HWND under, UINT hit, UINT mouse_message) {
  if (hit != HTCLIENT) return false;
  if (form_ && mouse_message == WM_MOUSEMOVE)
    form_->PointerMovedOver(controls_.ControlOf(under).value_or(Control::Form1));
  HCURSOR cursor = pointers_.For(pointer_mode_);
  if (!cursor) return false;  // each control's own pointer
  SetCursor(cursor);
  return true;
}

void MainWindow::OnActivate(bool active) {
  // The window keeps the control that had the focus while another window is active.
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) focus_ = focus;
    return;
  }
  if (focus_) ::SetFocus(focus_);
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  // Where Windows suggests, at the size that fits the monitor it moves to.
  PlaceAtDpi(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST));
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnTrayNotification(LPARAM notification) {
  if (!form_) return;
  if (LOWORD(notification) == NIN_BALLOONUSERCLICK) form_->BalloonClicked();
  if (const int button = TrayIcon::ReleasedButton(notification)) form_->TrayIconReleased(button);
}

}  // namespace quorvane::win32
