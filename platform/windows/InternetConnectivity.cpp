#include "platform/windows/InternetConnectivity.h"

#include <windows.h>

#include "platform/AppError.h"
#include "platform/windows/WideText.h"

namespace quorvane {
namespace {

using ConnectedState = BOOL(WINAPI*)(LPDWORD, DWORD);

// wininet is not part of every Windows (it may be left out of a server): its
// absence is a failure to report, not a fault that ends the program. It is taken
// from the system folder only, never from the program's own.
ConnectedState LoadConnectedState() {
  const HMODULE module = LoadLibraryExW(L"wininet.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module) {
    throw AppError("The connection test is not available: wininet.dll could not be loaded: " +
                   SystemMessage(GetLastError()));
  }
  const auto function = reinterpret_cast<ConnectedState>(
      reinterpret_cast<void*>(GetProcAddress(module, "InternetGetConnectedState")));
  if (!function) {
    throw AppError(
        "The connection test is not available: wininet.dll has no InternetGetConnectedState");
  }
  return function;
}

}  // namespace

bool InternetConnectivity::IsInternetConnected() const {
  static const ConnectedState connected_state = LoadConnectedState();
  DWORD flags = 0;
  return connected_state(&flags, 0) == 1;
}

}  // namespace quorvane
