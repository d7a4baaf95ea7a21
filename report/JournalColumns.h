#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "report/LinkColumns.h"

namespace quorvane::report {

// The journal's columns for the CSV export: every record of the journal's folder,
// small and sorted by time, so that the threads making the rows find a line's
// record by its UTC second without reading the files again.
class JournalColumns {
 public:
  // None when the folder holds no record (or cannot be read): the export is then
  // today's, without the columns.
  static std::unique_ptr<JournalColumns> Load(const std::filesystem::path& folder);

  // ",router,router_rtt_ms,internet,internet_rtt_ms,cause", then the link's
  // (LinkColumns).
  static const std::string& HeaderFields();
  // The most one line's fields take.
  std::size_t FieldsRoom() const { return 96 + links_.FieldsRoom(); }

  // Where a block's lines look their records up: mostly a step or none from the
  // line before.
  class Cursor {
   public:
    explicit Cursor(const JournalColumns& columns) : columns_(columns) {}
    // The thirteen fields of the record taken at `utc`, each after a comma; empty fields
    // when there is none.
    char* WriteFields(char* out, std::int64_t utc);

   private:
    const JournalColumns& columns_;
    std::size_t at_ = 0;
  };

  std::size_t records() const { return entries_.size(); }

 private:
  // One record in 16 bytes: probe states and cause in the top bits of the round-trip
  // times, which are thousandths of a millisecond.
  struct Entry {
    std::int64_t utc;
    std::uint32_t router;
    std::uint32_t internet;  // also the cause, in bits 25 to 27
  };
  static constexpr int kStateShift = 28;
  static constexpr int kCauseShift = 25;
  static constexpr std::uint32_t kRttMask = (1u << kCauseShift) - 1;

  std::vector<Entry> entries_;
  LinkColumns links_;
};

}  // namespace quorvane::report
