#include "platform/SystemClock.h"

#include <windows.h>

#include "platform/windows/WideText.h"

namespace quorvane {
namespace {

SYSTEMTIME ToSystemTime(const LocalDateTime& when) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(when.year);
  time.wMonth = static_cast<WORD>(when.month);
  time.wDay = static_cast<WORD>(when.day);
  time.wHour = static_cast<WORD>(when.hour);
  time.wMinute = static_cast<WORD>(when.minute);
  time.wSecond = static_cast<WORD>(when.second);
  return time;
}

}  // namespace

LocalDateTime SystemClock::Now() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::string SystemClock::ShortDate(const LocalDateTime& when) const {
  const SYSTEMTIME time = ToSystemTime(when);
  wchar_t text[128];
  const int length =
      GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 128, nullptr);
  return length > 0 ? Narrow(std::wstring_view(text, static_cast<std::size_t>(length - 1))) : "";
}

std::string SystemClock::LongTime(const LocalDateTime& when) const {
  const SYSTEMTIME time = ToSystemTime(when);
  wchar_t text[128];
  const int length = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, text, 128);
  return length > 0 ? Narrow(std::wstring_view(text, static_cast<std::size_t>(length - 1))) : "";
}

}  // namespace quorvane
