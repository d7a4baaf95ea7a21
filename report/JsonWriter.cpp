#include <charconv>
#include <cstdio>

#include "base/PathText.h"

#include "base/TimeText.h"
#include "model/SignalValue.h"
#include "report/Writers.h"

namespace quorvane::report {

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : ToUtf8(text)) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

namespace {

void WriteSpans(const SpanList& spans, std::ostream& out) {
  out << "[";
  bool first = true;
  spans.ForEach([&](const Span& span) {
    out << (first ? "\n    " : ",\n    ") << "{\"start\": \""
        << IsoTime(span.from, span.from_offset) << "\", \"end\": \""
        << IsoTime(span.to, span.to_offset) << "\", \"seconds\": " << span.Seconds() << "}";
    first = false;
  });
  out << (first ? "]" : "\n  ]");
}

void WriteMethod(const MethodFigures& figures, Method method, std::ostream& out) {
  out << "{\"samples\": " << figures.samples << ", \"min\": " << figures.Min()
      << ", \"median\": " << MedianText(figures.Median())
      << ", \"mean\": " << MeanText(figures.Mean()) << ", \"max\": " << figures.Max()
      << ",\n      \"weak_threshold\": " << WeakThreshold(method)
      << ", \"weak_share\": " << ShareText(figures.Below(WeakThreshold(method)), figures.samples)
      << ", \"poor_threshold\": " << PoorThreshold(method)
      << ", \"poor_share\": " << ShareText(figures.Below(PoorThreshold(method)), figures.samples)
      << ", \"drops\": " << figures.drops << ",\n      \"mean_by_hour\": [";
  for (int hour = 0; hour < 24; ++hour) {
    if (hour > 0) out << ", ";
    if (figures.hour_samples[hour] == 0) {
      out << "null";
    } else {
      out << MeanText(static_cast<double>(figures.hour_sum[hour]) /
                      static_cast<double>(figures.hour_samples[hour]));
    }
  }
  out << "]}";
}

}  // namespace

std::string OneDecimal(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
  return std::string(text, result.ptr);
}

std::string MeanText(double mean) { return OneDecimal(mean); }

std::string MedianText(double median) {
  return median == static_cast<int>(median) ? std::to_string(static_cast<int>(median))
                                            : OneDecimal(median);
}

std::string ShareText(std::uint64_t part, std::uint64_t whole) {
  return MeanText(whole == 0 ? 0.0
                             : 100.0 * static_cast<double>(part) / static_cast<double>(whole));
}

void WriteJson(const Figures& figures, const std::filesystem::path& log, std::ostream& out) {
  out << "{\n  \"log\": " << Quoted(PathText(log))
      << ",\n  \"summary\": {\n    \"lines\": " << figures.lines
      << ", \"unreadable_lines\": " << figures.unreadable << ", \"samples\": " << figures.samples
      << ",\n";
  if (figures.samples > 0) {
    out << "    \"first\": \"" << IsoTime(figures.first, figures.first_offset) << "\", \"last\": \""
        << IsoTime(figures.last, figures.last_offset) << "\",\n";
  } else {
    out << "    \"first\": null, \"last\": null,\n";
  }
  out << "    \"day_month_order\": \""
      << (figures.order == DayMonthOrder::kDayFirst ? "day-month" : "month-day") << "\",\n";
  for (const Method method : {Method::kWirelessTool, Method::kSignalStrength}) {
    const MethodFigures& m = figures.methods[MethodIndex(method)];
    out << "    \"method" << static_cast<int>(method) << "\": ";
    if (m.samples == 0) {
      out << "null";
    } else {
      WriteMethod(m, method, out);
    }
    out << ",\n";
  }
  out << "    \"disconnections\": {\"count\": " << figures.disconnections.count()
      << ", \"total_seconds\": " << figures.disconnections.total_seconds()
      << ", \"longest_seconds\": " << figures.disconnections.longest_seconds()
      << "},\n    \"gaps\": {\"count\": " << figures.gaps.count()
      << ", \"total_seconds\": " << figures.gaps.total_seconds() << "}";
  WriteOutagesJsonSummary(figures, out);
  WriteLinksJsonSummary(figures, out);
  out << "\n  },\n";
  out << "  \"disconnections\": ";
  WriteSpans(figures.disconnections, out);
  out << ",\n  \"gaps\": ";
  WriteSpans(figures.gaps, out);
  WriteOutagesJson(figures, out);
  WriteLinksJson(figures, out);
  out << ",\n  \"by_day\": [";
  bool first = true;
  for (const auto& [key, day] : figures.days) {
    const std::string date = IsoTime(key * 86400, 0).substr(0, 10);
    out << (first ? "\n    " : ",\n    ") << "{\"date\": \"" << date
        << "\", \"samples\": " << day.samples << ", \"disconnections\": " << day.disconnections;
    for (const Method method : {Method::kWirelessTool, Method::kSignalStrength}) {
      const int m = MethodIndex(method);
      out << ", \"method" << static_cast<int>(method) << "\": ";
      if (day.count[m] == 0) {
        out << "null";
      } else {
        out << "{\"samples\": " << day.count[m] << ", \"min\": " << day.min[m] << ", \"mean\": "
            << MeanText(static_cast<double>(day.sum[m]) / static_cast<double>(day.count[m]))
            << ", \"max\": " << day.max[m] << "}";
      }
    }
    out << "}";
    first = false;
  }
  out << (first ? "]" : "\n  ]") << "\n}\n";
}

}  // namespace quorvane::report
