#include "ui/qt/HistoryAccessible.h"

#include <QAbstractItemModel>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QScrollBar>

#include "ui/qt/HistoryView.h"

namespace quorvane {
namespace {

int RowCount(const HistoryView* view) {
  return view && view->model() ? view->model()->rowCount() : 0;
}

// One line of the list. It keeps only its row number and reads the line when
// asked, so it stays right as lines are added or the list is cleared.
class HistoryRowAccessible : public QAccessibleInterface {
 public:
  HistoryRowAccessible(HistoryView* view, int row) : view_(view), row_(row) {}

  bool isValid() const override { return view_ && row_ < RowCount(view_); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return view_ ? QAccessible::queryAccessibleInterface(view_) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return view_->model()->data(view_->model()->index(row_, 0), Qt::DisplayRole).toString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::ListItem; }

  QRect rect() const override {
    if (!InSight()) return {};
    const int top = (row_ - view_->firstVisibleRow()) * view_->rowHeight();
    const QWidget* viewport = view_->viewport();
    return {viewport->mapToGlobal(QPoint(0, top)), QSize(viewport->width(), view_->rowHeight())};
  }

  QAccessible::State state() const override {
    QAccessible::State state;
    state.readOnly = true;
    state.focusable = true;
    state.invisible = !isValid();
    state.offscreen = !InSight();
    state.focused = view_ && view_->hasFocus() && view_->currentRow() == row_;
    return state;
  }

  int row() const { return row_; }

 private:
  bool InSight() const {
    if (!isValid() || !view_->isVisible()) return false;
    const int first = view_->firstVisibleRow();
    return row_ >= first && row_ < first + view_->visibleRowCount();
  }

  QPointer<HistoryView> view_;
  int row_;
};

class HistoryListAccessible : public QAccessibleWidget {
 public:
  explicit HistoryListAccessible(HistoryView* view) : QAccessibleWidget(view, QAccessible::List) {}

  ~HistoryListAccessible() override {
    for (const QAccessible::Id id : std::as_const(rows_))
      QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return RowCount(View()); }

  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    if (const auto made = rows_.constFind(index); made != rows_.constEnd())
      return QAccessible::accessibleInterface(*made);
    if (rows_.size() >= kMostRowsKept) ForgetRowsOutOfSight();
    auto* row = new HistoryRowAccessible(View(), index);
    rows_.insert(index, QAccessible::registerAccessibleInterface(row));
    return row;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child || child->role() != QAccessible::ListItem || child->parent() != this) return -1;
    return static_cast<const HistoryRowAccessible*>(child)->row();
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    const QWidget* viewport = View()->viewport();
    const QPoint at = viewport->mapFromGlobal(QPoint(x, y));
    if (!viewport->rect().contains(at)) return nullptr;
    return child(View()->firstVisibleRow() + at.y() / View()->rowHeight());
  }

  QAccessibleInterface* focusChild() const override {
    if (!View()->hasFocus()) return nullptr;
    return child(View()->currentRow());
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    return state;
  }

 private:
  HistoryView* View() const { return static_cast<HistoryView*>(widget()); }

  // A reader that walks a long list, or hears of every new line, would otherwise
  // leave one item behind per line. Those out of sight are made again if asked.
  void ForgetRowsOutOfSight() const {
    const int first = View()->firstVisibleRow();
    const int last = first + View()->visibleRowCount();
    for (auto kept = rows_.begin(); kept != rows_.end();) {
      const int row = kept.key();
      if ((row >= first && row <= last) || row == View()->currentRow()) {
        ++kept;
        continue;
      }
      QAccessible::deleteAccessibleInterface(kept.value());
      kept = rows_.erase(kept);
    }
  }

  static constexpr qsizetype kMostRowsKept = 1024;

  // The rows a reader has asked for, by row; Qt owns them by their ids.
  mutable QHash<int, QAccessible::Id> rows_;
};

}  // namespace

QAccessibleInterface* HistoryAccessibleFactory(const QString&, QObject* object) {
  if (auto* view = qobject_cast<HistoryView*>(object)) return new HistoryListAccessible(view);
  // A top-level QWidget of no special kind reads as a "filler"; the main window
  // is a window, named by its title.
  if (object && object->objectName() == QLatin1String("Form1") && object->isWidgetType() &&
      static_cast<QWidget*>(object)->isWindow())
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  return nullptr;
}

void InstallHistoryAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(HistoryAccessibleFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace quorvane
