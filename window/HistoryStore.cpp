#include "window/HistoryStore.h"

#include <chrono>

#include "sampling/HistoryLog.h"

namespace quorvane {
namespace {

// A record holds the local time as seconds since 1 January 1600 in its low 35
// bits (over a thousand years) and the value number in its high 29 bits. The
// highest number marks a row whose number is kept aside.
constexpr int kTimeBits = 35;
constexpr std::uint64_t kTimeMask = (std::uint64_t{1} << kTimeBits) - 1;
constexpr std::uint64_t kNumberAside = (std::uint64_t{1} << (64 - kTimeBits)) - 1;
constexpr std::chrono::sys_days kEpoch = std::chrono::year{1600} / 1 / 1;

std::uint64_t Seconds(const LocalDateTime& when) {
  using namespace std::chrono;
  const sys_days day = year{when.year} / month{static_cast<unsigned>(when.month)} /
                       std::chrono::day{static_cast<unsigned>(when.day)};
  const auto seconds = (day - kEpoch).count() * 86400LL + when.SecondsSinceMidnight();
  return static_cast<std::uint64_t>(seconds) & kTimeMask;
}

LocalDateTime Time(std::uint64_t record) {
  using namespace std::chrono;
  const auto seconds = static_cast<long long>(record & kTimeMask);
  const year_month_day date{kEpoch + days{seconds / 86400}};
  const int of_day = static_cast<int>(seconds % 86400);
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          of_day / 3600,
          of_day / 60 % 60,
          of_day % 60};
}

}  // namespace

std::uint64_t HistoryStore::ValueNumber(const std::string& value_text) {
  if (const auto found = value_numbers_.find(value_text); found != value_numbers_.end())
    return found->second;
  const std::uint64_t number = values_.size();
  values_.push_back(value_text);
  value_numbers_.emplace(value_text, number);
  return number;
}

void HistoryStore::Add(const HistoryEntry& entry) {
  const std::uint64_t number = ValueNumber(entry.value_text);
  const std::size_t row = records_.size();
  if (number >= kNumberAside) large_numbers_.emplace(row, number);
  records_.push_back(std::min(number, kNumberAside) << kTimeBits | Seconds(entry.when));
  if (observer_) observer_->RowAdded(row);
}

void HistoryStore::Clear() {
  records_.clear();
  records_.shrink_to_fit();
  large_numbers_.clear();
  if (observer_) observer_->Cleared();
}

std::uint64_t HistoryStore::Number(std::size_t row, std::uint64_t record) const {
  const std::uint64_t number = record >> kTimeBits;
  return number == kNumberAside ? large_numbers_.at(row) : number;
}

std::string HistoryStore::Line(std::size_t row) const {
  const std::uint64_t record = records_.at(row);
  return ComposeHistoryLine(DateTimeText(clock_, Time(record)), values_.at(Number(row, record)));
}

}  // namespace quorvane
