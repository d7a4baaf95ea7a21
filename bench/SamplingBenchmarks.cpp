// In-process costs of one sample by either method and of one log append, each
// beside the reference it is judged against.
#include <sys/stat.h>

#include <netlink/genl/ctrl.h>
#include <netlink/genl/genl.h>
#include <QCoreApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

#include "journal/Journal.h"
#include "platform/Files.h"
#include "platform/ProcessToolRunner.h"
#include "platform/SystemClock.h"
#include "platform/WirelessTool.h"
#include "platform/linux/Nl80211LinkSource.h"
#include "platform/linux/Nl80211SignalSource.h"
#include "platform/linux/RouteConnectivity.h"
#include "sampling/StatusSampler.h"
#include "tests/fakes/FakePlatform.h"

namespace quorvane {
namespace {

using testing::TempDir;
using testing::WriteFile;

class DiscardedList : public HistoryList {
 public:
  void Add(const HistoryEntry&) override {}
};

// A fake nmcli on PATH that prints a recorded output, for the life of the program.
void FakeToolFolder() {
  static TempDir bin("bin");
  static const bool installed = [] {
    WriteFile(bin / "nmcli",
              "#!/bin/sh\nexec cat '" + std::string(QUORVANE_FIXTURES_DIR) +
                  "/nmcli/in-use-signal-ssid-bssid-chan-freq-rate-in-use-last-87-first-100.txt'\n");
    ::chmod((bin / "nmcli").c_str(), 0755);
    ::setenv("PATH", (bin.path().string() + ":" + std::getenv("PATH")).c_str(), 1);
    return true;
  }();
  static_cast<void>(installed);
}

void MethodOneSample(benchmark::State& state) {
  FakeToolFolder();
  TempDir temp;
  SystemClock clock;
  ProcessToolRunner runner;
  testing::FakeSignalSource source;
  testing::FakeConnectivity connectivity;
  StatusSampler sampler({clock, runner, SystemWirelessTool(), source, connectivity, temp.path()});
  DiscardedList list;
  for (auto _ : state) sampler.TakeStatusSample(Method::kWirelessTool, list, temp / "log.txt");
}
BENCHMARK(MethodOneSample)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void FakeToolAlone(benchmark::State& state) {
  FakeToolFolder();
  const WirelessTool tool = SystemWirelessTool();
  QStringList arguments;
  for (const auto& argument : tool.command.arguments) arguments << QString::fromStdString(argument);
  for (auto _ : state) {
    QProcess process;
    process.start(QStringLiteral("nmcli"), arguments);
    process.waitForFinished();
    benchmark::DoNotOptimize(process.readAllStandardOutput());
  }
}
BENCHMARK(FakeToolAlone)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

template <typename Source>
void MethodTwoSample(benchmark::State& state, Source& source,
                     LinkContextSource* link_source = nullptr) {
  TempDir temp;
  SystemClock clock;
  testing::FakeToolRunner runner;
  RouteConnectivity connectivity;
  StatusSampler sampler({clock, runner, SystemWirelessTool(), source, connectivity, temp.path(),
                         nullptr, link_source});
  DiscardedList list;
  for (auto _ : state) benchmark::DoNotOptimize(sampler.Read(Method::kSignalStrength));
}

void MethodTwoRealSource(benchmark::State& state) {
  Nl80211SignalSource source;
  MethodTwoSample(state, source);
}
BENCHMARK(MethodTwoRealSource)->Unit(benchmark::kMicrosecond);

void MethodTwoFakeSource(benchmark::State& state) {
  testing::FakeSignalSource source;
  source.strengths = {-61};
  MethodTwoSample(state, source);
}
BENCHMARK(MethodTwoFakeSource)->Unit(benchmark::kMicrosecond);

// The link's context read from nl80211 alone, as it rides on every reading.
void LinkContextRealSource(benchmark::State& state) {
  Nl80211LinkSource source;
  for (auto _ : state) benchmark::DoNotOptimize(source.Read());
}
BENCHMARK(LinkContextRealSource)->Unit(benchmark::kMicrosecond);

// A reading with its context from fake sources: what the sampler adds around them.
void MethodTwoFakeSourceWithLink(benchmark::State& state) {
  testing::FakeSignalSource source;
  source.strengths = {-61};
  testing::FakeLinkSource link_source;
  link_source.link = {
      LinkContext::Status::kKnown, "Home", "aa:bb:cc:dd:ee:ff", 5180, 36, -61, 866.7};
  MethodTwoSample(state, source, &link_source);
}
BENCHMARK(MethodTwoFakeSourceWithLink)->Unit(benchmark::kMicrosecond);

// One request and its answer over a generic netlink socket: asking the kernel
// for a family by name.
void BareNetlinkRoundTrip(benchmark::State& state) {
  nl_sock* socket = nl_socket_alloc();
  genl_connect(socket);
  for (auto _ : state) benchmark::DoNotOptimize(genl_ctrl_resolve(socket, "nl80211"));
  nl_socket_free(socket);
}
BENCHMARK(BareNetlinkRoundTrip)->Unit(benchmark::kMicrosecond);

void AppendTo(benchmark::State& state, std::uintmax_t size) {
  TempDir dir;
  const auto log = dir / "Quorvane.txt";
  WriteFile(log, "");
  std::filesystem::resize_file(log, size);  // sparse: the size without the disk use
  const std::string line = "12/07/26 14:03:11 WiFi Signal Strength is 70%";
  std::int64_t appended = 0;
  for (auto _ : state) {
    AppendLine(log, line);
    // Keep the file at its starting size give or take a few kilobytes.
    if (++appended % 100 == 0) {
      state.PauseTiming();
      std::filesystem::resize_file(log, size);
      state.ResumeTiming();
    }
  }
}
void AppendToEmptyLog(benchmark::State& state) { AppendTo(state, 0); }
void AppendToGigabyteLog(benchmark::State& state) { AppendTo(state, 1ull << 30); }
BENCHMARK(AppendToEmptyLog)->Unit(benchmark::kMicrosecond);
BENCHMARK(AppendToGigabyteLog)->Unit(benchmark::kMicrosecond);

// A journal record with the probes' results, into this month's file, as the
// window writes one beside each log line.
void AppendRecord(benchmark::State& state, const LinkContext& link) {
  TempDir dir;
  journal::Journal journal(dir / "journal");
  journal::JournalRecord record;
  record.utc = 1796652191;
  record.offset = 3600;
  record.value = "70%";
  record.router = {ProbeState::kUp, 0.412};
  record.internet = {ProbeState::kUp, 11.25};
  record.cause = Cause::kOk;
  record.link = link;
  std::int64_t appended = 0;
  for (auto _ : state) {
    journal.Append(record);
    if (++appended % 100 == 0) {
      state.PauseTiming();
      std::filesystem::resize_file(journal.MonthFile(2026, 12), 0);
      journal.Append(record);  // its header back
      state.ResumeTiming();
    }
  }
}
void AppendJournalRecord(benchmark::State& state) { AppendRecord(state, {}); }
// With the whole context, an SSID that needs escaping among it.
void AppendJournalRecordWithLink(benchmark::State& state) {
  AppendRecord(state, {LinkContext::Status::kKnown, "Caf\xe9 \"Home\", 2nd", "aa:bb:cc:dd:ee:ff",
                       5180, 36, -61, 866.7});
}
BENCHMARK(AppendJournalRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(AppendJournalRecordWithLink)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvane

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);  // QProcess keeps its books there
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
