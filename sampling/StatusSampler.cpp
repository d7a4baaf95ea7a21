#include "sampling/StatusSampler.h"

#include "model/RadioBand.h"
#include "platform/AppError.h"
#include "sampling/HistoryLog.h"
#include "sampling/NetshReader.h"

namespace quorvane {

StatusSampler::StatusSampler(SamplerServices services)
    : services_(std::move(services)),
      wmi_reader_(services_.signal_source, services_.connectivity, services_.wlan) {}

SignalReading StatusSampler::Read(Method method) {
  SignalReading reading =
      method == Method::kWirelessTool
          ? GetSignalByNetsh(services_.tool_runner, services_.wireless_tool, services_.temp_folder)
          : wmi_reader_.Read(".");
  if (services_.link_source) {
    // The wireless tool's own row in use stands in when the system's source knows nothing.
    LinkContext link = services_.link_source->Read();
    if (link.status != LinkContext::Status::kNone ||
        reading.link.status == LinkContext::Status::kNone)
      reading.link = std::move(link);
  }
  if (reading.link.channel == 0) reading.link.channel = ChannelOf(reading.link.frequency_mhz);
  reading.sample = SampleOf(method, reading.value_text);
  return reading;
}

std::string StatusSampler::Record(const std::string& value_text, HistoryList& list,
                                  const std::filesystem::path& log_file) {
  const LoggedLine logged = Log(value_text, log_file);
  list.Add(logged.entry);
  if (!logged.append_failure.empty()) throw AppError(logged.append_failure);
  return logged.entry.line;
}

LoggedLine StatusSampler::Log(const std::string& value_text,
                              const std::filesystem::path& log_file) {
  const auto& clock = services_.clock;
  const LocalDateTime when = clock.Now();
  LoggedLine logged{{when, value_text, ComposeHistoryLine(DateTimeText(clock, when), value_text)},
                    {}};
  try {
    AppendToLog(log_file, logged.entry.line);
  } catch (const AppError& error) {
    logged.append_failure = error.what();
  }
  return logged;
}

std::string StatusSampler::TakeStatusSample(Method method, HistoryList& list,
                                            const std::filesystem::path& log_file) {
  return Record(ReadValue(method), list, log_file);
}

}  // namespace quorvane
