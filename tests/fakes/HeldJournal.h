#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "journal/Journal.h"
#include "platform/Files.h"

namespace quorvane::testing {

// The journal's month file held by another program (a spreadsheet showing it):
// every append is seen, and one that would wait for it says so.
struct HeldJournal {
  bool held = true;
  bool held_while_waiting = true;
  std::vector<WhileHeld> appends;
  journal::RowsAppender Appender() {
    return [this](const std::filesystem::path& file, std::string_view header, std::string_view rows,
                  WhileHeld while_held) {
      appends.push_back(while_held);
      if (while_held == WhileHeld::kGiveUp ? held : held_while_waiting)
        throw FileHeldError("Permission denied");
      AppendRecord(file, header, rows);
    };
  }
};

}  // namespace quorvane::testing
