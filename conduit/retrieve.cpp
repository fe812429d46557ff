// The retrieval step: copies every record of a handheld database that holds data into a
// record file of the exchange folder, then leaves the retrieval-done marker.
#include "retrieve.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "exchange.h"
#include "hotsync_services.h"
#include "retrieve_messages.h"
#include "session.h"

namespace {

constexpr int32_t kRetrieveOpenMode = 0xD0;
constexpr uint32_t kTransferBufferSize = 65535;

// What the copy answers besides 0 and the read operation's code.
constexpr int32_t kCopyFailed = 1;

void LogFormatted(const char* format, const char* argument) {
  char message[512];
  std::snprintf(message, sizeof message, format, argument);
  AddLogLine(message);
}

// Writes one record file: the transfer block as the read left it, then the record's data.
// False when the file cannot be created (nothing is logged yet) or not written whole (logged).
bool WriteRecordFile(const char* path, const RecordTransfer& record, const unsigned char* data, bool* created) {
  std::FILE* file = std::fopen(path, "wb");
  *created = file != nullptr;
  if (file == nullptr) return false;
  bool whole = std::fwrite(&record, sizeof record, 1, file) == 1 &&
               (record.dataSize == 0 || std::fwrite(data, record.dataSize, 1, file) == 1);
  bool closed = std::fclose(file) == 0;
  if (whole && closed) return true;
  AddLogLine(kRecordFileWriteFailedMessage);
  return false;
}

// The first three steps of announcing the end; the retrieval step renames the result.
void StageDoneMarker(const PathTable& paths) {
  std::FILE* staging = std::fopen(paths.staging, "wb");
  if (staging == nullptr) {
    AddLogLine(kDoneMarkerFailedMessage);
  } else {
    std::fclose(staging);
  }
  std::remove(paths.dateSync);
  std::rename(paths.staging, paths.dateSync);
}

int32_t CopyRecords(const char* databaseName, uint8_t dbHandle, unsigned char* buffer, uint32_t capacity) {
  const PathTable& paths = SessionPaths();
  uint16_t count = 0;
  if (SyncGetDBRecordCount(dbHandle, &count) != kSmOk) {
    LogFormatted(kRecordCountFailedMessage, databaseName);
    return kCopyFailed;
  }

  RecordTransfer record;
  std::memset(&record, 0, sizeof record);
  record.dbHandle = dbHandle;
  record.bufferSize = static_cast<uint16_t>(capacity);
  record.buffer = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(buffer));
  record.reserved24 = 0;
  uint32_t fileCounter = 0;

  for (uint32_t index = 0; index < count; ++index) {
    record.index = static_cast<uint16_t>(index);
    int32_t read = SmReadRecordByIndex(&record);
    if (read != kSmOk) {
      AddLogLine(kReadRecordFailedMessage);
      return read;
    }
    if (record.dataSize == 0) continue;
    // The buffer held only its capacity: a larger record would go to the PC cut short.
    if (record.dataSize > capacity) {
      char message[256];
      std::snprintf(message, sizeof message, kRecordTooLargeMessage, static_cast<unsigned>(index));
      AddLogLine(message);
      return kCopyFailed;
    }
    char path[kPathFieldSize];
    bool created = false;
    if (!RecordFileName(paths.recordFileStem, fileCounter, path) ||
        !WriteRecordFile(path, record, buffer, &created)) {
      if (!created) AddLogLine(kRecordFileCreateFailedMessage);
      return kCopyFailed;
    }
    ++fileCounter;
  }
  StageDoneMarker(paths);
  return 0;
}

}  // namespace

int32_t RetrieveRecords(const char* databaseName) {
  uint8_t dbHandle = 0;
  int32_t opened = SmOpenDatabase(databaseName, 0, &dbHandle, kRetrieveOpenMode);
  if (opened != kSmOk) {
    LogFormatted(kDatabaseOpenFailedMessage, databaseName);
    return opened;
  }

  std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[kTransferBufferSize]);
  if (!buffer) {
    AddLogLine(kRetrieveBufferMissingMessage);
    SmCloseDatabase(dbHandle);
    return 1;
  }

  if (CopyRecords(databaseName, dbHandle, buffer.get(), kTransferBufferSize) != 0) {
    SmCloseDatabase(dbHandle);
    return 1;
  }

  const PathTable& paths = SessionPaths();
  std::rename(paths.dateSync, paths.retrievalDone);
  SmCloseDatabase(dbHandle);
  return 0;
}
