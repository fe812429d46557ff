// The send step: replaces the handheld database named after the chosen PC file by a new
// one-record database that holds the whole file.
#include "send.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "database_name.h"
#include "exchange_files_win.h"
#include "hotsync_services.h"
#include "send_messages.h"
#include "session.h"

namespace {

constexpr uint32_t FourCharacterCode(const char (&code)[5]) {
  return static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24 |
         static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(code[3]));
}

constexpr uint32_t kGameCreator = FourCharacterCode("ZHMQ");
constexpr uint32_t kGameRecordType = FourCharacterCode("KFED");
static_assert(kGameRecordType == 0x4B464544);

constexpr uint32_t kBackupAttribute = 0x0008;
constexpr uint16_t kDatabaseVersion = 1;
constexpr int32_t kSendOpenMode = 0x50;
constexpr uint8_t kWrittenRecordAttributes = 0x40;
constexpr uint32_t kWrittenRecordFiller = 0xCCCCCCCC;
constexpr uint32_t kTransferBufferSize = 65535;

// A file that another process keeps open for a moment (a virus scanner, the companion
// program closing it) is given this long to let go; a file that is gone counts as deleted.
constexpr int kSelectionDeleteAttempts = 50;
constexpr DWORD kSelectionDeletePauseMilliseconds = 10;

// What the write answers besides 0 and the write-record operation's code.
constexpr int32_t kWriteSizeRefused = -1;
constexpr int32_t kWritePcFileUnusable = 1;

void LogFormatted(const char* format, const char* argument) {
  char message[512];
  std::snprintf(message, sizeof message, format, argument);
  AddLogLine(message);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using PcFile = std::unique_ptr<std::FILE, FileCloser>;

void DeleteSelectionFile(const char* path) {
  for (int attempt = 0; attempt < kSelectionDeleteAttempts; ++attempt) {
    if (DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND) return;
    Sleep(kSelectionDeletePauseMilliseconds);
  }
}

// Reads exactly size bytes of the file into buffer; false when the file holds fewer or more.
bool ReadWholeFile(std::FILE* file, unsigned char* buffer, uint32_t size) {
  return std::fread(buffer, 1, size, file) == size && std::fgetc(file) == EOF && !std::ferror(file);
}

// Writes the chosen PC file, as the selection file names it, as the one record of the open
// database.
int32_t WriteSelectedFile(uint8_t dbHandle, unsigned char* buffer, uint32_t capacity) {
  const PathTable& paths = SessionPaths();
  SelectionFile selection;
  if (ReadSelectionFile(paths.selection, &selection) != SelectionReadResult::kRead) return 0;
  const char* pcPath = selection.pathLine;
  const int32_t size = selection.size;

  PcFile pcFile(std::fopen(pcPath, "rb"));
  if (!pcFile) {
    LogFormatted(kPcFileUnreadableMessage, pcPath);
    return kWritePcFileUnusable;
  }

  RecordTransfer record;
  std::memset(&record, 0, sizeof record);
  record.dbHandle = dbHandle;
  record.attributes = kWrittenRecordAttributes;
  record.reserved10 = kWrittenRecordFiller;
  record.dataSize = static_cast<uint32_t>(size);
  record.bufferSize = static_cast<uint16_t>(size);
  record.buffer = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(buffer));

  if (size < 0 || static_cast<uint32_t>(size) >= capacity) return kWriteSizeRefused;

  if (!ReadWholeFile(pcFile.get(), buffer, record.dataSize)) {
    LogFormatted(kPcFileChangedMessage, pcPath);
    return kWritePcFileUnusable;
  }

  int32_t written = SmWriteRecord(&record);
  if (written != kSmOk) {
    AddLogLine(kWriteRecordFailedMessage);
    return written;
  }
  pcFile.reset();
  DeleteSelectionFile(paths.selection);
  return 0;
}

}  // namespace

int32_t SendFileToHandheld(char fileName[kPathFieldSize]) {
  char databaseName[kDatabaseNameFieldSize];
  DeriveDatabaseName(fileName, databaseName);
  std::memcpy(fileName, databaseName, std::strlen(databaseName) + 1);

  SmDeleteDatabase(fileName, 0);

  NewDatabaseInfo info;
  std::memset(&info, 0, sizeof info);
  info.creator = kGameCreator;
  info.flags = kBackupAttribute;
  info.cardNo = 0;
  std::memcpy(info.name, databaseName, std::strlen(databaseName) + 1);
  info.type = kGameRecordType;
  info.version = kDatabaseVersion;
  info.reserved48 = 0;
  if (SmCreateDatabase(&info) == kSmOk) SmCloseDatabase(info.dbHandle);

  uint8_t dbHandle = 0;
  int32_t opened = SmOpenDatabase(fileName, 0, &dbHandle, kSendOpenMode);
  if (opened != kSmOk) {
    LogFormatted(kDatabaseOpenFailedMessage, fileName);
    return opened;
  }

  if (SmDeleteAllRecords(dbHandle) != kSmOk) {
    AddLogLine(kDeleteAllRecordsFailedMessage);
    SmCloseDatabase(dbHandle);
    return 1;
  }

  std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[kTransferBufferSize]);
  if (!buffer) {
    AddLogLine(kSendBufferMissingMessage);
    SmCloseDatabase(dbHandle);
    return 1;
  }

  int32_t written = WriteSelectedFile(dbHandle, buffer.get(), kTransferBufferSize);
  SmCloseDatabase(dbHandle);
  return written == 0 ? 0 : 1;
}
