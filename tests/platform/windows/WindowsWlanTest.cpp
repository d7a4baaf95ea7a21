#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "platform/windows/SystemWlanApi.h"

namespace quorvane {
namespace {

// Run alone, in a process of its own, with the native wlanapi.dll preferred: the
// tests' stand-in without WlanGetNetworkBssList is put in the system folder for
// the test's length.
class WindowsWlanWithoutBssList : public ::testing::Test {
 protected:
  static constexpr const wchar_t* kSystemCopy = L"C:\\windows\\system32\\wlanapi.dll";
  static constexpr const wchar_t* kKept = L"C:\\windows\\system32\\wlanapi.dll.kept";

  void SetUp() override {
    kept_ = MoveFileExW(kSystemCopy, kKept, MOVEFILE_REPLACE_EXISTING) != FALSE;
    ASSERT_TRUE(CopyFileW(FAKE_WLANAPI_WITHOUT_BSS_LIST, kSystemCopy, FALSE));
    std::FILE* script = std::fopen("C:\\quorvane-wlan.txt", "w");
    ASSERT_NE(script, nullptr);
    std::fputs("interface connected\nrssi -55\nssid home\nbssid 02:00:00:00:00:01\nchannel 6\n",
               script);
    std::fclose(script);
  }
  void TearDown() override {
    DeleteFileW(L"C:\\quorvane-wlan.txt");
    if (kept_) MoveFileExW(kKept, kSystemCopy, MOVEFILE_REPLACE_EXISTING);
  }

  bool kept_ = false;
};

TEST_F(WindowsWlanWithoutBssList, TheStrengthAndConnectionAreStillRead) {
  SystemWlanApi wlan;
  std::vector<WlanInterface> interfaces;
  ASSERT_EQ(wlan.EnumInterfaces(interfaces), 0u);
  ASSERT_EQ(interfaces.size(), 1u);
  std::int32_t dbm = 0;
  EXPECT_EQ(wlan.QueryRssi(interfaces[0], dbm), 0u);
  EXPECT_EQ(dbm, -55);
  WlanConnection connection;
  EXPECT_EQ(wlan.QueryCurrentConnection(interfaces[0], connection), 0u);
  std::vector<WlanBss> access_points;
  EXPECT_EQ(wlan.ListNetworkBss(interfaces[0], connection, access_points),
            static_cast<std::uint32_t>(ERROR_PROC_NOT_FOUND));
  std::uint32_t channel = 0;
  EXPECT_EQ(wlan.QueryChannel(interfaces[0], channel), 0u);
  EXPECT_EQ(channel, 6u);
}

}  // namespace
}  // namespace quorvane
