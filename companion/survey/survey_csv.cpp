// The survey-record converter: header line, three row layouts, chain walk, bounded reads.
#include "survey_csv.h"

#include <cmath>
#include <cstdio>
#include <cstring>

const char* const kSurveyLabels[kSurveyLabelCount] = {
    "構内", "構外", "庭木", "収穫", "用材", "上", "中", "下",
};

namespace {

constexpr int kSiteLabelFirst = 0;
constexpr int kCategoryLabelFirst = 2;
constexpr int kGradeLabelFirst = 5;

char g_textBuffer[kCsvTextBufferSize];

// Appends into the process-wide buffer; once something does not fit, nothing more is added.
class TextSink {
 public:
  TextSink() { g_textBuffer[0] = '\0'; }

  void Append(const char* bytes, size_t count) {
    if (overflow_ || count > kCsvTextBufferSize - 1 - length_) {
      overflow_ = true;
      return;
    }
    std::memcpy(g_textBuffer + length_, bytes, count);
    length_ += count;
    g_textBuffer[length_] = '\0';
  }
  void Append(const char* text) { Append(text, std::strlen(text)); }
  void AppendInt(int value) {
    char digits[16];
    Append(digits, static_cast<size_t>(std::snprintf(digits, sizeof digits, "%d", value)));
  }
  void AppendReal(float value) {
    if (std::isnan(value)) return Append("nan");
    if (std::isinf(value)) return Append(value < 0 ? "-inf" : "inf");
    // FLT_MAX has 39 integer digits: sign, digits, point and six decimals fit.
    char digits[64];
    Append(digits, static_cast<size_t>(std::snprintf(digits, sizeof digits, "%f", static_cast<double>(value))));
  }

  bool overflow() const { return overflow_; }
  size_t length() const { return length_; }

 private:
  size_t length_ = 0;
  bool overflow_ = false;
};

bool IsShiftJisLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Length of the text in a field of fieldSize bytes that holds at most fieldSize - 1 of them.
// Without a NUL inside the field the text is cut there, never inside a double-byte character.
size_t TextLength(const char* field, size_t fieldSize) {
  size_t length = 0;
  while (length < fieldSize && field[length] != '\0') ++length;
  if (length < fieldSize) return length;
  const size_t limit = fieldSize - 1;
  size_t i = 0;
  while (i < limit) {
    if (!IsShiftJisLeadByte(static_cast<uint8_t>(field[i]))) {
      ++i;
    } else if (i + 1 < limit) {
      i += 2;
    } else {
      break;
    }
  }
  return i;
}

int Signed16(const uint8_t* p) { return static_cast<int16_t>(ReadBigEndian16(p)); }

const char* LabelOrEmpty(int first, int count, int index) {
  return index >= 0 && index < count ? kSurveyLabels[first + index] : "";
}

struct Image {
  const uint8_t* bytes;
  size_t length;

  bool Holds(size_t offset, size_t size) const { return offset <= length && size <= length - offset; }
  const char* Text(size_t offset) const { return reinterpret_cast<const char*>(bytes + offset); }
};

enum class Layout { kGardenTrees, kHarvest, kTimber };

class RowWriter {
 public:
  RowWriter(const Image& image, Layout layout, TextSink& sink) : image_(image), layout_(layout), sink_(sink) {}

  // Returns false when a name slot the entry selects lies past the end of the file.
  bool NamesPresent(const SurveyEntry& e) const {
    if (InPrimaryRange(e.primaryIndex)) return HoldsName(PrimaryNameOffset(e.primaryIndex));
    if (layout_ == Layout::kGardenTrees && e.primaryIndex == 0 && e.secondaryIndex >= 0)
      return HoldsName(SecondaryNameOffset(e.secondaryIndex));
    return true;
  }

  void Write(int rowNumber, const SurveyEntry& e) {
    const bool garden = layout_ == Layout::kGardenTrees;
    const bool harvest = layout_ == Layout::kHarvest;
    sink_.AppendInt(rowNumber);
    Comma();
    sink_.Append(e.textA, TextLength(e.textA, sizeof e.textA));
    Comma();
    sink_.AppendInt(Signed16(e.valueA));
    Comma();
    sink_.Append(e.textB, TextLength(e.textB, sizeof e.textB));
    Comma();
    if (garden) {
      if (e.primaryIndex != 0) sink_.AppendInt(e.primaryIndex);
      Comma();
      if (e.primaryIndex != 0) {
        PrimaryName(e.primaryIndex);
      } else if (e.secondaryIndex >= 0) {
        Name(SecondaryNameOffset(e.secondaryIndex));
      }
      Comma();
      Comma();
    } else {
      Comma();
      Comma();
      sink_.AppendInt(e.primaryIndex);
      Comma();
      if (e.primaryIndex != 0) PrimaryName(e.primaryIndex);
    }
    Comma();
    sink_.AppendInt(Signed16(e.valueB));
    Comma();
    sink_.AppendReal(ReadBigEndianFloat(e.realA));
    Comma();
    sink_.AppendReal(ReadBigEndianFloat(e.realB));
    Comma();
    if (!harvest) sink_.AppendInt(Signed16(e.valueC));
    Comma();
    if (harvest) sink_.AppendInt(Signed16(e.valueD));
    Comma();
    sink_.AppendReal(ReadBigEndianFloat(e.realC));
    Comma();
    if (garden) {
      sink_.AppendInt(e.gradeIndex + 1);
      Comma();
      sink_.Append(LabelOrEmpty(kGradeLabelFirst, 3, e.gradeIndex));
    } else {
      Comma();
    }
    Comma();
    if (layout_ == Layout::kTimber) {
      sink_.Append(",,\n");
    } else {
      sink_.AppendInt(e.siteIndex + 1);
      Comma();
      sink_.Append(LabelOrEmpty(kSiteLabelFirst, 2, e.siteIndex));
      sink_.Append("\n");
    }
  }

