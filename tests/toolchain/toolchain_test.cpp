// Checks that the build writes narrow literals as Shift-JIS and that wine runs with code page 932.
#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::string Hex(const std::string& text) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

TEST(ShiftJisLiterals, KanjiWhoseSecondByteIsABackslash) {
  EXPECT_EQ(Hex("構内"), "8D 5C 93 E0");
}

TEST(ShiftJisLiterals, HalfWidthKatakanaAreSingleBytes) {
  EXPECT_EQ(Hex("ｷｬﾝｾﾙ"), "B7 AC DD BE D9");
}

#ifdef _WIN32
TEST(WineLocale, AnsiCodePageIs932) {
  EXPECT_EQ(GetACP(), 932u);
}

TEST(WineLocale, AnsiTextConvertsToTheSameCharacters) {
  wchar_t wide[8] = {};
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "構内", -1, wide, 8), 3);
  EXPECT_EQ(wide[0], 0x69CB);
  EXPECT_EQ(wide[1], 0x5185);
}
#endif

}  // namespace
