#include "notifications/NotificationRules.h"

#include <algorithm>

#include "base/WholeNumber.h"
#include "model/Gaps.h"
#include "model/SignalValue.h"
#include "notifications/NotificationTexts.h"

namespace quorvane::notifications {
namespace {

std::string TimeOfDay(const SampleFacts& sample) {
  return sample.time_text.empty() ? ClockText(sample.local) : sample.time_text;
}

using Kind = Notification::Kind;

// How far above the weak threshold the mean must climb before a weak signal is
// over: a signal hovering at the threshold is told once, not with every wobble.
int WeakMargin(Method method) { return method == Method::kWirelessTool ? 5 : 1; }

}  // namespace

std::optional<int> AlertAfterFromText(std::string_view text) {
  constexpr int kLongest = 86400;
  return BoundedWholeNumber(text, kLongest);
}

std::vector<Notification> NotificationRules::Feed(const SampleFacts& sample) {
  std::vector<Notification> out;
  if (FollowsGap(sample)) {
    // The first sample, or the first after the computer slept: what the system
    // says while it settles is not worth a word, and no run goes on across it.
    quiet_until_ = sample.utc + kQuietSeconds;
    bad_ = {};
    good_in_a_row_ = 0;
    gap_since_bad_ = true;
    weak_window_.clear();
    recent_drops_.clear();
  }
  last_utc_ = sample.utc;
  if (sample.cause != Cause::kUnknown) {
    const bool quiet = sample.utc < quiet_until_;
    Drops(sample, quiet, out);
    Unstable(sample, quiet, out);
    Weak(sample, quiet, out);
  }
  UpdateTip(sample);
  return out;
}

bool NotificationRules::FollowsGap(const SampleFacts& sample) const {
  if (!last_utc_) return true;
  const std::int64_t pause = sample.utc - *last_utc_;
  if (pause < 0) return true;  // the clock was set back
  // The interval chosen is the spacing: no history is kept to learn another.
  return IsGapLong(pause, std::max(sample.interval_seconds, 1));
}

bool NotificationRules::MayShow(Kind kind, std::int64_t utc, Cause cause) const {
  if (kind == Kind::kLost) {
    const auto last = last_lost_utc_.find(cause);
    return last == last_lost_utc_.end() || utc - last->second >= kRepeatSeconds;
  }
  return !last_weak_utc_ || utc - *last_weak_utc_ >= kRepeatSeconds;
}

void NotificationRules::Shown(Kind kind, std::int64_t utc, Cause cause) {
  if (kind == Kind::kLost)
    last_lost_utc_[cause] = utc;
  else
    last_weak_utc_ = utc;
}

void NotificationRules::Drops(const SampleFacts& sample, bool quiet,
                              std::vector<Notification>& out) {
  if (IsOutageCause(sample.cause)) {
    good_in_a_row_ = 0;
    last_bad_utc_ = sample.utc;
    gap_since_bad_ = false;
    // A drop begins at its first sample, however short it turns out.
    if (bad_.samples == 0) recent_drops_.push_back({sample.utc, std::nullopt, sample.cause});
    recent_drops_.back().cause = sample.cause;
    if (bad_.samples == 0 || bad_.cause != sample.cause)
      bad_ = {sample.cause, sample.utc, TimeOfDay(sample), 0};
    ++bad_.samples;
    const bool held = bad_.samples >= kSamplesInARow &&
                      sample.utc - bad_.first_utc >= choices_.alert_after_seconds;
    if (!held || quiet || !choices_.drops) return;
    if (drop_) {
      // The same drop with another cause (the router, then the WiFi too): its
      // notification says so in place of what it said.
      if (drop_->cause == bad_.cause) return;
      drop_->cause = bad_.cause;
      out.push_back({Kind::kLost, drop_->slot, LostText(bad_.cause)});
      return;
    }
    if (!MayShow(Kind::kLost, sample.utc, bad_.cause)) return;
    drop_ = OpenDrop{++slots_used_, bad_.cause, bad_.first_utc};
    Shown(Kind::kLost, sample.utc, bad_.cause);
    out.push_back({Kind::kLost, drop_->slot, LostText(bad_.cause)});
    return;
  }
  // Connected, and with probes on the router and the internet answer.
  if (good_in_a_row_++ == 0) first_good_utc_ = sample.utc;
  if (!recent_drops_.empty() && !recent_drops_.back().end_utc)
    recent_drops_.back().end_utc = sample.utc;
  bad_ = {};
  if (!drop_ || good_in_a_row_ < kSamplesInARow || quiet) return;
  // Across a gap the drop is known to have lasted only until the last sample that
  // saw it.
  const std::int64_t end = gap_since_bad_ ? last_bad_utc_ : first_good_utc_;
  // Told even when the item was turned off since the Lost: the Back takes the Lost's
  // place, which would otherwise go on saying the connection is lost.
  out.push_back({Kind::kBack, drop_->slot, BackText(end - drop_->since_utc, drop_->cause)});
  drop_.reset();
}

void NotificationRules::Unstable(const SampleFacts& sample, bool quiet,
                                 std::vector<Notification>& out) {
  const std::int64_t now = sample.utc;
  const std::int64_t window_start = now - kUnstableWindowSeconds;
  while (!recent_drops_.empty() && recent_drops_.front().end_utc &&
         *recent_drops_.front().end_utc <= now - kUnstableQuietSeconds)
    recent_drops_.pop_front();
  if (recent_drops_.empty()) {
    unstable_told_ = false;  // ten minutes without a drop: a new spell may be told
    return;
  }
  if (unstable_told_ || quiet || !choices_.drops) return;
  int begun = 0;
  int in_window = 0;
  std::int64_t down_seconds = 0;
  for (const Drop& drop : recent_drops_) {
    const std::int64_t end = drop.end_utc.value_or(now);
    if (end <= window_start) continue;
    ++in_window;
    if (drop.since_utc > window_start) ++begun;
    down_seconds += end - std::max(drop.since_utc, window_start);
  }
  const bool often = begun >= kUnstableDrops;
  const bool mostly_down =
      in_window >= 2 &&
      down_seconds * 100 >= std::int64_t{kUnstableDownPercent} * kUnstableWindowSeconds;
  if (!often && !mostly_down) return;
  unstable_told_ = true;
  if (unstable_slot_ == 0) unstable_slot_ = ++slots_used_;
  out.push_back({Kind::kUnstable, unstable_slot_,
                 UnstableText(in_window, down_seconds, recent_drops_.back().cause)});
}

void NotificationRules::Weak(const SampleFacts& sample, bool quiet,
                             std::vector<Notification>& out) {
  if (!sample.connected) return;  // no signal at all is a drop, not a weak signal
  const std::optional<int> value = sample.value;
  if (!value) return;
  if (weak_method_ != sample.method) {
    // The other method counts in other units: its mean starts afresh.
    weak_method_ = sample.method;
    weak_window_.clear();
    weak_told_ = false;
  }
  weak_window_.push_back({sample.utc, *value});
  while (weak_window_.front().utc <= sample.utc - kWeakWindowSeconds) weak_window_.pop_front();
  double sum = 0;
  for (const Reading& reading : weak_window_) sum += reading.value;
  const double mean = sum / static_cast<double>(weak_window_.size());
  const int threshold = WeakThreshold(sample.method);
  if (weak_told_) {
    if (mean > threshold + WeakMargin(sample.method)) weak_told_ = false;
    return;
  }
  if (mean >= threshold || quiet || !choices_.weak || !MayShow(Kind::kWeak, sample.utc)) return;
  weak_told_ = true;
  Shown(Kind::kWeak, sample.utc);
  out.push_back({Kind::kWeak, ++slots_used_,
                 WeakText(sample.method, mean, sample.utc - weak_window_.front().utc)});
}

void NotificationRules::UpdateTip(const SampleFacts& sample) {
  tip_ = bad_.samples > 0 ? OutageTip(bad_.cause, bad_.first_time)
                          : SampleTip(sample.value_text, TimeOfDay(sample));
}

}  // namespace quorvane::notifications
