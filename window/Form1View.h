#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/MessageLoop.h"
#include "window/Layout.h"

namespace quorvane {

// The pointer modes of the window: the default arrow, the busy pointer, the hand.
enum class PointerMode { kDefault = 0, kBusy = 11, kHand = 99 };

// What the window core asks of the main window's controls. A front end carries
// these out and decides nothing; it reports what the user does to the core's
// handlers. Setting a control from here raises no event of the control's own.
class Form1View {
 public:
  virtual ~Form1View() = default;

  // The caption of a control; for Control::Form1 the window's title.
  virtual void SetCaption(Control control, const std::string& text) = 0;
  virtual void SetChecked(Control control, bool checked) = 0;
  virtual bool IsChecked(Control control) const = 0;
  virtual void SetVisible(Control control, bool visible) = 0;
  virtual void SetFocus(Control control) = 0;
  // The progress bar's range is 0 to `maximum` (at least 1).
  virtual void SetProgress(int maximum, int value) = 0;

  // The one column of a list: its header text and its width in twips.
  virtual void SetListHeader(Control list, const std::string& text, int width_twips) = 0;
  // The rows of the interval list (the history list shows the history store).
  virtual void SetListRows(Control list, const std::vector<std::string>& rows) = 0;
  // Selects a row without scrolling the list; -1 when none is selected.
  virtual void SelectRow(Control list, int row) = 0;
  virtual int SelectedRow(Control list) const = 0;

  virtual void SetPointer(PointerMode mode) = 0;
  // Takes the hand pointer from a Windows cursor file. Throws AppError.
  virtual void LoadHandPointer(const std::filesystem::path& file) = 0;
  // Lays the skin file over the window: first the backgrounds marked for it in
  // the layout in the desktop's button-face colour, then the skin. Throws AppError.
  virtual void ApplySkin(const std::filesystem::path& file) = 0;
  // Whether the user has chosen the desktop's colours for readability (high
  // contrast): the layout's white and the skin then give way to them.
  virtual bool HighContrast() const = 0;

  // The program's icon on the window.
  virtual void ShowApplicationIcon() = 0;
  // Places the window at the centre of the screen.
  virtual void CentreOnScreen() = 0;
  // Shows the window in its normal size, in front of the others, with the focus.
  virtual void ShowWindow() = 0;
  // Shows the window minimised on the taskbar, without taking the focus.
  virtual void ShowMinimizedWindow() = 0;
  virtual void HideWindow() = 0;
  virtual bool IsMinimized() const = 0;
  virtual bool IsVisible() const = 0;
  // Ends the program's message loop.
  virtual void Quit() = 0;
};

// The program's icon in the notification area.
class TrayIconView {
 public:
  virtual ~TrayIconView() = default;
  // Whether the desktop has a tray for the icon to live in, now.
  virtual bool Available() const = 0;
  // Puts the tray picture (the blue 'B') with the tip into the tray; false when
  // the tray refused it.
  virtual bool Show(const std::string& tip) = 0;
  // Takes the icon out of the tray.
  virtual void Hide() = 0;
  virtual void SetTip(const std::string& tip) = 0;
  // A balloon at the icon, meant to stay for `seconds`; TakeDownBalloon ends it
  // early or at its time.
  virtual void ShowBalloon(const std::string& title, const std::string& text, int seconds) = 0;
  virtual void TakeDownBalloon() = 0;
};

// Desktop notifications apart from the tray icon (a notification server). The
// core gives each a slot: one shown under a slot used before replaces it. The view
// reports an activated notification to Form1::NotificationActivated.
class NotificationView {
 public:
  virtual ~NotificationView() = default;
  // False when there is no notification server: the tray's balloon tells instead.
  virtual bool Notify(int slot, const std::string& title, const std::string& text) = 0;
};

// What the window asks of the desktop: the user's own applications and the
// clipboard. The Open calls do not wait for what they start; they throw AppError
// when it cannot be started, and hand a failure found only later (the opener gave
// up) to `failed` on the user-interface thread.
class Desktop {
 public:
  using Failed = std::function<void(const std::string& description)>;

  virtual ~Desktop() = default;
  // Opens the file in the user's plain-text application. A failure says why; the
  // caller names the file.
  virtual void OpenTextFile(const std::filesystem::path& file, Failed failed) = 0;
  // Opens the address in the web browser, behind the other windows where the
  // desktop allows it.
  virtual void OpenUrlInBackground(const std::string& url, Failed failed) = 0;
  // Opens the file, a web page, in the user's web browser.
  virtual void OpenInBrowser(const std::filesystem::path& file, Failed failed) = 0;
  // Puts text in the history log's encoding (UTF-8 on Linux, the ANSI code page on
  // Windows) on the clipboard, in place of what was there. Throws AppError when
  // the clipboard cannot take it; it is then left as it was.
  // It takes the text over, so a large log is never held twice.
  virtual void CopyText(std::string text) = 0;
};

}  // namespace quorvane
