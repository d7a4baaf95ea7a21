// The save dialog: comdlg32's GetSaveFileNameW.
#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>
#include <shlobj.h>

#include "platform/windows/WideText.h"
#include "ui/win32/MessageBoxDialogs.h"

namespace quorvane::win32 {

std::optional<std::filesystem::path> MessageBoxDialogs::AskSaveAs(
    const SaveFileQuestion& question) {
  const std::wstring extension = Widen(question.extension);
  std::wstring filter = Widen(question.type_name) + L" (*." + extension + L")";
  filter += L'\0';
  filter += L"*." + extension;
  filter += L'\0';
  filter += L"All files (*.*)";
  filter += L'\0';
  filter += L"*.*";
  filter += L'\0';
  // Without a folder the dialog may open in the folder Quorvane was started from:
  // the one saved to last, else the documents, else the user's profile.
  std::wstring folder = question.folder.wstring();
  wchar_t known[MAX_PATH] = L"";
  if (folder.empty() &&
      (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, known)) ||
       SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, known))))
    folder = known;
  std::wstring file = Widen(question.suggested_name);
  file.resize(32768);
  const std::wstring title = Widen(question.title);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = extension.c_str();
  dialog.Flags =
      OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;  // cancelled, or the dialog failed
  file.resize(wcslen(file.c_str()));
  return std::filesystem::path(file);
}

}  // namespace quorvane::win32
