#pragma once

#include <QCursor>
#include <QHash>
#include <QWidget>
#include <array>
#include <optional>

#include "window/Form1View.h"

class QAbstractButton;
class QGroupBox;
class QProgressBar;
class QStandardItemModel;
class QTreeView;

namespace quorvane {

class Form1;
class HistoryListModel;
class HistoryStore;
class HistoryView;

// The main window in Qt Widgets, built from the layout table. It shows what the
// window core asks and hands every user action to the core's handlers.
class Form1Window : public QWidget, public Form1View {
  Q_OBJECT

 public:
  explicit Form1Window(HistoryStore& history, QWidget* parent = nullptr);
  ~Form1Window() override;

  // The core whose handlers the window's events go to.
  void Attach(Form1& form) { form_ = &form; }

  QWidget* ControlWidget(Control control) const;
  QTreeView* IntervalList() const;
  HistoryView* HistoryList() const;
  const std::optional<QCursor>& hand_pointer() const { return hand_pointer_; }

  // Form1View
  void SetCaption(Control control, const std::string& text) override;
  void SetChecked(Control control, bool checked) override;
  bool IsChecked(Control control) const override;
  void SetVisible(Control control, bool visible) override;
  void SetFocus(Control control) override;
  void SetProgress(int maximum, int value) override;
  void SetListHeader(Control list, const std::string& text, int width_twips) override;
  void SetListRows(Control list, const std::vector<std::string>& rows) override;
  void SelectRow(Control list, int row) override;
  int SelectedRow(Control list) const override;
  void SetPointer(PointerMode mode) override;
  void LoadHandPointer(const std::filesystem::path& file) override;
  void ApplySkin(const std::filesystem::path& file) override;
  bool HighContrast() const override;
  void ShowApplicationIcon() override;
  void CentreOnScreen() override;
  void ShowWindow() override;
  void ShowMinimizedWindow() override;
  void HideWindow() override;
  bool IsMinimized() const override;
  bool IsVisible() const override;
  void Quit() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void ConnectControls();
  void TrackPointer();
  void NameAfter(Control giver, std::string_view text);
  std::optional<Control> ControlAt(QWidget* widget) const;
  QAbstractButton* Button(Control control) const;

  Form1* form_ = nullptr;
  std::array<QWidget*, kControlCount> controls_{};
  QHash<QWidget*, Control> control_of_;
  HistoryListModel* history_model_;
  QStandardItemModel* intervals_ = nullptr;
  std::optional<QCursor> hand_pointer_;
  bool selecting_row_ = false;  // the core's own choice of row, not the user's
};

}  // namespace quorvane
