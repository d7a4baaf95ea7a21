#include "journal/CsvFields.h"

namespace quorvane::journal {

void AppendField(std::string& row, std::string_view field) {
  const bool quoted = field.find_first_of(",\"\r\n") != std::string_view::npos ||
                      (!field.empty() && (field.front() == ' ' || field.back() == ' '));
  if (!quoted) {
    row += field;
    return;
  }
  row += '"';
  for (const char c : field) {
    if (c == '"') row += '"';
    row += c;
  }
  row += '"';
}

bool SplitRow(std::string_view row, std::vector<std::string_view>& fields, std::string& unquoted) {
  fields.clear();
  unquoted.clear();
  // Never longer than the row, so the views into it stay put.
  unquoted.reserve(row.size());
  std::size_t i = 0;
  while (true) {
    if (i < row.size() && row[i] == '"') {
      const std::size_t start = unquoted.size();
      ++i;
      while (true) {
        if (i >= row.size()) return false;
        if (row[i] == '"') {
          if (i + 1 < row.size() && row[i + 1] == '"') {
            unquoted += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        unquoted += row[i++];
      }
      if (i < row.size() && row[i] != ',') return false;
      fields.push_back(std::string_view(unquoted).substr(start));
    } else {
      const std::size_t comma = row.find(',', i);
      const std::size_t end = comma == std::string_view::npos ? row.size() : comma;
      fields.push_back(row.substr(i, end - i));
      i = end;
    }
    if (i >= row.size()) return true;
    ++i;  // the comma
  }
}

}  // namespace quorvane::journal
