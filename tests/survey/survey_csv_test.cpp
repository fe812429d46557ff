// The survey-record converter: the three layouts, chain order, number formats, and every
// input beyond the well-formed layout, each from a small file built field by field.
#include "survey_csv.h"
#include "survey_file_builder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

namespace {

// The sample entry: every field set, primary name 2 and secondary name 0 present.
SurveyEntryFields SampleEntry() {
  SurveyEntryFields e;
  e.next = kChainEndMarker;
  e.textA = "A1";
  e.valueA = 3;
  e.textB = "X";
  e.primaryIndex = 2;
  e.valueB = 10;
  e.realA = 1.5f;
  e.realB = 2.25f;
  e.valueC = -1;
  e.realC = 0.5f;
  e.valueD = 7;
  e.gradeIndex = 1;
  e.siteIndex = 0;
  return e;
}

SurveyFileBuilder SampleFile(int16_t category, const SurveyEntryFields& entry = SampleEntry()) {
  SurveyFileBuilder file;
  file.Category(category).Title("T-U[V").Entry(0, entry).PrimaryName(2, "P2").SecondaryName(0, "S0");
  return file;
}

CsvBuild Convert(const SurveyFileBuilder& file) {
  return BuildCsvText(file.bytes().data(), file.bytes().size());
}

std::string Text(const CsvBuild& build) {
  EXPECT_EQ(build.problem, CsvProblem::kNone) << DescribeCsvProblem(build.problem);
  return build.text == nullptr ? std::string() : std::string(build.text, build.length);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "the text ends with a line feed";
  return lines;
}

std::vector<std::string> Columns(const std::string& line) {
  std::vector<std::string> columns;
  size_t start = 0;
  for (size_t end; (end = line.find(',', start)) != std::string::npos; start = end + 1)
    columns.push_back(line.substr(start, end - start));
  columns.push_back(line.substr(start));
  return columns;
}

// The first row's column (counted from 1) of a converted file.
std::string RowColumn(const SurveyFileBuilder& file, size_t column) {
  const std::vector<std::string> lines = Lines(Text(Convert(file)));
  if (lines.size() < 2) return "<no row>";
  const std::vector<std::string> columns = Columns(lines[1]);
  return column <= columns.size() ? columns[column - 1] : "<no column>";
}

TEST(SurveyCsvLayouts, EachCategoryGivesItsHeaderAndRow) {
  SurveyEntryFields unnamed = SampleEntry();
  unnamed.primaryIndex = 0;
  unnamed.secondaryIndex = 0;
  const struct {
    const char* what;
    int16_t category;
    SurveyEntryFields entry;
    const char* expected;
  } cases[] = {
      {"garden trees, primary name", 0, SampleEntry(),
       "T,U,1,庭木\n1,A1,3,X,2,P2,,,10,1.500000,2.250000,-1,,0.500000,2,中,1,構内\n"},
      {"garden trees, secondary name when primary index is 0", 0, unnamed,
       "T,U,1,庭木\n1,A1,3,X,,S0,,,10,1.500000,2.250000,-1,,0.500000,2,中,1,構内\n"},
      {"harvest, primary name", 1, SampleEntry(),
       "T,U,2,収穫\n1,A1,3,X,,,2,P2,10,1.500000,2.250000,,7,0.500000,,,1,構内\n"},
      {"harvest, primary index 0 printed, no name", 1, unnamed,
       "T,U,2,収穫\n1,A1,3,X,,,0,,10,1.500000,2.250000,,7,0.500000,,,1,構内\n"},
      {"timber ends with five commas after realC", 2, SampleEntry(),
       "T,U,3,用材\n1,A1,3,X,,,2,P2,10,1.500000,2.250000,-1,,0.500000,,,,,\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Text(Convert(SampleFile(c.category, c.entry))), c.expected);
  }
}

TEST(SurveyCsvLayouts, RowsHaveEighteenColumnsAndTimberNineteen) {
  const struct {
    int16_t category;
    size_t columns;
  } cases[] = {{0, 18}, {1, 18}, {2, 19}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.category);
    EXPECT_EQ(Columns(Lines(Text(Convert(SampleFile(c.category))))[1]).size(), c.columns);
  }
}

TEST(SurveyCsvChain, RowsFollowTheChainNotTheSlots) {
  SurveyFileBuilder file = SampleFile(0);
  const struct {
    int slot;
    uint16_t next;
    const char* textA;
  } chain[] = {{0, 5, "E0"}, {5, 2, "E5"}, {2, kChainEndMarker, "E2"}, {1, 3, "E1"}, {3, 4, "E3"}, {4, 1, "E4"}};
  for (const auto& link : chain) {
    SurveyEntryFields e = SampleEntry();
    e.next = link.next;
    e.textA = link.textA;
    file.Entry(link.slot, e);
  }
  const CsvBuild build = Convert(file);
  const std::vector<std::string> lines = Lines(Text(build));
  ASSERT_EQ(lines.size(), 4u);
  const char* expected[][2] = {{"1", "E0"}, {"2", "E5"}, {"3", "E2"}};
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    const std::vector<std::string> columns = Columns(lines[row + 1]);
    EXPECT_EQ(columns[0], expected[row][0]);
    EXPECT_EQ(columns[1], expected[row][1]);
  }
  EXPECT_EQ(build.chainEnd, ChainEnd::kEndMarker);
  EXPECT_EQ(build.rowCount, 3);
}

