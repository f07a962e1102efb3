#include <gtest/gtest.h>

#include "shell/HandOff.h"

using namespace rn;
using Lines = std::vector<std::string>;

TEST(HandOffText, SplitsAtEveryKindOfBreakAndStopsAtTheFirstNull) {
  const std::string t = "a\r\nb\rc\nd\r\n";
  EXPECT_EQ(SplitHandOffText(t.data(), t.size() + 1), Lines({"a", "b", "c", "d"}));
  const std::string e = "a\r\n\r\nb";
  EXPECT_EQ(SplitHandOffText(e.data(), e.size()), Lines({"a", "", "b"}));
  const std::string n("a\r\n\0b\r\n", 7);
  EXPECT_EQ(SplitHandOffText(n.data(), n.size()), Lines({"a"}));
  // Without a null byte the text ends at the size given, even inside a line.
  EXPECT_EQ(SplitHandOffText(t.data(), 4), Lines({"a", "b"}));
  EXPECT_EQ(SplitHandOffText(t.data(), 2), Lines({"a"}));
  EXPECT_TRUE(SplitHandOffText("", 1).empty());
  EXPECT_TRUE(SplitHandOffText(nullptr, 10).empty());
  EXPECT_TRUE(SplitHandOffText(t.data(), 0).empty());
}

TEST(HandOffText, Utf8FormRejectsTheWholeMessageForOneBadLine) {
  std::vector<std::wstring> paths;
  EXPECT_TRUE(DecodeUtf8Lines({"C:\\\xce\xb1.txt", ""}, paths));
  EXPECT_EQ(paths, std::vector<std::wstring>({L"C:\\\u03b1.txt", L""}));
  EXPECT_FALSE(DecodeUtf8Lines({"C:\\ok.txt", "C:\\\xc0\xaf"}, paths));  // overlong form
  EXPECT_TRUE(paths.empty());
}

TEST(HandOffText, TheSentTextSplitsBackIntoThePathsSent) {
  const std::string two = BuildHandOffText({"C:\\a\\x.txt", "C:\\a\\sub"});
  EXPECT_EQ(two, std::string("C:\\a\\x.txt\r\nC:\\a\\sub\r\n\0", 23));
  EXPECT_EQ(SplitHandOffText(two.data(), two.size()), Lines({"C:\\a\\x.txt", "C:\\a\\sub"}));
  EXPECT_EQ(BuildHandOffText({}), std::string(1, '\0'));
  EXPECT_TRUE(SplitHandOffText(BuildHandOffText({}).data(), 1).empty());
}
