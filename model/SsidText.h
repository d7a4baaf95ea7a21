#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// An SSID's raw bytes as text that survives a CSV file or a label: as it is when
// it is UTF-8 without control characters, otherwise every byte that is not
// printable ASCII as "\xNN"; a backslash is doubled either way, so the text reads
// back to the same bytes.
std::string SsidText(std::string_view raw);
// Text as shown to a person (SsidText's, say): each Unicode control of the writing
// direction (U+061C, U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069) as
// "\uNNNN", so that a network's name cannot turn the text around it. A backslash
// of SsidText's is doubled, so these stay apart from a name that spells one out.
std::string DirectionControlsShown(std::string_view text);
// The raw bytes of such a text; an escape it does not know stays as written.
std::string SsidFromText(std::string_view text);

}  // namespace quorvane
