// Exchange folder logic: path forming, record file names and the selection file reader.
#include "exchange.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(PathTable, EveryPathIsTheFolderFollowedByItsBareName) {
  PathTable table;
  ASSERT_TRUE(FormPathTable("C:\\Palm\\Marbelo", &table));
  const struct {
    const char* field;
    const char* expected;
  } cases[] = {
      {table.dateSync, "C:\\Palm\\Marbelo\\DateSync.dat"},
      {table.retrievalDone, "C:\\Palm\\Marbelo\\HH2PC.dat"},
      {table.staging, "C:\\Palm\\Marbelo\\TMPdate.dat"},
      {table.recordFileStem, "C:\\Palm\\Marbelo\\PMData"},
      {table.retrievalRequest, "C:\\Palm\\Marbelo\\ListReq.dat"},
      {table.companion, "C:\\Palm\\Marbelo\\Vornet.exe"},
      {table.databaseList, "C:\\Palm\\Marbelo\\dblist.txt"},
      {table.selection, "C:\\Palm\\Marbelo\\csvselname.txt"},
      {table.cancelMarker, "C:\\Palm\\Marbelo\\dum.dat"},
  };
  for (const auto& c : cases) EXPECT_STREQ(c.field, c.expected);
}

TEST(PathTable, FormingTwiceGivesTheSamePaths) {
  PathTable first, second;
  std::memset(&second, 'x', sizeof second);
  ASSERT_TRUE(FormPathTable("D:\\x", &first));
  ASSERT_TRUE(FormPathTable("D:\\x", &second));
  EXPECT_STREQ(first.selection, second.selection);
  EXPECT_STREQ(first.recordFileStem, second.recordFileStem);
}

// The longest bare name, "\csvselname.txt", has 15 characters: a folder of 244 fits.
TEST(PathTable, AFolderTooLongForAnyPathIsRefusedWithoutCutting) {
  PathTable table;
  const std::string fits(kMaxPathLength - std::strlen(kSelectionName), 'a');
  ASSERT_TRUE(FormPathTable(fits.c_str(), &table));
  EXPECT_EQ(std::strlen(table.selection), kMaxPathLength);

  const std::string tooLong = fits + "a";
  EXPECT_FALSE(FormPathTable(tooLong.c_str(), &table));
  EXPECT_STREQ(table.selection, "");
  EXPECT_STREQ(table.dateSync, "") << "no path survives a refused folder";
}

TEST(JoinExchangePath, RefusesAtTheLimitAndNeverCuts) {
  const struct {
    size_t folderLength;
    bool fits;
  } cases[] = {{0, true}, {250, true}, {251, true}, {252, false}, {259, false}, {400, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folderLength);
    const std::string folder(c.folderLength, 'f');
    char out[kPathFieldSize];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(JoinExchangePath(folder.c_str(), "\\HH2PC.d", out), c.fits);  // 8 characters
    EXPECT_EQ(std::string(out), c.fits ? folder + "\\HH2PC.d" : "");
  }
}

TEST(FolderOfModulePath, CutsAtTheLastBackslashOfItsOwn) {
  const struct {
    const char* path;
    bool found;
    const char* folder;
  } cases[] = {
      {"C:\\Palm\\Marbelo\\Dalvex.dll", true, "C:\\Palm\\Marbelo"},
      {"C:\\Dalvex.dll", true, "C:"},
      {"Dalvex.dll", false, ""},
      {"C:\\ソフト\\Dalvex.dll", true, "C:\\ソフト"},  // ソ is 83 5C
      {"C:\\dir\\表", true, "C:\\dir"},             // 表 is 95 5C
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    char folder[kPathFieldSize];
    EXPECT_EQ(FolderOfModulePath(c.path, folder), c.found);
    EXPECT_STREQ(folder, c.folder);
  }
}

TEST(RecordFileName, NumbersHaveAtLeastThreeDigits) {
  const struct {
    uint32_t number;
    const char* expected;
  } cases[] = {{0, "C:\\x\\PMData.000"}, {7, "C:\\x\\PMData.007"}, {999, "C:\\x\\PMData.999"},
               {1000, "C:\\x\\PMData.1000"}, {65535, "C:\\x\\PMData.65535"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    char out[kPathFieldSize];
    ASSERT_TRUE(RecordFileName("C:\\x\\PMData", c.number, out));
    EXPECT_STREQ(out, c.expected);
  }
}

TEST(RecordFileName, ANameBeyondTheFieldIsRefused) {
  const std::string stem(kMaxPathLength - 4, 's');  // ".000" just fits
  char out[kPathFieldSize];
  EXPECT_TRUE(RecordFileName(stem.c_str(), 999, out));
  EXPECT_FALSE(RecordFileName(stem.c_str(), 1000, out));
  EXPECT_STREQ(out, "");
}

TEST(ParseDecimal, FollowsTheDecimalRules) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"12345", 12345},       {"-42", -42},          {"+17", 17},
      {" \t 61439", 61439},   {"61440abc", 61440},   {"abc", 0},
      {"", 0},                {"-", 0},              {"+-5", 0},
      {"- 5", 0},             {"00012", 12},         {"2147483647", 2147483647},
      {"2147483648", INT32_MAX}, {"99999999999999999999", INT32_MAX},
      {"-2147483648", INT32_MIN}, {"-99999999999999999999", INT32_MIN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDecimal(c.text), c.value);
  }
}

