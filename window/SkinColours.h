#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "window/Layout.h"

namespace quorvane {

// The colours a skin gives one control, as 0xRRGGBB; none where it gives none.
struct ControlColours {
  std::optional<unsigned> background;  // "background-color", or "background" with a colour
  std::optional<unsigned> text;        // "color"
};

// The colours of each control of the layout, indexed by Control.
class SkinColours {
 public:
  const ControlColours& of(Control control) const {
    return colours_[static_cast<std::size_t>(control)];
  }
  ControlColours& of(Control control) { return colours_[static_cast<std::size_t>(control)]; }

 private:
  std::array<ControlColours, kControlCount> colours_{};
};

// A skin is a Qt style sheet. Front ends that are not Qt take from it the colours
// of the layout's controls: rules whose selectors name a control by its type
// (QWidget, QGroupBox, QRadioButton, QCheckBox, QPushButton, QProgressBar, QTreeView
// and the other item views) or by its name (#PushButton5), alone or after the
// controls that contain it. As in CSS a name outweighs a type and, at equal weight,
// the later rule wins. Whatever else the sheet holds (pseudo-states, sub-controls,
// other properties, colours it cannot read) is passed over.
//
// Throws AppError naming `source` when the sheet is not UTF-8 text or its braces do
// not pair up.
SkinColours ParseSkinColours(std::string_view sheet, std::string_view source);

// Reads the skin file and parses it. Throws AppError.
SkinColours ReadSkinColours(const std::filesystem::path& file);

}  // namespace quorvane
