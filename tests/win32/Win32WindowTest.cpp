#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "platform/WirelessTool.h"
#include "tests/fakes/FakeDesktop.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSettings.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/Win32MessageLoop.h"
#include "window/Form1.h"

namespace quorvane::win32 {
namespace {

using namespace std::chrono_literals;

// On a desktop without a tray host, Wine shows a tray window of its own when the
// first icon arrives, and the window manager gives it the focus once it maps it:
// whichever window was active then loses the focus. The tray window is shown, and
// has taken the focus, before any window under test exists.
class ShellTrayShownFirst : public ::testing::Environment {
 public:
  void SetUp() override {
    owner_ =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    NOTIFYICONDATAW icon = Icon();
    icon.uFlags = NIF_ICON;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    Shell_NotifyIconW(NIM_ADD, &icon);
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!tray || !IsWindowVisible(tray)) return;  // the icon went into a tray host
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (GetForegroundWindow() != tray && std::chrono::steady_clock::now() < end) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(10);
    }
  }
  void TearDown() override {
    NOTIFYICONDATAW icon = Icon();
    Shell_NotifyIconW(NIM_DELETE, &icon);
    DestroyWindow(owner_);
  }

 private:
  NOTIFYICONDATAW Icon() const {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner_;
    icon.uID = 1;
    return icon;
  }
  HWND owner_ = nullptr;
};
[[maybe_unused]] const auto* const shell_tray_shown_first =
    ::testing::AddGlobalTestEnvironment(new ShellTrayShownFirst);

// The real main window over the window core, with fake services.
class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    runner.output = "    Signal             : 70%\r\n";
    window.Attach(&form);
    form.Load();
    Pump([] { return false; }, 100ms);
  }
  void TearDown() override { window.Attach(nullptr); }

  // Runs the window's messages until `done` or the time is up.
  bool Pump(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      if (done()) return true;
      Sleep(10);
    }
    return done();
  }

  void Click(Control control) { SendMessageW(window.control(control), BM_CLICK, 0, 0); }
  HWND Handle(Control control) { return window.control(control); }

  // What the window answers a control that asks for its colours: background, text.
  std::pair<COLORREF, COLORREF> ColoursFor(Control control, UINT message = WM_CTLCOLORBTN) {
    HDC dc = GetDC(Handle(control));
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(window.handle(), message, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Handle(control))));
    LOGBRUSH background{};
    GetObjectW(brush, sizeof background, &background);
    const COLORREF text = GetTextColor(dc);
    ReleaseDC(Handle(control), dc);
    return {background.lbColor, text};
  }
  // The colour of one pixel of a control as it paints itself.
  COLORREF PixelOf(Control control, int x, int y) {
    HWND handle = Handle(control);
    RECT area;
    GetClientRect(handle, &area);
    HDC screen = GetDC(handle);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    SendMessageW(handle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF pixel = GetPixel(memory, x, y);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(handle, screen);
    return pixel;
  }

  testing::TempDir temp;
  testing::FakeClock clock;
  testing::FakeToolRunner runner;
  testing::FakeSignalSource source;
  testing::FakeConnectivity connectivity;
  testing::FakeSettingsStore settings;
  testing::FakeStartupEntry startup;
  StatusSampler sampler{{clock, runner, SystemWirelessTool(), source, connectivity, temp.path()}};
  HistoryStore history{clock};
  Win32MessageLoop loop{GetModuleHandleW(nullptr)};
  MainWindow window{GetModuleHandleW(nullptr), history};
  testing::FakeDialogs dialogs;
  testing::FakeDesktop desktop;
  Form1 form{{sampler, settings, startup, clock, temp.path(), temp.path()},
             {window, window.tray(), dialogs, desktop, loop},
             history};
};

TEST_F(Win32WindowTest, FirstStartShowsTheLayoutAt96Dpi) {
  RECT client;
  GetClientRect(window.handle(), &client);
  EXPECT_EQ(client.right, 536);
  EXPECT_EQ(client.bottom, 570);
  const LONG style = GetWindowLongW(window.handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  RECT button;
  GetWindowRect(Handle(Control::PushButton6), &button);
  MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&button), 2);
  EXPECT_EQ(button.left, 272);  // 4080 twips
  EXPECT_EQ(button.top, 415);   // 6225 twips
  EXPECT_EQ(button.right - button.left, 256);

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Handle(Control::Frame2), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"Arial");
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font.lfHeight, -12);  // 9 points

  EXPECT_FALSE(IsWindowVisible(Handle(Control::Check8)));
  EXPECT_EQ(GetFocus(), Handle(Control::ListView1));
}

