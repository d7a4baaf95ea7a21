#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/SettingsStore.h"

namespace quorvane {

// One stored choice: its key in the store and the text read when it is absent.
struct SettingKey {
  std::string_view name;
  std::string_view default_text;
};

namespace setting {
// Start at login ("On"/"Off"), shown by the start-at-login check box.
inline constexpr SettingKey kWindowsStartup{"Windows Startup", "Off"};
// Start hidden in the tray ("On"/"Off"), shown by "Minimized to system tray".
inline constexpr SettingKey kMinimized{"Minimized", "Off"};
// The two signal methods ("True"/"False", or a number: non-zero is true).
inline constexpr SettingKey kOption1{"Option1", "1"};
inline constexpr SettingKey kOption2{"Option2", "0"};
// The chosen row of the interval list, 1 to 12.
inline constexpr SettingKey kOftenIndex{"OftenIndex", "2"};
// Automatic logging ("On"/"Off").
inline constexpr SettingKey kStartStopState{"StartStopState", "On"};
// The folder that receives quorvane.prom after every sample, for Prometheus'
// textfile collectors; none when empty. Set by administrators, never written by
// the program.
inline constexpr SettingKey kMetricsFolder{"Metrics Folder", ""};
// The folder of the last file saved through the save dialog, where the next one
// opens; empty before the first.
inline constexpr SettingKey kSaveFolder{"Save Folder", ""};
// How many whole months of the journal are kept besides the current one.
inline constexpr SettingKey kJournalMonths{"Journal Months", "13"};
// Probes of the router and the internet with every sample ("On"/"Off").
inline constexpr SettingKey kNetworkProbes{"Network Probes", "Off"};
// The IP addresses probed for the internet; none turns those probes off.
inline constexpr SettingKey kInternetTargets{"Internet Targets", "1.1.1.1, 9.9.9.9"};
// Desktop notifications when the connection drops and comes back, and when the
// signal stays weak ("On"/"Off").
inline constexpr SettingKey kNotifyDrops{"Notify Drops", "Off"};
inline constexpr SettingKey kNotifyWeak{"Notify Weak", "Off"};
// How many seconds a drop lasts before it is notified. Set by hand.
inline constexpr SettingKey kAlertAfter{"Alert After", "30"};
}  // namespace setting

inline constexpr std::string_view kOn = "On";
inline constexpr std::string_view kOff = "Off";

// The stored text of the key, or its default.
std::string GetSetting(const SettingsStore& store, const SettingKey& key);
// Throws AppError when the store cannot be written.
void SaveSetting(SettingsStore& store, const SettingKey& key, std::string_view value);

// "True" or "False".
std::string_view BooleanText(bool value);

// "True" and "False" exactly, or a number, non-zero being true. Anything else
// throws AppError ("Type mismatch").
bool TextToBoolean(std::string_view text);

// A number rounded to a whole 16-bit integer (halves to even). Throws AppError:
// "Type mismatch" for text that is no number, "Overflow" beyond -32768..32767.
std::int16_t TextToInteger16(std::string_view text);

}  // namespace quorvane
