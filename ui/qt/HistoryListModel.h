#pragma once

#include <QAbstractListModel>

#include "window/HistoryStore.h"

namespace quorvane {

// The history store as a Qt list model: a line is composed only when a view
// asks for it, so the model adds nothing per row.
class HistoryListModel : public QAbstractListModel, private HistoryStore::Observer {
  Q_OBJECT

 public:
  explicit HistoryListModel(HistoryStore& store, QObject* parent = nullptr);
  ~HistoryListModel() override;

  void SetHeader(QString header) { header_ = std::move(header); }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  void RowAdded(std::size_t row) override;
  void Cleared() override;

  HistoryStore& store_;
  QString header_;
};

}  // namespace quorvane
