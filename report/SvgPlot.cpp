#include "report/SvgPlot.h"

#include <cstdio>
#include <string>

#include "report/PathText.h"
#include "report/Thresholds.h"
#include "report/TimeText.h"
#include "report/Writers.h"

namespace quorvane::report {
namespace {

constexpr double kLeft = 44, kTop = 10, kWidth = PlotGrid::kColumns, kHeight = 200;

std::string Number(double value) { return OneDecimal(value); }

double Y(double value, int scale) { return kTop + kHeight - value * kHeight / scale; }

// The columns that hold samples: the first and the last.
bool UsedRange(const PlotGrid& grid, int& first, int& last) {
  first = -1;
  last = -1;
  for (int i = 0; i < PlotGrid::kColumns; ++i) {
    const auto& column = grid.columns()[i];
    if (column.count[0] + column.count[1] == 0) continue;
    if (first < 0) first = i;
    last = i;
  }
  return first >= 0;
}

void WriteAxes(const Figures& figures, Method method, int first, int last, std::ostream& out) {
  const int scale = MethodScale(method);
  const int step = method == Method::kPercent ? 25 : 1;
  for (int v = 0; v <= scale; v += step) {
    out << "<line class=\"grid\" x1=\"" << kLeft << "\" x2=\"" << kLeft + kWidth << "\" y1=\""
        << Number(Y(v, scale)) << "\" y2=\"" << Number(Y(v, scale)) << "\"/>"
        << "<text class=\"tick\" x=\"" << kLeft - 6 << "\" y=\"" << Number(Y(v, scale) + 4)
        << "\" text-anchor=\"end\">" << v << (method == Method::kPercent ? "%" : "") << "</text>\n";
  }
  for (const int threshold : {WeakThreshold(method), PoorThreshold(method)}) {
    out << "<line class=\"threshold\" x1=\"" << kLeft << "\" x2=\"" << kLeft + kWidth << "\" y1=\""
        << Number(Y(threshold, scale)) << "\" y2=\"" << Number(Y(threshold, scale)) << "\"/>\n";
  }
  const PlotGrid& grid = figures.plot;
  const int labels = 5;
  for (int k = 0; k < labels; ++k) {
    const double at = first + (last + 1 - first) * static_cast<double>(k) / (labels - 1);
    const std::int64_t utc = grid.origin() + static_cast<std::int64_t>(at * grid.column_seconds());
    const double x = kLeft + kWidth * k / (labels - 1);
    const char* anchor = k == 0 ? "start" : k == labels - 1 ? "end" : "middle";
    out << "<text class=\"tick\" x=\"" << Number(x) << "\" y=\"" << kTop + kHeight + 18
        << "\" text-anchor=\"" << anchor << "\">"
        << ReadableTime(utc, figures.first_offset).substr(0, 16) << "</text>\n";
  }
}

}  // namespace

void WriteSignalPlot(const Figures& figures, Method method, std::ostream& out) {
  const PlotGrid& grid = figures.plot;
  int first = 0, last = 0;
  if (!UsedRange(grid, first, last)) return;
  const int m = MethodIndex(method);
  const int scale = MethodScale(method);
  const double column_width = kWidth / (last + 1 - first);
  auto x_of = [&](int i) { return kLeft + (i - first + 0.5) * column_width; };

  out << "<svg class=\"plot\" viewBox=\"0 0 " << kLeft + kWidth + 12 << " " << kTop + kHeight + 26
      << "\" role=\"img\" aria-label=\"Method #" << static_cast<int>(method)
      << " signal over time\" data-plot=\"method" << static_cast<int>(method) << "\">\n";
  // Where Quorvane was not running, and where the connection was lost.
  auto shade_of = [&](int i) -> const char* {
    const auto& column = grid.columns()[i];
    if (column.count[0] + column.count[1] == 0) return "idle";
    if (column.drops[m] == 0) return nullptr;
    // Darker where a larger share of the column's samples had no connection.
    const double share = static_cast<double>(column.drops[m]) / column.count[m];
    return share >= 0.1 ? "drop high" : share >= 0.02 ? "drop" : "drop low";
  };
  for (int i = first; i <= last;) {
    const char* shade = shade_of(i);
    int end = i + 1;
    while (end <= last && shade_of(end) == shade) ++end;
    if (shade)
      out << "<rect class=\"" << shade << "\" x=\"" << Number(x_of(i) - column_width / 2)
          << "\" y=\"" << kTop << "\" width=\"" << Number(column_width * (end - i) + 0.3)
          << "\" height=\"" << kHeight << "\"/>";
    i = end;
  }
  out << "\n";
  WriteAxes(figures, method, first, last, out);
  // The band of each run of columns that hold this method's samples.
  out << "<path class=\"signal\" d=\"";
  int i = first;
  while (i <= last) {
    if (grid.columns()[i].count[m] == 0) {
      ++i;
      continue;
    }
    int end = i;
    while (end < last && grid.columns()[end + 1].count[m] > 0 && !grid.columns()[end].gap_after)
      ++end;
    for (int k = i; k <= end; ++k)
      out << (k == i ? "M" : "L") << Number(x_of(k)) << ' '
          << Number(Y(grid.columns()[k].max[m], scale));
    for (int k = end; k >= i; --k)
      out << 'L' << Number(x_of(k)) << ' ' << Number(Y(grid.columns()[k].min[m], scale));
    out << 'Z';
    i = end + 1;
  }
  out << "\"/>\n</svg>\n";
}

void WriteHourBars(const MethodFigures& figures, Method method, std::ostream& out) {
  const int scale = MethodScale(method);
  constexpr double kBarHeight = 100, kSlot = 36;
  out << "<svg class=\"hours\" viewBox=\"0 0 " << 24 * kSlot << " " << kBarHeight + 40
      << "\" role=\"img\" aria-label=\"Mean by hour of the day\">\n";
  for (int hour = 0; hour < 24; ++hour) {
    const double x = hour * kSlot;
    out << "<text class=\"tick\" x=\"" << x + kSlot / 2 << "\" y=\"" << kBarHeight + 36
        << "\" text-anchor=\"middle\">" << hour << "</text>";
    if (figures.hour_samples[hour] == 0) continue;
    const double mean = static_cast<double>(figures.hour_sum[hour]) /
                        static_cast<double>(figures.hour_samples[hour]);
    const double height = mean * kBarHeight / scale;
    out << "<rect class=\"bar\" x=\"" << x + 4 << "\" y=\"" << Number(kBarHeight + 18 - height)
        << "\" width=\"" << kSlot - 8 << "\" height=\"" << Number(height) << "\"/>"
        << "<text class=\"tick\" x=\"" << x + kSlot / 2 << "\" y=\""
        << Number(kBarHeight + 14 - height)
        << "\" text-anchor=\"middle\" data-figure=\"summary.method" << static_cast<int>(method)
        << ".mean_by_hour." << hour << "\">" << MeanText(mean) << "</text>\n";
  }
  out << "</svg>\n";
}

}  // namespace quorvane::report
