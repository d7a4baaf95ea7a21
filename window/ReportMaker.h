#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "report/Report.h"
#include "window/Form1View.h"

namespace quorvane {

// Writes reports of the history log on a thread of its own, so that the window
// keeps answering while a long log is read, and hands each outcome back on the
// user-interface thread. One report at a time.
class ReportMaker {
 public:
  // Empty when the report was written; otherwise one line naming the file and the
  // reason.
  using Done = std::function<void(const std::string& error)>;

  ReportMaker(const Clock& clock, MessageLoop& loop);
  // A report under way is not waited for, so that closing is at once: it finishes
  // or ends with the program, and its outcome is let go.
  ~ReportMaker();
  ReportMaker(const ReportMaker&) = delete;
  ReportMaker& operator=(const ReportMaker&) = delete;

  bool busy() const { return busy_; }
  // Starts writing the report of `log` to `out`; false, and nothing started, while
  // a report is under way.
  bool Start(const std::filesystem::path& log, report::Format format,
             const std::filesystem::path& out, Done done);

 private:
  struct Shared;

  std::shared_ptr<Shared> shared_;
  Done done_;
  bool busy_ = false;  // read and written on the user-interface thread only
};

}  // namespace quorvane