// Like every Windows radio group, the option buttons take one stop: the chosen one.
TEST_F(Win32WindowTest, TabWalksTheWindowTopToBottomPastTheHiddenBox) {
  std::vector<HWND> walked;
  HWND at = Handle(Control::ListView1);
  for (int step = 0; step < 11; ++step)
    walked.push_back(at = GetNextDlgTabItem(window.handle(), at, FALSE));
  const std::vector<HWND> expected{
      Handle(Control::ListView2),    Handle(Control::Check4),       Handle(Control::PushButton5),
      Handle(Control::PushButton6),  Handle(Control::PushButton1),  Handle(Control::PushButton2),
      Handle(Control::PushButton11), Handle(Control::PushButton12), Handle(Control::Option1),
      Handle(Control::PushButton3),  Handle(Control::ListView1)};
  EXPECT_EQ(walked, expected);
}

TEST_F(Win32WindowTest, TickingTheStartupBoxGoesThroughTheCore) {
  Click(Control::Check4);
  EXPECT_EQ(settings.values["Windows Startup"], "On");
  EXPECT_EQ(startup.adds, 1);
  EXPECT_TRUE(IsWindowVisible(Handle(Control::Check8)));

  Click(Control::Check4);
  EXPECT_EQ(settings.values["Windows Startup"], "Off");
  EXPECT_EQ(startup.removes, 1);
  EXPECT_FALSE(IsWindowVisible(Handle(Control::Check8)));
}

TEST_F(Win32WindowTest, TheHistoryListFollowsTheStore) {
  HWND list = Handle(Control::ListView1);
  Click(Control::PushButton6);  // the reading runs on its own thread and is posted back
  ASSERT_TRUE(Pump([&] { return ListView_GetItemCount(list) == 1; }));
  wchar_t text[128] = L"";
  ListView_GetItemText(list, 0, 0, text, 128);
  EXPECT_STREQ(text, L"12/07/26 14:03:11 WiFi Signal Strength is 70%");

  Click(Control::PushButton12);  // the fake answers Yes
  EXPECT_EQ(ListView_GetItemCount(list), 0);
  EXPECT_EQ(history.size(), 0u);
}

TEST_F(Win32WindowTest, TheProgressBarCountsTheSeconds) {
  HWND bar = Handle(Control::ProgressBar1);
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);
  ASSERT_TRUE(Pump([&] { return SendMessageW(bar, PBM_GETPOS, 0, 0) == 1; }, 3s));
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 5);  // "Log every 5 seconds"
  wchar_t caption[64] = L"";
  GetWindowTextW(Handle(Control::Frame1), caption, 64);
  EXPECT_STREQ(caption, L"Next log will occur in 00:00:04");
}

TEST_F(Win32WindowTest, ChoosingAnIntervalStoresIt) {
  HWND list = Handle(Control::ListView2);
  EXPECT_EQ(ListView_GetItemCount(list), 12);
  EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 1);
  EXPECT_EQ(settings.saves, 0);  // the row restored at start is not the user's choice
  ListView_SetItemState(list, 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  NMITEMACTIVATE click{};
  click.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), NM_CLICK};
  click.iItem = 3;
  SendMessageW(window.handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(settings.values["OftenIndex"], "4");
  // A row chosen with the keyboard is stored the same way.
  SetFocus(list);
  SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(settings.values["OftenIndex"], "5");
}

// No row of the interval list is cut in half at its bottom edge, and the list is
// shortened by less than a row to get there.
TEST_F(Win32WindowTest, TheIntervalListShowsWholeRows) {
  HWND list = Handle(Control::ListView2);
  RECT row{}, client{}, outer{};
  ASSERT_TRUE(ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS));
  GetClientRect(list, &client);
  GetWindowRect(list, &outer);
  const int row_height = row.bottom - row.top;
  ASSERT_GT(row_height, 0);
  EXPECT_EQ((client.bottom - row.top) % row_height, 0);
  EXPECT_GT(outer.bottom - outer.top, 106 - row_height);  // 1590 twips at 96 DPI
}

