#include "window/SkinColours.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/PathText.h"
#include "base/Trim.h"
#include "base/Utf8.h"
#include "platform/AppError.h"

namespace quorvane {
namespace {

bool IsBlank(char c) { return kWhiteSpace.find(c) != std::string_view::npos; }

std::string_view Trim(std::string_view text) { return Trimmed(text, kWhiteSpace); }

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

// Well-formed UTF-8 without NUL bytes (a UTF-16 file has them between its letters).
bool IsUtf8Text(std::string_view bytes) {
  return bytes.find('\0') == std::string_view::npos && IsUtf8(bytes);
}

struct Rule {
  std::string selectors;
  std::string declarations;
  bool nested = false;  // a block inside the block: nothing a style sheet of ours holds
};

// Splits the sheet into its rules, dropping comments and keeping quoted text whole.
// Throws AppError when the braces do not pair up.
std::vector<Rule> SplitRules(std::string_view sheet, std::string_view source) {
  std::vector<Rule> rules;
  Rule current;
  int depth = 0;
  const auto unbalanced = [&] {
    return AppError("The skin " + std::string(source) + " has unbalanced braces");
  };
  for (std::size_t i = 0; i < sheet.size(); ++i) {
    const char c = sheet[i];
    std::string& part = depth == 0 ? current.selectors : current.declarations;
    if (c == '/' && i + 1 < sheet.size() && sheet[i + 1] == '*') {
      const auto end = sheet.find("*/", i + 2);
      i = end == std::string_view::npos ? sheet.size() : end + 1;
      part += ' ';
    } else if (c == '"' || c == '\'') {
      const auto end = sheet.find(c, i + 1);
      const auto stop = end == std::string_view::npos ? sheet.size() : end + 1;
      part += sheet.substr(i, stop - i);
      i = stop - 1;
    } else if (c == '{') {
      if (depth > 0) current.nested = true;
      if (depth++ > 0) part += c;
    } else if (c == '}') {
      if (depth == 0) throw unbalanced();
      if (--depth > 0) {
        part += c;
      } else {
        rules.push_back(std::move(current));
        current = {};
      }
    } else {
      part += c;
    }
  }
  if (depth != 0) throw unbalanced();
  return rules;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const auto end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::optional<unsigned> ParseHex(std::string_view digits) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(digits.begin(), digits.end(), value, 16);
  if (error != std::errc() || end != digits.end()) return std::nullopt;
  return value;
}

// "#rgb", "#rrggbb", "rgb(r, g, b)" with 0 to 255 each, or one of a few names.
std::optional<unsigned> ParseColour(std::string_view text) {
  const std::string value = Lower(Trim(text));
  if (value.size() == 7 && value[0] == '#') return ParseHex(std::string_view(value).substr(1));
  if (value.size() == 4 && value[0] == '#') {
    const auto short_form = ParseHex(std::string_view(value).substr(1));
    if (!short_form) return std::nullopt;
    unsigned colour = 0;
    for (int shift = 8; shift >= 0; shift -= 4)
      colour = colour << 8 | ((*short_form >> shift) & 0xF) * 0x11;
    return colour;
  }
  if (value.starts_with("rgb(") && value.ends_with(")")) {
    const auto channels = Split(std::string_view(value).substr(4, value.size() - 5), ',');
    if (channels.size() != 3) return std::nullopt;
    unsigned colour = 0;
    for (const auto channel : channels) {
      const auto digits = Trim(channel);
      unsigned level = 0;
      const auto [end, error] = std::from_chars(digits.begin(), digits.end(), level);
      if (digits.empty() || error != std::errc() || end != digits.end() || level > 255)
        return std::nullopt;
      colour = colour << 8 | level;
    }
    return colour;
  }
  struct Named {
    std::string_view name;
    unsigned colour;
  };
  static constexpr Named kNamed[] = {{"white", 0xFFFFFF}, {"black", 0x000000},  {"red", 0xFF0000},
                                     {"green", 0x008000}, {"blue", 0x0000FF},   {"gray", 0x808080},
                                     {"grey", 0x808080},  {"silver", 0xC0C0C0}, {"navy", 0x000080},
                                     {"yellow", 0xFFFF00}};
  for (const auto& named : kNamed)
    if (value == named.name) return named.colour;
  return std::nullopt;
}

// The Qt classes each kind of control is drawn with, and their bases that style
// sheets name.
bool TypeMatches(std::string_view type, ControlKind kind) {
  if (type == "*" || type == "QWidget") return true;
  switch (kind) {
    case ControlKind::kWindow:
      return false;
    case ControlKind::kFrame:
      return type == "QGroupBox";
    case ControlKind::kOptionButton:
      return type == "QRadioButton" || type == "QAbstractButton";
    case ControlKind::kCheckBox:
      return type == "QCheckBox" || type == "QAbstractButton";
    case ControlKind::kPushButton:
      return type == "QPushButton" || type == "QAbstractButton";
    case ControlKind::kProgressBar:
      return type == "QProgressBar";
    case ControlKind::kListView:
      return type == "QTreeView" || type == "QAbstractItemView" || type == "QAbstractScrollArea" ||
             type == "QFrame";
  }
  return false;
}

// One step of a selector: a type, a name, or both ("QPushButton#PushButton5").
struct Compound {
  std::string_view type;       // empty: any
  std::string_view name;       // empty: any
  bool child_of_next = false;  // "A > B": A must be the very parent of what B matched
};

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-';
}

std::optional<Compound> ParseCompound(std::string_view text) {
  Compound compound;
  const auto hash = text.find('#');
  compound.type = text.substr(0, hash);
  if (hash != std::string_view::npos) compound.name = text.substr(hash + 1);
  if (compound.type.empty() && compound.name.empty()) return std::nullopt;
  if (compound.type != "*" &&
      !std::all_of(compound.type.begin(), compound.type.end(), IsNameCharacter))
    return std::nullopt;  // pseudo-states, sub-controls, classes, attributes
  if (hash != std::string_view::npos &&
      (compound.name.empty() ||
       !std::all_of(compound.name.begin(), compound.name.end(), IsNameCharacter)))
    return std::nullopt;
  return compound;
}

// The compounds of one selector, rightmost (the control itself) first. They view
// `text`.
std::optional<std::vector<Compound>> ParseSelector(std::string_view text) {
  std::vector<Compound> compounds;
  bool child = false;
  std::string_view rest = text;
  while (!(rest = Trim(rest)).empty()) {
    if (rest.front() == '>') {
      if (compounds.empty() || child) return std::nullopt;
      child = true;
      rest.remove_prefix(1);
      continue;
    }
    const auto end =
        std::find_if(rest.begin(), rest.end(), [](char c) { return IsBlank(c) || c == '>'; });
    const auto word = rest.substr(0, static_cast<std::size_t>(end - rest.begin()));
    rest.remove_prefix(word.size());
    auto compound = ParseCompound(word);
    if (!compound) return std::nullopt;
    if (child) compounds.back().child_of_next = true;
    child = false;
    compounds.push_back(*compound);
  }
  if (compounds.empty() || child) return std::nullopt;
  std::reverse(compounds.begin(), compounds.end());
  return compounds;
}

bool CompoundMatches(const Compound& compound, const ControlSpec& control) {
  return (compound.type.empty() || TypeMatches(compound.type, control.kind)) &&
         (compound.name.empty() || compound.name == control.name);
}

bool SelectorMatches(const std::vector<Compound>& compounds, Control control) {
  if (!CompoundMatches(compounds[0], SpecOf(control))) return false;
  std::optional<Control> ancestor = SpecOf(control).parent;
  for (std::size_t i = 1; i < compounds.size(); ++i) {
    const bool direct = compounds[i].child_of_next;
    while (ancestor && !CompoundMatches(compounds[i], SpecOf(*ancestor))) {
      if (direct) return false;
      ancestor = SpecOf(*ancestor).parent;
    }
    if (!ancestor) return false;
    ancestor = SpecOf(*ancestor).parent;
  }
  return true;
}

// CSS weight: names count before types.
int Specificity(const std::vector<Compound>& compounds) {
  int weight = 0;
  for (const auto& compound : compounds)
    weight +=
        (compound.name.empty() ? 0 : 100) + (compound.type.empty() || compound.type == "*" ? 0 : 1);
  return weight;
}

enum class Property { kBackground, kText };

// The colours a rule's declarations set, in their order; what is not a colour of
// ours is left out.
std::vector<std::pair<Property, unsigned>> ColourDeclarations(std::string_view block) {
  std::vector<std::pair<Property, unsigned>> found;
  for (const auto declaration : Split(block, ';')) {
    const auto colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string property = Lower(Trim(declaration.substr(0, colon)));
    std::string_view value = Trim(declaration.substr(colon + 1));
    if (Lower(value).ends_with("!important")) value.remove_suffix(10);
    const auto colour = ParseColour(value);
    if (!colour) continue;
    if (property == "background-color" || property == "background")
      found.emplace_back(Property::kBackground, *colour);
    else if (property == "color")
      found.emplace_back(Property::kText, *colour);
  }
  return found;
}

}  // namespace

