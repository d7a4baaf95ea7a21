#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Clock.h"
#include "sampling/StatusSampler.h"

namespace quorvane {

// The history list of the current run. Each sample is kept as one 64-bit record
// (its time stamp and the number of its value text) and its line is composed only
// when a view asks for it, so a run of millions of samples stays small.
class HistoryStore : public HistoryList {
 public:
  // Told of every change, so a list on screen can follow.
  class Observer {
   public:
    virtual ~Observer() = default;
    virtual void RowAdded(std::size_t row) = 0;
    virtual void Cleared() = 0;
  };

  explicit HistoryStore(const Clock& clock) : clock_(clock) {}

  void set_observer(Observer* observer) { observer_ = observer; }

  void Add(const HistoryEntry& entry) override;
  void Clear();
  std::size_t size() const { return records_.size(); }
  // The line of a row, exactly as it went to the log.
  std::string Line(std::size_t row) const;
  // Bytes held for the rows themselves, without the few distinct value texts.
  std::size_t RecordBytes() const { return records_.capacity() * sizeof(std::uint64_t); }

 private:
  std::uint64_t ValueNumber(const std::string& value_text);
  std::uint64_t Number(std::size_t row, std::uint64_t record) const;

  const Clock& clock_;
  Observer* observer_ = nullptr;
  std::vector<std::uint64_t> records_;
  // The distinct value texts ("70%", "4", ...), numbered in order of arrival.
  std::vector<std::string> values_;
  std::unordered_map<std::string, std::uint64_t> value_numbers_;
  // Rows whose value number is too large for their record, should a broken tool
  // ever produce that many different texts.
  std::unordered_map<std::size_t, std::uint64_t> large_numbers_;
};

// Whether a history list on screen shows the new line that was just added: while
// its last line is in sight, as terminals and log viewers do, so a list left alone
// from the start follows as it fills. Only a user who scrolled away from the end
// keeps the lines they are reading. Rows count whole rows; `first_in_sight` is the
// top row shown.
constexpr bool FollowsNewLine(std::size_t first_in_sight, std::size_t rows_in_sight,
                              std::size_t rows_before) {
  return first_in_sight + rows_in_sight >= rows_before;
}

// The header of the history list.
inline constexpr const char* kHistoryHeader = " WiFi Signal Strength Status";

}  // namespace quorvane
