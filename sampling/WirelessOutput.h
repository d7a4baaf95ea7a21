#pragma once

#include <string>
#include <string_view>

#include "platform/LinkContext.h"

namespace quorvane {

// Parsers of the wireless tools' output. Each returns the value text of the
// history line: "70%", " 5%" (below 10), "100%", or "0% (no connection)".

// netsh: the first "Signal" that begins a line's label (nothing but blanks before it
// on its line, so a network named "Signal-Home" does not count) and the two
// characters in front of the first "%" within the 30 characters that start there.
// Throws AppError (invalid argument) when that "%" is missing.
std::string ParseNetshSignal(std::string_view output);

// Whether netsh refused to list the networks for want of location permission, as
// Windows 11 24H2 and later do for desktop programs the user has not allowed.
// Keyed on the settings page the refusal points to, "ms-settings:privacy-location"
// (a URI, so it should read the same in every language), or on the English
// "need location permission" of its first sentence.
bool ShowsLocationRefusal(std::string_view output);

// nmcli in terse mode with the fields IN-USE and SIGNAL first: the signal of the
// network in use (marked "*"), otherwise of the first network listed.
std::string ParseNmcliSignal(std::string_view output);

// The same output with the fields IN-USE, SIGNAL, SSID, BSSID, CHAN, FREQ and RATE:
// the link's context from the row in use; nothing known without one. nmcli's SSID
// is its text of the name, and it tells no signal in dBm.
LinkContext ParseNmcliLink(std::string_view output);

// A whole percentage as value text, clamped to 0..100.
std::string FormatSignalPercent(int percent);

}  // namespace quorvane
