#include "window/Layout.h"

#include <algorithm>

#include "window/PlatformTexts.h"

namespace quorvane {
namespace {

using Hover = ControlSpec::Hover;
constexpr FontSpec kPlain{"Arial", 9, false};
constexpr FontSpec kBold{"Arial", 9, true};
constexpr FontSpec kButton{"Arial", 11.25, true};

constexpr ControlSpec Window() {
  return {Control::Form1,
          ControlKind::kWindow,
          "Form1",
          "Form1",
          std::nullopt,
          {0, 0, 8040, 8550},
          kPlain,
          kWhite,
          -1,
          true,
          true,
          Hover::kArrow};
}

constexpr ControlSpec Frame(Control id, std::string_view name, std::string_view caption,
                            TwipsRect rect) {
  return {id,   ControlKind::kFrame, name, caption, Control::Form1, rect, kBold, kWhite, -1, true,
          true, Hover::kArrow};
}

constexpr ControlSpec Choice(Control id, ControlKind kind, std::string_view name,
                             std::string_view caption, Control frame, TwipsRect rect, int tab_index,
                             bool visible = true) {
  return {id,    kind,   name,      caption, frame, rect,
          kBold, kWhite, tab_index, visible, true,  Hover::kKeep};
}

constexpr ControlSpec Button(Control id, std::string_view name, std::string_view caption,
                             TwipsRect rect, int tab_index, Control parent = Control::Form1) {
  return {id,        ControlKind::kPushButton,
          name,      caption,
          parent,    rect,
          kButton,   kWhite,
          tab_index, true,
          false,     Hover::kHand};
}

constexpr ControlSpec List(Control id, std::string_view name, TwipsRect rect, int tab_index) {
  return {
      id,    ControlKind::kListView, name, "", Control::Form1, rect, kBold, kWhite, tab_index, true,
      false, Hover::kArrow};
}

constexpr std::array<ControlSpec, kControlCount> kLayout{{
    Window(),
    Frame(Control::Frame3, "Frame3", "Signal Method", {120, 7710, 7800, 735}),
    Choice(Control::Option2, ControlKind::kOptionButton, "Option2", "Method #2", Control::Frame3,
           {2160, 300, 1695, 225}, 11),
    Choice(Control::Option1, ControlKind::kOptionButton, "Option1", "Method #1", Control::Frame3,
           {240, 300, 1695, 225}, 10),
    Button(Control::PushButton3, "PushButton3", "?", {4200, 200, 480, 405}, 12, Control::Frame3),
    Frame(Control::Frame2, "Frame2", "Startup Options", {120, 5360, 7800, 735}),
    Choice(Control::Check4, ControlKind::kCheckBox, "Check4", kPlatformTexts.start_at_login,
           Control::Frame2, {240, 300, 3930, 285}, 7),
    Choice(Control::Check8, ControlKind::kCheckBox, "Check8", "Minimized to system tray",
           Control::Frame2, {4320, 300, 2580, 285}, 6, false),
    Frame(Control::Frame1, "Frame1", "Next log will occur in", {120, 120, 7800, 840}),
    {Control::ProgressBar1,
     ControlKind::kProgressBar,
     "ProgressBar1",
     "Progress Bar",
     Control::Frame1,
     {240, 285, 7320, 405},
     kBold,
     kWhite,
     -1,
     true,
     false,
     Hover::kKeep},
    List(Control::ListView2, "ListView2", {120, 3720, 7800, 1590}, 1),
    List(Control::ListView1, "ListView1", {120, 1080, 7800, 2535}, 0),
    Button(Control::PushButton5, "PushButton5", "Turn On Automatic Logging", {120, 6225, 3840, 405},
           2),
    Button(Control::PushButton6, "PushButton6", "Log Current Status Now (Test)",
           {4080, 6225, 3840, 405}, 3),
    Button(Control::PushButton1, "PushButton1", "View History Log", {120, 6735, 3840, 405}, 4),
    Button(Control::PushButton2, "PushButton2", "Copy History To Clipboard",
           {4080, 6735, 3840, 405}, 5),
    Button(Control::PushButton11, "PushButton11", "Help", {120, 7245, 3840, 405}, 8),
    Button(Control::PushButton12, "PushButton12", "Clear History Log", {4080, 7245, 3840, 405}, 9),
}};

}  // namespace

const std::array<ControlSpec, kControlCount>& Form1Layout() { return kLayout; }

const ControlSpec& SpecOf(Control control) {
  for (const auto& entry : kLayout)
    if (entry.id == control) return entry;
  return kLayout.front();
}

TwipsRect PlaceOnWindow(Control control) {
  const ControlSpec& entry = SpecOf(control);
  TwipsRect place = entry.rect;
  if (entry.parent && *entry.parent != Control::Form1) {
    const TwipsRect container = PlaceOnWindow(*entry.parent);
    place.left += container.left;
    place.top += container.top;
  }
  return place;
}

std::array<Control, 13> TabOrder() {
  std::array<Control, 13> order{};
  std::size_t count = 0;
  for (const auto& entry : kLayout)
    if (entry.tab_index >= 0) order.at(count++) = entry.id;
  // Top to bottom, then row by row left to right: controls whose heights overlap
  // the first one of a row stand in that row (the small "?" button sits a little
  // higher than the options beside it).
  std::ranges::stable_sort(order, {}, [](Control c) { return PlaceOnWindow(c).top; });
  for (auto row = order.begin(); row != order.end();) {
    const TwipsRect first = PlaceOnWindow(*row);
    const auto row_end = std::find_if(row, order.end(), [&](Control c) {
      return PlaceOnWindow(c).top >= first.top + first.height;
    });
    std::ranges::sort(row, row_end, {}, [](Control c) { return PlaceOnWindow(c).left; });
    row = row_end;
  }
  return order;
}

int LayoutDpiToFit(int dpi, int available_width, int available_height) {
  constexpr int kLeast = 48;
  const TwipsRect& client = SpecOf(Control::Form1).rect;
  // The largest d with TwipsToPixels(twips, d) <= pixels, that is with
  // twips * d + 720 < (pixels + 1) * 1440.
  const auto largest = [](int twips, int pixels) { return ((pixels + 1) * 1440 - 721) / twips; };
  const int fitting = std::min(largest(client.width, std::max(available_width, 0)),
                               largest(client.height, std::max(available_height, 0)));
  return std::max(std::min(dpi, fitting), std::min(dpi, kLeast));
}

}  // namespace quorvane
