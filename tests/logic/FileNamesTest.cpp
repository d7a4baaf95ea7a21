#include "sampling/FileNames.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(StripTrailingWord, RemovesOnlyTheGivenLastWord) {
  EXPECT_EQ(StripTrailingWord("Alpha Beta Software", "Software"), "Alpha Beta");
  EXPECT_EQ(StripTrailingWord("Alpha Beta Tool", "Software"), "Alpha Beta Tool");
  EXPECT_EQ(StripTrailingWord("Alpha Beta software", "Software"), "Alpha Beta software");
  EXPECT_EQ(StripTrailingWord("Alpha Beta Tool", ""), "Alpha Beta");
}

TEST(StripTrailingWord, LeavesASingleWordAlone) {
  EXPECT_EQ(StripTrailingWord("Quorvane", "Software"), "Quorvane");
  EXPECT_EQ(StripTrailingWord("Software", "Software"), "Software");
  EXPECT_EQ(StripTrailingWord("Quorvane", ""), "Quorvane");
}

TEST(StripTrailingWord, TrimsBlanksAroundWhatIsLeft) {
  EXPECT_EQ(StripTrailingWord("  Alpha  Software", "Software"), "Alpha");
  // A trailing blank makes the last "word" empty, which only an empty word matches.
  EXPECT_EQ(StripTrailingWord("Alpha Software ", "Software"), "Alpha Software ");
  EXPECT_EQ(StripTrailingWord("Alpha Software ", ""), "Alpha Software");
}

TEST(CleanFileName, RemovesEveryUnsafeCharacter) {
  EXPECT_EQ(CleanFileName("Alpha-Beta (Test) 2.0"), "AlphaBetaTest20");
  EXPECT_EQ(CleanFileName("$/\\*:?<>|#' .,\"()-+=%;}{\t"), "");
  EXPECT_EQ(CleanFileName("Quorvane"), "Quorvane");
}

TEST(CleanFileName, KeepsLettersDigitsUnderscoreBracketsAndTheRest) {
  EXPECT_EQ(CleanFileName("a_b[1]!@&~^`é"), "a_b[1]!@&~^`é");
}

}  // namespace
}  // namespace quorvane
