// The controls of the main window: kinds, captions, places, fonts and colours.
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>

#include "ui/Form1.h"
#include "ui/HistoryModel.h"
#include "ui/HistoryView.h"
#include "ui/Twips.h"

namespace quorvane {
namespace {

QFont Arial(double points, bool bold) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void PaintWhite(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::Button, Qt::white);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

template <typename Control>
Control* Place(Control* control, const char* name, QRect twips_rect, QFont font) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(twips_rect);
  control->setFont(font);
  return control;
}

QTreeView* MakeList(QWidget* parent, const char* name, QRect rect) {
  auto* list = Place(new QTreeView(parent), name, rect, Arial(9, true));
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);  // rows need not be measured one by one
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->header()->setStretchLastSection(false);
  list->header()->setSectionsMovable(false);
  return list;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QRect rect) {
  auto* button =
      Place(new QPushButton(QString::fromLatin1(caption), parent), name, rect, Arial(11.25, true));
  PaintWhite(button);
  return button;
}

}  // namespace

bool Form1::focusNextPrevChild(bool next) {
  // Walks the fixed tab order, skipping controls that are hidden or disabled.
  const qsizetype count = tab_order_.size();
  qsizetype at = -1;
  for (qsizetype i = 0; i < count; ++i)
    if (tab_order_[i] == focusWidget() || tab_order_[i]->isAncestorOf(focusWidget())) at = i;
  for (qsizetype step = 1; step <= count; ++step) {
    QWidget* candidate = tab_order_[((at + (next ? step : -step)) % count + count) % count];
    if (candidate->isVisible() && candidate->isEnabled()) {
      candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return false;
}

void Form1::CreateControls() {
  setWindowTitle(QStringLiteral("Form1"));
  // Only the hints named here: a minimise and a close button, no maximise button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(TwipsToPixels(8040), TwipsToPixels(8550));
  setFont(Arial(9, false));
  PaintWhite(this);

  Frame3 = Place(new QGroupBox(QStringLiteral("Signal Method"), this), "Frame3",
                 TwipsRect(120, 7710, 7800, 735), Arial(9, true));
  Option2 = Place(new QRadioButton(QStringLiteral("Method #2"), Frame3), "Option2",
                  TwipsRect(2160, 300, 1695, 225), Arial(9, true));
  Option1 = Place(new QRadioButton(QStringLiteral("Method #1"), Frame3), "Option1",
                  TwipsRect(240, 300, 1695, 225), Arial(9, true));
  Option1->setChecked(true);
  PushButton3 = MakeButton(Frame3, "PushButton3", "?", TwipsRect(4200, 200, 480, 405));

  Frame2 = Place(new QGroupBox(QStringLiteral("Startup Options"), this), "Frame2",
                 TwipsRect(120, 5360, 7800, 735), Arial(9, true));
  Check4 = Place(new QCheckBox(QStringLiteral("Load this software on Windows startup"), Frame2),
                 "Check4", TwipsRect(240, 300, 3930, 285), Arial(9, true));
  Check8 = Place(new QCheckBox(QStringLiteral("Minimized to system tray"), Frame2), "Check8",
                 TwipsRect(4320, 300, 2580, 285), Arial(9, true));
  Check8->setVisible(false);

  Frame1 = Place(new QGroupBox(QStringLiteral("Next log will occur in"), this), "Frame1",
                 TwipsRect(120, 120, 7800, 840), Arial(9, true));
  ProgressBar1 = Place(new QProgressBar(Frame1), "ProgressBar1", TwipsRect(240, 285, 7320, 405),
                       Arial(9, true));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setFormat(QStringLiteral("Progress Bar"));
  ProgressBar1->setTextVisible(true);
  ProgressBar1->setAlignment(Qt::AlignCenter);
  {
    QPalette palette = ProgressBar1->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    ProgressBar1->setPalette(palette);
    // Filling its own background makes it opaque: its repaints stop at its edges.
    ProgressBar1->setAutoFillBackground(true);
  }
  for (QWidget* plain :
       {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2), static_cast<QWidget*>(Frame3),
        static_cast<QWidget*>(Option1), static_cast<QWidget*>(Option2),
        static_cast<QWidget*>(Check4), static_cast<QWidget*>(Check8)})
    PaintWhite(plain);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);

  ListView2 = MakeList(this, "ListView2", TwipsRect(120, 3720, 7800, 1590));
  intervals_ = new QStandardItemModel(0, 1, this);
  ListView2->setModel(intervals_);

  ListView1 =
      Place(new HistoryView(this), "ListView1", TwipsRect(120, 1080, 7800, 2535), Arial(9, true));
  ListView1->setModel(history_);

  PushButton5 =
      MakeButton(this, "PushButton5", "Turn On Automatic Logging", TwipsRect(120, 6225, 3840, 405));
  PushButton6 = MakeButton(this, "PushButton6", "Log Current Status Now (Test)",
                           TwipsRect(4080, 6225, 3840, 405));
  PushButton1 =
      MakeButton(this, "PushButton1", "View History Log", TwipsRect(120, 6735, 3840, 405));
  PushButton2 = MakeButton(this, "PushButton2", "Copy History To Clipboard",
                           TwipsRect(4080, 6735, 3840, 405));
  PushButton11 = MakeButton(this, "PushButton11", "Help", TwipsRect(120, 7245, 3840, 405));
  PushButton12 =
      MakeButton(this, "PushButton12", "Clear History Log", TwipsRect(4080, 7245, 3840, 405));

  // Tab order; the frames and the progress bar take no focus of their own.
  tab_order_ = {ListView1,   ListView2, PushButton5, PushButton6,  PushButton1,
                PushButton2, Check8,    Check4,      PushButton11, PushButton12,
                Option1,     Option2,   PushButton3};
}

}  // namespace quorvane
