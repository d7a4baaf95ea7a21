#include "ui/qt/HistoryListModel.h"

namespace quorvane {

HistoryListModel::HistoryListModel(HistoryStore& store, QObject* parent)
    : QAbstractListModel(parent), store_(store) {
  store_.set_observer(this);
}

HistoryListModel::~HistoryListModel() { store_.set_observer(nullptr); }

void HistoryListModel::RowAdded(std::size_t row) {
  const int at = static_cast<int>(row);
  beginInsertRows({}, at, at);
  endInsertRows();
}

void HistoryListModel::Cleared() {
  beginResetModel();
  endResetModel();
}

int HistoryListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(store_.size());
}

QVariant HistoryListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  return QString::fromStdString(store_.Line(static_cast<std::size_t>(index.row())));
}

QVariant HistoryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole) return header_;
  return {};
}

}  // namespace quorvane
