// The exchange folder shared by the conduit and the companion program: file names, full
// paths, record file names and the selection file's content. Portable: no Windows calls.
#pragma once

#include <cstddef>
#include <cstdint>

// A path field holds at most 259 characters and its terminator.
constexpr size_t kPathFieldSize = 260;
constexpr size_t kMaxPathLength = kPathFieldSize - 1;

// Bare names of the exchange files; each begins with the backslash that joins it to the
// folder. There is one spelling of each, so both sides agree on any file system.
constexpr char kDateSyncName[] = "\\DateSync.dat";
constexpr char kRetrievalDoneName[] = "\\HH2PC.dat";
constexpr char kStagingName[] = "\\TMPdate.dat";
constexpr char kRecordFileStem[] = "\\PMData";
constexpr char kRetrievalRequestName[] = "\\ListReq.dat";
constexpr char kCompanionName[] = "\\Vornet.exe";
constexpr char kDatabaseListName[] = "\\dblist.txt";
constexpr char kSelectionName[] = "\\csvselname.txt";
constexpr char kCancelMarkerName[] = "\\dum.dat";

// Full paths of every exchange file, formed afresh at each session start.
struct PathTable {
  char dateSync[kPathFieldSize];
  char retrievalDone[kPathFieldSize];
  char staging[kPathFieldSize];
  char recordFileStem[kPathFieldSize];
  char retrievalRequest[kPathFieldSize];
  char companion[kPathFieldSize];
  char databaseList[kPathFieldSize];
  char selection[kPathFieldSize];
  char cancelMarker[kPathFieldSize];
};

// Writes folder + bareName into out. Returns false, leaving out empty, when the result would
// not fit 259 characters: a cut path would name another file.
bool JoinExchangePath(const char* folder, const char* bareName, char out[kPathFieldSize]);

// Forms every path of the table from the folder. Returns false, with an all-empty table,
// when any of them would not fit.
bool FormPathTable(const char* folder, PathTable* table);

// The folder of a module's full path: everything before its last backslash. Returns false,
// leaving folder empty, when the path has no backslash.
bool FolderOfModulePath(const char* modulePath, char folder[kPathFieldSize]);

// The name of the record file with the given number: "<stem path>.%03d". Returns false,
// leaving out empty, when it would not fit 259 characters.
bool RecordFileName(const char* stemPath, uint32_t number, char out[kPathFieldSize]);

// What the selection file's two lines give, read as the conduit reads them: the first line
// into 260 bytes, the second into 99, each read stopping after a line feed, then one
// trailing line feed trimmed from each.
constexpr size_t kSizeLineFieldSize = 99;

struct SelectionFile {
  char pathLine[kPathFieldSize];
  char sizeLine[kSizeLineFieldSize];
  bool pathRead;         // the first read got at least one character
  bool sizeRead;         // the second read got at least one character
  bool pathLineEnded;    // the first read stopped at its line feed: the path was not cut
  const char* fileName;  // within pathLine: after its last backslash; null when it has none
  int32_t size;          // decimal value of sizeLine; 0 without digits, saturated at the ends
};

// Raw bytes a reader needs at most: each character of the two reads can come from a
// carriage return and line feed pair.
constexpr size_t kSelectionReadLimit = 2 * (kPathFieldSize + kSizeLineFieldSize);

// Reads the selection file from its raw bytes (as stored on disk); a carriage return and
// line feed pair reads as one line feed. Bytes beyond kSelectionReadLimit never matter.
void ParseSelectionFile(const unsigned char* bytes, size_t length, SelectionFile* out);

// The decimal value of a text: leading white space skipped, one optional sign, then digits up
// to the first other character. No digits give 0; values beyond 32 bits saturate.
int32_t ParseDecimal(const char* text);

// Why a selection file cannot start a send, in the order the conduit checks.
enum class SelectionProblem {
  kNone,
  kEmpty,         // neither path nor size
  kNoSize,        // the file ends after the first line
  kPathTooLong,   // the first line did not end within 259 characters
  kNoFileName,    // the first line has no backslash, or nothing after its last one
};

SelectionProblem CheckSelectionFile(const SelectionFile& selection);

// Sizes the conduit may send: from 0 to 61439 bytes.
constexpr int32_t kMaxSendSize = 0xF000 - 1;
inline bool IsSendableSize(int32_t size) { return size >= 0 && size <= kMaxSendSize; }
