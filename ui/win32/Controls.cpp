#include "ui/win32/Controls.h"

#include <commctrl.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/windows/WideText.h"
#include "ui/win32/ProgressBarText.h"

namespace quorvane::win32 {
namespace {

// Control identifiers start above IDOK and IDCANCEL, which the dialog keys send.
constexpr UINT_PTR kFirstId = 100;

UINT_PTR IdOf(Control control) { return kFirstId + static_cast<UINT_PTR>(control); }

struct WindowKind {
  const wchar_t* class_name;
  DWORD style;
  DWORD ex_style;
};

WindowKind KindOf(const ControlSpec& entry) {
  switch (entry.kind) {
    case ControlKind::kFrame:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case ControlKind::kOptionButton:
      return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0};
    case ControlKind::kCheckBox:
      return {WC_BUTTONW, BS_AUTOCHECKBOX, 0};
    case ControlKind::kPushButton:
      return {WC_BUTTONW, BS_PUSHBUTTON, 0};
    case ControlKind::kProgressBar:
      return {PROGRESS_CLASSW, PBS_SMOOTH, 0};
    case ControlKind::kListView: {
      DWORD style = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
      // The history list asks for the text of the rows on screen only.
      if (entry.id == Control::ListView1) style |= LVS_OWNERDATA;
      return {WC_LISTVIEWW, style, WS_EX_CLIENTEDGE};
    }
    case ControlKind::kWindow:
      break;
  }
  return {WC_STATICW, 0, 0};
}

// Twips from the window's client origin: a control in a frame is placed from the
// frame's top-left corner.
TwipsRect OnWindow(const ControlSpec& entry) {
  TwipsRect rect = entry.rect;
  if (entry.parent && *entry.parent != Control::Form1) {
    const TwipsRect& frame = SpecOf(*entry.parent).rect;
    rect.left += frame.left;
    rect.top += frame.top;
  }
  return rect;
}

// Top to bottom of the stacking order, which is also the order Tab walks: the
// controls that take focus in their tab order, then the rest, the frames last so
// that they never cover what they hold.
std::vector<Control> StackingOrder() {
  std::vector<Control> order;
  for (Control control : TabOrder()) order.push_back(control);
  for (const auto& entry : Form1Layout())
    if (entry.tab_index < 0 && entry.kind != ControlKind::kWindow &&
        entry.kind != ControlKind::kFrame)
      order.push_back(entry.id);
  for (const auto& entry : Form1Layout())
    if (entry.kind == ControlKind::kFrame) order.push_back(entry.id);
  return order;
}

}  // namespace

Controls::~Controls() { DeleteFonts(fonts_); }

void Controls::Create(HWND parent, HINSTANCE instance) {
  parent_ = parent;
  for (const auto& entry : Form1Layout()) {
    if (entry.kind == ControlKind::kWindow) continue;
    const WindowKind kind = KindOf(entry);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
    if (entry.visible) style |= WS_VISIBLE;
    if (entry.tab_index >= 0) style |= WS_TABSTOP;
    // Each focusable control starts a group of its own, but for the two option
    // buttons, which are one group so that choosing one clears the other.
    if (entry.tab_index >= 0 && entry.id != Control::Option2) style |= WS_GROUP;
    HWND window =
        CreateWindowExW(kind.ex_style, kind.class_name, Widen(entry.caption).c_str(), style, 0, 0,
                        0, 0, parent, reinterpret_cast<HMENU>(IdOf(entry.id)), instance, nullptr);
    windows_[Index(entry.id)] = window;
    if (entry.kind == ControlKind::kListView)
      ListView_SetExtendedListViewStyle(window, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    if (entry.kind == ControlKind::kProgressBar) ShowTextOnProgressBar(window);
  }
  for (Control control : StackingOrder())
    SetWindowPos((*this)[control], HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Controls::Place(UINT dpi) {
  auto old_fonts = std::move(fonts_);
  fonts_.clear();
  const auto pixels = [dpi](int twips) { return TwipsToPixels(twips, static_cast<int>(dpi)); };
  for (const auto& entry : Form1Layout()) {
    if (entry.kind == ControlKind::kWindow) continue;
    HWND window = (*this)[entry.id];
    const TwipsRect rect = OnWindow(entry);
    // Edges rounded one by one, so that neighbours meet at every DPI.
    const int left = pixels(rect.left), top = pixels(rect.top);
    SetWindowPos(window, nullptr, left, top, pixels(rect.left + rect.width) - left,
                 pixels(rect.top + rect.height) - top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(entry.font, dpi)), TRUE);
  }
  DeleteFonts(old_fonts);
}

HFONT Controls::FontFor(const FontSpec& font, UINT dpi) {
  const std::pair<int, bool> key{static_cast<int>(std::lround(font.points * 100)), font.bold};
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  const int height = -static_cast<int>(std::lround(font.points * dpi / 72.0));
  HFONT handle = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, Widen(font.face).c_str());
  fonts_.emplace(key, handle);
  return handle;
}

void Controls::DeleteFonts(std::map<std::pair<int, bool>, HFONT>& fonts) {
  for (const auto& [key, font] : fonts) DeleteObject(font);
  fonts.clear();
}

std::optional<Control> Controls::ControlOf(HWND window) const {
  for (; window && window != parent_; window = GetParent(window))
    for (const auto& entry : Form1Layout())
      if (entry.kind != ControlKind::kWindow && (*this)[entry.id] == window) return entry.id;
  return std::nullopt;
}

std::optional<Control> Controls::ControlOfId(UINT_PTR id) {
  for (const auto& entry : Form1Layout())
    if (entry.kind != ControlKind::kWindow && IdOf(entry.id) == id) return entry.id;
  return std::nullopt;
}

}  // namespace quorvane::win32
