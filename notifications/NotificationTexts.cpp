#include "notifications/NotificationTexts.h"

#include <cmath>
#include <cstdio>

#include "base/Digits.h"
#include "base/ProductName.h"
#include "base/TimeText.h"
#include "base/Trim.h"

namespace quorvane::notifications {
namespace {

const char* CauseInWords(Cause cause) {
  return cause == Cause::kRouter     ? "the router"
         : cause == Cause::kInternet ? "the internet"
                                     : "the WiFi";
}

}  // namespace

std::string ClockText(const LocalDateTime& when) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", when.hour, when.minute, when.second);
  return text;
}

std::string LostText(Cause cause) {
  switch (cause) {
    case Cause::kRouter:
      return "The router does not answer";
    case Cause::kInternet:
      return "The internet is unreachable (the router answers)";
    default:
      return "WiFi connection lost";
  }
}

std::string BackText(std::int64_t seconds, Cause cause) {
  return "Connection back after " + ReadableDuration(seconds < 0 ? 0 : seconds) + " (" +
         CauseInWords(cause) + ")";
}

std::string UnstableText(int drops, std::int64_t down_seconds, Cause cause) {
  return "Connection keeps dropping: " + std::to_string(drops) + " drops, " +
         ReadableDuration(down_seconds) + " down in the last 5 minutes (" + CauseInWords(cause) +
         ")";
}

std::string WeakText(Method method, double mean, std::int64_t span_seconds) {
  // Rounded down, so that a mean below the threshold never reads as the threshold
  // itself ("50%" for 49.6 %).
  char value[32];
  if (method == Method::kWirelessTool)
    std::snprintf(value, sizeof value, "%d%%", static_cast<int>(std::floor(mean)));
  else
    std::snprintf(value, sizeof value, "level %.1f", std::floor(mean * 10) / 10);
  std::string text = std::string("Weak WiFi signal: ") + value;
  // Soon after the start or a gap the window holds less than ten minutes, or only
  // one sample at a long interval: the text says what the mean was taken over.
  if (span_seconds <= 0) return text;
  if (span_seconds >= kNearlyTenMinutes) return text + " on average over the last 10 minutes";
  return text + " on average over the last " + ReadableDuration(span_seconds);
}

std::string SampleTip(std::string_view value_text, std::string_view time) {
  return std::string(kProductName) + ": " + std::string(Trimmed(value_text)) + " at " +
         std::string(time);
}

std::string OutageTip(Cause cause, std::string_view since) {
  const char* what = cause == Cause::kRouter     ? "router not answering"
                     : cause == Cause::kInternet ? "internet unreachable"
                                                 : "no WiFi connection";
  return std::string(kProductName) + ": " + what + " since " + std::string(since);
}

}  // namespace quorvane::notifications
