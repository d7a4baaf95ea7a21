// The Win32 front end where Windows' rules matter: the single-instance mutex of
// an elevated copy, message boxes while the window is hidden in the tray, and a
// clipboard held by another program.
#include <windows.h>

#include <lmcons.h>
#include <sddl.h>

#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "ui/win32/Clipboard.h"
#include "ui/win32/MessageBoxDialogs.h"
#include "ui/win32/SingleInstance.h"

namespace quorvane::win32 {
namespace {

// The mutex of a copy running elevated: this copy, not elevated, may not open it.
TEST(Win32System, AMutexThisCopyMayNotOpenMeansACopyIsRunning) {
  wchar_t user[UNLEN + 1] = L"";
  DWORD length = UNLEN + 1;
  GetUserNameW(user, &length);
  const std::wstring name = std::wstring(L"Local\\Brindlewick.Quorvane.") + user;
  PSECURITY_DESCRIPTOR nobody = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1, &nobody,
                                                                   nullptr));
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nobody, FALSE};
  HANDLE elevated = CreateMutexW(&attributes, FALSE, name.c_str());
  ASSERT_TRUE(elevated);
  EXPECT_FALSE(SingleInstance().first());
  CloseHandle(elevated);
  LocalFree(nobody);
  EXPECT_TRUE(SingleInstance().first());
}

// Windows reads the manifest only from the program's resources, and Wine has no
// path limit to lift: the declaration is checked where Windows looks for it.
TEST(Win32System, TheManifestAsksForLongPaths) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_TRUE(found);
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  const std::string manifest(bytes, SizeofResource(nullptr, found));
  const auto settings = manifest.find("<windowsSettings>");
  const auto declared = manifest.find(
      "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"
      "</longPathAware>");
  ASSERT_NE(settings, std::string::npos);
  EXPECT_NE(declared, std::string::npos);
  EXPECT_GT(declared, settings);
  EXPECT_LT(declared, manifest.find("</windowsSettings>"));
}

// Shows a box through `dialogs` and reports how it stood: its owner, and whether
// `window` could be used meanwhile. (Wine does not show whether it was on top.)
std::pair<HWND, bool> BoxAsShown(MessageBoxDialogs& dialogs, HWND window) {
  std::pair<HWND, bool> seen{nullptr, false};
  std::jthread answer([&] {
    for (int attempt = 0; attempt < 100; ++attempt) {
      HWND box = FindWindowW(L"#32770", L"Quorvane");
      if (box && IsWindowVisible(box)) {
        seen = {GetWindow(box, GW_OWNER), IsWindowEnabled(window) != FALSE};
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(50);
    }
  });
  dialogs.Inform("A line could not be logged.");
  return seen;
}

TEST(Win32System, ABoxWhileTheWindowIsInTheTrayHasATaskbarButton) {
  HWND window = CreateWindowExW(0, L"STATIC", L"Quorvane main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  MessageBoxDialogs dialogs;
  dialogs.set_owner(window);
  const auto hidden = BoxAsShown(dialogs, window);
  EXPECT_EQ(hidden.first, nullptr);  // so it has a taskbar button of its own
  EXPECT_FALSE(hidden.second);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  const auto shown = BoxAsShown(dialogs, window);
  EXPECT_EQ(shown.first, window);
  EXPECT_FALSE(shown.second);
  DestroyWindow(window);
}

TEST(Win32System, AClipboardHeldForAMomentIsWaitedFor) {
  const auto hold = [](DWORD ms) {
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::jthread holder([opened, ms] {
      HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                   nullptr);
      OpenClipboard(other);
      SetEvent(opened);
      Sleep(ms);
      CloseClipboard();
      DestroyWindow(other);
    });
    WaitForSingleObject(opened, INFINITE);
    CloseHandle(opened);
    return holder;
  };
  {
    std::jthread moment = hold(150);
    EXPECT_TRUE(OpenClipboardPatiently(nullptr));
    CloseClipboard();
  }
  std::jthread long_hold = hold(1500);
  EXPECT_FALSE(OpenClipboardPatiently(nullptr));
}

}  // namespace
}  // namespace quorvane::win32
