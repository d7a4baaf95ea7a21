#pragma once

#include <cstdint>

namespace quorvane::report {

// The local time zone's offset from UTC at a moment.
class TimeZone {
 public:
  virtual ~TimeZone() = default;
  // Seconds east of UTC at `utc` (seconds since 1970).
  virtual std::int32_t OffsetAt(std::int64_t utc) const = 0;
};

// The time zone the program runs in (TZ on Linux, the system's on Windows).
class SystemTimeZone : public TimeZone {
 public:
  std::int32_t OffsetAt(std::int64_t utc) const override;
};

// Turns the wall-clock times of the log's lines, in their order, into UTC. The
// zone is asked once per wall-clock hour, not per line. Where an hour occurs twice
// (the end of daylight saving time) the line's order decides: the earliest moment
// not before the previous line's, or the latest when the clock was put back. A
// time that does not exist (the hour skipped in spring) is read with the offset
// from before the change.
class UtcResolver {
 public:
  explicit UtcResolver(const TimeZone& zone) : zone_(zone) {}

  // `wall` is the local time read as if it were UTC.
  // Inline: it is called for every line.
  void Resolve(std::int64_t wall, std::int64_t& utc, std::int32_t& offset) {
    const std::int64_t hour = wall >= 0 ? wall / 3600 : (wall - 3599) / 3600;
    if (hour != hour_) LearnHour(hour);
    int chosen = 0;
    if (offset_count_ == 2 && wall - offsets_[0] < previous_) chosen = 1;
    offset = offsets_[chosen];
    utc = wall - offset;
    previous_ = utc;
  }
  // Whether the hour of the time resolved last occurs twice, so that the line
  // before decided which.
  bool HourOccursTwice() const { return offset_count_ == 2; }

 private:
  void LearnHour(std::int64_t hour);

  const TimeZone& zone_;
  std::int64_t hour_ = INT64_MIN;
  std::int32_t offsets_[2] = {0, 0};  // valid offsets in this hour, earliest moment first
  int offset_count_ = 0;
  std::int64_t previous_ = INT64_MIN;
};

}  // namespace quorvane::report
