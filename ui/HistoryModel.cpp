#include "ui/HistoryModel.h"

#include "sampling/HistoryLog.h"

namespace quorvane {
namespace {

// Bit layout of a record: value number (16), year (16), month (4), day (5),
// hour (5), minute (6), second (6).
std::uint64_t Pack(const LocalDateTime& when, std::uint16_t value) {
  std::uint64_t bits = value;
  bits = bits << 16 | static_cast<std::uint16_t>(when.year);
  bits = bits << 4 | (when.month & 0xF);
  bits = bits << 5 | (when.day & 0x1F);
  bits = bits << 5 | (when.hour & 0x1F);
  bits = bits << 6 | (when.minute & 0x3F);
  bits = bits << 6 | (when.second & 0x3F);
  return bits;
}

LocalDateTime UnpackTime(std::uint64_t bits) {
  LocalDateTime when;
  when.second = bits & 0x3F;
  when.minute = bits >> 6 & 0x3F;
  when.hour = bits >> 12 & 0x1F;
  when.day = bits >> 17 & 0x1F;
  when.month = bits >> 22 & 0xF;
  when.year = static_cast<std::int16_t>(bits >> 26 & 0xFFFF);
  return when;
}

std::uint16_t UnpackValue(std::uint64_t bits) { return bits >> 42 & 0xFFFF; }

}  // namespace

HistoryModel::HistoryModel(const Clock& clock, QString header, QObject* parent)
    : QAbstractListModel(parent), clock_(clock), header_(std::move(header)) {}

std::uint16_t HistoryModel::ValueNumber(const std::string& value_text) {
  if (const auto found = value_numbers_.find(value_text); found != value_numbers_.end())
    return found->second;
  // Readers give a handful of texts; should a broken tool produce endless new
  // ones, the last number is shared rather than the table growing without end.
  if (values_.size() == 0xFFFF) return 0xFFFE;
  const auto number = static_cast<std::uint16_t>(values_.size());
  values_.push_back(value_text);
  value_numbers_.emplace(value_text, number);
  return number;
}

void HistoryModel::Add(const HistoryEntry& entry) {
  const auto record = Pack(entry.when, ValueNumber(entry.value_text));
  const int row = static_cast<int>(records_.size());
  beginInsertRows({}, row, row);
  records_.push_back(record);
  endInsertRows();
}

void HistoryModel::Clear() {
  beginResetModel();
  records_.clear();
  records_.shrink_to_fit();
  endResetModel();
}

std::string HistoryModel::Line(int row) const {
  const auto record = records_.at(static_cast<std::size_t>(row));
  const LocalDateTime when = UnpackTime(record);
  return ComposeHistoryLine(DateTimeText(clock_, when), values_.at(UnpackValue(record)));
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(records_.size());
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  return QString::fromStdString(Line(index.row()));
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole) return header_;
  return {};
}

}  // namespace quorvane
