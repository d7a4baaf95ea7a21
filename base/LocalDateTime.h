#pragma once

namespace quorvane {

// A local calendar time, to the second.
struct LocalDateTime {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;

  bool IsMidnight() const { return hour == 0 && minute == 0 && second == 0; }
  int SecondsSinceMidnight() const { return hour * 3600 + minute * 60 + second; }
};

}  // namespace quorvane
