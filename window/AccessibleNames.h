#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "window/Layout.h"

namespace quorvane {

// What a screen reader calls each control. Most are named by their own caption;
// a list, which has none, by its header; the progress bar, whose own text says
// nothing, by the countdown that its frame shows.
enum class NameSource { kOwnCaption, kListHeader, kFrameCaption };

NameSource NameSourceOf(Control control);

// The control whose caption or header names `control`: itself, or its frame.
Control NameGiver(Control control);

// The controls whose name is the caption or header of `giver`, other than the
// giver itself: its frame's progress bar, a list after its header.
std::vector<Control> NamedBy(Control giver);

// A caption or header as a name, without the blanks that pad it on screen.
std::string AccessibleName(std::string_view text);

}  // namespace quorvane
