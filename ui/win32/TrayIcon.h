#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>

#include "window/Form1View.h"

namespace quorvane::win32 {

// The program's icon in the notification area, through Shell_NotifyIconW. The
// shell reports mouse and balloon events to the window as kCallbackMessage.
class TrayIcon : public TrayIconView {
 public:
  static constexpr UINT kCallbackMessage = WM_USER + 101;

  TrayIcon(HWND window, HICON icon) : window_(window), icon_(icon) {}
  ~TrayIcon() override { Hide(); }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  bool Available() const override;
  bool Show(const std::string& tip) override;
  void Hide() override;
  void SetTip(const std::string& tip) override;
  void ShowBalloon(const std::string& title, const std::string& text, int seconds) override;
  void TakeDownBalloon() override;

  // The message Explorer broadcasts when its taskbar is created.
  static UINT TaskbarCreatedMessage();
  // The mouse button a callback notification reports released over the icon, or
  // the button a selection with the keyboard stands for: 1 left, 2 right; 0 for
  // everything else.
  static int ReleasedButton(LPARAM notification);

  // Sees every request to the shell before it goes there: the tip and balloon
  // texts as the shell gets them, which no window of the shell's shows to others.
  using ShellObserver = std::function<void(DWORD message, const NOTIFYICONDATAW& data)>;
  void ObserveShell(ShellObserver observer) { observer_ = std::move(observer); }

 private:
  NOTIFYICONDATAW Data(UINT flags) const;
  BOOL Send(DWORD message, NOTIFYICONDATAW& data) const;

  HWND window_;
  HICON icon_;
  ShellObserver observer_;
};

}  // namespace quorvane::win32
