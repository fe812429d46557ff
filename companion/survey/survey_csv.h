// Turns a survey-record file's bytes into comma-separated text. Portable: no window system.
#pragma once

#include "survey_layout.h"

#include <cstddef>
#include <cstdint>

// The converter reads only the file's own bytes and writes only its work fields and the
// process-wide text buffer. Input beyond the well-formed layout is met as follows:
//
//   refused (no text, a message says why):
//     - a file longer than 100000 bytes;
//     - a file too short for what it refers to: the header (category and title, up to byte
//       62034, which also holds every entry) or a name slot an entry's index selects;
//     - a text that would not fit the 131072-byte text buffer with its terminator.
//   cut short (the text is built, and the result says how the chain ended):
//     - a `next` of 1000 to 65534 ends the chain after that entry;
//     - a `next` naming an entry already printed (a looping chain) ends the chain there, so
//       no entry is printed twice and there are at most 1000 rows;
//     - a text without its NUL inside its field keeps the bytes its field allows (title 31,
//       textA 4, textB 26, names 21), less a final Shift-JIS lead byte that lost its second
//       half;
//   taken as it comes:
//     - a title without "-": part A is the whole title, part B empty; a "-" without a later
//       "[": part B runs to the title's end; part A longer than 7 bytes is kept whole;
//   skipped (the column is printed empty, the number columns keep their numbers):
//     - a `primaryIndex` outside 0 to 30, a negative `secondaryIndex`, a `category` outside
//       0 to 2 (layout 2 is used, as for 2), a `gradeIndex` outside 0 to 2, a `siteIndex`
//       outside 0 to 1: their names or labels.
//   Reals that are not finite print as "inf", "-inf" or "nan".

constexpr size_t kCsvTextBufferSize = 131072;

enum class CsvProblem {
  kNone,
  kFileTooLong,
  kHeaderMissing,
  kNamePastEnd,
  kTextTooLong,
};

enum class ChainEnd {
  kEndMarker,   // the last entry's `next` is 65535
  kOutOfRange,  // a `next` of 1000 to 65534
  kLoop,        // a `next` naming an entry already printed
};

struct CsvBuild {
  CsvProblem problem = CsvProblem::kNone;
  // The entry whose name slot lies past the end of the file (kNamePastEnd), else -1.
  int problemEntry = -1;
  ChainEnd chainEnd = ChainEnd::kEndMarker;
  int rowCount = 0;
  // NUL-terminated text in the process-wide buffer; null when the file is refused.
  const char* text = nullptr;
  size_t length = 0;
};

// The 16-bit value p[0] * 256 + p[1]; callers that want it signed convert it.
uint16_t ReadBigEndian16(const uint8_t* p);

// The IEEE-754 single-precision value with p[0] most significant.
float ReadBigEndianFloat(const uint8_t* p);

// Copies the title (offset 62002) of an image of at least 62034 bytes into destination,
// cut short as described above, always terminated.
void CopyTitle(const uint8_t* image, char destination[kTitleFieldSize]);

// Builds the CSV text of an image of `length` bytes: a header line, then one row per entry
// in chain order, each line ended by a line feed. The text stays valid until the next call;
// the function is not reentrant.
CsvBuild BuildCsvText(const uint8_t* image, size_t length);

// An English sentence saying why a file was refused, for the command-line tool.
const char* DescribeCsvProblem(CsvProblem problem);

// Label slots: 0 and 1 the sites, 2 to 4 the categories, 5 to 7 the grades.
constexpr int kSurveyLabelCount = 8;
extern const char* const kSurveyLabels[kSurveyLabelCount];
