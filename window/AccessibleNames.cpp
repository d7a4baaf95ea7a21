#include "window/AccessibleNames.h"

#include "base/Trim.h"

namespace quorvane {

NameSource NameSourceOf(Control control) {
  switch (SpecOf(control).kind) {
    case ControlKind::kListView:
      return NameSource::kListHeader;
    case ControlKind::kProgressBar:
      return NameSource::kFrameCaption;
    default:
      return NameSource::kOwnCaption;
  }
}

Control NameGiver(Control control) {
  const ControlSpec& entry = SpecOf(control);
  if (NameSourceOf(control) == NameSource::kFrameCaption && entry.parent) return *entry.parent;
  return control;
}

std::vector<Control> NamedBy(Control giver) {
  std::vector<Control> named;
  for (const ControlSpec& entry : Form1Layout())
    if (NameSourceOf(entry.id) != NameSource::kOwnCaption && NameGiver(entry.id) == giver)
      named.push_back(entry.id);
  return named;
}

std::string AccessibleName(std::string_view text) { return std::string(Trimmed(text)); }

}  // namespace quorvane
