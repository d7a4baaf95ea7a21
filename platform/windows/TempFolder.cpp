#include "platform/TempFolder.h"

#include <windows.h>

#include <cstdlib>

namespace quorvane {

std::filesystem::path TempFolder() {
  if (const wchar_t* temp = _wgetenv(L"TEMP"); temp && *temp) return temp;
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  return length ? std::filesystem::path(folder) : std::filesystem::path(L".");
}

}  // namespace quorvane
