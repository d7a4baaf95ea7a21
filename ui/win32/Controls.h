#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <utility>

#include "window/Layout.h"

namespace quorvane::win32 {

// The main window's controls, made from the layout table: push buttons, check
// boxes, option buttons and frames are BUTTONs, the progress bar is a
// msctls_progress32 that shows its text, the lists are report-mode list views
// (the history list virtual).
class Controls {
 public:
  Controls() = default;
  ~Controls();
  Controls(const Controls&) = delete;
  Controls& operator=(const Controls&) = delete;

  // Makes every control of the layout on `parent`, in the tab order of the layout.
  void Create(HWND parent, HINSTANCE instance);
  // Positions, sizes and fonts for the monitor's dots per inch.
  void Place(UINT dpi);

  HWND operator[](Control control) const { return windows_[Index(control)]; }
  // The control a window belongs to (a list's header belongs to its list); none
  // for windows that are not controls of the main window.
  std::optional<Control> ControlOf(HWND window) const;
  // The control that sends WM_COMMAND or WM_NOTIFY with this identifier.
  static std::optional<Control> ControlOfId(UINT_PTR id);

 private:
  static std::size_t Index(Control control) { return static_cast<std::size_t>(control); }
  HFONT FontFor(const FontSpec& font, UINT dpi);
  void DeleteFonts(std::map<std::pair<int, bool>, HFONT>& fonts);

  HWND parent_ = nullptr;
  std::array<HWND, kControlCount> windows_{};
  // By size in hundredths of a point and weight, for the DPI last placed at.
  std::map<std::pair<int, bool>, HFONT> fonts_;
};

}  // namespace quorvane::win32
