#include "platform/windows/FileSecurity.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/windows/WideText.h"

namespace quorvane {
namespace {

std::string SidText(PSID sid) {
  wchar_t* text = nullptr;
  if (!sid || !ConvertSidToStringSidW(sid, &text)) return {};
  std::string result = Narrow(text);
  LocalFree(text);
  return result;
}

// An entry of a kind other than a plain grant or refusal names nobody trusted,
// so it makes the object count as changeable by others.
AccessEntry EntryOf(const ACE_HEADER* header) {
  const bool inherit_only = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
  switch (header->AceType) {
    case ACCESS_ALLOWED_ACE_TYPE: {
      const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
      return {SidText(const_cast<DWORD*>(&ace->SidStart)), ace->Mask, true, inherit_only};
    }
    case ACCESS_DENIED_ACE_TYPE: {
      const auto* ace = reinterpret_cast<const ACCESS_DENIED_ACE*>(header);
      return {SidText(const_cast<DWORD*>(&ace->SidStart)), ace->Mask, false, inherit_only};
    }
    default:
      return {"", GENERIC_ALL, true, inherit_only};
  }
}

std::optional<ObjectSecurity> SecurityOf(const std::filesystem::path& object) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(object.c_str(), SE_FILE_OBJECT,
                            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                            &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
    return std::nullopt;
  ObjectSecurity security{SidText(owner), std::nullopt};
  if (dacl) {
    security.access.emplace();
    for (DWORD index = 0; index < dacl->AceCount; ++index) {
      void* ace = nullptr;
      if (GetAce(dacl, index, &ace))
        security.access->push_back(EntryOf(static_cast<ACE_HEADER*>(ace)));
    }
  }
  LocalFree(descriptor);
  const DWORD attributes = GetFileAttributesW(object.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  security.reparse_point = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  return security;
}

// The path the file system reaches `file` by, as "C:\...", or nothing for what is
// not on a drive letter of this machine ("\\?\UNC\..." for a share).
std::optional<std::filesystem::path> FinalPath(const std::filesystem::path& file) {
  const HANDLE handle = CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  std::wstring text(32768, L'\0');
  const DWORD length = GetFinalPathNameByHandleW(
      handle, text.data(), static_cast<DWORD>(text.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(handle);
  if (length == 0 || length >= text.size()) return std::nullopt;
  text.resize(length);
  constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
  if (text.starts_with(kLongPrefix)) text.erase(0, kLongPrefix.size());
  if (text.size() < 3 || text[1] != L':' || text[2] != L'\\') return std::nullopt;
  return std::filesystem::path(text);
}

}  // namespace

std::vector<ObjectSecurity> SecurityUpToTheRoot(const std::filesystem::path& file) {
  std::vector<ObjectSecurity> chain;
  for (std::filesystem::path at = file;; at = at.parent_path()) {
    auto security = SecurityOf(at);
    if (!security) return {};
    chain.push_back(std::move(*security));
    if (at.parent_path() == at || at.parent_path().empty()) break;
  }
  return chain;
}

ProgramLocation LocationOf(const std::filesystem::path& program) {
  ProgramLocation location;
  const auto real = FinalPath(program);
  if (!real) return location;
  location.final_path = *real;
  location.fixed_local_volume = GetDriveTypeW(real->root_path().c_str()) == DRIVE_FIXED;
  location.chain = SecurityUpToTheRoot(*real);
  return location;
}

}  // namespace quorvane
