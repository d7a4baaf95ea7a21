#include "report/DateTimeReader.h"

#include <cstdint>
#include <cstring>

#include "base/CalendarMath.h"

namespace quorvane::report {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Up to `most` digits at `pos`; the count read goes to `digits`.
int Number(std::string_view text, std::size_t& pos, int most, int& digits) {
  int value = 0;
  digits = 0;
  while (pos < text.size() && digits < most && IsDigit(text[pos])) {
    value = value * 10 + (text[pos++] - '0');
    ++digits;
  }
  return value;
}

void SkipBlanks(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
}

// "p. m.", "PM", "pm" all become "pm": ASCII letters lowered, dots and blanks
// dropped; other bytes (a designator in another script) kept as they are.
std::string Designator(std::string_view text) {
  std::string reduced;
  for (const char c : text) {
    if (c == '.' || c == ' ') continue;
    reduced += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return reduced;
}

// Whether `text` begins with the `length` (at most 16) bytes of `start`: two
// 8-byte words compared under a mask when the text is long enough, as most are.
bool SameStart(std::string_view text, const char (&start)[16], std::size_t length) {
  if (text.size() < 16 || length == 0) return std::memcmp(text.data(), start, length) == 0;
  std::uint64_t a[2], b[2];
  std::memcpy(a, text.data(), 16);
  std::memcpy(b, start, 16);
  // The bytes in memory order are the low bytes first on every platform built for.
  auto mask = [](std::size_t bytes) {
    return bytes >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (bytes * 8)) - 1;
  };
  const std::uint64_t low = mask(length);
  const std::uint64_t high = length > 8 ? mask(length - 8) : 0;
  return ((a[0] ^ b[0]) & low) == 0 && ((a[1] ^ b[1]) & high) == 0;
}

// The usual time, "9:05:07" or "21:05:07", at `p`: its numbers into `when`, and
// where it ends; nullptr when it is not there. One branch for each length of
// the hour.
const char* ReadUsualTime(const char* p, const char* end, LocalDateTime& when) {
  if (end - p < 7 || !IsDigit(p[0])) return nullptr;
  const char* rest;  // "05:07"
  if (p[1] == ':') {
    when.hour = p[0] - '0';
    rest = p + 2;
  } else if (IsDigit(p[1]) && p[2] == ':') {
    when.hour = (p[0] - '0') * 10 + (p[1] - '0');
    rest = p + 3;
  } else {
    return nullptr;
  }
  if (end - rest < 5 || !IsDigit(rest[0]) || !IsDigit(rest[1]) || rest[2] != ':' ||
      !IsDigit(rest[3]) || !IsDigit(rest[4]))
    return nullptr;
  when.minute = (rest[0] - '0') * 10 + (rest[1] - '0');
  when.second = (rest[3] - '0') * 10 + (rest[4] - '0');
  return rest + 5;
}

// " AM" or " PM" at `p`: 'A' or 'P', else 0. Compared byte by byte: a library call
// costs more than the rest of the time.
char UsualDesignatorAt(const char* p, const char* end) {
  return end - p >= 3 && p[0] == ' ' && (p[1] == 'A' || p[1] == 'P') && p[2] == 'M' ? p[1] : 0;
}

// The hour on a 24-hour clock after a designator ('A', 'P' or 0); false when the
// time is no time.
bool FinishUsualTime(LocalDateTime& when, char designator) {
  if (designator != 0) {
    if (when.hour < 1 || when.hour > 12) return false;
    when.hour = when.hour % 12 + (designator == 'P' ? 12 : 0);
  }
  return when.hour < 24 && when.minute < 60 && when.second < 60;
}

int FullYear(int year, int digits) {
  if (digits > 2) return year;
  return year < 50 ? 2000 + year : 1900 + year;  // the 1950 to 2049 window of short dates
}

}  // namespace

