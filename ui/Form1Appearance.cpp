// The skin, the hand pointer and the pointer's feedback over the controls.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include "sampling/FileOperations.h"
#include "ui/Appearance.h"
#include "ui/Form1.h"
#include "ui/HistoryView.h"

namespace quorvane {

void Form1::ApplySkin() {
  const auto skin = SkinFilePath(services_.program_folder);
  if (!std::filesystem::is_regular_file(skin)) return;  // no skin: plain white window

  // Backgrounds first, in the desktop's button-face colour, then the skin itself.
  const QColor button_face = QApplication::palette().color(QPalette::Button);
  QList<QWidget*> plain{this};
  for (QWidget* child : findChildren<QWidget*>())
    if (qobject_cast<QGroupBox*>(child) || qobject_cast<QRadioButton*>(child) ||
        qobject_cast<QCheckBox*>(child))
      plain << child;
  for (QWidget* widget : plain) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, button_face);
    widget->setPalette(palette);
  }
  setStyleSheet(LoadSkin(skin));
}

void Form1::LoadCustomPointer() {
  const auto file = CursorFilePath(services_.program_folder);
  if (FileExists(file)) custom_pointer_ = LoadCursorFile(file);
}

void Form1::SetPointerMode(int mode) {
  pointer_mode_ = mode;
  switch (mode) {
    case kBusyPointer:
      setCursor(Qt::WaitCursor);
      break;
    case kHandPointer:
      setCursor(custom_pointer_.value_or(QCursor(Qt::PointingHandCursor)));
      break;
    default:
      unsetCursor();
  }
}

void Form1::TrackPointer() {
  // Moves of the pointer are seen over the window, its frames, its lists and its
  // push buttons; the option buttons, check boxes and the bar leave it as it was.
  QList<QWidget*> watched{
      this, Frame1, Frame2, Frame3, ListView1->viewport(), ListView2->viewport()};
  for (QPushButton* button : findChildren<QPushButton*>()) watched << button;
  for (QWidget* widget : watched) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
  }
}

void Form1::OnPointerMoved(QWidget* over) {
  if (pointer_mode_ == kBusyPointer) return;  // the busy pointer stays until its work ends
  // The nearest control that has a say: buttons show the hand; the window, its
  // frames and lists the arrow; option buttons, check boxes and the bar nothing.
  for (QWidget* widget = over; widget; widget = widget->parentWidget()) {
    if (qobject_cast<QPushButton*>(widget)) {
      SetPointerMode(kHandPointer);
      return;
    }
    if (qobject_cast<QRadioButton*>(widget) || qobject_cast<QCheckBox*>(widget) ||
        widget == ProgressBar1)
      return;
    if (widget == this || qobject_cast<QGroupBox*>(widget) || widget == ListView1 ||
        widget == ListView2) {
      if (pointer_mode_ != kDefaultPointer) SetPointerMode(kDefaultPointer);
      return;
    }
  }
}

}  // namespace quorvane
