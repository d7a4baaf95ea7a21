#include "ui/qt/HistoryView.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "window/HistoryStore.h"

namespace quorvane {

HistoryView::HistoryView(QWidget* parent)
    : QAbstractScrollArea(parent), header_(new QHeaderView(Qt::Horizontal, this)) {
  setFocusPolicy(Qt::StrongFocus);
  header_->setStretchLastSection(false);
  header_->setSectionsMovable(false);
  header_->setSectionsClickable(false);
  header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  connect(header_, &QHeaderView::sectionResized, this, [this] {
    UpdateScrollRanges();
    viewport()->update();
  });
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  verticalScrollBar()->setSingleStep(1);  // the vertical scroll bar counts rows
}

void HistoryView::setModel(QAbstractItemModel* model) {
  if (model_) model_->disconnect(this);
  model_ = model;
  header_->setModel(model);
  connect(model, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) {
            const int shown_before = firstVisibleRow() + visibleRowCount();
            const int rows_before = model_->rowCount() - (last - first + 1);
            // While hidden the list cannot be looked at nor scrolled: once it was
            // following, it catches up with the newest line when shown again.
            follow_when_shown_ = follow_when_shown_ ||
                                 FollowsNewLine(static_cast<std::size_t>(firstVisibleRow()),
                                                static_cast<std::size_t>(visibleRowCount()),
                                                static_cast<std::size_t>(std::max(0, rows_before)));
            UpdateScrollRanges();
            if (follow_when_shown_ && isVisible()) {
              follow_when_shown_ = false;
              scrollToBottom();
            }
            if (first <= shown_before || rows_before == 0)
              viewport()->update();  // only a new row in sight is painted, or the cue goes
            if (rows_before == 0) UpdateEmptyCue();
            if (QAccessible::isActive()) {
              // Readers learn of the line; none reads it out unasked.
              QAccessibleEvent added(this, QAccessible::ObjectCreated);
              added.setChild(first);
              QAccessible::updateAccessibility(&added);
            }
          });
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    follow_when_shown_ = false;
    UpdateScrollRanges();
    UpdateEmptyCue();
    viewport()->update();
  });
  connect(model, &QAbstractItemModel::dataChanged, viewport(), qOverload<>(&QWidget::update));
  UpdateScrollRanges();
}

int HistoryView::rowHeight() const { return fontMetrics().height() + 2; }

int HistoryView::firstVisibleRow() const { return verticalScrollBar()->value(); }

int HistoryView::visibleRowCount() const { return std::max(1, viewport()->height() / rowHeight()); }

void HistoryView::scrollToBottom() {
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

int HistoryView::LastVisibleRow() const {
  const int rows = model_ ? model_->rowCount() : 0;
  return std::min(rows, firstVisibleRow() + visibleRowCount()) - 1;
}

int HistoryView::currentRow() const {
  const int rows = model_ ? model_->rowCount() : 0;
  return current_row_ < rows ? current_row_ : rows - 1;
}

void HistoryView::SetCurrentRow(int row) {
  if (row != current_row_) viewport()->update();
  current_row_ = row;
  if (row < 0 || !hasFocus()) return;
  QAccessibleEvent focus(this, QAccessible::Focus);
  focus.setChild(row);
  QAccessible::updateAccessibility(&focus);
}

void HistoryView::UpdateScrollRanges() {
  // A hidden list measures nothing (which would load fonts); it does so when shown.
  if (!isVisible()) {
    ranges_stale_ = true;
    return;
  }
  ranges_stale_ = false;
  const int rows = model_ ? model_->rowCount() : 0;
  // A list at its end stays there as its rows or its height change (the window
  // mapped anew out of the tray passes through other sizes on the way).
  QScrollBar* bar = verticalScrollBar();
  const bool at_end = bar->value() >= bar->maximum();
  bar->setRange(0, std::max(0, rows - visibleRowCount()));
  bar->setPageStep(visibleRowCount());
  if (at_end) bar->setValue(bar->maximum());
  const int width = header_->length();
  horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
}

void HistoryView::PlaceHeader() {
  const int height = header_->sizeHint().height();
  setViewportMargins(0, height, 0, 0);
  const QRect area = viewport()->geometry();
  header_->setGeometry(area.left(), area.top() - height, area.width(), height);
}

void HistoryView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  if (ranges_stale_) UpdateScrollRanges();
  if (follow_when_shown_) {
    follow_when_shown_ = false;
    scrollToBottom();
  }
}

