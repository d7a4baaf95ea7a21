#include "ui/win32/SingleInstance.h"

#include <lmcons.h>

#include <string>

#include "ui/win32/MainWindow.h"

namespace quorvane::win32 {

SingleInstance::SingleInstance() {
  wchar_t user[UNLEN + 1] = L"";
  DWORD length = UNLEN + 1;
  GetUserNameW(user, &length);
  // Backslashes are the namespace separator; a user name holds none, but be sure.
  std::wstring name = std::wstring(L"Local\\Brindlewick.Quorvane.") + user;
  for (std::size_t at = 6; at < name.size(); ++at)
    if (name[at] == L'\\') name[at] = L'_';
  mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
  // A copy running elevated made the mutex with rights this one lacks: it is
  // running all the same.
  const DWORD error = GetLastError();
  first_ = !(error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED));
}

SingleInstance::~SingleInstance() {
  if (mutex_) CloseHandle(mutex_);
}

UINT SingleInstance::BringToFrontMessage() {
  static const UINT message = RegisterWindowMessageW(L"Brindlewick.Quorvane.BringToFront");
  return message;
}

bool SingleInstance::ShowFirst() const {
  // The first copy may have its mutex but not yet its window.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (HWND window = FindWindowW(MainWindow::kClassName, nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      // This copy was started by the user, so it may hand the foreground on.
      AllowSetForegroundWindow(process);
      return PostMessageW(window, BringToFrontMessage(), 0, 0) != FALSE;
    }
    Sleep(100);
  }
  return false;
}

}  // namespace quorvane::win32
