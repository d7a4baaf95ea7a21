#include "platform/portable/StartupScope.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

const std::string kAdministrators = "S-1-5-32-544";
const std::string kSystem = "S-1-5-18";
const std::string kTrustedInstaller =
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
const std::string kUsers = "S-1-5-32-545";
const std::string kAuthenticatedUsers = "S-1-5-11";
const std::string kCreatorOwner = "S-1-3-0";
const std::string kSomeUser = "S-1-5-21-1004336348-1177238915-682003330-1001";

constexpr std::uint32_t kFullControl = 0x1F01FF;
constexpr std::uint32_t kReadAndExecute = 0x1200A9;
constexpr std::uint32_t kModify = 0x1301BF;
constexpr std::uint32_t kCreateFolders = 0x4;
constexpr std::uint32_t kGenericAll = 0x10000000;

ObjectSecurity AdministratorsOnly(const std::string& owner = kTrustedInstaller) {
  return {owner, std::vector<AccessEntry>{{kTrustedInstaller, kFullControl},
                                          {kAdministrators, kFullControl},
                                          {kSystem, kFullControl},
                                          {kUsers, kReadAndExecute},
                                          {kCreatorOwner, kGenericAll, true, true}}};
}

// C:\ as Windows sets it up: every signed-in user may make a folder there, and
// gets "modify" on what is made beneath (inherit-only here).
ObjectSecurity DriveRoot() {
  ObjectSecurity root = AdministratorsOnly(kSystem);
  root.access->push_back({kAuthenticatedUsers, kCreateFolders});
  root.access->push_back({kAuthenticatedUsers, kModify, true, true});
  return root;
}

// C:\Program Files\Quorvane\Quorvane.exe
std::vector<ObjectSecurity> UnderProgramFiles() {
  return {AdministratorsOnly(kAdministrators), AdministratorsOnly(kAdministrators),
          AdministratorsOnly(), DriveRoot()};
}

TEST(StartupScope, AProgramOnlyAdministratorsCanReplaceStartsForAllUsers) {
  EXPECT_TRUE(OnlyAdministratorsMayReplace(UnderProgramFiles()));
}

TEST(StartupScope, AProgramInAUsersOwnFolderStartsForThatUserOnly) {
  // C:\Users\Ann\AppData\Local\Programs\Quorvane\Quorvane.exe: Ann owns it and
  // may change it all, even when she is an administrator.
  ObjectSecurity owned_by_ann{kSomeUser, std::vector<AccessEntry>{{kSomeUser, kFullControl},
                                                                  {kAdministrators, kFullControl},
                                                                  {kSystem, kFullControl}}};
  std::vector<ObjectSecurity> chain(6, owned_by_ann);
  chain.push_back(AdministratorsOnly(kSystem));  // C:\Users
  chain.push_back(DriveRoot());
  EXPECT_FALSE(OnlyAdministratorsMayReplace(chain));
}

TEST(StartupScope, AnyoneElseWhoCanReplaceSomethingOnTheWayCounts) {
  const auto with = [](std::size_t at, AccessEntry extra) {
    auto chain = UnderProgramFiles();
    chain[at].access->push_back(extra);
    return OnlyAdministratorsMayReplace(chain);
  };
  EXPECT_FALSE(with(0, {kUsers, 0x2}));                         // write the program file
  EXPECT_FALSE(with(1, {kUsers, 0x2}));                         // add a file beside it
  EXPECT_FALSE(with(2, {kAuthenticatedUsers, 0x40}));           // delete or rename inside
  EXPECT_FALSE(with(3, {kSomeUser, 0x40000}));                  // rewrite the root's access list
  EXPECT_TRUE(with(2, {kAuthenticatedUsers, kCreateFolders}));  // only something new above
  EXPECT_TRUE(with(1, {kUsers, kFullControl, false}));          // refused rights grant nothing
  EXPECT_TRUE(with(1, {kUsers, kModify, true, true}));          // only for what is made inside
}

TEST(StartupScope, AnOwnerOrAMissingListOrNoneReadIsNotSafe) {
  auto owned = UnderProgramFiles();
  owned[2].owner_sid = kSomeUser;  // the owner may always rewrite the access list
  EXPECT_FALSE(OnlyAdministratorsMayReplace(owned));
  auto open = UnderProgramFiles();
  open[1].access.reset();  // no access list: everyone may do everything
  EXPECT_FALSE(OnlyAdministratorsMayReplace(open));
  EXPECT_FALSE(OnlyAdministratorsMayReplace({}));
}

// The decision is made on the path the file system resolves, and that path must
// stay on this machine's fixed disks with no link at any level: a folder that is
// a junction to where users may write, or a mapped share, is not safe.
TEST(StartupScope, OnlyARealPathOnAFixedLocalDiskWithoutLinksStartsForAllUsers) {
  EXPECT_TRUE(MayStartForAllUsers({true, UnderProgramFiles(), {}}));
  EXPECT_FALSE(
      MayStartForAllUsers({false, UnderProgramFiles(), {}}));  // a share or removable drive
  EXPECT_FALSE(MayStartForAllUsers({true, {}, {}}));           // not resolved
  for (std::size_t at = 0; at < UnderProgramFiles().size(); ++at) {
    auto chain = UnderProgramFiles();
    chain[at].reparse_point = true;
    EXPECT_FALSE(MayStartForAllUsers({true, chain, {}})) << "a link at level " << at;
  }
}

// Windows runs every Run value at logon: one value, never two, starts the copy.
TEST(StartupScope, TickingLeavesExactlyOneValueThatStartsTheCopy) {
  EXPECT_EQ(UserStartupValueAfterTicking(true, true), UserStartupValue::kRemove);
  // An administrator's value for all users, which this user could not write.
  EXPECT_EQ(UserStartupValueAfterTicking(false, true), UserStartupValue::kRemoveAndTell);
  EXPECT_EQ(UserStartupValueAfterTicking(false, false), UserStartupValue::kWrite);
}

// The value for all users names the path it was started from: only the real
// path whose security was checked may be named, never one through a junction.
TEST(StartupScope, TheValueForAllUsersNamesOnlyThePathThatWasChecked) {
  const std::filesystem::path checked = "C:\\Program Files\\Quorvane\\Quorvane.exe";
  EXPECT_TRUE(NamesTheCheckedPath("C:\\PROGRAM FILES\\Quorvane\\quorvane.exe", checked));
  EXPECT_FALSE(NamesTheCheckedPath("C:\\Tools\\Quorvane\\Quorvane.exe", checked));  // a junction
  EXPECT_FALSE(NamesTheCheckedPath("C:\\Program Files\\Quorvane\\Quorvane.exe", {}));
}

}  // namespace
}  // namespace quorvane