SkinColours ParseSkinColours(std::string_view sheet, std::string_view source) {
  if (sheet.starts_with("\xEF\xBB\xBF")) sheet.remove_prefix(3);  // a byte-order mark
  if (!IsUtf8Text(sheet)) throw AppError("The skin " + std::string(source) + " is not UTF-8 text");

  SkinColours colours;
  // The weight of the selector that gave each colour so far, -1 for none.
  std::array<std::array<int, 2>, kControlCount> weights;
  for (auto& weight : weights) weight = {-1, -1};
  for (const Rule& rule : SplitRules(sheet, source)) {
    if (rule.nested) continue;
    const auto declarations = ColourDeclarations(rule.declarations);
    if (declarations.empty()) continue;
    for (const auto selector_text : Split(rule.selectors, ',')) {
      const auto selector = ParseSelector(selector_text);
      if (!selector) continue;
      const int weight = Specificity(*selector);
      for (const auto& control : Form1Layout()) {
        if (!SelectorMatches(*selector, control.id)) continue;
        for (const auto& [property, colour] : declarations) {
          int& best = weights[static_cast<std::size_t>(control.id)][static_cast<int>(property)];
          if (weight < best) continue;  // at equal weight the later rule wins
          best = weight;
          auto& target = property == Property::kBackground ? colours.of(control.id).background
                                                           : colours.of(control.id).text;
          target = colour;
        }
      }
    }
  }
  return colours;
}

SkinColours ReadSkinColours(const std::filesystem::path& file) {
  const std::string name = PathText(file);
  std::ifstream in(file, std::ios::binary);
  std::string sheet((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.is_open() || in.bad()) throw AppError("The skin " + name + " could not be read");
  return ParseSkinColours(sheet, name);
}

}  // namespace quorvane
