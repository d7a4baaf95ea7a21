#pragma once

#include <QObject>
#include <QPoint>

namespace quorvane {

class Form1;
class HistoryView;

// The history list's context menu, opened by a right click, the Menu key or
// Shift+F10. It shows the items the window core offers and hands the one chosen
// back to the core; the menu does not hold up the window's timers.
class HistoryContextMenu : public QObject {
  Q_OBJECT

 public:
  // `form` is where the choices go; while it is null the menu does not open.
  HistoryContextMenu(HistoryView* list, Form1* const& form);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Open(const QPoint& global);

  HistoryView* list_;
  Form1* const& form_;
};

}  // namespace quorvane