void HistoryView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  PlaceHeader();
  UpdateScrollRanges();
}

bool HistoryView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Polish || event->type() == QEvent::FontChange) PlaceHeader();
  return QAbstractScrollArea::viewportEvent(event);
}

void HistoryView::scrollContentsBy(int dx, int /*dy*/) {
  if (dx) header_->setOffset(horizontalScrollBar()->value());
  viewport()->update();
}

void HistoryView::SetEmptyCue(const QString& cue) {
  empty_cue_ = cue;
  UpdateEmptyCue();
  viewport()->update();
}

void HistoryView::UpdateEmptyCue() {
  const bool empty = !model_ || model_->rowCount() == 0;
  setAccessibleDescription(empty ? empty_cue_ : QString());
}

void HistoryView::paintEvent(QPaintEvent* /*event*/) {
  if (!model_) return;
  QPainter painter(viewport());
  const int rows = model_->rowCount();
  if (rows == 0 && !empty_cue_.isEmpty()) {
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect().adjusted(8, 4, -8, -4), Qt::AlignCenter | Qt::TextWordWrap,
                     empty_cue_);
  }
  const int height = rowHeight();
  const int left = 4 - horizontalScrollBar()->value();
  const int width = std::max(header_->length(), viewport()->width());
  const int first = firstVisibleRow();
  // Whole rows only: a row cut at the bottom edge would pass for the last line.
  const int last = std::min(rows, first + visibleRowCount());
  // With the keyboard here, the current line is shown, so a user who moves with
  // the arrow keys sees where they are, as a screen reader hears it.
  const int current = hasFocus() ? currentRow() : -1;
  for (int row = first, y = 0; row < last; ++row, y += height) {
    const QString text = model_->data(model_->index(row, 0), Qt::DisplayRole).toString();
    const bool highlighted = row == current;
    if (highlighted)
      painter.fillRect(QRect(0, y, width, height), palette().color(QPalette::Highlight));
    painter.setPen(palette().color(highlighted ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(QRect(left, y, width, height), Qt::AlignLeft | Qt::AlignVCenter, text);
  }
  if (hasFocus()) {
    // The list takes the keyboard (it scrolls), so it shows when it has it.
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = viewport()->rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

void HistoryView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
  SetCurrentRow(LastVisibleRow());
}

void HistoryView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

void HistoryView::keyPressEvent(QKeyEvent* event) {
  QScrollBar* bar = verticalScrollBar();
  switch (event->key()) {
    case Qt::Key_Up:
      bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
      SetCurrentRow(firstVisibleRow());
      break;
    case Qt::Key_Down:
      bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      SetCurrentRow(LastVisibleRow());
      break;
    case Qt::Key_PageUp:
      bar->triggerAction(QAbstractSlider::SliderPageStepSub);
      SetCurrentRow(firstVisibleRow());
      break;
    case Qt::Key_PageDown:
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      SetCurrentRow(LastVisibleRow());
      break;
    case Qt::Key_Home:
      bar->setValue(0);
      SetCurrentRow(model_ && model_->rowCount() > 0 ? 0 : -1);
      break;
    case Qt::Key_End:
      bar->setValue(bar->maximum());
      SetCurrentRow(LastVisibleRow());
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
  }
}

}  // namespace quorvane
