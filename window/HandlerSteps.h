#pragma once

// The numbers the error report box gives the steps of the window's handlers
// ("Form_Load", line 204). Users read them out to support, so each keeps its
// number; the names say which step it is.
namespace quorvane::step {

namespace load {  // "Form_Load"
inline constexpr int kApplySkin = 100;
inline constexpr int kShowTitleAndIcon = 104;
inline constexpr int kOpenHomePage = 106;
inline constexpr int kFindHandPointer = 126;
inline constexpr int kLoadHandPointer = 128;
inline constexpr int kFillIntervalList = 130;
inline constexpr int kSetHistoryHeader = 158;
inline constexpr int kReadIntervalChoice = 162;
inline constexpr int kCheckIntervalChoice = 164;
inline constexpr int kReadSwitch = 166;
inline constexpr int kSetTrayTip = 182;
inline constexpr int kPutIconInTray = 184;
inline constexpr int kRestoreStartAtLogin = 186;
inline constexpr int kRestoreStartInTray = 188;
inline constexpr int kRestoreWirelessTool = 190;
inline constexpr int kRestoreSignalStrength = 192;
inline constexpr int kReadStartAtLogin = 194;
inline constexpr int kShowStartInTray = 196;
inline constexpr int kReadStartInTray = 200;
inline constexpr int kHideStartInTray = 202;
inline constexpr int kFindLog = 204;
}  // namespace load

namespace timer {  // "Timer1"
inline constexpr int kReadInterval = 102;
inline constexpr int kLogSample = 128;
}  // namespace timer

namespace log_now {  // "PushButton6_Click"
inline constexpr int kLogSample = 106;
}  // namespace log_now

namespace switch_logging {  // "PushButton5_Click"
inline constexpr int kStoreOn = 106;
inline constexpr int kStoreOff = 114;
}  // namespace switch_logging

namespace view_log {  // "PushButton1_Click"
inline constexpr int kFindLog = 100;
inline constexpr int kOpenLog = 102;
inline constexpr int kSayNoHistory = 104;
}  // namespace view_log

namespace copy_log {  // "PushButton2_Click"
inline constexpr int kFindLog = 100;
inline constexpr int kCopy = 102;
}  // namespace copy_log

namespace clear_log {  // "PushButton12_Click"
inline constexpr int kAsk = 100;
inline constexpr int kDeleteLog = 102;
inline constexpr int kEmptyList = 104;
}  // namespace clear_log

namespace help {  // "PushButton3_Click" and "PushButton11_Click"
inline constexpr int kShow = 100;
}  // namespace help

namespace close {  // "Form_QueryUnload"
inline constexpr int kStopTimer = 100;
inline constexpr int kLeaveTray = 102;
}  // namespace close

}  // namespace quorvane::step
