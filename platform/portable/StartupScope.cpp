#include "platform/portable/StartupScope.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <string>
#include <string_view>

namespace quorvane {
namespace {

// Windows' access rights, as they stand in an access list.
constexpr std::uint32_t kAddFile = 0x2;         // a file's FILE_WRITE_DATA
constexpr std::uint32_t kAddSubfolder = 0x4;    // a file's FILE_APPEND_DATA
constexpr std::uint32_t kDeleteChild = 0x40;    // delete or rename anything inside
constexpr std::uint32_t kDelete = 0x10000;      // delete or rename the object itself
constexpr std::uint32_t kWriteDac = 0x40000;    // rewrite the access list
constexpr std::uint32_t kWriteOwner = 0x80000;  // take ownership
constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;

// On a folder above the program's own, adding something new changes nothing
// beneath (every user may make a folder at the root of C:); replacing, renaming or
// taking over the folder does.
constexpr std::uint32_t kReplacesBeneath =
    kDeleteChild | kDelete | kWriteDac | kWriteOwner | kGenericAll;
// The program file and its own folder: writing the file, or putting something
// beside it, counts too.
constexpr std::uint32_t kChangesTheProgram =
    kReplacesBeneath | kAddFile | kAddSubfolder | kGenericWrite;

constexpr std::array<std::string_view, 3> kTrusted = {
    "S-1-5-32-544",                                                    // Administrators
    "S-1-5-18",                                                        // SYSTEM
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",  // TrustedInstaller
};

bool Trusted(const std::string& sid) {
  return std::find(kTrusted.begin(), kTrusted.end(), sid) != kTrusted.end();
}

bool OnlyTrustedMayChange(const ObjectSecurity& object, std::uint32_t rights) {
  if (object.reparse_point || !Trusted(object.owner_sid) || !object.access) return false;
  return std::none_of(object.access->begin(), object.access->end(), [&](const AccessEntry& entry) {
    return entry.allows && !entry.inherit_only && (entry.mask & rights) && !Trusted(entry.sid);
  });
}

}  // namespace

bool OnlyAdministratorsMayReplace(const std::vector<ObjectSecurity>& chain) {
  for (std::size_t at = 0; at < chain.size(); ++at)
    if (!OnlyTrustedMayChange(chain[at], at < 2 ? kChangesTheProgram : kReplacesBeneath))
      return false;
  return !chain.empty();
}

bool MayStartForAllUsers(const ProgramLocation& program) {
  return program.fixed_local_volume && OnlyAdministratorsMayReplace(program.chain);
}

bool NamesTheCheckedPath(const std::filesystem::path& launched,
                         const std::filesystem::path& checked) {
  const std::wstring a = launched.wstring();
  const std::wstring b = checked.wstring();
  return !b.empty() && a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towupper(static_cast<std::wint_t>(x)) ==
                  std::towupper(static_cast<std::wint_t>(y));
         });
}

UserStartupValue UserStartupValueAfterTicking(bool machine_value_written,
                                              bool machine_value_starts_this_copy) {
  if (machine_value_written) return UserStartupValue::kRemove;
  if (machine_value_starts_this_copy) return UserStartupValue::kRemoveAndTell;
  return UserStartupValue::kWrite;
}

}  // namespace quorvane
