#pragma once

#include "report/ParsedBlocks.h"
#include "report/TimeZone.h"

namespace quorvane::report {

// Reads every line of `file` from its start and calls on_sample(const Sample&) for
// each readable one, in the file's order, its UTC time worked out from that order.
template <typename OnSample>
PassCounts ReadSamples(LogFile& file, const DateTimeReader& reader, const TimeZone& zone,
                       OnSample&& on_sample) {
  ParsedBlocks blocks(file, reader);
  UtcResolver resolver(zone);
  for (;;) {
    ParsedBlocks::Block& block = blocks.Next();
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
      Sample sample = block.SampleAt(i);
      resolver.Resolve(sample.wall, sample.utc, sample.offset);
      on_sample(sample);
    }
    if (block.last) return blocks.counts();
  }
}

}  // namespace quorvane::report
