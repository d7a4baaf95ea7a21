#include "ui/qt/HistoryContextMenu.h"

#include <QAbstractItemModel>
#include <QKeyEvent>
#include <QMenu>

#include "ui/qt/HistoryView.h"
#include "window/Form1.h"

namespace quorvane {

HistoryContextMenu::HistoryContextMenu(HistoryView* list, Form1* const& form)
    : QObject(list), list_(list), form_(form) {
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  // The position is the viewport's for a click; for the Menu key it is the
  // list's own middle, which the viewport's frame of reference moves little.
  connect(list, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { Open(list_->viewport()->mapToGlobal(at)); });
  list->installEventFilter(this);
}

bool HistoryContextMenu::eventFilter(QObject* watched, QEvent* event) {
  // Shift+F10 is the other keyboard way to a context menu; Qt maps only the Menu
  // key on X11.
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
      Open(list_->mapToGlobal(list_->rect().center()));
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void HistoryContextMenu::Open(const QPoint& global) {
  if (!form_) return;
  auto* menu = new QMenu(list_);
  menu->setObjectName(QStringLiteral("HistoryContextMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (const MenuItem& item : form_->HistoryMenuItems()) {
    QAction* action = menu->addAction(QString::fromStdString(item.text));
    action->setEnabled(item.enabled);
    action->setCheckable(item.checkable);
    action->setChecked(item.checked);
    const HistoryCommand command = item.command;
    // Carried out once the menu has closed, so a dialog it opens is not nested
    // inside the menu's own handling.
    connect(
        action, &QAction::triggered, this,
        [this, command] {
          if (form_) form_->HistoryMenuChosen(command);
        },
        Qt::QueuedConnection);
  }
  menu->popup(global);
}

}  // namespace quorvane
