#pragma once

#include <cstdint>
#include <ostream>

#include "report/JournalColumns.h"
#include "report/ParsedBlocks.h"
#include "report/TimeZone.h"

namespace quorvane::report {

// The CSV export, one row per sample: the time in ISO 8601 with the local offset
// from UTC at that moment (none for a time skipped when the clocks went forward), the method (1 or
// 2), the value, connected (yes or no) and the line's own text. UTF-8 with a byte order mark and CR
// LF line ends, as spreadsheets open it without asking. With a journal, each row also has the
// journal's router, router_rtt_ms, internet, internet_rtt_ms and cause, empty where the journal
// holds no record of that second.
//
// A block's rows are made on the thread that parsed it, each line made UTC on its
// own; only a block with a line in an hour that occurs twice needs the lines before
// it, and is put right as it is written, in the file's order.
class CsvWriter {
 public:
  // Writes the header, after the byte order mark that tells a spreadsheet the file
  // is UTF-8 when `byte_order_mark` (a file; never a pipe, where it would be read
  // as text). `journal` may be null: no journal's columns.
  CsvWriter(std::ostream& out, const TimeZone& zone, const JournalColumns* journal,
            bool byte_order_mark);

  // On the thread that parsed `block`: its rows into block.made.
  static void MakeRows(ParsedBlocks::Block& block, const TimeZone& zone,
                       const JournalColumns* journal);
  // In the file's order. Throws ReportError when the rows could not be written.
  void Write(ParsedBlocks::Block& block);

 private:
  // A block whose rows needed the blocks before, with the journal's fields.
  void WriteRowsPutRight(ParsedBlocks::Block& block);

  std::ostream& out_;
  UtcResolver resolver_;  // keeps up with every block's last line
  const JournalColumns* journal_;
};

}  // namespace quorvane::report
