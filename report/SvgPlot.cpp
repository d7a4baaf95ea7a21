#include "report/SvgPlot.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "model/SignalValue.h"
#include "report/TimeTicks.h"
#include "report/Writers.h"

namespace quorvane::report {
namespace {

constexpr double kLeft = 54, kTop = 10, kWidth = PlotGrid::kColumns, kHeight = 200;

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

// About how wide a time axis label is on screen (13 pixels high): blanks and
// colons half as wide as digits and letters.
double TickLabelWidth(std::string_view label) {
  double width = 0;
  for (const char c : label) width += c == ' ' || c == ':' ? 3.6 : 7.2;
  return width;
}

void WriteAxes(const Figures& figures, Method method, int first, int last, const TimeZone& zone,
               std::ostream& out) {
  const int scale = MethodScale(method);
  const int step = method == Method::kWirelessTool ? 25 : 1;
  for (int v = 0; v <= scale; v += step) {
    out << "<line class=\"grid\" x1=\"" << kLeft << "\" x2=\"" << kLeft + kWidth << "\" y1=\""
        << Number(Y(v, scale)) << "\" y2=\"" << Number(Y(v, scale)) << "\"/>"
        << "<text class=\"tick\" x=\"" << kLeft - 6 << "\" y=\"" << Number(Y(v, scale) + 4)
        << "\" text-anchor=\"end\">" << v << (method == Method::kWirelessTool ? "%" : "")
        << "</text>\n";
  }
  for (const int threshold : {WeakThreshold(method), PoorThreshold(method)}) {
    out << "<line class=\"threshold\" x1=\"" << kLeft << "\" x2=\"" << kLeft + kWidth << "\" y1=\""
        << Number(Y(threshold, scale)) << "\" y2=\"" << Number(Y(threshold, scale)) << "\"/>\n";
  }
  // Round local times along the bottom, and a faint line where each day starts.
  const PlotGrid& grid = figures.plot;
  const std::int64_t from = grid.origin() + first * grid.column_seconds();
  const std::int64_t to = grid.origin() + (last + 1) * grid.column_seconds();
  auto x_of = [&](std::int64_t utc) {
    return kLeft + kWidth * static_cast<double>(utc - from) / static_cast<double>(to - from);
  };
  const TimeAxis axis = TimeAxisTicks(from, to, zone, 8);
  for (const std::int64_t midnight : axis.midnights)
    out << "<line class=\"day\" x1=\"" << Number(x_of(midnight)) << "\" x2=\""
        << Number(x_of(midnight)) << "\" y1=\"" << kTop << "\" y2=\"" << kTop + kHeight << "\"/>";
  // The first label also names its day: a label that would run into the one
  // before it is left out, and its tick stays.
  double labels_end = 0;
  for (const TimeTick& tick : axis.ticks) {
    const double x = x_of(tick.utc);
    const char* anchor = x < kLeft + 40 ? "start" : x > kLeft + kWidth - 40 ? "end" : "middle";
    const double width = TickLabelWidth(tick.label);
    const double start = x < kLeft + 40 ? x : x > kLeft + kWidth - 40 ? x - width : x - width / 2;
    out << "<line class=\"grid\" x1=\"" << Number(x) << "\" x2=\"" << Number(x) << "\" y1=\""
        << kTop + kHeight << "\" y2=\"" << kTop + kHeight + 4 << "\"/>";
    if (start >= labels_end) {
      out << "<text class=\"tick\" x=\"" << Number(x) << "\" y=\"" << kTop + kHeight + 20
          << "\" text-anchor=\"" << anchor << "\">" << tick.label << "</text>";
      labels_end = start + width;
    }
    out << "\n";
  }
}

// The colours of the plot that follows, each explained once.
template <typename Used>
void WriteKey(Method method, const Used& used, std::ostream& out) {
  out << "<p class=\"key\"><span><i class=\"signal\"></i>signal (lowest to highest in each "
         "column)</span> <span><i class=\"threshold\"></i>weak and poor thresholds</span>";
  static constexpr struct {
    const char* shade;
    const char* meaning;
  } kShades[] = {
      {"drop high", "no connection, 10 % or more of the time"},
      {"drop", "no connection, 2 to 10 %"},
      {"drop low", "no connection, under 2 %"},
      {"outage-router", "your router did not answer"},
      {"outage-internet", "the internet beyond your router did not answer"},
      {"idle", "no samples"},
      {"other", nullptr},
  };
  for (const auto& entry : kShades) {
    if (!used(entry.shade)) continue;
    out << " <span><i class=\"" << entry.shade << "\"></i>";
    if (entry.meaning)
      out << entry.meaning;
    else
      out << "only "
          << MethodName(method == Method::kWirelessTool ? Method::kSignalStrength
                                                        : Method::kWirelessTool)
          << " ran";
    out << "</span>";
  }
  out << "</p>\n";
}

}  // namespace

void WriteSignalPlot(const Figures& figures, Method method, const TimeZone& zone,
                     std::ostream& out) {
  const PlotGrid& grid = figures.plot;
  int first = 0, last = 0;
  if (!UsedRange(grid, first, last)) return;
  const int m = MethodIndex(method);
  const int scale = MethodScale(method);
  const double column_width = kWidth / (last + 1 - first);
  auto x_of = [&](int i) { return kLeft + (i - first + 0.5) * column_width; };

  // Where no samples were taken, where only the other method ran, and where the
  // connection was lost, else the router or the internet beyond it. A column without
  // samples inside a pause that is not a gap is logged time: the shade of that pause.
  const int other = 1 - m;
  auto beyond_wifi = [&](int i) -> const char* {
    const std::uint8_t outages = figures.outage_columns[static_cast<std::size_t>(i)];
    return outages & Figures::kRouterOutage     ? "outage-router"
           : outages & Figures::kInternetOutage ? "outage-internet"
                                                : nullptr;
  };
  auto shade_of = [&](int i) -> const char* {
    const auto& column = grid.columns()[i];
    if (column.count[0] + column.count[1] == 0) {
      if (column.running & (1 << m)) return column.disconnected ? "drop high" : beyond_wifi(i);
      return column.running & (1 << other) ? "other" : "idle";
    }
    if (column.count[m] == 0) return "other";
    if (column.drops[m] == 0) return beyond_wifi(i);
    // Darker where a larger share of the column's samples had no connection.
    const double share = static_cast<double>(column.drops[m]) / column.count[m];
    return share >= 0.1 ? "drop high" : share >= 0.02 ? "drop" : "drop low";
  };
  // Whether the line runs on from column `from`, which holds samples, to `to`, the
  // next that does: only across columns that were logged by this method alone.
  auto joined = [&](int from, int to) {
    if (grid.columns()[from].gap_after) return false;
    for (int k = from + 1; k < to; ++k) {
      const auto& column = grid.columns()[k];
      if (column.count[other] > 0 || !(column.running & (1 << m))) return false;
    }
    return true;
  };
  WriteKey(
      method,
      [&](std::string_view shade) {
        for (int i = first; i <= last; ++i)
          if (const char* used = shade_of(i); used && shade == used) return true;
        return false;
      },
      out);
  const std::int64_t from = grid.origin() + first * grid.column_seconds();
  const std::int64_t to = grid.origin() + (last + 1) * grid.column_seconds();
  WriteLinkMarksKey(figures, from, to, out);

  out << "<svg class=\"plot\" viewBox=\"0 0 " << kLeft + kWidth + 12 << " " << kTop + kHeight + 28
      << "\" role=\"img\" aria-label=\"Method #" << static_cast<int>(method)
      << " signal over time\" data-plot=\"method" << static_cast<int>(method) << "\">\n";
  for (int i = first; i <= last;) {
    const char* shade = shade_of(i);
    int end = i + 1;
    while (end <= last && shade_of(end) == shade) ++end;
    if (shade)
      out << "<rect class=\"" << shade << "\" x=\"" << Number(x_of(i) - column_width / 2)
          << "\" y=\"" << kTop << "\" width=\"" << Number(column_width * (end - i) + 0.3)
          << "\" height=\"" << kHeight << "\"/>";
    // Say so where the plot would otherwise stand empty.
    if (shade && std::string_view(shade) == "other" && (end - i) * column_width >= 160)
      out << "<text class=\"absent\" x=\"" << Number(x_of(i) + column_width * (end - i - 1) / 2)
          << "\" y=\"" << Number(Y(scale * 0.8, scale)) << "\" text-anchor=\"middle\">No "
          << MethodName(method) << " samples</text>";
    i = end;
  }
  out << "\n";
  WriteAxes(figures, method, first, last, zone, out);
  // The band of each run of columns that hold this method's samples, joined across
  // the columns between consecutive samples of a pause that is not a gap.
  out << "<path class=\"signal\" d=\"";
  std::vector<int> run;  // the columns with samples of one run
  auto write_run = [&] {
    for (std::size_t k = 0; k < run.size(); ++k)
      out << (k == 0 ? "M" : "L") << Number(x_of(run[k])) << ' '
          << Number(Y(grid.columns()[run[k]].max[m], scale));
    for (std::size_t k = run.size(); k-- > 0;)
      out << 'L' << Number(x_of(run[k])) << ' ' << Number(Y(grid.columns()[run[k]].min[m], scale));
    out << 'Z';
    run.clear();
  };
  for (int i = first; i <= last; ++i) {
    if (grid.columns()[i].count[m] == 0) continue;
    if (!run.empty() && !joined(run.back(), i)) write_run();
    run.push_back(i);
  }
  if (!run.empty()) write_run();
  out << "\"/>\n";
  WriteLinkMarks(figures, from, to, kLeft, kTop, kWidth, kHeight, out);
  out << "</svg>\n";
}

void WriteHourBars(const MethodFigures& figures, Method method, std::ostream& out) {
  const int scale = MethodScale(method);
  const bool percent = method == Method::kWirelessTool;
  // The value axis on the left, as on the signal plot; the bars' floor at `bottom`.
  constexpr double kAxis = 54, kBarHeight = 100, kSlot = 36, kBottom = kBarHeight + 18;
  auto y_of = [&](double value) { return kBottom - value * kBarHeight / scale; };
  out << "<svg class=\"hours\" viewBox=\"0 0 " << kAxis + 24 * kSlot << " " << kBarHeight + 40
      << "\" role=\"img\" aria-label=\"Mean by hour of the day\">\n";
  for (int v = 0; v <= scale; v += percent ? 50 : 1)
    out << "<line class=\"grid\" x1=\"" << kAxis << "\" x2=\"" << kAxis + 24 * kSlot << "\" y1=\""
        << Number(y_of(v)) << "\" y2=\"" << Number(y_of(v)) << "\"/><text class=\"tick\" x=\""
        << kAxis - 6 << "\" y=\"" << Number(y_of(v) + 4) << "\" text-anchor=\"end\">" << v
        << (percent ? "%" : "") << "</text>\n";
  // Levels have no sign of their own: the axis names its unit, as the hours do theirs.
  if (!percent)
    out << "<text class=\"tick\" x=\"" << kAxis - 6 << "\" y=\"" << Number(y_of(scale) - 8)
        << "\" text-anchor=\"end\">level</text>\n";
  out << "<text class=\"tick\" x=\"" << kAxis - 6 << "\" y=\"" << kBarHeight + 36
      << "\" text-anchor=\"end\">hour</text>\n";
  for (int hour = 0; hour < 24; ++hour) {
    const double x = kAxis + hour * kSlot;
    char label[4];
    std::snprintf(label, sizeof label, "%02d", hour);
    out << "<text class=\"tick\" x=\"" << x + kSlot / 2 << "\" y=\"" << kBarHeight + 36
        << "\" text-anchor=\"middle\">" << label << "</text>";
    if (figures.hour_samples[hour] == 0) continue;
    const double mean = static_cast<double>(figures.hour_sum[hour]) /
                        static_cast<double>(figures.hour_samples[hour]);
    const double height = mean * kBarHeight / scale;
    out << "<rect class=\"bar\" x=\"" << x + 4 << "\" y=\"" << Number(kBottom - height)
        << "\" width=\"" << kSlot - 8 << "\" height=\"" << Number(height) << "\"/>"
        << "<text class=\"tick\" x=\"" << x + kSlot / 2 << "\" y=\""
        << Number(kBarHeight + 14 - height)
        << "\" text-anchor=\"middle\" data-figure=\"summary.method" << static_cast<int>(method)
        << ".mean_by_hour." << hour << "\">" << MeanText(mean) << "</text>\n";
  }
  out << "</svg>\n";
}

}  // namespace quorvane::report
