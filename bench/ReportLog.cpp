// The signal report's benchmark helpers:
//   report_log generate FILE LINES [JOURNAL]
//                                    writes a history log of that many lines: a sample
//                                    every 5 seconds, both methods, disconnections,
//                                    an evening dip, a stop now and then, CR LF; and with
//                                    a journal folder, the journal's record of each sample
//                                    (UTC), with round-trip times and outages of the router
//                                    and of the internet now and then
//   report_log count FILE            the floor of any report: reads the file in large
//                                    blocks and counts its lines
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "journal/Journal.h"
#include "journal/JournalRecord.h"
#include "model/Cause.h"

namespace {

// The journal's month files, written straight: a year of records through the
// program's own appends would take minutes.
class JournalWriter {
 public:
  explicit JournalWriter(const char* folder) : journal_(folder) {}
  ~JournalWriter() { Flush(); }

  void Add(int year, int month, const quorvane::journal::JournalRecord& record) {
    if (year != year_ || month != month_) {
      Flush();
      out_.close();
      out_.open(journal_.MonthFile(year, month), std::ios::binary | std::ios::trunc);
      block_ = quorvane::journal::HeaderRow() + "\n";
      year_ = year;
      month_ = month;
    }
    block_ += quorvane::journal::FormatRecord(record);
    block_ += '\n';
    if (block_.size() > (1u << 22)) Flush();
  }
  bool ok() const { return static_cast<bool>(out_); }

 private:
  void Flush() {
    out_.write(block_.data(), static_cast<std::streamsize>(block_.size()));
    block_.clear();
  }
  quorvane::journal::Journal journal_;
  std::ofstream out_;
  std::string block_;
  int year_ = 0, month_ = 0;
};

int Count(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return 1;
  constexpr std::size_t kBlock = std::size_t{1} << 22;
  std::unique_ptr<char[]> buffer(new char[kBlock]);
  unsigned long long lines = 0;
  for (;;) {
    const std::size_t got = std::fread(buffer.get(), 1, kBlock, file);
    if (got == 0) break;
    const char* at = buffer.get();
    const char* end = at + got;
    while (const void* newline = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
      ++lines;
      at = static_cast<const char*>(newline) + 1;
    }
  }
  std::fclose(file);
  std::printf("%llu\n", lines);
  return 0;
}

int Generate(const char* path, unsigned long long lines, const char* journal_folder) {
  using quorvane::ProbeState;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::unique_ptr<JournalWriter> journal;
  if (journal_folder) journal = std::make_unique<JournalWriter>(journal_folder);
  int router_down = 0, internet_down = 0;  // samples left of an outage
  std::string block;
  unsigned long long seed = 42;
  auto random = [&seed] {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<unsigned>(seed >> 33);
  };
  // Seconds since 2025-01-01 00:00 (a Wednesday), local time, US form.
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  long long t = 0;
  for (unsigned long long i = 0; i < lines; ++i) {
    t += random() % 2000 == 0 ? 3600 : 5;  // Quorvane stopped for an hour now and then
    long long day_number = t / 86400;
    int year = 2025;
    for (;;) {
      const int length = year % 4 == 0 ? 366 : 365;
      if (day_number < length) break;
      day_number -= length;
      ++year;
    }
    int month = 0;
    for (;; ++month) {
      const int length = kDays[month] + (month == 1 && year % 4 == 0);
      if (day_number < length) break;
      day_number -= length;
    }
    const int second_of_day = static_cast<int>(t % 86400);
    const int hour = second_of_day / 3600;
    const bool evening = hour >= 19 && hour <= 22;
    const bool level = (t / 86400 / 7) % 4 == 3;  // one week in four with Method #2
    const bool drop = random() % (evening ? 200 : 1000) == 0;
    char value[32];
    if (drop) {
      std::snprintf(value, sizeof value, "%s", level ? "0 (no connection)" : "0% (no connection)");
    } else {
      int percent = (evening ? 40 : 70) + static_cast<int>(random() % 30) - 15;
      if (level) {
        std::snprintf(value, sizeof value, "%d", percent / 20);
      } else {
        std::snprintf(value, sizeof value, percent < 10 ? " %d%%" : "%d%%", percent);
      }
    }
    char line[128];
    const int length = std::snprintf(
        line, sizeof line, "%d/%d/%d %d:%02d:%02d %s WiFi Signal Strength is %s\r\n", month + 1,
        static_cast<int>(day_number) + 1, year, hour % 12 == 0 ? 12 : hour % 12,
        second_of_day / 60 % 60, second_of_day % 60, hour < 12 ? "AM" : "PM", value);
    block.append(line, static_cast<std::size_t>(length));
    if (journal) {
      // An outage of the internet a few times a day, of the router now and then.
      if (random() % 5000 == 0) internet_down = 1 + static_cast<int>(random() % 60);
      if (random() % 40000 == 0) router_down = 1 + static_cast<int>(random() % 120);
      quorvane::journal::JournalRecord record;
      record.utc = 1735689600 + t;  // 2025-01-01 00:00 UTC
      record.method = level ? quorvane::Method::kSignalStrength : quorvane::Method::kWirelessTool;
      record.value = value[0] == ' ' ? value + 1 : value;
      record.connected = !drop;
      if (record.connected) {
        record.router = router_down > 0
                            ? quorvane::ProbeResult{ProbeState::kDown, 0}
                            : quorvane::ProbeResult{
                                  ProbeState::kUp, 1 + static_cast<double>(random() % 4000) / 1000};
        record.internet =
            router_down > 0 || internet_down > 0
                ? quorvane::ProbeResult{ProbeState::kDown, 0}
                : quorvane::ProbeResult{ProbeState::kUp,
                                        12 + static_cast<double>(random() % 30000) / 1000};
      }
      record.cause = quorvane::CauseOf(record.connected, true, record.router, record.internet);
      router_down = router_down > 0 ? router_down - 1 : 0;
      internet_down = internet_down > 0 ? internet_down - 1 : 0;
      journal->Add(year, month + 1, record);
    }
    if (block.size() > (1u << 22)) {
      out.write(block.data(), static_cast<std::streamsize>(block.size()));
      block.clear();
    }
  }
  out.write(block.data(), static_cast<std::streamsize>(block.size()));
  return out && (!journal || journal->ok()) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "generate") == 0)
    return Generate(argv[2], std::strtoull(argv[3], nullptr, 10), argc == 5 ? argv[4] : nullptr);
  if (argc == 3 && std::strcmp(argv[1], "count") == 0) return Count(argv[2]);
  std::fprintf(stderr, "usage: report_log generate FILE LINES [JOURNAL] | count FILE\n");
  return 2;
}
