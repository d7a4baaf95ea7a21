#pragma once

#include <cstdint>
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
};

// Whether a start-at-login entry for all users may name the program: only when
// nobody but Administrators, SYSTEM and TrustedInstaller can replace it, since
// whoever can would have their code run at every user's logon. `chain` is the
// program file, then its folder, then every folder above it up to the root; an
// empty chain (the security could not be read) is not safe. Refused rights are
// not counted, so an unusual list errs towards the user's own entry.
bool OnlyAdministratorsMayReplace(const std::vector<ObjectSecurity>& chain);

}  // namespace quorvane
