#include "platform/windows/InternetConnectivity.h"

#include <windows.h>
#include <wininet.h>

namespace quorvane {

bool InternetConnectivity::IsInternetConnected() const {
  DWORD flags = 0;
  return InternetGetConnectedState(&flags, 0) == 1;
}

}  // namespace quorvane
