#include "report/CsvWriter.h"

#include "report/Report.h"
#include "report/TimeText.h"
#include "report/Writers.h"

namespace quorvane::report {
namespace {

constexpr std::size_t kFlushAt = std::size_t{1} << 20;

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

CsvWriter::CsvWriter(std::ostream& out) : out_(out) {
  buffer_.reserve(kFlushAt + 4096);
  buffer_ = "\xEF\xBB\xBFtime,method,value,connected,text\r\n";
}

void CsvWriter::Row(const Sample& sample) {
  char head[64];
  // The calendar date changes once a day: worked out again only then.
  const std::int64_t day = sample.Day();
  if (day != day_) {
    day_ = day;
    date_ = CivilFromSeconds(day * 86400);
  }
  LocalDateTime local = date_;
  const int second_of_day = static_cast<int>(sample.wall - day * 86400);
  local.hour = second_of_day / 3600;
  local.minute = second_of_day / 60 % 60;
  local.second = second_of_day % 60;
  char* end = WriteIsoTime(head, local, sample.offset);
  *end++ = ',';
  *end++ = sample.method == Method::kPercent ? '1' : '2';
  *end++ = ',';
  if (sample.value >= 100) *end++ = '1';
  if (sample.value >= 10) *end++ = static_cast<char>('0' + sample.value / 10 % 10);
  *end++ = static_cast<char>('0' + sample.value % 10);
  const std::string_view connected = sample.connected ? ",yes,\"" : ",no,\"";
  buffer_.append(head, end);
  buffer_.append(connected);
  const std::string converted = IsAscii(sample.text) ? std::string() : ToUtf8(sample.text);
  const std::string_view text = converted.empty() ? sample.text : std::string_view(converted);
  for (std::size_t from = 0;;) {
    const std::size_t quote = text.find('"', from);
    if (quote == std::string_view::npos) {
      buffer_.append(text.substr(from));
      break;
    }
    buffer_.append(text.substr(from, quote + 1 - from));
    buffer_ += '"';
    from = quote + 1;
  }
  buffer_.append("\"\r\n");
  if (buffer_.size() >= kFlushAt) Flush();
}

void CsvWriter::Flush() {
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
  if (!out_) throw ReportError("the export could not be written");
}

}  // namespace quorvane::report
