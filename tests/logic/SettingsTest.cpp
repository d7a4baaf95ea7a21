#include "settings/Settings.h"

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "tests/fakes/FakeSettings.h"

namespace quorvane {
namespace {

std::string ErrorOf(auto&& statement) {
  try {
    statement();
  } catch (const AppError& error) {
    return error.what();
  }
  return "no error";
}

TEST(Settings, AnEmptyStoreGivesTheDefaults) {
  testing::FakeSettingsStore store;
  EXPECT_EQ(GetSetting(store, setting::kWindowsStartup), "Off");
  EXPECT_EQ(GetSetting(store, setting::kMinimized), "Off");
  EXPECT_EQ(GetSetting(store, setting::kOption1), "1");
  EXPECT_EQ(GetSetting(store, setting::kOption2), "0");
  EXPECT_EQ(GetSetting(store, setting::kOftenIndex), "2");
  EXPECT_EQ(GetSetting(store, setting::kStartStopState), "On");
  SaveSetting(store, setting::kOftenIndex, "12");
  EXPECT_EQ(store.values.at("OftenIndex"), "12");
  EXPECT_EQ(GetSetting(store, setting::kOftenIndex), "12");
}

TEST(TextToBoolean, TakesTheWordsOrANumber) {
  EXPECT_TRUE(TextToBoolean("True"));
  EXPECT_FALSE(TextToBoolean("False"));
  EXPECT_TRUE(TextToBoolean("1"));
  EXPECT_TRUE(TextToBoolean("-1"));
  EXPECT_TRUE(TextToBoolean(" 0.5 "));
  EXPECT_FALSE(TextToBoolean("0"));
  EXPECT_FALSE(TextToBoolean("0.0"));
  for (const char* text : {"", "yes", "on", "1x", "0x1", "nan"})
    EXPECT_EQ(ErrorOf([&] { TextToBoolean(text); }), "Type mismatch") << text;
}

TEST(TextToInteger16, RoundsAndChecksTheRange) {
  EXPECT_EQ(TextToInteger16("7"), 7);
  EXPECT_EQ(TextToInteger16(" 12 "), 12);
  EXPECT_EQ(TextToInteger16("2.5"), 2);  // halves go to the even number
  EXPECT_EQ(TextToInteger16("3.5"), 4);
  EXPECT_EQ(TextToInteger16("-32768"), -32768);
  EXPECT_EQ(TextToInteger16("32767"), 32767);
  EXPECT_EQ(ErrorOf([] { TextToInteger16("32768"); }), "Overflow");
  EXPECT_EQ(ErrorOf([] { TextToInteger16("1e300"); }), "Overflow");
  EXPECT_EQ(ErrorOf([] { TextToInteger16("1e999"); }), "Overflow");
  EXPECT_EQ(ErrorOf([] { TextToInteger16("two"); }), "Type mismatch");
  EXPECT_EQ(ErrorOf([] { TextToInteger16(""); }), "Type mismatch");
}

}  // namespace
}  // namespace quorvane
