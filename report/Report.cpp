#include "report/Report.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

#include "base/PathText.h"
#include "report/CsvWriter.h"
#include "report/LogAnalysis.h"
#include "report/LogPass.h"
#include "report/Writers.h"

namespace quorvane::report {
namespace {

// How the lines run in time under one reading: how far the times move from line to
// line in all, and how often back. A step of a clock set back years counts the
// same under either reading, and not as running back.
struct LineTravel {
  std::uint64_t seconds = 0;
  std::uint64_t backward = 0;

  void Step(std::int64_t from, std::int64_t to) {
    if (from == INT64_MIN) return;
    const std::int64_t step = to >= from ? to - from : from - to;
    seconds += static_cast<std::uint64_t>(std::min<std::int64_t>(step, kClockSetBackSeconds));
    if (to < from && step < kClockSetBackSeconds) ++backward;
  }
};

LineTravel TravelWith(LogFile& file, const CurrentForm& form, DayMonthOrder order,
                      const TimeZone& zone) {
  LineTravel travel;
  std::int64_t previous = INT64_MIN;
  ReadSamples(file, DateTimeReader(form, order), zone, [&](const Sample& sample) {
    travel.Step(previous, sample.utc);
    previous = sample.utc;
  });
  return travel;
}

// The order of day and month when the slash dates leave it open: a history log runs
// forward in time, so the reading under which its lines keep closest together, the
// one read with `order` first.
struct LineOrder {
  DayMonthOrder order;
  bool runs_forward;  // no line before the one above it
};
LineOrder OrderOfTheLines(LogFile& file, const CurrentForm& form, const TimeZone& zone,
                          DayMonthOrder order, const LineTravel& with_order) {
  const DayMonthOrder other =
      order == DayMonthOrder::kDayFirst ? DayMonthOrder::kMonthFirst : DayMonthOrder::kDayFirst;
  const LineTravel with_other = TravelWith(file, form, other, zone);
  if (with_other.seconds < with_order.seconds) return {other, with_other.backward == 0};
  return {order, with_order.backward == 0};
}

// Whether the slash dates settle their order: some with a number above 12, and not
// as many one way as the other.
bool DatesLeaveOrderOpen(const PassCounts& counts) {
  return counts.ambiguous > 0 && counts.day_first == counts.month_first;
}

std::filesystem::path& JournalFolderUsed() {
  static std::filesystem::path folder;
  return folder;
}

// The journal's outages over the log's time. A journal that cannot be read leaves
// the rest of the report standing.
void AddJournal(Figures& figures) {
  if (JournalFolderUsed().empty() || figures.samples == 0) return;
  try {
    auto outages = journal::GatherOutages(JournalFolderUsed(), figures.first, figures.last);
    if (outages.records > 0) figures.journal = std::move(outages);
  } catch (const std::exception&) {
  }
  MarkOutageColumns(figures);
}

// The figures of the whole log. The lines are first read with the locale's order
// for ambiguous slash dates; when the file settles on the other order (by its
// dates, or else by the order of its lines) and such lines were there, it is read
// again with that order.
std::unique_ptr<Figures> Analyse(LogFile& file, const CurrentForm& form, const TimeZone& zone) {
  DayMonthOrder order = form.order;
  std::optional<LineOrder> by_lines;
  for (;;) {
    auto figures = std::make_unique<Figures>();
    LogAnalysis analysis(*figures);
    const DateTimeReader reader(form, order);
    LineTravel travel;
    std::int64_t previous = INT64_MIN;
    const PassCounts counts = ReadSamples(file, reader, zone, [&](const Sample& sample) {
      analysis.Add(sample);
      travel.Step(previous, sample.utc);
      previous = sample.utc;
    });
    analysis.Finish();
    figures->lines = counts.lines;
    figures->unreadable = counts.unreadable;
    DayMonthOrder wanted = counts.Settled(order);
    if (DatesLeaveOrderOpen(counts)) {
      if (!by_lines) by_lines = OrderOfTheLines(file, form, zone, order, travel);
      wanted = by_lines->order;
    }
    if (counts.ambiguous == 0 || wanted == order) {
      // Without ambiguous dates, what the settling ones say is still the file's order.
      figures->order = counts.Settled(order);
      figures->order_unsettled = by_lines && !by_lines->runs_forward;
      return figures;
    }
    order = wanted;
  }
}

// The order the export reads the file with, after a pass with `order` that found
// `counts`.
DayMonthOrder ExportOrder(LogFile& file, const CurrentForm& form, const TimeZone& zone,
                          DayMonthOrder order, const PassCounts& counts) {
  if (!DatesLeaveOrderOpen(counts)) return counts.Settled(form.order);
  return OrderOfTheLines(file, form, zone, order, TravelWith(file, form, order, zone)).order;
}

PassCounts WriteCsv(LogFile& file, const CurrentForm& form, DayMonthOrder order,
                    const TimeZone& zone, std::ostream& out, bool byte_order_mark) {
  const auto journal =
      JournalFolderUsed().empty() ? nullptr : JournalColumns::Load(JournalFolderUsed());
  CsvWriter csv(out, zone, journal.get(), byte_order_mark);
  ParsedBlocks blocks(file, DateTimeReader(form, order), [&](ParsedBlocks::Block& block) {
    CsvWriter::MakeRows(block, zone, journal.get());
  });
  for (;;) {
    ParsedBlocks::Block& block = blocks.Next();
    csv.Write(block);
    if (block.last) return blocks.counts();
  }
}

void WriteFigures(LogFile& file, Format format, const CurrentForm& form, const TimeZone& zone,
                  std::ostream& out) {
  const auto figures = Analyse(file, form, zone);
  AddJournal(*figures);
  if (format == Format::kHtml) {
    WriteHtml(*figures, file.path(), zone, out);
  } else {
    WriteJson(*figures, file.path(), out);
  }
  out.flush();
  if (!out) throw ReportError("the report could not be written");
}

}  // namespace

void UseJournalFolder(std::filesystem::path folder) { JournalFolderUsed() = std::move(folder); }

std::optional<Format> ParseFormat(std::string_view name) {
  if (name == "html") return Format::kHtml;
  if (name == "csv") return Format::kCsv;
  if (name == "json") return Format::kJson;
  return std::nullopt;
}

void WriteReport(const std::filesystem::path& log, Format format, const Clock& clock,
                 std::ostream& out) {
  LogFile file(log);
  const CurrentForm form = CurrentForm::Learn(clock);
  const SystemTimeZone zone;
  if (format != Format::kCsv) return WriteFigures(file, format, form, zone, out);
  // Rows go out as they are read, so the order of ambiguous dates is settled first.
  const PassCounts counts =
      ReadSamples(file, DateTimeReader(form, form.order), zone, [](const Sample&) {});
  WriteCsv(file, form, ExportOrder(file, form, zone, form.order, counts), zone, out, false);
}

void WriteReportFile(const std::filesystem::path& log, Format format, const Clock& clock,
                     const std::filesystem::path& out_file) {
  LogFile file(log);
  std::error_code same_error;
  if (std::filesystem::equivalent(log, out_file,
                                  same_error))  // renamed over, the log would be lost
    throw ReportError("Cannot write " + PathText(out_file) + ": it is the log being read");
  const CurrentForm form = CurrentForm::Learn(clock);
  const SystemTimeZone zone;
  std::filesystem::path temporary = out_file;
  temporary += ".tmp";
  auto open = [&] {
    errno = 0;
    auto out = std::make_unique<std::ofstream>(temporary, std::ios::binary | std::ios::trunc);
    if (!*out)
      throw ReportError("Cannot write " + PathText(out_file) + ": " +
                        std::generic_category().message(errno != 0 ? errno : EACCES));
    // The report names networks and access points, which tell where the computer
    // has been: for its owner's eyes only, as the log and the journal are.
    std::error_code unchanged;
    std::filesystem::permissions(
        temporary, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
        unchanged);
    return out;
  };
  std::error_code ignored;
  try {
    auto out = open();
    if (format != Format::kCsv) {
      WriteFigures(file, format, form, zone, *out);
    } else {
      // Written while read with the locale's order; once more when the file
      // settles on the other one.
      const PassCounts counts = WriteCsv(file, form, form.order, zone, *out, true);
      const DayMonthOrder order =
          counts.ambiguous > 0 ? ExportOrder(file, form, zone, form.order, counts) : form.order;
      if (order != form.order) {
        out = open();
        WriteCsv(file, form, order, zone, *out, true);
      }
    }
    out->close();
    if (!*out) throw ReportError("the disk may be full");
  } catch (const ReportError& error) {
    std::filesystem::remove(temporary, ignored);
    const std::string text = error.what();
    if (text.starts_with("Cannot ")) throw;
    throw ReportError("Cannot write " + PathText(out_file) + ": " + text);
  }
  std::error_code error;
  std::filesystem::rename(temporary, out_file, error);
  if (error) {
    std::filesystem::remove(temporary, ignored);
    throw ReportError("Cannot write " + PathText(out_file) + ": " + error.message());
  }
}

}  // namespace quorvane::report