CurrentForm CurrentForm::Learn(const Clock& clock) {
  CurrentForm form;
  // A moment whose numbers cannot be mistaken for one another.
  const LocalDateTime afternoon{2033, 11, 22, 13, 44, 55};
  const std::string date = clock.ShortDate(afternoon);
  const std::size_t year = date.find("33");
  const std::size_t month = date.find("11");
  const std::size_t day = date.find("22");
  if (year != std::string::npos && month != std::string::npos && day != std::string::npos) {
    form.year_first = year < month && year < day;
    form.order = day < month ? DayMonthOrder::kDayFirst : DayMonthOrder::kMonthFirst;
    for (const char c : date) {
      if (c == '/' || c == '.' || c == '-') {
        form.date_separator = c;
        break;
      }
    }
  }
  const std::string pm = clock.LongTime(afternoon);
  if (pm.find("13") == std::string::npos) {
    LocalDateTime morning = afternoon;
    morning.hour = 1;
    const std::string am = clock.LongTime(morning);
    auto words = [](const std::string& time) {
      std::string rest;
      for (const char c : time)
        if (!IsDigit(c) && c != ':') rest += c;
      return Designator(rest);
    };
    form.am = words(am);
    form.pm = words(pm);
  }
  return form;
}

std::size_t DateTimeReader::ReadUsualLineStart(std::string_view line, LocalDateTime& when,
                                               OrderHint& hint) const {
  const std::size_t length = last_date_length_;
  if (length == 0 || line.size() < length + 8 || !SameStart(line, last_date_, length) ||
      line[length] != ' ')
    return 0;
  const char* const line_end = line.data() + line.size();
  LocalDateTime read = last_when_;
  const char* after = ReadUsualTime(line.data() + length + 1, line_end, read);
  if (after == nullptr) return 0;
  const char designator = UsualDesignatorAt(after, line_end);
  if (!FinishUsualTime(read, designator)) return 0;
  when = read;
  hint = last_hint_;
  return static_cast<std::size_t>(after - line.data()) + (designator != 0 ? 3 : 0);
}

bool DateTimeReader::Read(std::string_view text, LocalDateTime& when, OrderHint& hint) const {
  std::size_t pos = 0;
  const std::size_t length = last_date_length_;
  // The last date is taken as it was read only where reading it afresh would end
  // at the same place: not before a digit, nor before the dot a dotted date may end with.
  if (length > 0 && text.size() >= length && SameStart(text, last_date_, length) &&
      (text.size() == length ||
       (!IsDigit(text[length]) && !(last_dot_may_follow_ && text[length] == '.')))) {
    when = last_when_;
    hint = last_hint_;
    pos = length;
  } else {
    char separator;
    bool year_first;
    if (!ReadDate(text, pos, when, hint, separator, year_first)) return false;
    last_date_length_ = pos <= sizeof last_date_ ? pos : 0;
    std::memcpy(last_date_, text.data(), last_date_length_);
    last_when_ = when;
    last_hint_ = hint;
    last_dot_may_follow_ = separator == '.' && text[pos - 1] != '.';
    last_year_first_ = year_first;
  }
  SkipBlanks(text, pos);
  // ISO's date and time joined.
  if (last_year_first_ && pos < text.size() && text[pos] == 'T') ++pos;
  if (pos == text.size()) {  // a date alone is midnight
    when.hour = when.minute = when.second = 0;
    return true;
  }
  return ReadTime(text.substr(pos), when);
}

