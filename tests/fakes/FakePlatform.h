#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Connectivity.h"
#include "platform/LinkContext.h"
#include "platform/SignalStrengthSource.h"
#include "platform/ToolRunner.h"
#include "platform/WlanApi.h"
#include "tests/fakes/TempDir.h"

namespace quorvane::testing {

// A clock that reads what the test sets and formats like the C locale.
class FakeClock : public Clock {
 public:
  LocalDateTime now{2026, 12, 7, 14, 3, 11};
  std::int64_t unix_seconds = 1796652191;
  int reads = 0;
  bool twelve_hour = false;  // "2:03:11 PM", as an American user's clock writes it

  LocalDateTime Now() const override {
    ++const_cast<FakeClock*>(this)->reads;
    return now;
  }
  std::string ShortDate(const LocalDateTime& when) const override {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", when.month, when.day, when.year % 100);
    return text;
  }
  std::string LongTime(const LocalDateTime& when) const override {
    char text[32];
    if (twelve_hour)
      std::snprintf(text, sizeof text, "%d:%02d:%02d %s", (when.hour + 11) % 12 + 1, when.minute,
                    when.second, when.hour < 12 ? "AM" : "PM");
    else
      std::snprintf(text, sizeof text, "%02d:%02d:%02d", when.hour, when.minute, when.second);
    return text;
  }
  std::int64_t UnixSeconds() const override { return unix_seconds; }
};

// A runner that "prints" a fixed output into the output file, or fails as told.
class FakeToolRunner : public ToolRunner {
 public:
  std::string output;
  ToolResult result;
  std::vector<ToolCommand> commands;
  // Runs before the tool "ends", on the reading's thread; a test may block here.
  std::function<void()> while_running;
  // A tool that never ends by itself: it runs until StopRunningTool, or gives up
  // after a long while so that a test of a program that never stops it still ends.
  bool run_until_stopped = false;
  bool refuse_output = false;  // the output file cannot be written

  ToolResult RunToFile(const ToolCommand& command, const std::filesystem::path& output_file,
                       std::chrono::milliseconds) override {
    commands.push_back(command);
    if (refuse_output) throw AppError("Permission denied");
    if (while_running) while_running();
    if (run_until_stopped) {
      std::unique_lock lock(mutex_);
      stopped_.wait_for(lock, std::chrono::seconds(30), [this] { return stop_requested_; });
      return {ToolOutcome::kCrashed, 0};
    }
    if (result.outcome != ToolOutcome::kTimedOut) WriteFile(output_file, output);
    return result;
  }

  void StopRunningTool() override {
    {
      std::lock_guard lock(mutex_);
      stop_requested_ = true;
      ++stops_;
    }
    stopped_.notify_all();
  }

  int stops() {
    std::lock_guard lock(mutex_);
    return stops_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable stopped_;
  bool stop_requested_ = false;
  int stops_ = 0;
};

// The link's context as the system would tell it.
class FakeLinkSource : public LinkContextSource {
 public:
  LinkContext link;
  LinkContext Read() override { return link; }
};

class FakeConnectivity : public Connectivity {
 public:
  bool connected = false;
  bool IsInternetConnected() const override { return connected; }
};

// Adapters with scripted strengths; std::nullopt in `strengths` makes reading that
// adapter fail, and `fail_enumeration_at` makes the enumeration fail at that step.
// With `times_out` the source stops answering after the last adapter.
class FakeSignalSource : public SignalStrengthSource {
 public:
  std::vector<std::optional<std::int32_t>> strengths;
  std::optional<std::size_t> fail_enumeration_at;
  bool times_out = false;
  int binds_left_to_fail = 0;
  bool fail_query = false;
  std::vector<std::string> bound_computers;
  int queries = 0;
  int unbinds = 0;
  std::thread::id bound_on, unbound_on;
  // Runs inside the query, on the reading's thread; a test may block here.
  std::function<void()> while_querying;

  void Bind(const std::string& computer) override {
    if (binds_left_to_fail > 0) {
      --binds_left_to_fail;
      throw AppError("The source is not available");
    }
    bound_computers.push_back(computer);
    bound_on = std::this_thread::get_id();
  }

  std::unique_ptr<StrengthInstances> Query() override {
    if (fail_query) throw AppError("Access denied");
    ++queries;
    if (while_querying) while_querying();
    return std::make_unique<Instances>(*this);
  }

  void Unbind() override {
    ++unbinds;
    unbound_on = std::this_thread::get_id();
  }

 private:
  class Instances : public StrengthInstances {
   public:
    explicit Instances(const FakeSignalSource& source) : source_(source) {}
    bool MoveNext() override {
      if (source_.fail_enumeration_at == next_) throw AppError("Enumeration failed");
      if (next_ >= source_.strengths.size()) return false;
      current_ = next_++;
      return true;
    }
    std::int32_t CurrentStrength() override {
      const auto& strength = source_.strengths[current_];
      if (!strength) throw AppError("Generic failure");
      return *strength;
    }
    bool TimedOut() const override {
      return source_.times_out && next_ >= source_.strengths.size();
    }

   private:
    const FakeSignalSource& source_;
    std::size_t next_ = 0;
    std::size_t current_ = 0;
  };
};

// A WLAN service with scripted interfaces; an error code in `enum_error` or
// `query_error` makes that call fail, one in `connection_error` the calls that
// need location permission. Every connected interface has the same connection.
class FakeWlanApi : public WlanApi {
 public:
  struct Interface {
    bool connected;
    std::int32_t rssi;
  };
  std::vector<Interface> interfaces;
  std::uint32_t enum_error = 0;
  std::uint32_t query_error = 0;
  std::vector<std::uint8_t> queried;  // the interfaces asked for their strength
  WlanConnection connection = Connected();
  std::uint32_t channel = 0;
  std::vector<WlanBss> access_points;
  std::uint32_t connection_error = 0;
  std::string listed_ssid;  // the network whose access points were asked for

  static WlanConnection Connected() {
    WlanConnection connected;
    connected.connected = true;
    return connected;
  }

  std::uint32_t EnumInterfaces(std::vector<WlanInterface>& listed) override {
    listed.clear();
    if (enum_error) return enum_error;
    for (std::size_t i = 0; i < interfaces.size(); ++i) {
      WlanInterface item;
      item.id[0] = static_cast<std::uint8_t>(i);
      item.connected = interfaces[i].connected;
      listed.push_back(item);
    }
    return 0;
  }
  std::uint32_t QueryRssi(const WlanInterface& item, std::int32_t& dbm) override {
    queried.push_back(item.id[0]);
    if (query_error) return query_error;
    dbm = interfaces.at(item.id[0]).rssi;
    return 0;
  }
  std::uint32_t QueryCurrentConnection(const WlanInterface&, WlanConnection& given) override {
    if (const auto error = query_error ? query_error : connection_error) return error;
    given = connection;
    return 0;
  }
  std::uint32_t QueryChannel(const WlanInterface&, std::uint32_t& given) override {
    if (const auto error = query_error ? query_error : connection_error) return error;
    given = channel;
    return 0;
  }
  std::uint32_t ListNetworkBss(const WlanInterface&, const WlanConnection& of,
                               std::vector<WlanBss>& given) override {
    listed_ssid = of.ssid;
    if (const auto error = query_error ? query_error : connection_error) return error;
    given = access_points;
    return 0;
  }
};

}  // namespace quorvane::testing
