#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "window/Form1View.h"

namespace quorvane::win32 {

// Timers and posted tasks on the user-interface thread, through a message-only
// window of their own.
class Win32MessageLoop : public MessageLoop {
 public:
  explicit Win32MessageLoop(HINSTANCE instance);
  // Tasks still waiting are dropped.
  ~Win32MessageLoop() override;
  Win32MessageLoop(const Win32MessageLoop&) = delete;
  Win32MessageLoop& operator=(const Win32MessageLoop&) = delete;

  std::unique_ptr<Timer> CreateTimer(std::function<void()> on_timeout) override;
  void Post(std::function<void()> task) override;

  // Dispatches messages until WM_QUIT, with the dialog keys (Tab, arrows, Space)
  // for `main_window`; returns the exit code.
  static int Run(HWND main_window);

 private:
  class WindowTimer;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  UINT task_message_;
  UINT_PTR next_timer_id_ = 1;
  std::map<UINT_PTR, WindowTimer*> timers_;
};

}  // namespace quorvane::win32
