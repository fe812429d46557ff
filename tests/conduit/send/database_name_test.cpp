// The database name a file is sent under, for the name shapes users give their files.
#include "database_name.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct NameCase {
  const char* guards;
  std::string fileName;
  std::string expected;
};

// Source literals become Shift-JIS: 将 is 8F AB, 棋 is 8A FB (a second byte with a lead
// byte's value), ｶ is the single byte B6.
const NameCase kNameCases[] = {
    {"a short name stays whole", "game01.kif", "game01.kif"},
    {"a name of four bytes or fewer stays whole", "a.b", "a.b"},
    {"an empty name stays empty", "", ""},
    {"a name of 31 bytes stays whole with its own extension",
     "abcdefghijklmnopqrstuvwxyz0.txt", "abcdefghijklmnopqrstuvwxyz0.txt"},
    {"a name of 32 bytes is cut to 27 bytes and .kif",
     "abcdefghijklmnopqrstuvwxyz01.txt", "abcdefghijklmnopqrstuvwxyz0.kif"},
    {"a name of 40 bytes loses its own extension",
     "abcdefghijklmnopqrstuvwxyz0123456789.txt", "abcdefghijklmnopqrstuvwxyz0.kif"},
    {"a long name without extension still ends in .kif",
     "abcdefghijklmnopqrstuvwxyz0123456789", "abcdefghijklmnopqrstuvwxyz0.kif"},
    {"a double-byte character starting at the 27th byte is dropped whole",
     "将棋将棋将棋将棋将棋将棋将棋将棋.kif", "将棋将棋将棋将棋将棋将棋将.kif"},
    {"a double-byte character ending at the 27th byte is kept whole, even when its second "
     "byte has a lead byte's value",
     "a棋棋棋棋棋棋棋棋棋棋棋棋棋棋棋.kif", "a棋棋棋棋棋棋棋棋棋棋棋棋棋.kif"},
    {"a single-byte katakana at the 27th byte is kept",
     "abcdefghijklmnopqrstuvwxyzｶｶｶｶ.kif", "abcdefghijklmnopqrstuvwxyzｶ.kif"},
    {"a name of 259 bytes becomes 31 bytes", std::string(255, 'x') + ".kif", std::string(27, 'x') + ".kif"},
};

TEST(DatabaseName, DerivedFromTheFileName) {
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.guards);
    char out[kDatabaseNameFieldSize];
    std::memset(out, 0x7E, sizeof out);
    DeriveDatabaseName(c.fileName.c_str(), out);
    EXPECT_EQ(c.expected, out);
    EXPECT_LT(std::strlen(out), kDatabaseNameFieldSize);
  }
}

TEST(DatabaseName, ShiftJisBytesOfTheCutCases) {
  // The literals above must really be the double-byte codes the cases are about.
  EXPECT_STREQ("\x8F\xAB\x8A\xFB", "将棋");
  EXPECT_STREQ("\xB6", "ｶ");
}

}  // namespace
