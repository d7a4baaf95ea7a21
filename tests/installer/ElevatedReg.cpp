// Stands in for reg.exe when the uninstaller starts it as an administrator (the
// "runas" verb), which Wine cannot show. It notes its command line, whether the
// program was still installed then, and the folder it was started in, in
// C:\elevated-reg.txt; with
// ELEVATION=accept it deletes the value as an administrator would, otherwise it
// ends as a declined prompt does. The test itself calls it with "lock" or
// "unlock", to take the right to change the machine-wide Run key from everyone
// and give it back.
#include <windows.h>

#include <aclapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t* const kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring Environment(const wchar_t* name) {
  wchar_t value[1024];
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length && length < 1024 ? value : L"";
}

// Adds or removes the entry that refuses everyone the right to change the key.
bool SetLocked(bool locked) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, READ_CONTROL | WRITE_DAC, &key)) return false;
  PACL old = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  bool done = false;
  if (!GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &old,
                       nullptr, &descriptor) &&
      old &&
      AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
    std::vector<char> buffer(old->AclSize + 64);
    auto* acl = reinterpret_cast<PACL>(buffer.data());
    InitializeAcl(acl, static_cast<DWORD>(buffer.size()), ACL_REVISION);
    if (locked) AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, everyone);
    for (DWORD index = 0; index < old->AceCount; ++index) {
      ACE_HEADER* ace = nullptr;
      if (!GetAce(old, index, reinterpret_cast<void**>(&ace))) continue;
      const bool ours = ace->AceType == ACCESS_DENIED_ACE_TYPE &&
                        EqualSid(&reinterpret_cast<ACCESS_DENIED_ACE*>(ace)->SidStart, everyone);
      if (!ours) AddAce(acl, ACL_REVISION, MAXDWORD, ace, ace->AceSize);
    }
    done = !SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl,
                            nullptr);
  }
  if (everyone) FreeSid(everyone);
  if (descriptor) LocalFree(descriptor);
  RegCloseKey(key);
  return done;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && !wcscmp(argv[1], L"lock")) return SetLocked(true) ? 0 : 1;
  if (argc == 2 && !wcscmp(argv[1], L"unlock")) return SetLocked(false) ? 0 : 1;

  if (FILE* record = _wfopen(L"C:\\elevated-reg.txt", L"a")) {
    for (int at = 1; at < argc; ++at) std::fwprintf(record, L"%ls ", argv[at]);
    const bool present =
        GetFileAttributesW(Environment(L"PROGRAM").c_str()) != INVALID_FILE_ATTRIBUTES;
    std::fwprintf(record, L"\n%ls\n", present ? L"program present" : L"program gone");
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::fwprintf(record, L"started in %ls\n", folder);
    std::fclose(record);
  }
  if (Environment(L"ELEVATION") != L"accept") return ERROR_CANCELLED;
  SetLocked(false);
  return RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, argc > 4 ? argv[4] : L"") ? 1 : 0;
}
