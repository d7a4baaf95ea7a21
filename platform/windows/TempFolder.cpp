#include "platform/TempFolder.h"

#include "platform/JournalFolder.h"

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

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
  if (const wchar_t* folder = _wgetenv(L"LOCALAPPDATA"); folder && *folder) local = folder;
  if (!local.is_absolute()) {
    // Started with a bare environment (a service's, a scheduled task's): the
    // system still knows the user's folder.
    local.clear();
    PWSTR known = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &known)))
      local = known;
    CoTaskMemFree(known);
  }
  // Never the working folder, which may be anyone's: no folder, no journal.
  if (!local.is_absolute()) return {};
  return local / L"Brindlewick" / L"Quorvane" / L"journal";
}

}  // namespace quorvane
