// What the window core asks of the main window: captions, values, lists, the
// pointer, the icon, and showing and hiding.
#include <utility>

#include "platform/windows/WideText.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/Resources.h"
#include "window/AccessibleNames.h"

namespace quorvane::win32 {
void MainWindow::PlaceAtDpi(HMONITOR monitor) {
  // The frame at the monitor's DPI; the layout inside at a lower one where the
  // window would not fit the work area otherwise (200 % on a small screen).
  const RECT frame = WindowRectFor(RECT{0, 0, 0, 0}, kStyle, 0, dpi_);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const RECT work = GetMonitorInfoW(monitor, &info) ? info.rcWork : RECT{0, 0, 1 << 15, 1 << 15};
  layout_dpi_ = static_cast<UINT>(
      LayoutDpiToFit(static_cast<int>(dpi_), (work.right - work.left) - (frame.right - frame.left),
                     (work.bottom - work.top) - (frame.bottom - frame.top)));
  const TwipsRect& client = SpecOf(Control::Form1).rect;
  RECT area{0, 0, TwipsToPixels(client.width, static_cast<int>(layout_dpi_)),
            TwipsToPixels(client.height, static_cast<int>(layout_dpi_))};
  const RECT outer = WindowRectFor(area, kStyle, 0, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  controls_.Place(layout_dpi_);
  for (const auto& [list, twips] : column_twips_)
    ListView_SetColumnWidth(controls_[list], 0,
                            TwipsToPixels(twips, static_cast<int>(layout_dpi_)));
  // The rows' height follows the new font.
  FitWholeRows(controls_[Control::ListView2]);
}

void MainWindow::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT outer;
  GetWindowRect(window_, &outer);
  const RECT& work = monitor.rcWork;
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HICON MainWindow::LoadIcon(int size_metric) const {
  const int size = SystemMetric(size_metric, dpi_);
  return static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(IDI_QUORVANE), IMAGE_ICON, size, size, 0));
}

bool MainWindow::PointerIsOverWindow() const {
  POINT at;
  if (!GetCursorPos(&at)) return false;
  HWND under = WindowFromPoint(at);
  return under == window_ || IsChild(window_, under);
}

void MainWindow::SetCaption(Control control, const std::string& text) {
  SetWindowTextW(control == Control::Form1 ? window_ : controls_[control], Widen(text).c_str());
  NameAfter(control, text);
}

void MainWindow::NameAfter(Control giver, const std::string& text) {
  for (Control named : NamedBy(giver)) {
    const std::wstring name = Widen(AccessibleName(text));
    // A list view shows no window text: it carries its name there too.
    if (SpecOf(named).kind == ControlKind::kListView)
      SetWindowTextW(controls_[named], name.c_str());
    names_.Name(controls_[named], name);
  }
}

void MainWindow::SetChecked(Control control, bool checked) {
  SendMessageW(controls_[control], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool MainWindow::IsChecked(Control control) const {
  return SendMessageW(controls_[control], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::SetVisible(Control control, bool visible) {
  ::ShowWindow(controls_[control], visible ? SW_SHOWNA : SW_HIDE);
}

void MainWindow::SetFocus(Control control) {
  focus_ = controls_[control];
  // A hidden window takes the focus when it is next activated.
  if (GetActiveWindow() == window_) ::SetFocus(focus_);
}

void MainWindow::SetProgress(int maximum, int value) {
  HWND bar = controls_[Control::ProgressBar1];
  SendMessageW(bar, PBM_SETRANGE32, 0, maximum);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void MainWindow::SetListHeader(Control list, const std::string& text, int width_twips) {
  column_twips_[list] = width_twips;
  SetColumn(controls_[list], Widen(text),
            TwipsToPixels(width_twips, static_cast<int>(layout_dpi_)));
  NameAfter(list, text);
}

void MainWindow::SetListRows(Control list, const std::vector<std::string>& rows) {
  SetRows(controls_[list], rows);
  FitWholeRows(controls_[list]);
}

void MainWindow::SelectRow(Control list, int row) {
  const bool was = std::exchange(selecting_row_, true);
  win32::SelectRow(controls_[list], row);
  selecting_row_ = was;
}

int MainWindow::SelectedRow(Control list) const { return win32::SelectedRow(controls_[list]); }

void MainWindow::SetPointer(PointerMode mode) {
  pointer_mode_ = mode;
  // The busy pointer shows at once, not only when the mouse next moves.
  if (!PointerIsOverWindow()) return;
  HCURSOR cursor = pointers_.For(mode);
  SetCursor(cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW));
}

void MainWindow::LoadHandPointer(const std::filesystem::path& file) { pointers_.LoadHand(file); }

void MainWindow::ShowApplicationIcon() {
  big_icon_ = LoadIcon(SM_CXICON);
  small_icon_ = LoadIcon(SM_CXSMICON);
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
}

void MainWindow::ShowWindow() {
  // A window hidden while minimised comes back in its normal size.
  ::ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
}

void MainWindow::ShowMinimizedWindow() { ::ShowWindow(window_, SW_SHOWMINNOACTIVE); }

void MainWindow::HideWindow() { ::ShowWindow(window_, SW_HIDE); }

bool MainWindow::IsMinimized() const { return IsIconic(window_) != FALSE; }

bool MainWindow::IsVisible() const { return IsWindowVisible(window_) != FALSE; }

void MainWindow::Quit() { PostQuitMessage(0); }

}  // namespace quorvane::win32
