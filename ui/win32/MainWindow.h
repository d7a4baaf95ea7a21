#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ui/win32/AccessibleNamer.h"
#include "ui/win32/Controls.h"
#include "ui/win32/ListViews.h"
#include "ui/win32/Pointers.h"
#include "ui/win32/TrayIcon.h"
#include "window/Form1View.h"
#include "window/HistoryStore.h"
#include "window/SkinColours.h"

namespace quorvane {
class Form1;
}

namespace quorvane::win32 {

// The main window: a window class of its own holding the controls of the layout
// table. It carries out what the window core asks and reports what the user does
// to the core's handlers; it decides nothing itself.
class MainWindow : public Form1View {
 public:
  static constexpr const wchar_t* kClassName = L"Brindlewick.Quorvane.Form1";
  // A fixed border with the minimise box and no maximise box.
  static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

  // Creates the window and its controls, hidden. `instance` holds the icon.
  MainWindow(HINSTANCE instance, HistoryStore& history);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND handle() const { return window_; }
  HWND control(Control control) const { return controls_[control]; }
  TrayIcon& tray() { return *tray_; }
  // From now on the user's actions go to `form`; nullptr stops them.
  void Attach(Form1* form) { form_ = form; }
  // After the close: the window leaves the screen, the reading under way ends and
  // the records still waiting are written. A reading stuck inside WMI or the WLAN
  // service ends with the process, at once, instead of being waited for.
  void FinishClose(UINT exit_code = 0);

  void SetCaption(Control control, const std::string& text) override;
  void SetChecked(Control control, bool checked) override;
  bool IsChecked(Control control) const override;
  void SetVisible(Control control, bool visible) override;
  void SetFocus(Control control) override;
  void SetProgress(int maximum, int value) override;
  void SetListHeader(Control list, const std::string& text, int width_twips) override;
  void SetListRows(Control list, const std::vector<std::string>& rows) override;
  void SelectRow(Control list, int row) override;
  int SelectedRow(Control list) const override;
  void SetPointer(PointerMode mode) override;
  void LoadHandPointer(const std::filesystem::path& file) override;
  void ApplySkin(const std::filesystem::path& file) override;
  bool HighContrast() const override;
  // Where the window learns whether high contrast is on: the system's setting
  // unless told otherwise (Wine cannot turn it on).
  void SetHighContrastSource(std::function<bool()> source) {
    high_contrast_source_ = std::move(source);
  }
  void ShowApplicationIcon() override;
  void CentreOnScreen() override;
  void ShowWindow() override;
  void ShowMinimizedWindow() override;
  void HideWindow() override;
  bool IsMinimized() const override;
  bool IsVisible() const override;
  void Quit() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // MainWindow.cpp: the messages, each to its handler.
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void OnClicked(Control control);
  // MainWindowView.cpp: the screen readers' names that this caption or header gives.
  void NameAfter(Control giver, const std::string& text);
  LRESULT OnNotify(const NMHDR& header);
  // A row of the interval list selected with the keyboard, which stores it as a
  // click would.
  bool RowChosenFromKeyboard(const NMLISTVIEW& change) const;
  bool OnSetCursor(HWND under, UINT hit, UINT mouse_message);
  void OnActivate(bool active);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnTrayNotification(LPARAM notification);
  // MainWindowView.cpp: placement, sized for the work area of `monitor`.
  void PlaceAtDpi(HMONITOR monitor);
  HICON LoadIcon(int size_metric) const;
  bool PointerIsOverWindow() const;
  // MainWindowSkin.cpp: colours.
  void ColourCommonControls();
  COLORREF BackgroundOf(Control control) const;
  HBRUSH BrushOf(COLORREF colour);
  LRESULT OnControlColour(HDC dc, HWND child);
  void EraseBackground(HDC dc);
  LRESULT OnPushButtonDraw(Control button, const NMCUSTOMDRAW& draw);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  Controls controls_;
  HistoryListView history_list_;
  Pointers pointers_;
  std::unique_ptr<TrayIcon> tray_;
  AccessibleNamer names_;
  Form1* form_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;         // the monitor's
  UINT layout_dpi_ = USER_DEFAULT_SCREEN_DPI;  // the controls', lower where the window must shrink
  PointerMode pointer_mode_ = PointerMode::kDefault;
  bool skinned_ = false;  // the marked backgrounds take the button face
  SkinColours skin_;      // none until a skin is applied
  std::function<bool()> high_contrast_source_;
  bool selecting_row_ = false;  // the core's own choice of row, not the user's
  HWND focus_ = nullptr;        // the control that has the focus while the window is active
  std::map<Control, int> column_twips_;
  std::map<COLORREF, HBRUSH> brushes_;
  HICON big_icon_ = nullptr;
  HICON small_icon_ = nullptr;
  HICON tray_picture_ = nullptr;
};

}  // namespace quorvane::win32
