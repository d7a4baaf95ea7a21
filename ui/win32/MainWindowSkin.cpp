// How the window is coloured: the white of the layout, the desktop's button face
// where a skin marks it, and the skin's own colours over both; in high contrast,
// the desktop's colours alone.
#include "ui/win32/MainWindow.h"

#include <uxtheme.h>

#include "ui/win32/ProgressBarText.h"
#include "ui/win32/PushButtonDraw.h"
#include "window/SkinColours.h"

namespace quorvane::win32 {
namespace {

COLORREF ColourOf(unsigned rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

// The theme of no class at all: the control is drawn in the classic look.
void DropVisualStyle(HWND control) { SetWindowTheme(control, L" ", L" "); }

bool DrawsItsOwnCaption(ControlKind kind) {
  return kind == ControlKind::kFrame || kind == ControlKind::kOptionButton ||
         kind == ControlKind::kCheckBox;
}

}  // namespace

void MainWindow::ApplySkin(const std::filesystem::path& file) {
  // The button face goes on first, and stays when the skin file turns out bad.
  skinned_ = true;
  RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
  skin_ = ReadSkinColours(file);
  ColourCommonControls();
}

void MainWindow::ColourCommonControls() {
  for (Control list : {Control::ListView1, Control::ListView2}) {
    HWND view = controls_[list];
    if (const auto& background = skin_.of(list).background) {
      ListView_SetBkColor(view, ColourOf(*background));
      ListView_SetTextBkColor(view, ColourOf(*background));
    }
    if (const auto& text = skin_.of(list).text) ListView_SetTextColor(view, ColourOf(*text));
  }
  HWND bar = controls_[Control::ProgressBar1];
  if (const auto& background = skin_.of(Control::ProgressBar1).background) {
    DropVisualStyle(bar);  // a themed bar keeps the theme's colours
    SendMessageW(bar, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(ColourOf(*background)));
  }
  if (const auto& text = skin_.of(Control::ProgressBar1).text)
    SetProgressBarTextColour(bar, ColourOf(*text));
  // A themed check box, option button or frame draws its caption in the theme's
  // colour, whatever WM_CTLCOLORSTATIC sets: those the skin colours look classic.
  for (const auto& entry : Form1Layout())
    if (DrawsItsOwnCaption(entry.kind) && skin_.of(entry.id).text)
      DropVisualStyle(controls_[entry.id]);
}

bool MainWindow::HighContrast() const {
  if (high_contrast_source_) return high_contrast_source_();
  HIGHCONTRASTW high_contrast{};
  high_contrast.cbSize = sizeof high_contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof high_contrast, &high_contrast, 0) &&
         (high_contrast.dwFlags & HCF_HIGHCONTRASTON);
}

COLORREF MainWindow::BackgroundOf(Control control) const {
  // Asked at every paint, so that turning high contrast on or off while the
  // window is open recolours it.
  if (HighContrast()) return GetSysColor(COLOR_WINDOW);
  if (const auto& own = skin_.of(control).background) return ColourOf(*own);
  const ControlSpec& entry = SpecOf(control);
  if (skinned_ && entry.skinned_background) return GetSysColor(COLOR_BTNFACE);
  return ColourOf(entry.background);
}

HBRUSH MainWindow::BrushOf(COLORREF colour) {
  auto& brush = brushes_[colour];
  if (!brush) brush = CreateSolidBrush(colour);
  return brush;
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND child) {
  const Control control = controls_.ControlOf(child).value_or(Control::Form1);
  const ControlSpec& entry = SpecOf(control);
  // What a push button asks for is the ground it stands on: its frame or the window.
  const Control ground = entry.kind == ControlKind::kPushButton ? *entry.parent : control;
  const COLORREF background = BackgroundOf(ground);
  SetBkColor(dc, background);
  if (HighContrast())
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  else if (const auto& text = skin_.of(control).text)
    SetTextColor(dc, ColourOf(*text));
  return reinterpret_cast<LRESULT>(BrushOf(background));
}

void MainWindow::EraseBackground(HDC dc) {
  RECT area;
  GetClientRect(window_, &area);
  FillRect(dc, &area, BrushOf(BackgroundOf(Control::Form1)));
  // A frame draws its line and its caption only: its inside is painted here.
  for (const auto& entry : Form1Layout()) {
    if (entry.kind != ControlKind::kFrame || !skin_.of(entry.id).background) continue;
    RECT frame;
    GetWindowRect(controls_[entry.id], &frame);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&frame), 2);
    FillRect(dc, &frame, BrushOf(BackgroundOf(entry.id)));
  }
}

LRESULT MainWindow::OnPushButtonDraw(Control button, const NMCUSTOMDRAW& draw) {
  const ControlColours& colours = skin_.of(button);
  if (draw.dwDrawStage != CDDS_PREPAINT || HighContrast() || (!colours.background && !colours.text))
    return CDRF_DODEFAULT;
  const COLORREF face =
      colours.background ? ColourOf(*colours.background) : GetSysColor(COLOR_BTNFACE);
  const COLORREF caption = colours.text ? ColourOf(*colours.text) : GetSysColor(COLOR_BTNTEXT);
  DrawPushButton(draw, BrushOf(face), caption);
  return CDRF_SKIPDEFAULT;
}

}  // namespace quorvane::win32
