// The Sync Manager stand-in's operations over the handheld folder, with its conduit
// registration and open database handles. Portable: the DLL's exports hand it real pointers.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "handheld_folder.h"
#include "sync_manager.h"

class SyncManagerCore {
 public:
  // register-conduit takes the handheld folder from MARBELO_HANDHELD as it stands then.
  int32_t RegisterConduit(uint32_t* handle);
  int32_t UnregisterConduit(uint32_t handle);
  int32_t OpenDatabase(const char* name, int32_t cardNo, uint8_t* dbHandle, int32_t mode);
  int32_t CreateDatabase(NewDatabaseInfo* info);
  int32_t CloseDatabase(uint8_t dbHandle);
  int32_t DeleteDatabase(const char* name, int32_t cardNo);
  // data: the bytes that record->buffer addresses.
  int32_t WriteRecord(RecordTransfer* record, const uint8_t* data);
  // buffer: where record->buffer points, record->bufferSize bytes.
  int32_t ReadRecordByIndex(RecordTransfer* record, uint8_t* buffer);
  int32_t DeleteAllRecords(uint8_t dbHandle);
  int32_t GetRecordCount(uint8_t dbHandle, uint16_t* count);

  static constexpr size_t kMaxOpenDatabases = 16;

 private:
  struct OpenedDatabase {
    int32_t mode;
    std::string path;
    PalmDatabase database;
  };

  int32_t Register(uint32_t* handle);
  int32_t Unregister(uint32_t handle);
  int32_t Open(const char* name, int32_t cardNo, uint8_t* dbHandle, int32_t mode);
  int32_t Create(NewDatabaseInfo* info);
  int32_t Close(uint8_t dbHandle);
  int32_t Delete(const char* name, int32_t cardNo);
  int32_t Write(RecordTransfer* record, const uint8_t* data);
  int32_t Read(RecordTransfer* record, uint8_t* buffer);
  int32_t Clear(uint8_t dbHandle);
  int32_t Count(uint8_t dbHandle, uint16_t* count);

  // The open database of a handle, or null.
  OpenedDatabase* Opened(uint8_t dbHandle);
  // Whether the database at path is open under some handle.
  bool IsOpen(const std::string& path) const;
  // Saves a changed database; on failure puts the one before the change back.
  int32_t SaveChange(OpenedDatabase* opened, PalmDatabase before);
  // A free handle (1 and up), or 0 when all are taken.
  uint8_t FreeHandle() const;

  uint32_t m_conduit = 0;        // handle of the registered conduit; 0 when none
  uint32_t m_lastConduit = 0;
  std::unique_ptr<HandheldFolder> m_folder;
  std::array<std::unique_ptr<OpenedDatabase>, kMaxOpenDatabases + 1> m_open;  // [0] unused
};
