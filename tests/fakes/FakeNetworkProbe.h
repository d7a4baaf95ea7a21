#pragma once

#include <functional>
#include <map>
#include <mutex>

#include "platform/NetworkProbe.h"

namespace quorvane::testing {

// Answers as told, per address and port; sends nothing anywhere.
class FakeNetworkProbe : public NetworkProbe {
 public:
  std::optional<IpAddress> router = ParseIpAddress("10.0.0.1");
  std::string no_echo;                         // why echo cannot be sent; "" when it can
  std::map<std::string, EchoResult> echoes;    // by address text; missing: no answer
  std::map<std::string, EchoResult> connects;  // by "address:port"; missing: no answer
  std::vector<std::string> calls;              // "echo 10.0.0.1", "connect 1.1.1.1:443"
  std::function<void()> during_round;          // runs inside each round, on its thread

  std::optional<IpAddress> RouterAddress() override {
    if (during_round) during_round();
    return router;
  }
  std::string EchoUnavailableReason() override { return no_echo; }
  std::vector<EchoResult> Echo(const std::vector<IpAddress>& addresses,
                               std::chrono::milliseconds) override {
    std::vector<EchoResult> results;
    for (const auto& address : addresses)
      results.push_back(Answer(echoes, "echo ", IpAddressText(address)));
    return results;
  }
  std::vector<EchoResult> Connect(const std::vector<IpAddress>& addresses, std::uint16_t port,
                                  std::chrono::milliseconds) override {
    std::vector<EchoResult> results;
    for (const auto& address : addresses)
      results.push_back(
          Answer(connects, "connect ", IpAddressText(address) + ":" + std::to_string(port)));
    return results;
  }

 private:
  EchoResult Answer(const std::map<std::string, EchoResult>& answers, const char* what,
                    const std::string& key) {
    std::lock_guard lock(mutex_);
    calls.push_back(what + key);
    const auto found = answers.find(key);
    return found == answers.end() ? EchoResult{EchoOutcome::kNoAnswer, 0} : found->second;
  }
  std::mutex mutex_;
};

}  // namespace quorvane::testing
