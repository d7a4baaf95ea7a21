#pragma once

#include <filesystem>
#include <string>

#include "model/Method.h"
#include "platform/Clock.h"
#include "platform/Connectivity.h"
#include "platform/LinkContext.h"
#include "platform/SignalStrengthSource.h"
#include "platform/ToolRunner.h"
#include "platform/WirelessTool.h"
#include "platform/WlanApi.h"
#include "sampling/SignalValues.h"
#include "sampling/WmiReader.h"

namespace quorvane {

// One recorded sample: when it was stamped, the reader's value text, and the line
// made of both that goes to the log.
struct HistoryEntry {
  LocalDateTime when;
  std::string value_text;
  std::string line;
};

// A history line stamped and appended to the log, and what kept it from the log
// (empty when it is there).
struct LoggedLine {
  HistoryEntry entry;
  std::string append_failure;
};

// Where the history lines of the current run are shown.
class HistoryList {
 public:
  virtual ~HistoryList() = default;
  virtual void Add(const HistoryEntry& entry) = 0;
};

struct SamplerServices {
  const Clock& clock;
  ToolRunner& tool_runner;
  WirelessTool wireless_tool;
  SignalStrengthSource& signal_source;
  const Connectivity& connectivity;
  std::filesystem::path temp_folder;
  WlanApi* wlan = nullptr;                   // Method #2's second source, where the system has one
  LinkContextSource* link_source = nullptr;  // the link's context, where the system tells it
};

// Turns one signal reading into a history entry: a line in the list and the same
// line appended to the log file.
class StatusSampler {
 public:
  explicit StatusSampler(SamplerServices services);

  // Reads the signal by the given method. This is the slow half (it may wait for
  // the wireless tool for seconds), so the window runs it off its own thread; only
  // one reading may run at a time. The link's context is read right after the
  // signal. Throws AppError.
  SignalReading Read(Method method);
  // The value text of Read.
  std::string ReadValue(Method method) { return Read(method).value_text; }

  // Composes the history line once, stamped now, adds it to the list and appends
  // it to the log. When the append fails the line stays in the list and AppError
  // is thrown. Returns the line.
  std::string Record(const std::string& value_text, HistoryList& list,
                     const std::filesystem::path& log_file);
  // The file half of Record, for the reading's thread: the log may be held by
  // another program for a moment, which is waited out there rather than on the
  // window's thread. Never throws.
  LoggedLine Log(const std::string& value_text, const std::filesystem::path& log_file);

  // Ends a reading under way on another thread as soon as possible; its result
  // no longer matters.
  void StopReading() { services_.tool_runner.StopRunningTool(); }
  // Lets go of what the readings hold (the instrumentation's connection), on the
  // thread that read, as its last act.
  void EndReadings() { wmi_reader_.Release(); }

  // Both halves in one call.
  std::string TakeStatusSample(Method method, HistoryList& list,
                               const std::filesystem::path& log_file);

 private:
  SamplerServices services_;
  WmiReader wmi_reader_;
};

}  // namespace quorvane
