#include "sampling/StatusSampler.h"

#include "sampling/HistoryLog.h"
#include "sampling/NetshReader.h"

namespace quorvane {

StatusSampler::StatusSampler(SamplerServices services)
    : services_(std::move(services)),
      wmi_reader_(services_.signal_source, services_.connectivity, services_.wlan) {}

SignalReading StatusSampler::Read(SignalMethod method) {
  if (method == SignalMethod::kWirelessTool) {
    return GetSignalByNetsh(services_.tool_runner, services_.wireless_tool, services_.temp_folder);
  }
  return wmi_reader_.Read(".");
}

std::string StatusSampler::Record(const std::string& value_text, HistoryList& list,
                                  const std::filesystem::path& log_file) {
  return Record(value_text, services_.clock.Now(), list, log_file);
}

std::string StatusSampler::Record(const std::string& value_text, const LocalDateTime& when,
                                  HistoryList& list, const std::filesystem::path& log_file) {
  const auto& clock = services_.clock;
  const HistoryEntry entry{when, value_text,
                           ComposeHistoryLine(DateTimeText(clock, when), value_text)};
  list.Add(entry);
  AppendToLog(log_file, entry.line);
  return entry.line;
}

std::string StatusSampler::TakeStatusSample(SignalMethod method, HistoryList& list,
                                            const std::filesystem::path& log_file) {
  return Record(ReadValue(method), list, log_file);
}

}  // namespace quorvane
