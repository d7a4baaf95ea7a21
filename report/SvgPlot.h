#pragma once

#include <ostream>

#include "report/Figures.h"
#include "report/TimeZone.h"

namespace quorvane::report {

// The signal of one method over time as inline SVG, after a key to its colours: the
// band between each pixel column's minimum and maximum, joined from one sample to the
// next unless a gap lies between (shaded grey: no samples) or only the other method
// ran (shaded and said), columns with disconnections shaded red by their share, else those
// with the journal's router or internet outages in colours of their own, the weak and poor
// thresholds dashed, round local times along the bottom and a faint line where each day starts.
// Method #1 on 0 to 100 %, Method #2 on 0 to 5.
void WriteSignalPlot(const Figures& figures, Method method, const TimeZone& zone,
                     std::ostream& out);

// The mean of each hour of the day as 24 bars, over a value axis in the method's
// unit (percent, or level) and the hours 00 to 23.
void WriteHourBars(const MethodFigures& figures, Method method, std::ostream& out);

}  // namespace quorvane::report
