#pragma once

#include <cstdint>
#include <string>

namespace quorvane::report {

// The local time zone's offset from UTC at a moment.
class TimeZone {
 public:
  virtual ~TimeZone() = default;
  // Seconds east of UTC at `utc` (seconds since 1970).
  virtual std::int32_t OffsetAt(std::int64_t utc) const = 0;
  // The zone's name, "Europe/Berlin"; empty when it has none the program can tell.
  virtual std::string Name() const { return {}; }
};

// The time zone the program runs in (TZ on Linux, the system's on Windows).
class SystemTimeZone : public TimeZone {
 public:
  std::int32_t OffsetAt(std::int64_t utc) const override;
  // TZ's zone name, else the zone /etc/localtime links to, else /etc/timezone's;
  // none for a rule written out ("CET-1CEST,M3.5.0,M10.5.0/3") or on Windows.
  std::string Name() const override;
};

// Whether the local time at `utc`, read with `offset`, also occurs at another moment
// (it lies in the stretch repeated when daylight saving time ends).
bool LocalTimeOccursTwice(const TimeZone& zone, std::int64_t utc, std::int32_t offset);

// Turns the wall-clock times of the log's lines, in their order, into UTC. The
// zone is asked once per wall-clock hour, not per line. Where a stretch of local
// time occurs twice (the end of daylight saving time, of whatever length and
// wherever it falls) the line's order decides: the earliest moment after the
// previous line's, or the latest when the clock was put back; a time that repeats
// the previous line's exactly is its second pass. A time that does not exist (the
// stretch skipped in spring) is read with the offset from before the change.
class UtcResolver {
 public:
  explicit UtcResolver(const TimeZone& zone) : zone_(zone) {}

  // `wall` is the local time read as if it were UTC.
  // Inline: it is called for every line.
  void Resolve(std::int64_t wall, std::int64_t& utc, std::int32_t& offset) {
    const std::int64_t hour = wall >= 0 ? wall / 3600 : (wall - 3599) / 3600;
    if (hour != hour_) LearnHour(hour);
    offset = before_;
    if (changes_) {
      const bool before_valid = wall < before_until_;
      const bool after_valid = wall >= after_from_;
      if (after_valid && (!before_valid || wall - before_ <= previous_)) offset = after_;
      missing_ = !before_valid && !after_valid;
    }
    utc = wall - offset;
    previous_ = utc;
  }
  // Whether the offset changes within the wall-clock hour of the time resolved
  // last, so that the time itself, and where it repeats the line before, decide.
  bool HourOccursTwice() const { return changes_; }
  // Whether the time resolved last does not exist (skipped when the clocks went
  // forward): its offset is a guess.
  bool TimeIsMissing() const { return missing_; }

 private:
  void LearnHour(std::int64_t hour);

  const TimeZone& zone_;
  std::int64_t hour_ = INT64_MIN;
  bool changes_ = false;
  bool missing_ = false;
  std::int32_t before_ = 0;  // the offset before the change, the only one without one
  std::int32_t after_ = 0;   // the offset after it
  // Local times read with `before_` end here, those with `after_` begin here; where
  // they overlap, the time occurs twice, and between them it does not exist.
  std::int64_t before_until_ = 0;
  std::int64_t after_from_ = 0;
  std::int64_t previous_ = INT64_MIN;
};

}  // namespace quorvane::report
