#include "ui/qt/Form1Window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <utility>

#include "ui/qt/Appearance.h"
#include "ui/qt/FrameBox.h"
#include "ui/qt/HistoryAccessible.h"
#include "ui/qt/HistoryContextMenu.h"
#include "ui/qt/HistoryListModel.h"
#include "ui/qt/HistoryView.h"
#include "ui/qt/Icons.h"
#include "window/AccessibleNames.h"
#include "window/ColourContrast.h"
#include "window/Form1.h"
#include "window/HistoryMenu.h"

namespace quorvane {
namespace {

QRect PixelRect(const TwipsRect& twips) {
  return {TwipsToPixels(twips.left), TwipsToPixels(twips.top), TwipsToPixels(twips.width),
          TwipsToPixels(twips.height)};
}

QFont FontOf(const FontSpec& font_spec) {
  QFont font(
      QString::fromUtf8(font_spec.face.data(), static_cast<qsizetype>(font_spec.face.size())));
  font.setPointSizeF(font_spec.points);
  font.setBold(font_spec.bold);
  return font;
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Both roles: a button-like control fills its background from the Button role,
// the rest from the Window role.
void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  palette.setColor(QPalette::Button, colour);
  palette.setColor(QPalette::Base, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QTreeView* MakeList(QWidget* parent) {
  auto* list = new QTreeView(parent);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);  // rows need not be measured one by one
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->header()->setStretchLastSection(false);
  list->header()->setSectionsMovable(false);
  return list;
}

}  // namespace

Form1Window::Form1Window(HistoryStore& history, QWidget* parent)
    : QWidget(parent), history_model_(new HistoryListModel(history, this)) {
  InstallHistoryAccessibility();
  CreateControls();
  ConnectControls();
  TrackPointer();
}

Form1Window::~Form1Window() = default;

void Form1Window::CreateControls() {
  const ControlSpec& window = SpecOf(Control::Form1);
  setObjectName(Text(window.name));
  setWindowTitle(Text(window.caption));
  // Only the hints named here: a minimise and a close button, no maximise button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(TwipsToPixels(window.rect.width), TwipsToPixels(window.rect.height));
  setFont(FontOf(window.font));
  const bool high_contrast = HighContrast();
  if (!high_contrast) SetBackground(this, QColor::fromRgb(window.background));
  controls_[static_cast<std::size_t>(Control::Form1)] = this;

  for (const ControlSpec& entry : Form1Layout()) {
    if (!entry.parent) continue;
    QWidget* parent = ControlWidget(*entry.parent);
    QWidget* widget = nullptr;
    switch (entry.kind) {
      case ControlKind::kFrame:
        widget = new FrameBox(Text(entry.caption), parent);
        break;
      case ControlKind::kOptionButton:
        widget = new QRadioButton(Text(entry.caption), parent);
        break;
      case ControlKind::kCheckBox:
        widget = new QCheckBox(Text(entry.caption), parent);
        break;
      case ControlKind::kPushButton:
        widget = new QPushButton(Text(entry.caption), parent);
        break;
      case ControlKind::kProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setFormat(Text(entry.caption));
        bar->setTextVisible(true);
        bar->setAlignment(Qt::AlignCenter);
        widget = bar;
        break;
      }
      case ControlKind::kListView:
        if (entry.id == Control::ListView1) {
          auto* history = new HistoryView(parent);
          history->setModel(history_model_);
          history->SetEmptyCue(QString::fromUtf8(kEmptyHistoryCue));
          widget = history;
        } else {
          auto* list = MakeList(parent);
          intervals_ = new QStandardItemModel(0, 1, this);
          list->setModel(intervals_);
          widget = list;
        }
        break;
      case ControlKind::kWindow:
        continue;
    }
    widget->setObjectName(Text(entry.name));
    widget->setGeometry(PixelRect(entry.rect));
    widget->setFont(FontOf(entry.font));
    if (entry.kind != ControlKind::kListView && !high_contrast)
      SetBackground(widget, QColor::fromRgb(entry.background));
    widget->setFocusPolicy(entry.tab_index >= 0 ? Qt::StrongFocus : Qt::NoFocus);
    widget->setVisible(entry.visible);
    controls_[static_cast<std::size_t>(entry.id)] = widget;
    control_of_.insert(widget, entry.id);
  }
  for (const ControlSpec& entry : Form1Layout())
    if (NameSourceOf(entry.id) == NameSource::kFrameCaption)
      NameAfter(NameGiver(entry.id), SpecOf(NameGiver(entry.id)).caption);
}

void Form1Window::NameAfter(Control giver, std::string_view text) {
  // A screen reader's name for the controls that this caption or header names,
  // where it is not what Qt reads from the control itself.
  for (Control named : NamedBy(giver))
    ControlWidget(named)->setAccessibleName(Text(AccessibleName(text)));
}

QWidget* Form1Window::ControlWidget(Control control) const {
  return controls_.at(static_cast<std::size_t>(control));
}

QTreeView* Form1Window::IntervalList() const {
  return static_cast<QTreeView*>(ControlWidget(Control::ListView2));
}

HistoryView* Form1Window::HistoryList() const {
  return static_cast<HistoryView*>(ControlWidget(Control::ListView1));
}

QAbstractButton* Form1Window::Button(Control control) const {
  return qobject_cast<QAbstractButton*>(ControlWidget(control));
}

void Form1Window::ConnectControls() {
  // A box's or option's value set by the core is set with its signals blocked,
  // so toggles report the user's changes only; an option reports being chosen.
  for (const auto& entry : Form1Layout()) {
    QAbstractButton* const button = Button(entry.id);
    if (!button || entry.id == Control::Form1) continue;
    if (entry.kind == ControlKind::kPushButton) {
      connect(button, &QAbstractButton::clicked, this, [this, control = entry.id] {
        if (form_) form_->Clicked(control);
      });
    } else {
      const bool only_on = entry.kind == ControlKind::kOptionButton;
      connect(button, &QAbstractButton::toggled, this,
              [this, control = entry.id, only_on](bool on) {
                if (form_ && (on || !only_on)) form_->Clicked(control);
              });
    }
  }
  new HistoryContextMenu(HistoryList(), form_);
  // A click on the interval list: any left release over it, on a row or not.
  IntervalList()->viewport()->installEventFilter(this);
  // A row chosen with the keyboard is stored as a click would store it; a row
  // chosen with the mouse is reported by the release.
  connect(IntervalList()->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (form_ && !selecting_row_ && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
      form_->IntervalClicked();
  });
}

void Form1Window::TrackPointer() {
  // Moves of the pointer are watched over the controls whose hover rule changes
  // the pointer; the core decides what each one means. The others (the progress
  // bar repaints every second) are left unwatched.
  QList<QWidget*> watched{HistoryList()->viewport(), IntervalList()->viewport()};
  for (const ControlSpec& entry : Form1Layout())
    if (entry.hover != ControlSpec::Hover::kKeep) watched << ControlWidget(entry.id);
  for (QWidget* widget : watched) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
  }
}

