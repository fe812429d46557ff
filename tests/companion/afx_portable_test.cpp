// The framework's portable parts: CString's formatting and joining, and text-mode line ends.
#include <gtest/gtest.h>

#include <string>

#include "afxstr.h"
#include "text_mode.h"

namespace {

TEST(CStringFormat, FormatsDecimalsAndReplacesTheWholeText) {
  struct Case {
    int value;
    const char* expected;
  };
  const Case cases[] = {{0, "0"}, {61439, "61439"}, {-1, "-1"}, {2147483647, "2147483647"}};
  CString text = "an earlier, longer text";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    text.Format("%d", c.value);
    EXPECT_STREQ(text, c.expected);
    EXPECT_EQ(text.GetLength(), static_cast<int>(std::string(c.expected).size()));
  }
}

TEST(CStringFormat, LongTextIsNotCut) {
  std::string path(600, 'a');
  CString text;
  text.Format("%s\\%s", path.c_str(), "構内.kif");
  EXPECT_EQ(std::string(text), path + "\\構内.kif");
}

TEST(CStringFormat, EmptyResultGivesEmptyText) {
  CString text = "x";
  text.Format("%s", "");
  EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringJoin, NullAssignsEmptyAndJoiningKeepsShiftJisBytes) {
  CString text = static_cast<const char*>(nullptr);
  EXPECT_TRUE(text.IsEmpty());
  text = "棋譜";
  CString joined = text + "\n";
  EXPECT_EQ(std::string(joined), "\x8a\xfb\x95\x88\n");
  joined += "終";
  EXPECT_TRUE(joined == "棋譜\n終");
}

TEST(TextMode, EachLineFeedBecomesCarriageReturnLineFeed) {
  struct Case {
    const char* text;
    const char* bytes;
  };
  const Case cases[] = {
      {"", ""},
      {"C:\\a.kif\n", "C:\\a.kif\r\n"},
      {"\n\n", "\r\n\r\n"},
      {"no line end", "no line end"},
      // An existing carriage return is kept: text mode only adds one before each line feed.
      {"a\r\nb", "a\r\r\nb"},
      // The second byte of ソ is 0x5C, never 0x0A: double-byte text passes unchanged.
      {"ソ\n", "\x83\x5c\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ToTextModeBytes(c.text), c.bytes);
  }
}

}  // namespace