TEST_F(Win32WindowTest, MinimisingHidesIntoTheTrayAndAReleaseBringsItBack) {
  ShowWindow(window.handle(), SW_MINIMIZE);
  ASSERT_TRUE(Pump([&] { return !IsWindowVisible(window.handle()); }));
  EXPECT_TRUE(form.MinimizedToTray());

  SendMessageW(window.handle(), TrayIcon::kCallbackMessage, 0, WM_MBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(window.handle()));
  SendMessageW(window.handle(), TrayIcon::kCallbackMessage, 0, WM_RBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(window.handle()));
  EXPECT_FALSE(IsIconic(window.handle()));
}

// Win+B, the arrow keys and Enter or Space: a shell of version 4 reports the icon
// chosen with the keyboard, with the icon's number in the high word.
TEST_F(Win32WindowTest, TheTrayIconChosenWithTheKeyboardBringsTheWindowBack) {
  for (const UINT notification : {NIN_KEYSELECT, NIN_SELECT}) {
    ShowWindow(window.handle(), SW_MINIMIZE);
    ASSERT_TRUE(Pump([&] { return !IsWindowVisible(window.handle()); }));
    SendMessageW(window.handle(), TrayIcon::kCallbackMessage, MAKEWPARAM(20, 700),
                 MAKELPARAM(notification, 0));
    EXPECT_TRUE(IsWindowVisible(window.handle())) << notification;
    EXPECT_FALSE(IsIconic(window.handle())) << notification;
  }
}

// High contrast turned on while the window is open: the white of the layout and
// the skin's colours give way to the desktop's at the next paint.
TEST_F(Win32WindowTest, HighContrastTakesTheDesktopsColours) {
  const auto skin = temp.path() / "o.cjs";
  std::ofstream(skin, std::ios::binary) << "#Check4 { color: red; background-color: #dde8f4 }\n";
  window.ApplySkin(skin);
  EXPECT_FALSE(window.HighContrast());  // as the system says
  bool high_contrast = true;
  window.SetHighContrastSource([&] { return high_contrast; });
  EXPECT_EQ(ColoursFor(Control::Check4),
            std::make_pair(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)));
  EXPECT_EQ(ColoursFor(Control::Frame2, WM_CTLCOLORSTATIC).first, GetSysColor(COLOR_WINDOW));
  high_contrast = false;
  EXPECT_EQ(ColoursFor(Control::Check4), std::make_pair(RGB(0xDD, 0xE8, 0xF4), RGB(255, 0, 0)));
}

// What a screen reader reads of the lists: their names, the history's lines.
TEST_F(Win32WindowTest, TheListsAreNamedAfterTheirHeaders) {
  wchar_t name[80] = L"";
  GetWindowTextW(Handle(Control::ListView1), name, 80);
  EXPECT_STREQ(name, L"WiFi Signal Strength Status");
  GetWindowTextW(Handle(Control::ListView2), name, 80);
  EXPECT_STREQ(name, L"How often would you like to log WiFi signal strength?");
}

// A shell busy at login may time out on an add and place the icon all the same;
// a later add then finds it there, and counts as done rather than refused.
TEST_F(Win32WindowTest, AnIconTheShellAlreadyHoldsCountsAsAdded) {
  ASSERT_TRUE(form.tray().Available());
  TrayIcon again(window.handle(), LoadIconW(nullptr, IDI_APPLICATION));
  EXPECT_TRUE(again.Show("Quorvane"));
}

