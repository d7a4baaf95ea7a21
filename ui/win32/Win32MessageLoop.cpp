#include "ui/win32/Win32MessageLoop.h"

namespace quorvane::win32 {
namespace {

constexpr const wchar_t* kWindowClass = L"Quorvane.MessageLoop";

using Task = std::function<void()>;

}  // namespace

class Win32MessageLoop::WindowTimer : public Timer {
 public:
  WindowTimer(Win32MessageLoop& loop, UINT_PTR id, std::function<void()> on_timeout)
      : loop_(loop), id_(id), on_timeout_(std::move(on_timeout)) {
    loop_.timers_[id_] = this;
  }
  ~WindowTimer() override {
    Stop();
    loop_.timers_.erase(id_);
  }

  void Start(int interval_ms) override {
    SetTimer(loop_.window_, id_, static_cast<UINT>(interval_ms), nullptr);
    active_ = true;
  }
  void Stop() override {
    if (active_) KillTimer(loop_.window_, id_);
    active_ = false;
  }
  bool Active() const override { return active_; }

  void Fire() {
    // A tick already queued when the timer was stopped is not delivered.
    if (active_) on_timeout_();
  }

 private:
  Win32MessageLoop& loop_;
  UINT_PTR id_;
  std::function<void()> on_timeout_;
  bool active_ = false;
};

Win32MessageLoop::Win32MessageLoop(HINSTANCE instance)
    : task_message_(RegisterWindowMessageW(L"Quorvane.RunTask")) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kWindowClass;
  RegisterClassExW(&window_class);  // fails harmlessly when already registered
  window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                            nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32MessageLoop::~Win32MessageLoop() {
  MSG message;
  while (PeekMessageW(&message, window_, task_message_, task_message_, PM_REMOVE))
    delete reinterpret_cast<Task*>(message.lParam);
  DestroyWindow(window_);
}

std::unique_ptr<Timer> Win32MessageLoop::CreateTimer(std::function<void()> on_timeout) {
  return std::make_unique<WindowTimer>(*this, next_timer_id_++, std::move(on_timeout));
}

void Win32MessageLoop::Post(std::function<void()> task) {
  auto* message = new Task(std::move(task));
  if (!PostMessageW(window_, task_message_, 0, reinterpret_cast<LPARAM>(message))) delete message;
}

LRESULT CALLBACK Win32MessageLoop::WindowProc(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  auto* loop = reinterpret_cast<Win32MessageLoop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (loop && message == loop->task_message_) {
    std::unique_ptr<Task> task(reinterpret_cast<Task*>(lparam));
    (*task)();
    return 0;
  }
  if (loop && message == WM_TIMER) {
    if (const auto found = loop->timers_.find(wparam); found != loop->timers_.end())
      found->second->Fire();
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

int Win32MessageLoop::Run(HWND main_window) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(main_window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace quorvane::win32