struct SelectionCase {
  const char* guards;
  std::string bytes;
  std::string pathLine;
  std::string sizeLine;
  const char* fileName;  // null: no backslash
  int32_t size;
  SelectionProblem problem;
};

class SelectionFileTest : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionFileTest, ReadsAsTheConduitReads) {
  const SelectionCase& c = GetParam();
  SCOPED_TRACE(c.guards);
  SelectionFile selection;
  ParseSelectionFile(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size(), &selection);
  EXPECT_EQ(std::string(selection.pathLine), c.pathLine);
  EXPECT_EQ(std::string(selection.sizeLine), c.sizeLine);
  if (c.fileName == nullptr) {
    EXPECT_EQ(selection.fileName, nullptr);
  } else {
    ASSERT_NE(selection.fileName, nullptr);
    EXPECT_STREQ(selection.fileName, c.fileName);
  }
  EXPECT_EQ(selection.size, c.size);
  EXPECT_EQ(CheckSelectionFile(selection), c.problem);
}

const std::string kPath259 = "C:\\" + std::string(250, 'p') + "\\a.kif";  // 3 + 250 + 6
const std::string kLongDir(296, 'd');
const std::string kLongName(256, 'd');  // what follows "C:\" within the first 259

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectionFileTest,
    ::testing::Values(
        SelectionCase{"two lines as the companion writes them", "C:\\Games\\a.kif\r\n12345\r\n",
                      "C:\\Games\\a.kif", "12345", "a.kif", 12345, SelectionProblem::kNone},
        SelectionCase{"a negative size is read as such", "C:\\g\\b.kif\r\n-5\r\n", "C:\\g\\b.kif", "-5",
                      "b.kif", -5, SelectionProblem::kNone},
        SelectionCase{"a size line without digits gives 0", "C:\\g\\b.kif\r\nxyz\r\n", "C:\\g\\b.kif",
                      "xyz", "b.kif", 0, SelectionProblem::kNone},
        SelectionCase{"bare line feeds end lines too", "C:\\g\\c.kif\n7\n", "C:\\g\\c.kif", "7", "c.kif",
                      7, SelectionProblem::kNone},
        SelectionCase{"no line feed after the size", "C:\\g\\c.kif\r\n61439", "C:\\g\\c.kif", "61439",
                      "c.kif", 61439, SelectionProblem::kNone},
        SelectionCase{"a lone carriage return stays", "C:\\g\\c\r.kif\r\n1\r\n", "C:\\g\\c\r.kif", "1",
                      "c\r.kif", 1, SelectionProblem::kNone},
        SelectionCase{"a double-byte character ending in 5C is no separator",
                      "C:\\棋譜\\表.kif\r\n30\r\n", "C:\\棋譜\\表.kif", "30", "表.kif", 30,
                      SelectionProblem::kNone},
        SelectionCase{"an empty file gives neither path nor size", "", "", "", nullptr, 0,
                      SelectionProblem::kEmpty},
        SelectionCase{"a file of one line gives no size", "C:\\g\\d.kif\r\n", "C:\\g\\d.kif", "", "d.kif",
                      0, SelectionProblem::kNoSize},
        SelectionCase{"a one-line file without line feed gives no size", "C:\\g\\d.kif", "C:\\g\\d.kif",
                      "", "d.kif", 0, SelectionProblem::kNoSize},
        SelectionCase{"a first line without backslash names no file", "d.kif\r\n10\r\n", "d.kif", "10",
                      nullptr, 10, SelectionProblem::kNoFileName},
        SelectionCase{"a first line ending in a backslash names no file", "C:\\g\\\r\n10\r\n", "C:\\g\\",
                      "10", "", 10, SelectionProblem::kNoFileName},
        SelectionCase{"a path of exactly 259 characters leaves only its line feed for the size",
                      kPath259 + "\r\n12\r\n", kPath259, "", "a.kif", 0, SelectionProblem::kPathTooLong},
        SelectionCase{"a longer first line is cut at 259 and the rest read as the size",
                      "C:\\" + kLongDir + "\\e.kif\r\n12\r\n", ("C:\\" + kLongDir).substr(0, 259),
                      std::string(299 - 259, 'd') + "\\e.kif", kLongName.c_str(), 0, SelectionProblem::kPathTooLong},
        SelectionCase{"the size line is read up to 98 characters",
                      "C:\\g\\f.kif\r\n" + std::string(97, '0') + "42\r\n", "C:\\g\\f.kif",
                      std::string(97, '0') + "4", "f.kif", 4, SelectionProblem::kNone}),
    [](const ::testing::TestParamInfo<SelectionCase>& info) { return "case" + std::to_string(info.index); });

}  // namespace
