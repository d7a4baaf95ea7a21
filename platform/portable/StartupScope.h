#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// One entry of a file's or folder's access list as Windows keeps it: whom it
// names (a SID in text form), the rights, and whether it grants or refuses them.
// An inherit-only entry is there for the folder's children, not for the folder.
struct AccessEntry {
  std::string sid;
  std::uint32_t mask = 0;
  bool allows = true;
  bool inherit_only = false;
};

// Who may change a file or folder: its owner (who may always rewrite its access
// list) and its access list; no list at all lets everyone do everything.
struct ObjectSecurity {
  std::string owner_sid;
  std::optional<std::vector<AccessEntry>> access;
  // A junction, symbolic link or mount point: what it leads to is governed by
  // access lists other than the ones read here.
  bool reparse_point = false;
};

// Where the program really lies once every link on the way is followed.
struct ProgramLocation {
  // A fixed disk of this machine. A network share or a removable drive carries
  // access lists that this machine's administrators do not govern.
  bool fixed_local_volume = false;
  // The real path's program file, then its folder, then every folder up to the root.
  std::vector<ObjectSecurity> chain;
  // That real path, as "C:\...", without the "\\?\" prefix; empty when unresolved.
  std::filesystem::path final_path;
};

// Whether nobody but Administrators, SYSTEM and TrustedInstaller can replace the
// program, since whoever can would have their code run at every user's logon.
// `chain` is the program file, then its folder, then every folder above it up to
// the root; an empty chain (the security could not be read) or a link at any
// level is not safe. Refused rights are not counted, so an unusual list errs
// towards the user's own entry.
bool OnlyAdministratorsMayReplace(const std::vector<ObjectSecurity>& chain);

// Whether a start-at-login entry for all users may name the program: it lies on
// a fixed local disk and only administrators may replace it there.
bool MayStartForAllUsers(const ProgramLocation& program);

// Whether the path the program was started from is the real path whose security
// was checked, the case aside (Windows' paths do not tell it). A value for all
// users names the path it was started from: through a junction, that path would
// start whatever the junction is later pointed at, so it must be the checked one.
bool NamesTheCheckedPath(const std::filesystem::path& launched,
                         const std::filesystem::path& checked);

// What becomes of the user's own start-at-login value once the entry for all
// users was tried. Windows runs both at logon, so only one of them may start the
// copy.
enum class UserStartupValue {
  kWrite,   // nothing for all users starts this copy: the user's own value does
  kRemove,  // the value for all users was just written: it alone starts the copy
  // A value for all users, which this user could not write, already starts the
  // copy: the user's own is not added (and goes if there), and the user is told.
  kRemoveAndTell,
};
UserStartupValue UserStartupValueAfterTicking(bool machine_value_written,
                                              bool machine_value_starts_this_copy);

}  // namespace quorvane
