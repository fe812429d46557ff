// Exchange folder names, path forming and the selection file reader.
#include "exchange.h"

#include <cstdio>
#include <cstring>

bool JoinExchangePath(const char* folder, const char* bareName, char out[kPathFieldSize]) {
  size_t folderLength = std::strlen(folder);
  size_t nameLength = std::strlen(bareName);
  out[0] = '\0';
  if (folderLength > kMaxPathLength || nameLength > kMaxPathLength - folderLength) return false;
  std::memcpy(out, folder, folderLength);
  std::memcpy(out + folderLength, bareName, nameLength + 1);
  return true;
}

bool FormPathTable(const char* folder, PathTable* table) {
  struct Entry {
    char* field;
    const char* bareName;
  };
  const Entry entries[] = {
      {table->dateSync, kDateSyncName},
      {table->retrievalDone, kRetrievalDoneName},
      {table->staging, kStagingName},
      {table->recordFileStem, kRecordFileStem},
      {table->retrievalRequest, kRetrievalRequestName},
      {table->companion, kCompanionName},
      {table->databaseList, kDatabaseListName},
      {table->selection, kSelectionName},
      {table->cancelMarker, kCancelMarkerName},
  };
  for (const Entry& entry : entries) {
    if (!JoinExchangePath(folder, entry.bareName, entry.field)) {
      std::memset(table, 0, sizeof *table);
      return false;
    }
  }
  return true;
}

namespace {

bool IsShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The last backslash that is a character of its own: the second byte of a double-byte
// character such as 表 (95 5C) is no separator.
const char* LastBackslash(const char* text) {
  const char* last = nullptr;
  for (const char* p = text; *p != '\0'; ++p) {
    if (IsShiftJisLeadByte(static_cast<unsigned char>(*p))) {
      if (p[1] == '\0') break;
      ++p;
    } else if (*p == '\\') {
      last = p;
    }
  }
  return last;
}

}  // namespace

bool FolderOfModulePath(const char* modulePath, char folder[kPathFieldSize]) {
  folder[0] = '\0';
  const char* lastBackslash = LastBackslash(modulePath);
  if (lastBackslash == nullptr) return false;
  size_t length = static_cast<size_t>(lastBackslash - modulePath);
  if (length > kMaxPathLength) return false;
  std::memcpy(folder, modulePath, length);
  folder[length] = '\0';
  return true;
}

bool RecordFileName(const char* stemPath, uint32_t number, char out[kPathFieldSize]) {
  int written = std::snprintf(out, kPathFieldSize, "%s.%03u", stemPath, static_cast<unsigned>(number));
  if (written < 0 || static_cast<size_t>(written) > kMaxPathLength) {
    out[0] = '\0';
    return false;
  }
  return true;
}

namespace {

// The bytes of the file as a text-mode stream: a carriage return followed by a line feed
// reads as the line feed alone.
class TextStream {
 public:
  TextStream(const unsigned char* bytes, size_t length) : bytes_(bytes), length_(length) {}

  bool Next(char* c) {
    if (position_ >= length_) return false;
    if (bytes_[position_] == '\r' && position_ + 1 < length_ && bytes_[position_ + 1] == '\n') {
      ++position_;
    }
    *c = static_cast<char>(bytes_[position_++]);
    return true;
  }

 private:
  const unsigned char* bytes_;
  size_t length_;
  size_t position_ = 0;
};

// Reads at most fieldSize - 1 characters, up to and including the first line feed. Returns
// whether any character was read; the field is left as it was when none was.
bool ReadLine(TextStream* stream, char* field, size_t fieldSize) {
  size_t count = 0;
  char c;
  while (count + 1 < fieldSize && stream->Next(&c)) {
    field[count++] = c;
    if (c == '\n') break;
  }
  if (count == 0) return false;
  field[count] = '\0';
  return true;
}

bool TrimLineFeed(char* field) {
  size_t length = std::strlen(field);
  if (length == 0 || field[length - 1] != '\n') return false;
  field[length - 1] = '\0';
  return true;
}

}  // namespace

int32_t ParseDecimal(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  // Accumulated towards the sign, stopping at the 32-bit limit so no overflow can happen.
  int64_t value = 0;
  const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > limit) value = limit;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

void ParseSelectionFile(const unsigned char* bytes, size_t length, SelectionFile* out) {
  std::memset(out, 0, sizeof *out);
  TextStream stream(bytes, length);
  out->pathRead = ReadLine(&stream, out->pathLine, sizeof out->pathLine);
  out->sizeRead = ReadLine(&stream, out->sizeLine, sizeof out->sizeLine);
  out->pathLineEnded = TrimLineFeed(out->pathLine);
  TrimLineFeed(out->sizeLine);
  const char* lastBackslash = LastBackslash(out->pathLine);
  out->fileName = lastBackslash != nullptr ? lastBackslash + 1 : nullptr;
  out->size = ParseDecimal(out->sizeLine);
}

SelectionProblem CheckSelectionFile(const SelectionFile& selection) {
  if (!selection.pathRead) return SelectionProblem::kEmpty;
  if (!selection.sizeRead) return SelectionProblem::kNoSize;
  if (!selection.pathLineEnded) return SelectionProblem::kPathTooLong;
  if (selection.fileName == nullptr || selection.fileName[0] == '\0') return SelectionProblem::kNoFileName;
  return SelectionProblem::kNone;
}
