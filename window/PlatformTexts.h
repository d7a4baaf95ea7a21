#pragma once

#include <string_view>

#include "platform/OperatingSystem.h"

namespace quorvane {

// The window's texts that name or explain the operating system, one set per
// system. Only the words change: the settings keys behind them stay the same, so
// stored choices carry over.
struct PlatformTexts {
  std::string_view start_at_login;  // the caption of the start-at-login check box
  std::string_view method_help;     // the "?" box; the support address follows
  std::string_view contact;         // the Help box; the contact page follows
};

inline constexpr PlatformTexts kWindowsTexts{
    "Load this software on Windows startup",
    "Depending on what version of Windows you are using, you will need to use Method #1 or "
    "Method #2 to retrieve a WiFi signal. Please try both methods. If you have any questions, "
    "please email a screenshot of this message to ",
    "Questions? Please contact Team Brindlewick at "};

// The address goes on a line of its own: a message box would otherwise break it.
inline constexpr PlatformTexts kLinuxTexts{
    "Load this software at login",
    "Quorvane reads the WiFi signal in one of two ways. Method #1 asks NetworkManager's "
    "command-line tool (nmcli) for the signal of the network in use, in percent. Method #2 "
    "reads the wireless adapter's signal from the kernel (nl80211) and shows it as a level "
    "from 0 to 5. If one method shows no signal on your computer, please try the other. If "
    "you have any questions, please email a screenshot of this message to\r\n",
    "Questions? Please contact Team Brindlewick at\r\n"};

constexpr const PlatformTexts& TextsFor(OperatingSystem system) {
  return system == OperatingSystem::kWindows ? kWindowsTexts : kLinuxTexts;
}

// The texts of the system this build runs on.
inline constexpr const PlatformTexts& kPlatformTexts = TextsFor(kThisSystem);

}  // namespace quorvane