TEST(SurveyCsvNumbers, BytesPrintAsSignedDecimalsAndSixDecimalReals) {
  const size_t valueA = offsetof(SurveyEntry, valueA);
  const size_t realA = offsetof(SurveyEntry, realA);
  const struct {
    size_t offset;
    std::vector<uint8_t> bytes;
    size_t column;
    const char* expected;
  } cases[] = {
      {valueA, {0xFF, 0xFE}, 3, "-2"},
      {valueA, {0x7F, 0xFF}, 3, "32767"},
      {valueA, {0x80, 0x00}, 3, "-32768"},
      {realA, {0x3F, 0xC0, 0x00, 0x00}, 10, "1.500000"},
      {realA, {0xC0, 0x20, 0x00, 0x00}, 10, "-2.500000"},
      {realA, {0x3D, 0xCC, 0xCC, 0xCD}, 10, "0.100000"},
      {realA, {0x47, 0xC3, 0x50, 0x00}, 10, "100000.000000"},
      {realA, {0x7F, 0x7F, 0xFF, 0xFF}, 10, "340282346638528859811704183484516925440.000000"},
      {realA, {0x00, 0x00, 0x00, 0x01}, 10, "0.000000"},
      {realA, {0x7F, 0x80, 0x00, 0x00}, 10, "inf"},
      {realA, {0xFF, 0x80, 0x00, 0x00}, 10, "-inf"},
      {realA, {0x7F, 0xC0, 0x00, 0x00}, 10, "nan"},
      {realA, {0xFF, 0xC0, 0x00, 0x01}, 10, "nan"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    SurveyFileBuilder file = SampleFile(0);
    file.Bytes(EntryOffset(0) + c.offset, c.bytes);
    EXPECT_EQ(RowColumn(file, c.column), c.expected);
  }
}

TEST(SurveyCsvNumbers, ReadersTakeTheMostSignificantByteFirst) {
  const uint8_t bytes[] = {0xFF, 0xFE, 0xC0, 0x20, 0x00, 0x00};
  EXPECT_EQ(ReadBigEndian16(bytes), 0xFFFE);
  EXPECT_EQ(ReadBigEndianFloat(bytes + 2), -2.5f);
}

TEST(SurveyCsvTitle, PartsAreCutAtTheFirstDashAndTheNextBracket) {
  const std::string full(32, 'L');
  const struct {
    const char* what;
    std::string title;
    const char* header;
  } cases[] = {
      {"a further dash belongs to part B", "AB-CD-EF[x]", "AB,CD-EF,1,庭木"},
      {"no dash: the whole title is part A", "TITLE[x", "TITLE[x,,1,庭木"},
      {"a dash without a later bracket: part B runs to the end", "A-B", "A,B,1,庭木"},
      {"a bracket before the dash does not end part B", "A[B-C", "A[B,C,1,庭木"},
      {"part A longer than 7 bytes is kept whole", "ABCDEFGHIJ-K[", "ABCDEFGHIJ,K,1,庭木"},
      {"a title without its NUL is cut at 31 bytes", full, "LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL,,1,庭木"},
      {"a cut never splits a double-byte character", std::string(30, 'a') + "\x82\xA0",
       "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa,,1,庭木"},
      {"an empty title", "", ",,1,庭木"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SurveyFileBuilder file = SampleFile(0);
    file.Title(c.title);
    EXPECT_EQ(Lines(Text(Convert(file)))[0], c.header);
  }
}

TEST(SurveyCsvTitle, CopyTitleAlwaysTerminatesInsideItsField) {
  SurveyFileBuilder file;
  file.Title(std::string(32, 'Z'));
  char title[kTitleFieldSize];
  CopyTitle(file.bytes().data(), title);
  EXPECT_EQ(std::string(title), std::string(31, 'Z'));
}

TEST(SurveyCsvTexts, TextsAreCopiedAsTheyAreAndCutAtTheirFields) {
  const struct {
    const char* what;
    std::string textA, textB, primaryName;
    size_t column;
    const char* expected;
    size_t columnCount;
  } cases[] = {
      {"a comma in textB shifts the columns", "A1", "X,Y", "P2", 5, "Y", 19},
      {"textA without its NUL keeps 4 bytes", "ABCDE", "X", "P2", 2, "ABCD", 18},
      {"textB without its NUL keeps 26 bytes", "A1", std::string(27, 'b'), "P2", 4,
       "bbbbbbbbbbbbbbbbbbbbbbbbbb", 18},
      {"a name without its NUL keeps 21 bytes", "A1", "X", std::string(22, 'n'), 6, "nnnnnnnnnnnnnnnnnnnnn", 18},
      {"Shift-JIS bytes pass unchanged", "\x8D\x5C", "\x92\x86\x89\xBA", "\x8F\xE3", 6, "上", 18},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SurveyEntryFields e = SampleEntry();
    e.textA = c.textA;
    e.textB = c.textB;
    SurveyFileBuilder file = SampleFile(0, e);
    file.PrimaryName(2, c.primaryName);
    EXPECT_EQ(RowColumn(file, c.column), c.expected);
    EXPECT_EQ(Columns(Lines(Text(Convert(file)))[1]).size(), c.columnCount);
  }
}

TEST(SurveyCsvIndices, IndicesOutsideTheirRangesKeepTheirNumbersAndLoseTheirLabels) {
  const struct {
    const char* what;
    int16_t category;
    int8_t primaryIndex, secondaryIndex, gradeIndex, siteIndex;
    size_t column;
    const char* expected;
  } cases[] = {
      {"primary index 31 in garden trees: number", 0, 31, 0, 1, 0, 5, "31"},
      {"primary index 31 in garden trees: no name", 0, 31, 0, 1, 0, 6, ""},
      {"primary index -1 in garden trees: no name", 0, -1, 0, 1, 0, 6, ""},
      {"primary index 30 is the last primary slot", 0, 30, 0, 1, 0, 6, "P30"},
      {"primary index 31 in harvest: number", 1, 31, 0, 1, 0, 7, "31"},
      {"primary index 31 in harvest: no name", 1, 31, 0, 1, 0, 8, ""},
      {"primary index -5 in timber: no name", 2, -5, 0, 1, 0, 8, ""},
      {"negative secondary index: no name", 0, 0, -1, 1, 0, 6, ""},
      {"secondary index 127 is the last slot", 0, 0, 127, 1, 0, 6, "S127"},
      {"grade index 3: number", 0, 2, 0, 3, 0, 15, "4"},
      {"grade index 3: no label", 0, 2, 0, 3, 0, 16, ""},
      {"grade index -1: no label", 0, 2, 0, -1, 0, 16, ""},
      {"grade index 2 is the last grade", 0, 2, 0, 2, 0, 16, "下"},
      {"site index 2: number", 0, 2, 0, 1, 2, 17, "3"},
      {"site index 2: no label", 1, 2, 0, 1, 2, 18, ""},
      {"site index -1: no label", 0, 2, 0, 1, -1, 18, ""},
      {"site index 1 is the last site", 1, 2, 0, 1, 1, 18, "構外"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SurveyEntryFields e = SampleEntry();
    e.primaryIndex = c.primaryIndex;
    e.secondaryIndex = c.secondaryIndex;
    e.gradeIndex = c.gradeIndex;
    e.siteIndex = c.siteIndex;
    SurveyFileBuilder file = SampleFile(c.category, e);
    file.PrimaryName(30, "P30").SecondaryName(127, "S127");
    EXPECT_EQ(RowColumn(file, c.column), c.expected);
  }
}

TEST(SurveyCsvIndices, CategoriesOutsideTheRangeUseTimberWithoutLabel) {
  const struct {
    int16_t category;
    const char* header;
  } cases[] = {{3, "T,U,4,"}, {-1, "T,U,0,"}, {32767, "T,U,32768,"}, {-32768, "T,U,-32767,"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.category);
    const std::vector<std::string> lines = Lines(Text(Convert(SampleFile(c.category))));
    EXPECT_EQ(lines[0], c.header);
    EXPECT_EQ(lines[1], "1,A1,3,X,,,2,P2,10,1.500000,2.250000,-1,,0.500000,,,,,");
  }
}

TEST(SurveyCsvChain, ChainsThatNeverReachTheMarkerEnd) {
  const struct {
    const char* what;
    std::vector<std::pair<int, uint16_t>> links;
    int rows;
    ChainEnd end;
  } cases[] = {
      {"next 1000 ends after its entry", {{0, 1000}}, 1, ChainEnd::kOutOfRange},
      {"next 65534 ends after its entry", {{0, 7}, {7, 65534}}, 2, ChainEnd::kOutOfRange},
      {"an entry naming itself", {{0, 0}}, 1, ChainEnd::kLoop},
      {"a loop back to an earlier entry", {{0, 1}, {1, 2}, {2, 1}}, 3, ChainEnd::kLoop},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SurveyFileBuilder file = SampleFile(0);
    for (const auto& link : c.links) {
      SurveyEntryFields e = SampleEntry();
      e.next = link.second;
      file.Entry(link.first, e);
    }
    const CsvBuild build = Convert(file);
    EXPECT_EQ(Lines(Text(build)).size(), static_cast<size_t>(c.rows) + 1);
    EXPECT_EQ(build.rowCount, c.rows);
    EXPECT_EQ(build.chainEnd, c.end);
  }
}

TEST(SurveyCsvChain, AllThousandEntriesPrintOnceWhetherOrNotTheLastLoopsBack) {
  const struct {
    uint16_t lastNext;
    ChainEnd end;
  } cases[] = {{kChainEndMarker, ChainEnd::kEndMarker}, {0, ChainEnd::kLoop}, {999, ChainEnd::kLoop}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lastNext);
    SurveyFileBuilder file = SampleFile(0);
    for (int i = 0; i < kSurveyEntryCount; ++i) {
      SurveyEntryFields e = SampleEntry();
      e.next = i + 1 < kSurveyEntryCount ? static_cast<uint16_t>(i + 1) : c.lastNext;
      file.Entry(i, e);
    }
    const CsvBuild build = Convert(file);
    const std::vector<std::string> lines = Lines(Text(build));
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_EQ(Columns(lines[1000])[0], "1000");
    EXPECT_EQ(build.chainEnd, c.end);
  }
}

TEST(SurveyCsvRefusals, FilesThatDoNotHoldWhatTheyReferToAreRefused) {
  SurveyEntryFields secondary = SampleEntry();
  secondary.primaryIndex = 0;
  secondary.secondaryIndex = 5;
  SurveyEntryFields farPrimary = SampleEntry();
  farPrimary.primaryIndex = 30;
  const struct {
    const char* what;
    SurveyFileBuilder file;
    CsvProblem problem;
  } cases[] = {
      {"longer than 100000 bytes", SampleFile(0).Resize(kSurveyFileMaxSize + 1), CsvProblem::kFileTooLong},
      {"empty", SampleFile(0).Resize(0), CsvProblem::kHeaderMissing},
      {"ends inside the title", SampleFile(0).Resize(kHeaderEnd - 1), CsvProblem::kHeaderMissing},
      {"ends before the primary name", SampleFile(0).Resize(kHeaderEnd), CsvProblem::kNamePastEnd},
      {"ends inside primary slot 30", SampleFile(0, farPrimary).Resize(SecondaryNameOffset(0) - 1),
       CsvProblem::kNamePastEnd},
      {"ends before the secondary name", SampleFile(0, secondary).Resize(SecondaryNameOffset(5)),
       CsvProblem::kNamePastEnd},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const CsvBuild build = BuildCsvText(c.file.bytes().data(), c.file.bytes().size());
    EXPECT_EQ(build.problem, c.problem);
    EXPECT_EQ(build.text, nullptr);
    EXPECT_NE(std::string(DescribeCsvProblem(build.problem)), "");
  }
}

TEST(SurveyCsvRefusals, FilesThatHoldJustWhatTheyReferToAreConverted) {
  SurveyEntryFields secondary = SampleEntry();
  secondary.primaryIndex = 0;
  secondary.secondaryIndex = 5;
  SurveyEntryFields noName = SampleEntry();
  noName.primaryIndex = 0;
  const struct {
    const char* what;
    SurveyFileBuilder file;
  } cases[] = {
      {"exactly 100000 bytes", SampleFile(0).Resize(kSurveyFileMaxSize)},
      {"ends after primary slot 2", SampleFile(0).Resize(PrimaryNameOffset(3))},
      {"ends after secondary slot 5", SampleFile(0, secondary).Resize(SecondaryNameOffset(6))},
      {"header only, harvest without a name", SampleFile(1, noName).Resize(kHeaderEnd)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const CsvBuild build = BuildCsvText(c.file.bytes().data(), c.file.bytes().size());
    EXPECT_EQ(build.problem, CsvProblem::kNone);
    EXPECT_NE(build.text, nullptr);
  }
}

// A chain of `rows` entries with long reals; textB of entry i holds extra[i] bytes.
SurveyFileBuilder WideRows(int rows, const std::vector<size_t>& extra) {
  SurveyFileBuilder file = SampleFile(2);
  for (int i = 0; i < rows; ++i) {
    SurveyEntryFields e = SampleEntry();
    e.next = i + 1 < rows ? static_cast<uint16_t>(i + 1) : kChainEndMarker;
    e.textB = std::string(i < static_cast<int>(extra.size()) ? extra[i] : 0, 'b');
    e.realA = e.realB = e.realC = -FLT_MAX;
    file.Entry(i, e);
  }
  return file;
}

TEST(SurveyCsvRefusals, TheTextFillsTheBufferToItsLastByteAndNoFurther) {
  const CsvBuild full = Convert(WideRows(kSurveyEntryCount, {}));
  ASSERT_EQ(full.problem, CsvProblem::kTextTooLong) << "the fixture must overflow when whole";
  // Fewer rows that fit with empty texts, then textB bytes up to the last byte.
  const size_t lastByte = kCsvTextBufferSize - 1;
  int rows = kSurveyEntryCount;
  size_t base = 0;
  for (;; rows -= 50) {
    const CsvBuild build = Convert(WideRows(rows, {}));
    if (build.problem == CsvProblem::kNone) {
      base = build.length;
      break;
    }
  }
  std::vector<size_t> extra(rows, 0);
  size_t missing = lastByte - base;
  for (size_t i = 0; missing > 0; ++i) {
    ASSERT_LT(i, extra.size());
    extra[i] = missing < 26 ? missing : 26;
    missing -= extra[i];
  }
  const CsvBuild fits = Convert(WideRows(rows, extra));
  EXPECT_EQ(fits.problem, CsvProblem::kNone);
  EXPECT_EQ(fits.length, lastByte);

  size_t grown = 0;
  while (extra[grown] == 26) ++grown;
  ++extra[grown];
  const CsvBuild over = Convert(WideRows(rows, extra));
  EXPECT_EQ(over.problem, CsvProblem::kTextTooLong);
  EXPECT_EQ(over.text, nullptr);
}

TEST(SurveyCsvRefusals, TextBeyondTheBufferIsRefusedAndAFollowingFileStillConverts) {
  SurveyFileBuilder file = SampleFile(0);
  file.PrimaryName(2, std::string(21, 'n'));
  for (int i = 0; i < kSurveyEntryCount; ++i) {
    SurveyEntryFields e = SampleEntry();
    e.next = i + 1 < kSurveyEntryCount ? static_cast<uint16_t>(i + 1) : kChainEndMarker;
    e.textA = "AAAA";
    e.textB = std::string(26, 'b');
    e.realA = e.realB = e.realC = -FLT_MAX;
    file.Entry(i, e);
  }
  const CsvBuild refused = Convert(file);
  EXPECT_EQ(refused.problem, CsvProblem::kTextTooLong);
  EXPECT_EQ(refused.text, nullptr);

  EXPECT_EQ(Lines(Text(Convert(SampleFile(2)))).size(), 2u);
}

}  // namespace
