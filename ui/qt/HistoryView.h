#pragma once

#include <QAbstractScrollArea>
#include <QPointer>

class QAbstractItemModel;
class QHeaderView;

namespace quorvane {

// A one-column list with a header that paints only the rows in sight. Unlike
// the item views it keeps nothing per row and never lays all rows out again, so
// adding the millionth line costs what adding the first did.
class HistoryView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit HistoryView(QWidget* parent = nullptr);

  void setModel(QAbstractItemModel* model);
  QAbstractItemModel* model() const { return model_; }
  QHeaderView* header() const { return header_; }

  int rowHeight() const;
  // The first row in sight.
  int firstVisibleRow() const;
  int visibleRowCount() const;
  void scrollToBottom();
  // The words painted in the list's area, and given to screen readers as its
  // description, while it has no row.
  void SetEmptyCue(const QString& cue);

  // The row a screen reader reads: the one the last key brought into sight, or
  // the last one in sight when the list takes the focus; -1 while the list is empty.
  int currentRow() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void UpdateScrollRanges();
  void UpdateEmptyCue();
  void PlaceHeader();
  void SetCurrentRow(int row);
  int LastVisibleRow() const;

  QPointer<QAbstractItemModel> model_;
  QHeaderView* header_;
  bool ranges_stale_ = true;
  int current_row_ = -1;
  bool follow_when_shown_ = false;
  QString empty_cue_;
};

}  // namespace quorvane
