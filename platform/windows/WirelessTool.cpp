#include "platform/WirelessTool.h"

#include <windows.h>

#include "platform/windows/WideText.h"

namespace quorvane {

WirelessTool SystemWirelessTool() {
  // The system's own netsh, never one that happens to lie in the current folder.
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  const std::string netsh = Narrow(std::wstring_view(system, length)) + "\\netsh.exe";
  return {{netsh, {"wlan", "show", "networks", "mode=bssid"}}, WirelessOutputFormat::kNetsh};
}

}  // namespace quorvane
