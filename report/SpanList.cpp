#include "report/SpanList.h"

#include <algorithm>

namespace quorvane::report {
namespace {

// Longer first; at equal length the earlier first.
bool Before(const Span& a, const Span& b) {
  if (a.Seconds() != b.Seconds()) return a.Seconds() > b.Seconds();
  return a.from < b.from;
}

}  // namespace

SpanList::~SpanList() {
  if (spilled_) std::fclose(spilled_);
}

void SpanList::Add(const Span& span) {
  ++count_;
  total_ += span.Seconds();
  if (longest_.size() < longest_kept_) {
    longest_.push_back(span);
    std::push_heap(longest_.begin(), longest_.end(), Before);
  } else if (longest_kept_ > 0 && Before(span, longest_.front())) {
    std::pop_heap(longest_.begin(), longest_.end(), Before);
    longest_.back() = span;
    std::push_heap(longest_.begin(), longest_.end(), Before);
  }
  recent_.push_back(span);
  if (recent_.size() < kInMemory) return;
  if (!spilled_) spilled_ = std::tmpfile();
  if (spilled_ &&
      std::fwrite(recent_.data(), sizeof(Span), recent_.size(), spilled_) == recent_.size()) {
    spilled_count_ += recent_.size();
    recent_.clear();
  }
  // Without a temporary file they stay in memory: a report beats a failure.
}

void SpanList::ForEach(const std::function<void(const Span&)>& visit) const {
  if (spilled_count_ > 0) {
    std::fflush(spilled_);
    std::rewind(spilled_);
    std::vector<Span> block(kInMemory);
    std::uint64_t left = spilled_count_;
    while (left > 0) {
      const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, kInMemory));
      const std::size_t got = std::fread(block.data(), sizeof(Span), want, spilled_);
      if (got == 0) break;
      for (std::size_t i = 0; i < got; ++i) visit(block[i]);
      left -= got;
    }
    std::fseek(spilled_, 0, SEEK_END);
  }
  for (const Span& span : recent_) visit(span);
}

std::vector<Span> SpanList::Longest() const {
  std::vector<Span> sorted = longest_;
  std::sort(sorted.begin(), sorted.end(), Before);
  return sorted;
}

}  // namespace quorvane::report