std::optional<Control> Form1Window::ControlAt(QWidget* widget) const {
  for (; widget; widget = widget->parentWidget()) {
    if (widget == this) return Control::Form1;
    if (const auto found = control_of_.find(widget); found != control_of_.end())
      return found.value();
  }
  return std::nullopt;
}

bool Form1Window::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove && watched->isWidgetType() && form_) {
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* under = widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (const auto control = ControlAt(under ? under : widget)) form_->PointerMovedOver(*control);
  }
  if (watched == IntervalList()->viewport() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    // After the list has handled the press and release and settled its selection.
    QTimer::singleShot(0, this, [this] {
      if (form_) form_->IntervalClicked();
    });
  }
  return QWidget::eventFilter(watched, event);
}

bool Form1Window::focusNextPrevChild(bool next) {
  // Walks the fixed tab order, skipping controls that are hidden or disabled.
  const auto order = TabOrder();
  const int count = static_cast<int>(order.size());
  int at = -1;
  for (int i = 0; i < count; ++i) {
    QWidget* control = ControlWidget(order[static_cast<std::size_t>(i)]);
    if (control == focusWidget() || control->isAncestorOf(focusWidget())) at = i;
  }
  for (int step = 1; step <= count; ++step) {
    QWidget* candidate = ControlWidget(
        order[static_cast<std::size_t>(((at + (next ? step : -step)) % count + count) % count)]);
    if (candidate->isVisible() && candidate->isEnabled()) {
      candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return false;
}

// --- What the core asks --------------------------------------------------------

void Form1Window::SetCaption(Control control, const std::string& text) {
  const QString caption = QString::fromStdString(text);
  QWidget* widget = ControlWidget(control);
  if (control == Control::Form1) {
    setWindowTitle(caption);
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    if (frame->title() != caption) frame->setTitle(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(caption);
  }
  NameAfter(control, text);
}

void Form1Window::SetChecked(Control control, bool checked) {
  QAbstractButton* button = Button(control);
  const QSignalBlocker quiet(button);
  // The core keeps the options apart; exclusivity would refuse to clear one.
  const bool exclusive = button->autoExclusive();
  button->setAutoExclusive(false);
  button->setChecked(checked);
  button->setAutoExclusive(exclusive);
}

bool Form1Window::IsChecked(Control control) const { return Button(control)->isChecked(); }

void Form1Window::SetVisible(Control control, bool visible) {
  ControlWidget(control)->setVisible(visible);
}

void Form1Window::SetFocus(Control control) { ControlWidget(control)->setFocus(); }

void Form1Window::SetProgress(int maximum, int value) {
  auto* bar = static_cast<QProgressBar*>(ControlWidget(Control::ProgressBar1));
  // The bar would repaint itself at once for each change; held back, both are
  // painted together with the caption when the event loop next paints.
  bar->setUpdatesEnabled(false);
  bar->setMaximum(maximum);
  bar->setValue(value);
  bar->setUpdatesEnabled(true);
}

void Form1Window::SetListHeader(Control list, const std::string& text, int width_twips) {
  NameAfter(list, text);
  if (list == Control::ListView1) {
    history_model_->SetHeader(QString::fromStdString(text));
    HistoryList()->header()->resizeSection(0, TwipsToPixels(width_twips));
    return;
  }
  intervals_->setHorizontalHeaderLabels({QString::fromStdString(text)});
  IntervalList()->header()->resizeSection(0, TwipsToPixels(width_twips));
}

void Form1Window::SetListRows(Control, const std::vector<std::string>& rows) {
  intervals_->setRowCount(0);
  for (const auto& row : rows)
    intervals_->appendRow(new QStandardItem(QString::fromStdString(row)));
}

void Form1Window::SelectRow(Control, int row) {
  QItemSelectionModel* selection = IntervalList()->selectionModel();
  if (row < 0) {
    const bool was = std::exchange(selecting_row_, true);
    selection->clearSelection();
    selecting_row_ = was;
    return;
  }
  // A row chosen by the program is selected where it is; the list is not scrolled.
  QTreeView* list = IntervalList();
  list->setAutoScroll(false);
  const bool was = std::exchange(selecting_row_, true);
  selection->setCurrentIndex(intervals_->index(row, 0), QItemSelectionModel::ClearAndSelect);
  selecting_row_ = was;
  list->setAutoScroll(true);
}

int Form1Window::SelectedRow(Control) const {
  const auto rows = IntervalList()->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void Form1Window::SetPointer(PointerMode mode) {
  switch (mode) {
    case PointerMode::kBusy:
      setCursor(Qt::WaitCursor);
      break;
    case PointerMode::kHand:
      setCursor(hand_pointer_.value_or(QCursor(Qt::PointingHandCursor)));
      break;
    case PointerMode::kDefault:
      unsetCursor();
      break;
  }
}

void Form1Window::LoadHandPointer(const std::filesystem::path& file) {
  hand_pointer_ = LoadCursorFile(file);
}

void Form1Window::ApplySkin(const std::filesystem::path& file) {
  // Backgrounds first, in the desktop's button-face colour, then the skin itself.
  const QColor button_face = QApplication::palette().color(QPalette::Button);
  for (const ControlSpec& entry : Form1Layout())
    if (entry.skinned_background) SetBackground(ControlWidget(entry.id), button_face);
  setStyleSheet(LoadSkin(file));
}

bool Form1Window::HighContrast() const {
  // Qt tells nothing of a high-contrast choice; a palette whose text would vanish
  // on the layout's white (light on dark, as the high-contrast themes are) is one.
  const QColor text = QApplication::palette().color(QPalette::WindowText);
  return !ReadableOn(text.rgb() & 0xFFFFFF, kWhite);
}

void Form1Window::ShowApplicationIcon() { setWindowIcon(ApplicationIcon()); }

void Form1Window::CentreOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void Form1Window::ShowMinimizedWindow() { showMinimized(); }

// Hidden while still minimised; the normal state returns with the window (on X11
// a hidden window set back to normal would leave an empty frame on screen).
void Form1Window::HideWindow() { hide(); }

void Form1Window::ShowWindow() {
  // Wayland never tells a program that its window was minimised. A window on
  // screen that is not the active one may be: it leaves the screen, so that
  // showing it maps it anew.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && isVisible() &&
      !isActiveWindow())
    hide();
  showNormal();
  raise();
  activateWindow();
}

bool Form1Window::IsMinimized() const { return isMinimized(); }

bool Form1Window::IsVisible() const { return isVisible(); }

void Form1Window::Quit() { QCoreApplication::quit(); }

// --- Window events ---------------------------------------------------------------

void Form1Window::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Handled once the change has settled: whoever minimised the window may still
  // be showing it (as showMinimized() does).
  if (event->type() == QEvent::WindowStateChange)
    QTimer::singleShot(0, this, [this] {
      if (form_) form_->WindowStateChanged();
    });
}

void Form1Window::closeEvent(QCloseEvent* event) {
  event->accept();
  if (form_) form_->CloseRequested();
}

}  // namespace quorvane
