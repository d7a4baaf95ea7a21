#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "platform/WirelessTool.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSettings.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/Win32MessageLoop.h"
#include "window/Form1.h"

namespace quorvane::win32 {
namespace {

using namespace std::chrono_literals;

class RecordingDialogs : public Dialogs {
 public:
  std::vector<std::string> shown;
  void SetAppTitle(const std::string&) override {}
  void ReportError(const ErrorReport& report) override { shown.push_back(report.Text()); }
  void Inform(const std::string& text) override { shown.push_back(text); }
  bool Confirm(const std::string& text) override {
    shown.push_back(text);
    return true;
  }
  void Warn(const std::string& text) override { shown.push_back(text); }
};

class RecordingDesktop : public Desktop {
 public:
  void OpenTextFile(const std::filesystem::path&) override {}
  void OpenUrlInBackground(const std::string&) override {}
  void CopyText(const std::string&) override {}
};

// The real main window over the window core, with fake services.
class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    runner.output = "    Signal             : 70%\r\n";
    window.Attach(&form);
    form.Form_Load();
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
  RecordingDialogs dialogs;
  RecordingDesktop desktop;
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

}  // namespace
}  // namespace quorvane::win32
