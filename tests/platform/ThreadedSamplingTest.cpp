// Readings on a thread of their own, recorded on the caller's thread, as the
// window does it: checked for data races under ThreadSanitizer.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "platform/SystemClock.h"
#include "platform/WirelessTool.h"
#include "platform/linux/Nl80211SignalSource.h"
#include "platform/linux/RouteConnectivity.h"
#include "sampling/StatusSampler.h"
#include "tests/fakes/FakePlatform.h"

namespace quorvane {
namespace {

using testing::ReadFile;
using testing::TempDir;

class CountingList : public HistoryList {
 public:
  void Add(const HistoryEntry&) override { ++lines; }
  int lines = 0;
};

TEST(ThreadedSampling, ReadingsOnAWorkerThreadRecordedOnTheCallers) {
  TempDir temp("temp");
  SystemClock clock;
  // ThreadSanitizer cannot follow the way QProcess starts programs, so the tool's
  // output comes from a fake; the clock, nl80211, files and sampler are real.
  testing::FakeToolRunner runner;
  runner.output = "*:58\n";
  Nl80211SignalSource source;
  RouteConnectivity connectivity;
  StatusSampler sampler({clock, runner, SystemWirelessTool(), source, connectivity, temp.path()});

  constexpr int kRounds = 20;
  std::mutex mutex;
  std::condition_variable ready;
  std::deque<std::string> values;
  std::thread worker([&] {
    for (int round = 0; round < kRounds; ++round) {
      const auto method = round % 2 ? Method::kSignalStrength : Method::kWirelessTool;
      std::string value = sampler.ReadValue(method);
      std::lock_guard lock(mutex);
      values.push_back(std::move(value));
      ready.notify_one();
    }
  });
  CountingList list;
  const auto log = temp / "Quorvane.txt";
  for (int round = 0; round < kRounds; ++round) {
    std::unique_lock lock(mutex);
    ready.wait(lock, [&] { return !values.empty(); });
    const std::string value = values.front();
    values.pop_front();
    lock.unlock();
    sampler.Record(value, list, log);
  }
  worker.join();

  EXPECT_EQ(list.lines, kRounds);
  const std::string text = ReadFile(log);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kRounds);
  EXPECT_NE(text.find("WiFi Signal Strength is 58%"), std::string::npos);
}

}  // namespace
}  // namespace quorvane
