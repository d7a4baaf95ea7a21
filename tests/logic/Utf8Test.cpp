// The one UTF-8 reader of the program: the skin, the SSIDs and the report's text
// all stand or fall by what it takes for well-formed.
#include <gtest/gtest.h>

#include "base/Utf8.h"

namespace quorvane {
namespace {

TEST(Utf8, ReadsEachLengthAndRefusesWhatUnicodeForbids) {
  EXPECT_EQ(Utf8At("a", 0).code, U'a');
  EXPECT_EQ(Utf8At("\xC3\xA9", 0).code, U'\u00E9');
  EXPECT_EQ(Utf8At("\xE2\x80\x8F", 0).code, U'\u200F');
  EXPECT_EQ(Utf8At("\xF0\x9F\x93\xB6", 0).code, U'\U0001F4F6');
  EXPECT_EQ(Utf8At("\xF0\x9F\x93\xB6", 0).length, 4u);
  for (const std::string_view bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                     "\xE2\x80", "\x80", "\xC3\x28"})
    EXPECT_FALSE(IsUtf8(bad)) << testing::PrintToString(bad);
  std::string out;
  for (const char32_t code : {U'a', U'\u00E9', U'\u20AC', U'\U0001F4F6'}) AppendUtf8(out, code);
  EXPECT_EQ(out, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xB6");
}

}  // namespace
}  // namespace quorvane
