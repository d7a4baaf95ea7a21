#include "report/LogAnalysis.h"

#include <algorithm>

#include "base/TimeText.h"
#include "model/Gaps.h"

namespace quorvane::report {
namespace {

std::int64_t DayOf(std::int64_t wall) { return (wall >= 0 ? wall : wall - 86399) / 86400; }

}  // namespace

DayFigures& LogAnalysis::Day(std::int64_t key) {
  if (key != day_key_) {
    day_key_ = key;
    day_ = &figures_.days[key];
  }
  return *day_;
}

void LogAnalysis::Add(const Sample& sample) {
  const int m = MethodIndex(sample.method);
  MethodFigures& method = figures_.methods[m];
  ++method.samples;
  ++method.histogram[sample.value];
  if (!sample.connected) ++method.drops;
  if (figures_.samples > 0 && sample.utc < figures_.last - kClockSetBackSeconds) {
    // A clock set back years (a dead battery): the value counts, its time does not.
    SetBack& set_back = figures_.set_back;
    if (set_back.samples == 0 || sample.utc < set_back.first) set_back.first = sample.utc;
    if (set_back.samples == 0 || sample.utc > set_back.last) set_back.last = sample.utc;
    ++set_back.samples;
    ++figures_.samples;
    return;
  }
  const std::int64_t day_number = sample.Day();
  const int hour = static_cast<int>(sample.wall - day_number * 86400) / 3600;
  ++method.hour_samples[hour];
  method.hour_sum[hour] += sample.value;

  DayFigures& day = Day(day_number);
  ++day.samples;
  if (day.count[m] == 0) {
    day.min[m] = day.max[m] = sample.value;
  } else {
    day.min[m] = std::min<int>(day.min[m], sample.value);
    day.max[m] = std::max<int>(day.max[m], sample.value);
  }
  ++day.count[m];
  day.sum[m] += sample.value;

  if (figures_.samples == 0 || sample.utc < figures_.first) {
    figures_.first = sample.utc;
    figures_.first_offset = sample.offset;
  }
  if (figures_.samples == 0 || sample.utc >= figures_.last) {
    figures_.last = sample.utc;
    figures_.last_offset = sample.offset;
  }
  ++figures_.samples;
  figures_.plot.Add(sample.utc, sample.method, sample.value, sample.connected);

  window_[added_ % kWindow] = {sample.utc, sample.offset, sample.connected,
                               static_cast<std::uint8_t>(1 << m)};
  if (added_ == 0) Step(window_[0], nullptr, false);
  ++added_;
  constexpr std::uint64_t kAfter = kGapNeighbours;
  if (added_ > kAfter + 1) Judge(added_ - 1 - kAfter, added_ - 1);
}

void LogAnalysis::Finish() {
  const std::uint64_t newest = added_ - 1;
  const std::uint64_t first_unjudged = added_ > kGapNeighbours + 1 ? added_ - kGapNeighbours : 1;
  for (std::uint64_t pause = first_unjudged; pause < added_; ++pause) Judge(pause, newest);
  if (in_disconnection_) {
    CloseDisconnection(last_disconnected_);
  }
}

std::int64_t LogAnalysis::Spacing(std::uint64_t pause) const {
  const std::int64_t spacing = window_[pause % kWindow].utc - window_[(pause - 1) % kWindow].utc;
  return spacing > 0 ? spacing : 0;  // a clock put back
}

void LogAnalysis::Judge(std::uint64_t pause, std::uint64_t newest) {
  const std::int64_t spacing = Spacing(pause);
  bool gap = false;
  if (spacing > kGapMinimumSeconds) {  // no gap however usual the spacing: no need to look
    // The usual spacing on each side, the interval logged before the pause and the
    // one after, which differ when the interval was changed; and the pauses next to
    // it, so that the first and last pauses of a new interval are not gaps.
    auto median = [](std::array<std::int64_t, kGapNeighbours>& spacings, std::size_t n) {
      std::nth_element(spacings.begin(), spacings.begin() + (n - 1) / 2, spacings.begin() + n);
      return spacings[(n - 1) / 2];
    };
    std::array<std::int64_t, kGapNeighbours> before{}, after{};
    std::size_t n_before = 0, n_after = 0;
    for (std::uint64_t p = pause > kGapNeighbours ? pause - kGapNeighbours : 1; p < pause; ++p)
      before[n_before++] = Spacing(p);
    for (std::uint64_t p = pause + 1; p <= newest && p <= pause + kGapNeighbours; ++p)
      after[n_after++] = Spacing(p);
    std::int64_t usual = -1;
    if (n_before > 0) usual = std::max(before[n_before - 1], median(before, n_before));
    if (n_after > 0) usual = std::max({usual, after[0], median(after, n_after)});
    gap = usual >= 0 && IsGapLong(spacing, usual);
  }
  Step(window_[pause % kWindow], &window_[(pause - 1) % kWindow], gap);
}

void LogAnalysis::Step(const Moment& moment, const Moment* previous, bool gap_before) {
  if (gap_before) {
    figures_.gaps.Add({previous->utc, moment.utc, previous->offset, moment.offset});
    figures_.plot.MarkGapAfter(previous->utc);
    // Quorvane stopped while disconnected: what happened meanwhile is not known.
    if (in_disconnection_) CloseDisconnection(last_disconnected_);
  } else if (previous) {
    // However far apart on the plot, logging ran from one sample to the next.
    figures_.plot.MarkRunning(previous->utc, moment.utc, previous->method_bit | moment.method_bit,
                              in_disconnection_);
  }
  if (!moment.connected) {
    if (!in_disconnection_) {
      in_disconnection_ = true;
      disconnection_start_ = moment;
    }
    last_disconnected_ = moment;
  } else if (in_disconnection_) {
    CloseDisconnection(moment);
  }
}

void LogAnalysis::CloseDisconnection(const Moment& end) {
  in_disconnection_ = false;
  const Span span{disconnection_start_.utc, end.utc, disconnection_start_.offset, end.offset};
  figures_.disconnections.Add(span);
  auto day = figures_.days.find(DayOf(span.from + span.from_offset));
  if (day != figures_.days.end()) ++day->second.disconnections;
}

}  // namespace quorvane::report
