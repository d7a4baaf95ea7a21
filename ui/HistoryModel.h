#pragma once

#include <QAbstractListModel>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Clock.h"
#include "sampling/StatusSampler.h"

namespace quorvane {

// The history list of the current run. Each sample is kept as one 64-bit record
// (its time stamp and the number of its value text) and its line is composed
// only when a view asks for it, so a run of millions of samples stays small.
class HistoryModel : public QAbstractListModel, public HistoryList {
  Q_OBJECT

 public:
  HistoryModel(const Clock& clock, QString header, QObject* parent = nullptr);

  void Add(const HistoryEntry& entry) override;
  void Clear();
  // The line of a row, exactly as it went to the log.
  std::string Line(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::uint16_t ValueNumber(const std::string& value_text);

  const Clock& clock_;
  QString header_;
  std::vector<std::uint64_t> records_;
  // The few distinct value texts ("70%", "4", ...), numbered in order of arrival.
  std::vector<std::string> values_;
  std::unordered_map<std::string, std::uint16_t> value_numbers_;
};

}  // namespace quorvane
