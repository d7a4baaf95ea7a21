#pragma once

#include <array>
#include <cstdint>

#include "report/Figures.h"
#include "report/Sample.h"

namespace quorvane::report {

// A sample dated this long before the newest one so far has a clock set back.
inline constexpr std::int64_t kClockSetBackSeconds = 366 * 86400;
// How many spacings on each side of a pause make up its median. A pause is a gap
// when it is long (IsGapLong) beside the median spacing of the samples on either
// side of it, each side on its own, and beside the pause just before and just
// after it: the pauses of a changed interval come in a row, and are not gaps.
inline constexpr int kGapNeighbours = 5;

// Gathers the figures from the samples, in the log's order. Gaps need the spacing
// on both sides of a pause, so disconnections and gaps are decided a few samples
// behind the newest. A sample dated more than a year before the newest so far has
// a clock set back (a dead battery): its value counts, but it stays off the time
// axis, the gaps, the disconnections and the days.
class LogAnalysis {
 public:
  explicit LogAnalysis(Figures& figures) : figures_(figures) {}

  void Add(const Sample& sample);
  // After the last sample.
  void Finish();

 private:
  struct Moment {
    std::int64_t utc = 0;
    std::int32_t offset = 0;
    bool connected = true;
    std::uint8_t method_bit = 0;  // 1 << the method's index
  };
  // The moments around the pause being judged: its two ends and the neighbours'.
  static constexpr int kWindow = 2 * kGapNeighbours + 2;

  DayFigures& Day(std::int64_t day);
  void Judge(std::uint64_t pause, std::uint64_t newest);
  void Step(const Moment& moment, const Moment* previous, bool gap_before);
  void CloseDisconnection(const Moment& end);
  std::int64_t Spacing(std::uint64_t pause) const;

  Figures& figures_;
  std::int64_t day_key_ = INT64_MIN;
  DayFigures* day_ = nullptr;
  std::array<Moment, kWindow> window_{};
  std::uint64_t added_ = 0;  // moments so far; pause i lies before moment i
  bool in_disconnection_ = false;
  Moment disconnection_start_;
  Moment last_disconnected_;
};

}  // namespace quorvane::report
