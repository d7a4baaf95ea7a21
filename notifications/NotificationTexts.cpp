#include "notifications/NotificationTexts.h"

#include <cstdio>

#include "base/Digits.h"
#include "base/ProductName.h"
#include "base/TimeText.h"
#include "base/Trim.h"

namespace quorvane::notifications {
namespace {

std::string ClockText(const LocalDateTime& when) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", when.hour, when.minute, when.second);
  return text;
}

}  // namespace

std::string LostText(Cause cause) {
  switch (cause) {
    case Cause::kRouter:
      return "The router does not answer";
    case Cause::kInternet:
      return "The internet is unreachable (WiFi and router are fine)";
    default:
      return "WiFi connection lost";
  }
}

std::string BackText(std::int64_t seconds, Cause cause) {
  return "Connection back after " + ReadableDuration(seconds < 0 ? 0 : seconds) + " (" +
         std::string(CauseText(cause)) + ")";
}

std::string WeakText(Method method, double mean, std::int64_t span_seconds) {
  char value[32];
  if (method == Method::kWirelessTool)
    std::snprintf(value, sizeof value, "%d%%", static_cast<int>(mean + 0.5));
  else
    std::snprintf(value, sizeof value, "level %.1f", mean);
  std::string text = std::string("Weak WiFi signal: ") + value;
  // Soon after the start or a gap the window holds less than ten minutes, or only
  // one sample at a long interval: the text says what the mean was taken over.
  if (span_seconds <= 0) return text;
  if (span_seconds >= kNearlyTenMinutes) return text + " on average over the last 10 minutes";
  return text + " on average over the last " + ReadableDuration(span_seconds);
}

std::string SampleTip(std::string_view value_text, const LocalDateTime& when) {
  return std::string(kProductName) + ": " + std::string(Trimmed(value_text)) + " at " +
         ClockText(when);
}

std::string OutageTip(Cause cause, const LocalDateTime& since) {
  const char* what = cause == Cause::kRouter     ? "router not answering"
                     : cause == Cause::kInternet ? "internet unreachable"
                                                 : "no WiFi connection";
  return std::string(kProductName) + ": " + what + " since " + ClockText(since);
}

std::optional<int> ValueOf(std::string_view value_text) {
  value_text = Trimmed(value_text);
  if (value_text.empty() || !IsDigit(value_text.front())) return std::nullopt;
  int value = 0;
  for (const char c : value_text) {
    if (!IsDigit(c) || value > 100000) break;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace quorvane::notifications
