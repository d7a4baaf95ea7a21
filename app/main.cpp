#include <QCoreApplication>

#include <iostream>

#include "platform/AppError.h"
#include "platform/PlatformServices.h"
#include "platform/TempFolder.h"
#include "sampling/HistoryLog.h"
#include "sampling/StatusSampler.h"

namespace {

class PrintedHistory : public quorvane::HistoryList {
 public:
  void AddLine(const std::string& line) override { std::cout << line << '\n'; }
};

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);  // also takes the user's locale for dates and times
  auto services = quorvane::CreatePlatformServices();
  const auto temp_folder = quorvane::TempFolder();
  const auto log_file = quorvane::LogFilePath(temp_folder);
  quorvane::StatusSampler sampler({*services.clock, *services.tool_runner,
                                   quorvane::SystemWirelessTool(), *services.signal_source,
                                   *services.connectivity, temp_folder});
  PrintedHistory history;
  int failures = 0;
  for (const auto method :
       {quorvane::SignalMethod::kWirelessTool, quorvane::SignalMethod::kSignalStrength}) {
    try {
      sampler.TakeStatusSample(method, history, log_file);
    } catch (const quorvane::AppError& error) {
      std::cerr << "quorvane: " << error.what() << '\n';
      ++failures;
    }
  }
  std::cout << "History log: " << log_file.string() << '\n';
  return failures == 0 ? 0 : 1;
}
