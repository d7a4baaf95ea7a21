#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace quorvane::report {

// Which of the two numbers before the year is the day, in "a/b/year".
enum class DayMonthOrder { kDayFirst, kMonthFirst };

// What a slash-form line says about the order: nothing (another form, or the
// order was not needed), settled either way, or both numbers at most 12.
enum class OrderHint { kNone, kDayFirst, kMonthFirst, kAmbiguous };

// The date and time form Quorvane writes now, learned by formatting a reference
// moment with the clock.
struct CurrentForm {
  char date_separator = '/';
  bool year_first = false;
  DayMonthOrder order = DayMonthOrder::kMonthFirst;
  std::string am;  // the locale's designators, reduced as Designator() reduces them
  std::string pm;

  static CurrentForm Learn(const Clock& clock);
};

// Reads the date-time text at the start of a history line: the form Quorvane
// writes now first, then the other common forms (day and month in either order,
// 2- or 4-digit years, 12- or 24-hour clocks, ISO). A date alone is midnight.
// It remembers the last date it read, which most lines share, so one reader
// serves one thread.
class DateTimeReader {
 public:
  DateTimeReader(CurrentForm form, DayMonthOrder slash_order)
      : form_(std::move(form)), slash_order_(slash_order) {}

  // `text` is the line's text before " WiFi Signal Strength is ". False when it
  // is not a date and time.
  bool Read(std::string_view text, LocalDateTime& when, OrderHint& hint) const;

  // The quick way for most lines: `line` starts with the date of the line read
  // before, one blank and the usual time ("9:05:07", "21:05:07", "9:05:07 PM").
  // Returns where that ends, or 0 when the line starts otherwise; its end is not
  // looked at. A line this reads, Read reads the same.
  std::size_t ReadUsualLineStart(std::string_view line, LocalDateTime& when, OrderHint& hint) const;

  DayMonthOrder slash_order() const { return slash_order_; }

 private:
  // The date at the start of `text`, `pos` left just after it (and the dot a
  // dotted date may end with); with the separator, and whether the year came first.
  bool ReadDate(std::string_view text, std::size_t& pos, LocalDateTime& when, OrderHint& hint,
                char& separator, bool& year_first) const;
  bool ReadTime(std::string_view text, LocalDateTime& when) const;

  CurrentForm form_;
  DayMonthOrder slash_order_;
  // The last date read: its text and what it said.
  mutable char last_date_[16] = {};
  mutable std::size_t last_date_length_ = 0;
  mutable LocalDateTime last_when_;
  mutable OrderHint last_hint_ = OrderHint::kNone;
  mutable bool last_dot_may_follow_ = false;  // a dotted date without its last dot
  mutable bool last_year_first_ = false;      // so that a "T" may join the time to it
};

}  // namespace quorvane::report
