#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/LocalDateTime.h"
#include "model/Cause.h"
#include "model/Method.h"

namespace quorvane::notifications {

// What the user asked to be told of, and after how long a drop counts.
struct Choices {
  bool drops = false;  // Lost and Back
  bool weak = false;
  int alert_after_seconds = 30;
};

// One sample as the rules see it, once its cause is known.
struct SampleFacts {
  std::int64_t utc = 0;  // seconds since 1970
  LocalDateTime local;   // the same moment on the wall clock
  // The time of day as the log writes it (the locale's form), for the tray tip;
  // "" gives 24-hour hh:mm:ss.
  std::string time_text;
  Method method = Method::kWirelessTool;
  std::string value_text;    // as logged, for the tray tip: "70%", "3", "0% (no connection)"
  std::optional<int> value;  // the percentage or level; none when the text gave none
  bool connected = true;
  Cause cause = Cause::kNone;
  int interval_seconds = 1;  // the sampling interval chosen, which tells a gap from a pause
};

struct Notification {
  enum class Kind { kLost, kBack, kWeak, kUnstable };
  Kind kind = Kind::kLost;
  // A notification with the slot of one shown before replaces it: an outage is one
  // notification however often its cause changes, and its end.
  int slot = 0;
  std::string text;
};

// The rules that decide, sample by sample, what the user is told, debounced so
// they never nag:
// - Lost: the same outage cause for at least `alert_after_seconds` and 2 samples
//   in a row; a later cause of the same drop replaces its notification.
// - Back: 2 good samples in a row after a Lost, replacing it; also when the drops
//   were turned off since, so that no Lost is left standing.
// - Weak: the mean of the last 10 minutes' connected samples below the report's
//   weak threshold; told again only once it was above the threshold plus a margin.
// - Unstable: at least 3 drops begun within 5 minutes, or at least 2 drops keeping
//   the connection down for a quarter of the last 5 minutes, each drop counted from
//   its first sample however short; told again only after 10 minutes without one.
// - Lost at most once per 10 minutes for each cause, Weak once per 10 minutes
//   (Back excepted); nothing in the first minute after the first sample nor after
//   a gap; `unknown` samples change nothing.
// A gap is a pause longer than 3 intervals and than a minute (the report's notion,
// with the interval chosen standing for the median spacing): the computer slept,
// or logging was off. The time in a gap counts towards no run.
// "Alert After" as stored: whole seconds from 0 to a day; none for anything else.
std::optional<int> AlertAfterFromText(std::string_view text);

class NotificationRules {
 public:
  explicit NotificationRules(Choices choices = {}) : choices_(choices) {}

  void SetChoices(Choices choices) { choices_ = choices; }
  const Choices& choices() const { return choices_; }

  // What to show for this sample, in order.
  std::vector<Notification> Feed(const SampleFacts& sample);

  // The tray tip: the product alone before the first sample, then the latest
  // sample, or the outage under way since its first sample.
  const std::string& TrayTip() const { return tip_; }

  static constexpr int kQuietSeconds = 60;
  static constexpr int kRepeatSeconds = 600;
  static constexpr int kWeakWindowSeconds = 600;
  static constexpr int kSamplesInARow = 2;
  // A connection that keeps dropping: this many drops begun within the window, or
  // at least two drops keeping it down for this share of it; told again only after
  // this long without a drop.
  static constexpr int kUnstableWindowSeconds = 300;
  static constexpr int kUnstableDrops = 3;
  static constexpr int kUnstableDownPercent = 25;
  static constexpr int kUnstableQuietSeconds = 600;

 private:
  struct Run {
    Cause cause = Cause::kNone;
    std::int64_t first_utc = 0;
    std::string first_time;  // as the tray tip names it
    int samples = 0;
  };
  struct OpenDrop {
    int slot = 0;
    Cause cause = Cause::kNone;
    std::int64_t since_utc = 0;  // the first bad sample of the drop
  };
  struct Reading {
    std::int64_t utc;
    int value;
  };
  // One drop, however short: from its first sample to the first good one after.
  struct Drop {
    std::int64_t since_utc = 0;
    std::optional<std::int64_t> end_utc;  // none while it lasts
    Cause cause = Cause::kNone;
  };

  bool FollowsGap(const SampleFacts& sample) const;
  bool MayShow(Notification::Kind kind, std::int64_t utc, Cause cause = Cause::kNone) const;
  void Shown(Notification::Kind kind, std::int64_t utc, Cause cause = Cause::kNone);
  void Unstable(const SampleFacts& sample, bool quiet, std::vector<Notification>& out);
  void Drops(const SampleFacts& sample, bool quiet, std::vector<Notification>& out);
  void Weak(const SampleFacts& sample, bool quiet, std::vector<Notification>& out);
  void UpdateTip(const SampleFacts& sample);

  Choices choices_;
  std::string tip_ = "Quorvane";
  std::optional<std::int64_t> last_utc_;  // of any sample, unknown ones too
  std::int64_t quiet_until_ = 0;
  Run bad_;  // the outage run under way; samples == 0 when none
  int good_in_a_row_ = 0;
  std::int64_t first_good_utc_ = 0;
  std::int64_t last_bad_utc_ = 0;
  bool gap_since_bad_ = false;    // when the drop ended is known only to before the gap
  std::optional<OpenDrop> drop_;  // a Lost shown and no Back yet
  std::optional<Method> weak_method_;
  std::deque<Reading> weak_window_;
  bool weak_told_ = false;
  std::map<Cause, std::int64_t> last_lost_utc_;  // the cap is per cause
  std::optional<std::int64_t> last_weak_utc_;
  std::deque<Drop> recent_drops_;  // those that may still count for an unstable spell
  bool unstable_told_ = false;
  int unstable_slot_ = 0;  // one notice, replaced, never stacked
  int slots_used_ = 0;
};

}  // namespace quorvane::notifications
