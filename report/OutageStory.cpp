#include "report/OutageStory.h"

#include <algorithm>
#include <cmath>

#include "base/TimeText.h"

namespace quorvane::report {
namespace {

using journal::Outage;

std::vector<Outage> LastInOrder(std::vector<Outage> outages, std::size_t most) {
  if (outages.size() > most)
    outages.erase(outages.begin(), outages.end() - static_cast<std::ptrdiff_t>(most));
  return outages;
}

// The steps of the axis, numbered: step 3k is 10^k ms, 3k + 1 twice that, 3k + 2
// five times.
double StepMs(int step) {
  const int decade = step >= 0 ? step / 3 : -((2 - step) / 3);
  constexpr double kFactors[] = {1, 2, 5};
  return kFactors[step - 3 * decade] * std::pow(10.0, decade);
}

// The step at or below `ms`, and the one at or above it. A value a rounding away
// from a step is on it.
constexpr double kOnStep = 1e-9;
int StepAtOrBelow(double ms) {
  const int decade = static_cast<int>(std::floor(std::log10(ms) + kOnStep));
  const double mantissa = ms / std::pow(10.0, decade);
  return 3 * decade + (mantissa >= 5 - kOnStep ? 2 : mantissa >= 2 - kOnStep ? 1 : 0);
}
int StepAtOrAbove(double ms) {
  const int step = StepAtOrBelow(ms);
  return StepMs(step) < ms * (1 - kOnStep) ? step + 1 : step;
}

int FloorDivide(int a, int b) { return a >= 0 ? a / b : -((b - 1 - a) / b); }

}  // namespace

std::string_view CauseInWords(Cause cause) {
  switch (cause) {
    case Cause::kWifi:
      return "the WiFi connection";
    case Cause::kRouter:
      return "your router";
    case Cause::kInternet:
      return "the internet, beyond your router";
    default:
      return "";
  }
}

std::vector<Outage> MostRecentOutages(const journal::JournalOutages& journal, std::size_t most) {
  const auto& all = journal.outages;
  return std::vector<Outage>(all.end() - static_cast<std::ptrdiff_t>(std::min(most, all.size())),
                             all.end());
}

std::vector<Outage> ForTheProvider(const journal::JournalOutages& journal, std::size_t most) {
  std::vector<Outage> internet;
  for (const Outage& outage : journal.outages)
    if (outage.cause == Cause::kInternet) internet.push_back(outage);
  return LastInOrder(std::move(internet), most);
}

std::string OutageDuration(const Outage& outage) {
  if (outage.Seconds() > 0) return ReadableDuration(outage.Seconds());
  std::string text =
      std::to_string(outage.samples) + (outage.samples == 1 ? " sample" : " samples");
  if (outage.spacing > 0) text += ", about " + ReadableDuration(outage.spacing);
  return text;
}

std::vector<std::int32_t> OffsetsOf(const std::vector<Outage>& outages) {
  std::vector<std::int32_t> offsets;
  for (const Outage& outage : outages)
    for (const std::int32_t offset : {outage.start_offset, outage.end_offset})
      if (std::find(offsets.begin(), offsets.end(), offset) == offsets.end())
        offsets.push_back(offset);
  return offsets;
}

std::string ZoneText(std::string_view zone_name, const std::vector<std::int32_t>& offsets) {
  // The zone's name already says UTC: "UTC, UTC+00:00" would say it twice.
  constexpr std::string_view kUtcNames[] = {"UTC",  "Etc/UTC",  "UCT",       "Etc/UCT",
                                            "Zulu", "Etc/Zulu", "Universal", "Etc/Universal"};
  if (offsets.size() == 1 && offsets.front() == 0 &&
      std::find(std::begin(kUtcNames), std::end(kUtcNames), zone_name) != std::end(kUtcNames))
    return "UTC";
  std::string text(zone_name);
  if (offsets.size() == 1) {
    if (!text.empty()) text += ", ";
    text += "UTC" + IsoTime(0, offsets.front()).substr(19);
  } else if (text.empty()) {
    text = "local time";
  }
  return text;
}

RttAxis FitRttAxis(double lowest_ms, double highest_ms) {
  // Times below 0.1 ms are drawn at its height: the probes' histogram starts there.
  constexpr double kFloorMs = 0.1;
  if (!(highest_ms > 0)) {  // no answers: an axis for the lost probes' shading alone
    lowest_ms = 1;
    highest_ms = 10;
  }
  highest_ms = std::max(highest_ms, kFloorMs);
  lowest_ms = std::clamp(lowest_ms, kFloorMs, highest_ms);
  int bottom = StepAtOrBelow(lowest_ms);
  int top = StepAtOrAbove(highest_ms);
  if (top == bottom) {  // one value: a step either side, so the bar has room
    --bottom;
    ++top;
  }
  // On a plot 110 pixels high, more than 7 ticks run into one another.
  int every = 1;
  if (top - bottom > 6) {
    every = 3;
    bottom = FloorDivide(bottom, 3) * 3;
    top = -FloorDivide(-top, 3) * 3;
  }
  RttAxis axis{StepMs(bottom), StepMs(top), {}};
  for (int step = bottom; step <= top; step += every) axis.ticks_ms.push_back(StepMs(step));
  return axis;
}

}  // namespace quorvane::report
