#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/LocalDateTime.h"
#include "model/Cause.h"
#include "model/Method.h"

namespace quorvane::notifications {

// "WiFi connection lost", "The router does not answer", "The internet is
// unreachable (WiFi and router are fine)".
std::string LostText(Cause cause);
// "Connection back after 3 min 20 s (internet)".
std::string BackText(std::int64_t seconds, Cause cause);
// "Connection keeps dropping: 5 drops, 1 min 40 s down in the last 5 minutes
// (the internet)", naming the cause of the latest drop.
std::string UnstableText(int drops, std::int64_t down_seconds, Cause cause);
// "Weak WiFi signal: 42% on average over the last 10 minutes"; a level with one
// decimal. `span_seconds` is the time from the first sample of the mean to the
// last: under about ten minutes it is named ("over the last 1 min 10 s"), and a
// mean of one sample is given as the value alone.
inline constexpr std::int64_t kNearlyTenMinutes = 9 * 60;
std::string WeakText(Method method, double mean, std::int64_t span_seconds);

// 24-hour "14:03:11".
std::string ClockText(const LocalDateTime& when);
// "Quorvane: 70% at 14:03:11", the time as given.
std::string SampleTip(std::string_view value_text, std::string_view time);
// "Quorvane: internet unreachable since 14:02:05".
std::string OutageTip(Cause cause, std::string_view since);

}  // namespace quorvane::notifications