 private:
  static bool InPrimaryRange(int index) { return index >= kPrimaryNameFirst && index <= kPrimaryNameLast; }
  bool HoldsName(size_t offset) const { return image_.Holds(offset, kNameFieldSize); }
  void Comma() { sink_.Append(",", 1); }
  void Name(size_t offset) { sink_.Append(image_.Text(offset), TextLength(image_.Text(offset), kNameFieldSize)); }
  void PrimaryName(int index) {
    if (InPrimaryRange(index)) Name(PrimaryNameOffset(index));
  }

  const Image& image_;
  Layout layout_;
  TextSink& sink_;
};

}  // namespace

uint16_t ReadBigEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] * 256 + p[1]); }

float ReadBigEndianFloat(const uint8_t* p) {
  const uint32_t bits = static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
                        static_cast<uint32_t>(p[2]) << 8 | p[3];
  float value;
  static_assert(sizeof value == sizeof bits, "single precision is 32 bits");
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void CopyTitle(const uint8_t* image, char destination[kTitleFieldSize]) {
  destination[0] = '\0';
  const char* title = reinterpret_cast<const char*>(image + kTitleOffset);
  const size_t length = TextLength(title, kTitleFieldSize);
  std::memcpy(destination, title, length);
  destination[length] = '\0';
}

CsvBuild BuildCsvText(const uint8_t* bytes, size_t length) {
  CsvBuild result;
  TextSink sink;
  const Image image{bytes, length};
  if (length > kSurveyFileMaxSize) {
    result.problem = CsvProblem::kFileTooLong;
    return result;
  }
  // The entry table lies before the header, so a file that holds the header holds every entry.
  if (!image.Holds(0, kHeaderEnd)) {
    result.problem = CsvProblem::kHeaderMissing;
    return result;
  }

  char title[kTitleFieldSize];
  CopyTitle(bytes, title);
  char* dash = std::strchr(title, '-');
  const char* partB = "";
  if (dash != nullptr) {
    *dash = '\0';
    partB = dash + 1;
    if (char* bracket = std::strchr(dash + 1, '[')) *bracket = '\0';
  }
  const int category = Signed16(bytes + kCategoryOffset);
  sink.Append(title);
  sink.Append(",");
  sink.Append(partB);
  sink.Append(",");
  sink.AppendInt(category + 1);
  sink.Append(",");
  sink.Append(LabelOrEmpty(kCategoryLabelFirst, 3, category));
  sink.Append("\n");

  const Layout layout = category == 0 ? Layout::kGardenTrees : category == 1 ? Layout::kHarvest : Layout::kTimber;
  RowWriter rows(image, layout, sink);
  bool printed[kSurveyEntryCount] = {};
  int index = 0;
  for (int rowNumber = 1;; ++rowNumber) {
    SurveyEntry entry;
    std::memcpy(&entry, bytes + EntryOffset(index), sizeof entry);
    if (!rows.NamesPresent(entry)) {
      result.problem = CsvProblem::kNamePastEnd;
      result.problemEntry = index;
      return result;
    }
    rows.Write(rowNumber, entry);
    result.rowCount = rowNumber;
    printed[index] = true;
    const uint16_t next = ReadBigEndian16(entry.next);
    if (next == kChainEndMarker) {
      result.chainEnd = ChainEnd::kEndMarker;
      break;
    }
    if (next >= kSurveyEntryCount) {
      result.chainEnd = ChainEnd::kOutOfRange;
      break;
    }
    if (printed[next]) {
      result.chainEnd = ChainEnd::kLoop;
      break;
    }
    index = next;
  }
  if (sink.overflow()) {
    g_textBuffer[0] = '\0';
    result.problem = CsvProblem::kTextTooLong;
    return result;
  }
  result.text = g_textBuffer;
  result.length = sink.length();
  return result;
}

const char* DescribeCsvProblem(CsvProblem problem) {
  switch (problem) {
    case CsvProblem::kNone:
      return "no problem";
    case CsvProblem::kFileTooLong:
      return "the file is longer than 100000 bytes, so it is no survey-record file";
    case CsvProblem::kHeaderMissing:
      return "the file ends before its category and title (byte 62034)";
    case CsvProblem::kNamePastEnd:
      return "an entry selects a name slot that lies past the end of the file";
    case CsvProblem::kTextTooLong:
      return "the CSV text would be longer than 131071 bytes";
  }
  return "unknown problem";
}