bool DateTimeReader::ReadDate(std::string_view text, std::size_t& pos, LocalDateTime& when,
                              OrderHint& hint, char& separator, bool& year_first) const {
  hint = OrderHint::kNone;
  int d1 = 0, d2 = 0, d3 = 0;
  const int n1 = Number(text, pos, 4, d1);
  if (d1 == 0 || pos >= text.size()) return false;
  separator = text[pos];
  if (separator != '/' && separator != '.' && separator != '-') return false;
  ++pos;
  if (separator == '.') SkipBlanks(text, pos);  // "2026. 12. 7."
  const int n2 = Number(text, pos, 2, d2);
  if (d2 == 0 || pos >= text.size() || text[pos] != separator) return false;
  ++pos;
  if (separator == '.') SkipBlanks(text, pos);
  const int n3 = Number(text, pos, 4, d3);
  if (d3 == 0 || (pos < text.size() && IsDigit(text[pos]))) return false;
  if (separator == '.' && pos < text.size() && text[pos] == '.') ++pos;

  if (d1 > 2) {  // ISO and the other year-first forms
    when.year = n1;
    when.month = n2;
    when.day = n3;
  } else if (form_.year_first && separator == form_.date_separator && d3 <= 2) {
    when.year = FullYear(n1, d1);
    when.month = n2;
    when.day = n3;
  } else {
    if (d3 != 2 && d3 != 4) return false;
    when.year = FullYear(n3, d3);
    DayMonthOrder order = DayMonthOrder::kDayFirst;  // dotted and dashed dates are day first
    if (separator == '/') {
      order = slash_order_;
      hint = n1 > 12   ? OrderHint::kDayFirst
             : n2 > 12 ? OrderHint::kMonthFirst
                       : OrderHint::kAmbiguous;
    } else if (separator == form_.date_separator) {
      order = form_.order;
    }
    // A date that only fits the other way round is read that way.
    if (order == DayMonthOrder::kDayFirst && n2 > 12) order = DayMonthOrder::kMonthFirst;
    if (order == DayMonthOrder::kMonthFirst && n1 > 12) order = DayMonthOrder::kDayFirst;
    when.day = order == DayMonthOrder::kDayFirst ? n1 : n2;
    when.month = order == DayMonthOrder::kDayFirst ? n2 : n1;
  }
  if (when.month < 1 || when.month > 12 || when.day < 1 ||
      when.day > DaysInMonth(when.year, when.month))
    return false;

  year_first = d1 > 2;
  return true;
}

bool DateTimeReader::ReadTime(std::string_view text, LocalDateTime& when) const {
  // The usual "9:05:07", "21:05:07" and "9:05:07 PM" at once.
  const char* const text_end = text.data() + text.size();
  if (const char* after = ReadUsualTime(text.data(), text_end, when)) {
    const char designator = UsualDesignatorAt(after, text_end);
    if (after + (designator != 0 ? 3 : 0) == text_end) return FinishUsualTime(when, designator);
  }
  // A designator may stand before the time ("오후 3:04:05") or after it.
  std::size_t start = 0;
  while (start < text.size() && !IsDigit(text[start])) ++start;
  std::size_t pos = start;
  int digits = 0;
  when.hour = Number(text, pos, 2, digits);
  if (digits == 0 || pos >= text.size() || (text[pos] != ':' && text[pos] != '.')) return false;
  const char separator = text[pos++];
  when.minute = Number(text, pos, 2, digits);
  if (digits != 2) return false;
  when.second = 0;
  if (pos < text.size() && text[pos] == separator) {
    ++pos;
    when.second = Number(text, pos, 2, digits);
    if (digits != 2) return false;
  }
  const std::string_view before = text.substr(0, start);
  std::string_view after = text.substr(pos);
  while (!after.empty() && after.front() == ' ') after.remove_prefix(1);
  if (!before.empty() || !after.empty()) {
    bool pm = after == "PM";
    bool am = after == "AM";
    if (!pm && !am) {  // any other spelling of a designator
      const std::string designator = Designator(before) + Designator(after);
      pm = designator == "pm" || (!form_.pm.empty() && designator == form_.pm);
      am = designator == "am" || (!form_.am.empty() && designator == form_.am);
    }
    if ((!pm && !am) || when.hour < 1 || when.hour > 12) return false;
    when.hour = when.hour % 12 + (pm ? 12 : 0);
  }
  return when.hour < 24 && when.minute < 60 && when.second < 60;
}

}  // namespace quorvane::report
