#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quorvane {

// The main window and its controls, by the names the program has always used.
enum class Control {
  Form1,
  Frame1,
  Frame2,
  Frame3,
  Option1,
  Option2,
  Check4,
  Check8,
  ProgressBar1,
  ListView1,  // the history
  ListView2,  // the intervals
  PushButton1,
  PushButton2,
  PushButton3,
  PushButton5,
  PushButton6,
  PushButton11,
  PushButton12,
};

enum class ControlKind {
  kWindow,
  kFrame,         // a group box whose caption sits on its top line
  kOptionButton,  // a radio button
  kCheckBox,
  kPushButton,
  kProgressBar,  // shows its text centred over the bar
  kListView,     // one column with a header, whole rows selected
};

// Measures are in twips: 1440 to the inch, 15 to a pixel at 96 dots per inch.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct FontSpec {
  std::string_view face = "Arial";
  double points = 9;
  bool bold = false;
};

// 0xRRGGBB
inline constexpr unsigned kWhite = 0xFFFFFF;

struct ControlSpec {
  Control id;
  ControlKind kind;
  std::string_view name;
  std::string_view caption;
  std::optional<Control> parent;  // none for the window itself
  TwipsRect rect;                 // relative to the parent's client area
  FontSpec font;
  unsigned background = kWhite;
  // -1: takes no focus of its own. The others are walked in their order on the
  // window (TabOrder), whatever their number.
  int tab_index = -1;
  bool visible = true;
  // Whether a skin recolours the background in the desktop's button face.
  bool skinned_background = false;
  // Whether the pointer over it is the hand (push buttons), the arrow (the window,
  // frames and lists), or left as it is (everything else).
  enum class Hover { kKeep, kArrow, kHand } hover = Hover::kKeep;
};

inline constexpr std::size_t kControlCount = 18;

// The window first, then each control after its parent; the front ends create
// them in this order.
const std::array<ControlSpec, kControlCount>& Form1Layout();
const ControlSpec& SpecOf(Control control);

// Where a control lies on the window's client area, its frame's place added.
TwipsRect PlaceOnWindow(Control control);

// The controls that take focus, in tab order: as the window reads, top to bottom
// and each row left to right.
std::array<Control, 13> TabOrder();

// Pixels for twips at the given dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi = 96) { return (twips * dpi + 720) / 1440; }

// The dots per inch to lay the window out at on a monitor of `dpi`: `dpi` itself
// when the client area fits in `available_width` x `available_height` pixels (the
// work area less the window's frame), else the largest that fits, so the window
// shrinks as a whole and keeps the proportions of its twips. Never below 48, half
// of 96, where text could no longer be read.
int LayoutDpiToFit(int dpi, int available_width, int available_height);

}  // namespace quorvane