// A bad skin leaves the button face in place; a good one lays its colours over it.
TEST_F(Win32WindowTest, TheSkinColoursTheControls) {
  const auto skin = temp.path() / "o.cjs";
  std::ofstream(skin, std::ios::binary) << "QWidget { background: {";
  EXPECT_THROW(window.ApplySkin(skin), AppError);
  EXPECT_EQ(ColoursFor(Control::Check4).first, GetSysColor(COLOR_BTNFACE));

  std::ofstream(skin, std::ios::binary) << "QWidget { background-color: #dde8f4 }\n"
                                           "#Check4 { color: red }\n"
                                           "QTreeView { background: yellow; color: navy }\n"
                                           "QPushButton { background-color: rgb(40, 90, 160) }\n";
  window.ApplySkin(skin);
  EXPECT_EQ(ColoursFor(Control::Check4), std::make_pair(RGB(0xDD, 0xE8, 0xF4), RGB(255, 0, 0)));
  EXPECT_EQ(ColoursFor(Control::Frame2, WM_CTLCOLORSTATIC).first, RGB(0xDD, 0xE8, 0xF4));
  EXPECT_EQ(ListView_GetBkColor(Handle(Control::ListView2)), RGB(255, 255, 0));
  EXPECT_EQ(ListView_GetTextColor(Handle(Control::ListView2)), RGB(0, 0, 128));
  // Painted: the empty end of the bar, and a button's face.
  EXPECT_EQ(PixelOf(Control::ProgressBar1, 480, 4), RGB(0xDD, 0xE8, 0xF4));
  EXPECT_EQ(PixelOf(Control::PushButton5, 6, 6), RGB(40, 90, 160));
}

// Drops told as the tray icon's balloon (Windows 10 and 11 show it as a toast),
// with "Notify Drops" on, and the tip naming the latest sample, as the shell gets
// them.
class Win32NotificationsTest : public Win32WindowTest {
 protected:
  Win32NotificationsTest() { settings.values["Notify Drops"] = "On"; }
  void SetUp() override {
    Win32WindowTest::SetUp();
    window.tray().ObserveShell([this](DWORD message, const NOTIFYICONDATAW& data) {
      if (message != NIM_MODIFY) return;
      if (data.uFlags & NIF_TIP) tips.push_back(data.szTip);
      if ((data.uFlags & NIF_INFO) && data.szInfo[0])
        balloons.emplace_back(data.szInfoTitle, data.szInfo);
    });
  }
  // Samples taken with "Log Current Status Now", `seconds` apart on the clock.
  void Samples(int count, const std::string& output) {
    runner.output = output;
    for (int i = 0; i < count; ++i) {
      const std::size_t before = history.size();
      Click(Control::PushButton6);
      ASSERT_TRUE(Pump([&] { return history.size() > before; }));
      clock.unix_seconds += 5;
      clock.now.second += 5;
      clock.now.minute += clock.now.second / 60;
      clock.now.second %= 60;
    }
  }

  std::vector<std::wstring> tips;
  std::vector<std::pair<std::wstring, std::wstring>> balloons;
};

TEST_F(Win32NotificationsTest, ADropAndItsEndAreBalloonsAndAClickOnOneBringsTheWindowBack) {
  Samples(1, "    Signal             : 70%\r\n");
  ASSERT_FALSE(tips.empty());
  EXPECT_EQ(tips.back(), L"Quorvane: 70% at 14:03:11");
  Samples(12, "    Signal             : 70%\r\n");  // past the quiet first minute
  Samples(8, "");                                   // no network: 40 s
  EXPECT_EQ(tips.back(), L"Quorvane: no WiFi connection since 14:04:16");
  Samples(2, "    Signal             : 70%\r\n");
  ASSERT_EQ(balloons.size(), 2u);
  EXPECT_EQ(balloons[0],
            std::make_pair(std::wstring(L"Quorvane"), std::wstring(L"WiFi connection lost")));
  EXPECT_EQ(balloons[1].second, L"Connection back after 40 s (the WiFi)");

  ShowWindow(window.handle(), SW_MINIMIZE);
  ASSERT_TRUE(Pump([&] { return !IsWindowVisible(window.handle()); }));
  // Five minutes later the first drop no longer makes the connection unstable.
  Samples(61, "    Signal             : 70%\r\n");
  Samples(8, "");  // within 10 minutes of the last: not told
  SendMessageW(window.handle(), TrayIcon::kCallbackMessage, 0, NIN_BALLOONUSERCLICK);
  EXPECT_FALSE(IsWindowVisible(window.handle())) << "the minimise balloon brought the window";
  Samples(120, "    Signal             : 70%\r\n");
  Samples(8, "");
  ASSERT_EQ(balloons.size(), 4u);  // the minimise balloon and the new Lost
  SendMessageW(window.handle(), TrayIcon::kCallbackMessage, 0, NIN_BALLOONUSERCLICK);
  EXPECT_TRUE(IsWindowVisible(window.handle()));
}

}  // namespace
}  // namespace quorvane::win32
