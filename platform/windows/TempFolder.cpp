#include "platform/TempFolder.h"

#include "platform/JournalFolder.h"

#include <windows.h>

#include <cstdlib>

namespace quorvane {

std::filesystem::path TempFolder() {
  if (const wchar_t* temp = _wgetenv(L"TEMP"); temp && *temp) return temp;
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  return length ? std::filesystem::path(folder) : std::filesystem::path(L".");
}

std::filesystem::path JournalFolder() {
  std::filesystem::path local;
  if (const wchar_t* folder = _wgetenv(L"LOCALAPPDATA"); folder && *folder) {
    local = folder;
  } else if (const wchar_t* profile = _wgetenv(L"USERPROFILE"); profile && *profile) {
    local = std::filesystem::path(profile) / L"AppData" / L"Local";
  } else {
    local = L".";
  }
  return local / L"Brindlewick" / L"Quorvane" / L"journal";
}

}  // namespace quorvane
