#include "report/CsvWriter.h"

#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "base/CalendarMath.h"
#include "base/TimeText.h"
#include "report/Report.h"
#include "report/Writers.h"

namespace quorvane::report {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeader = "time,method,value,connected,text";
// "2026-12-07T11:41:29+01:00": the offset's six characters start at 19.
constexpr std::size_t kOffsetAt = 19;
constexpr std::size_t kOffsetLength = 6;
// A row's characters besides its text: time, method, value, connected, quotes, line end.
constexpr std::size_t kRowRoom = 48;

// "00" to "99".
constexpr std::array<char, 200> kTwoDigits = [] {
  std::array<char, 200> digits{};
  for (int i = 0; i < 100; ++i) {
    digits[2 * i] = static_cast<char>('0' + i / 10);
    digits[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return digits;
}();

char* TwoDigits(char* out, int value) {
  std::memcpy(out, &kTwoDigits[2 * value], 2);
  return out + 2;
}

// Whether `text` has neither a quote nor a byte above ASCII, as nearly every
// line: it then goes out as it is. Eight bytes at a time, the last eight
// overlapping the ones before.
bool IsPlain(std::string_view text) {
  auto plain_word = [&](std::size_t at) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighs = 0x8080808080808080;
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    const std::uint64_t quotes = word ^ (kOnes * '"');  // a zero byte where a quote was
    return ((((quotes - kOnes) & ~quotes) | word) & kHighs) == 0;
  };
  if (text.size() < 8) {
    for (const char c : text)
      if (c == '"' || static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
  }
  for (std::size_t at = 0; at + 8 < text.size(); at += 8)
    if (!plain_word(at)) return false;
  return plain_word(text.size() - 8);
}

// The text as UTF-8 with each quote doubled.
std::string QuotedText(std::string_view line) {
  const std::string text = ToUtf8(line);
  std::string quoted;
  quoted.reserve(text.size() + 8);
  for (const char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted;
}

void WriteOffset(char* out, std::int32_t offset) {
  char text[32];
  WriteIsoTime(text, LocalDateTime{2000, 1, 1, 0, 0, 0}, offset);
  std::memcpy(out, text + kOffsetAt, kOffsetLength);
}

}  // namespace

CsvWriter::CsvWriter(std::ostream& out, const TimeZone& zone, const JournalColumns* journal,
                     bool byte_order_mark)
    : out_(out), resolver_(zone), journal_(journal) {
  std::string header(byte_order_mark ? kByteOrderMark : std::string_view{});
  header += kHeader;
  if (journal_) header += JournalColumns::HeaderFields();
  header += "\r\n";
  out_.write(header.data(), static_cast<std::streamsize>(header.size()));
}

void CsvWriter::MakeRows(ParsedBlocks::Block& block, const TimeZone& zone,
                         const JournalColumns* journal) {
  UtcResolver resolver(zone);
  std::optional<JournalColumns::Cursor> records;
  if (journal) records.emplace(*journal);
  const std::size_t row_room = kRowRoom + (journal ? journal->FieldsRoom() : 0);
  block.made_in_order = true;
  std::size_t size = 0;
  // Room for `needed` bytes, what was made kept.
  auto make_room = [&](std::size_t needed) {
    if (block.made_capacity >= needed) return;
    const std::size_t capacity = needed + needed / 4;
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (size > 0) std::memcpy(grown.get(), block.made.get(), size);
    block.made = std::move(grown);
    block.made_capacity = capacity;
  };
  // Rows are about 1.7 times as long as their lines: room for them at once,
  // grown for the shortest lines and for quotes or bytes above ASCII.
  make_room(2 * (block.end - block.begin) + 64);
  // What changes once a day, a minute or an hour is worked out only then:
  std::int64_t day_start = 0;  // "2026-12-07T11:41:" of that minute
  std::int64_t minute_start = 0;
  char date[32];
  std::int64_t hour_start = 0;  // the zone's offset in that hour, "+01:00"
  bool hour_twice = true;       // ... unless it occurs twice
  std::int32_t offset = 0;
  char offset_text[kOffsetLength];
  bool first = true;
  std::string quoted;
  for (const ParsedBlocks::Line& line : block.lines) {
    std::string_view text(block.bytes.data() + line.start, line.length);
    const bool connected = (line.method_and_flags & ParsedBlocks::kConnected) != 0;
    const Method method = ParsedBlocks::MethodOf(line);
    // A line read the quick way is plain; another is looked at again.
    if ((line.method_and_flags & ParsedBlocks::kPlain) == 0 && !IsPlain(text)) {
      quoted = QuotedText(text);
      text = quoted;
    }
    make_room(size + row_room + text.size());
    char* out = block.made.get() + size;

    const std::int64_t wall = line.wall;
    if (first || static_cast<std::uint64_t>(wall - day_start) >= 86400) {
      const std::int64_t day = (wall >= 0 ? wall : wall - 86399) / 86400;
      day_start = day * 86400;
      minute_start = day_start - 60;  // none yet
      WriteIsoTime(date, CivilFromSeconds(day_start), 0);
    }
    if (static_cast<std::uint64_t>(wall - minute_start) >= 60) {
      const int minute = static_cast<int>(wall - day_start) / 60;
      minute_start = day_start + minute * 60;
      TwoDigits(date + 11, minute / 60);
      TwoDigits(date + 14, minute % 60);
      date[16] = ':';
    }
    std::memcpy(out, date, 17);
    out = TwoDigits(out + 17, static_cast<int>(wall - minute_start));

    if (first || hour_twice || static_cast<std::uint64_t>(wall - hour_start) >= 3600) {
      std::int64_t utc;
      std::int32_t line_offset;
      resolver.Resolve(wall, utc, line_offset);
      hour_start = (wall >= 0 ? wall / 3600 : (wall - 3599) / 3600) * 3600;
      // Where an hour occurs twice, the line before decides, and it may lie in
      // the block before: Write puts such a block right.
      hour_twice = resolver.HourOccursTwice();
      if (hour_twice) block.made_in_order = false;
      if (first || line_offset != offset) WriteOffset(offset_text, line_offset);
      offset = line_offset;
      first = false;
    }
    std::memcpy(out, offset_text, kOffsetLength);
    out += kOffsetLength;

    *out++ = ',';
    *out++ = method == Method::kWirelessTool ? '1' : '2';
    *out++ = ',';
    if (line.value >= 100) {
      std::memcpy(out, "100", 3);
      out += 3;
    } else if (line.value >= 10) {
      out = TwoDigits(out, line.value);
    } else {
      *out++ = static_cast<char>('0' + line.value);
    }
    const std::string_view flag = connected ? ",yes,\"" : ",no,\"";
    std::memcpy(out, flag.data(), flag.size());
    out += flag.size();
    std::memcpy(out, text.data(), text.size());
    out += text.size();
    *out++ = '"';
    if (records) out = records->WriteFields(out, wall - offset);
    std::memcpy(out, "\r\n", 2);
    size = static_cast<std::size_t>(out + 2 - block.made.get());
  }
  block.made_size = size;
}

void CsvWriter::WriteRowsPutRight(ParsedBlocks::Block& block) {
  // As below, and each row's journal fields looked up again with its right time:
  // its text ends with the row's last quote, and the fields follow it.
  const std::size_t capacity = block.made_size + block.lines.size() * journal_->FieldsRoom();
  auto rows = std::make_unique_for_overwrite<char[]>(capacity);
  char* out = rows.get();
  const char* row = block.made.get();
  const char* const end = row + block.made_size;
  JournalColumns::Cursor records(*journal_);
  std::int64_t utc;
  std::int32_t offset;
  for (const ParsedBlocks::Line& line : block.lines) {
    resolver_.Resolve(line.wall, utc, offset);
    const char* const next =
        static_cast<const char*>(std::memchr(row, '\n', static_cast<std::size_t>(end - row))) + 1;
    const char* quote = next - 1;
    while (*quote != '"') --quote;
    std::memcpy(out, row, kOffsetAt);
    out += kOffsetAt;
    if (!resolver_.TimeIsMissing()) {
      WriteOffset(out, offset);
      out += kOffsetLength;
    }
    const std::size_t middle =
        static_cast<std::size_t>(quote + 1 - row) - kOffsetAt - kOffsetLength;
    std::memcpy(out, row + kOffsetAt + kOffsetLength, middle);
    out = records.WriteFields(out + middle, utc);
    std::memcpy(out, "\r\n", 2);
    out += 2;
    row = next;
  }
  block.made = std::move(rows);
  block.made_capacity = capacity;
  block.made_size = static_cast<std::size_t>(out - block.made.get());
}

void CsvWriter::Write(ParsedBlocks::Block& block) {
  std::int64_t utc;
  std::int32_t offset;
  if (!block.made_in_order && journal_) {
    WriteRowsPutRight(block);
  } else if (!block.made_in_order) {
    // Each row ends with its line end, which a line's text never holds. A time that
    // does not exist has no offset to give: its row loses it.
    char* row = block.made.get();
    char* out = row;
    char* const end = row + block.made_size;
    for (const ParsedBlocks::Line& line : block.lines) {
      resolver_.Resolve(line.wall, utc, offset);
      char* const next =
          static_cast<char*>(std::memchr(row, '\n', static_cast<std::size_t>(end - row))) + 1;
      const std::size_t cut = resolver_.TimeIsMissing() ? kOffsetLength : 0;
      if (cut == 0) WriteOffset(row + kOffsetAt, offset);
      if (out != row) std::memmove(out, row, kOffsetAt);
      std::memmove(out + kOffsetAt, row + kOffsetAt + cut,
                   static_cast<std::size_t>(next - row) - kOffsetAt - cut);
      out += next - row - static_cast<std::ptrdiff_t>(cut);
      row = next;
    }
    block.made_size = static_cast<std::size_t>(out - block.made.get());
  } else if (!block.lines.empty()) {
    resolver_.Resolve(block.lines.back().wall, utc, offset);
  }
  out_.write(block.made.get(), static_cast<std::streamsize>(block.made_size));
  if (!out_) throw ReportError("the export could not be written");
}

}  // namespace quorvane::report
