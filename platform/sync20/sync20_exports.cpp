// SYNC20.dll: the Sync Manager's operations as conduits import them (by ordinal, see
// SYNC20.def), over one SyncManagerCore for the process. No exception leaves the DLL.
#include <cstdint>
#include <new>

#include "sync_manager.h"
#include "sync_manager_core.h"

namespace {

SyncManagerCore& Core() {
  static SyncManagerCore core;
  return core;
}

template <typename Operation>
int32_t Guarded(Operation operation) {
  try {
    return operation(Core());
  } catch (const std::bad_alloc&) {
    return kSmErrTooLarge;
  } catch (...) {
    return kSmErrIo;
  }
}

// The block's buffer field is the 32-bit address of the conduit's buffer.
uint8_t* BufferOf(const RecordTransfer* record) {
  return record == nullptr ? nullptr : reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(record->buffer));
}

}  // namespace

extern "C" {

int32_t SmRegisterConduit(uint32_t* handle) {
  return Guarded([&](SyncManagerCore& core) { return core.RegisterConduit(handle); });
}

int32_t SmUnregisterConduit(uint32_t handle) {
  return Guarded([&](SyncManagerCore& core) { return core.UnregisterConduit(handle); });
}

int32_t SmOpenDatabase(const char* name, int32_t cardNo, uint8_t* dbHandle, int32_t mode) {
  return Guarded([&](SyncManagerCore& core) { return core.OpenDatabase(name, cardNo, dbHandle, mode); });
}

int32_t SmCreateDatabase(NewDatabaseInfo* info) {
  return Guarded([&](SyncManagerCore& core) { return core.CreateDatabase(info); });
}

int32_t SmCloseDatabase(uint8_t dbHandle) {
  return Guarded([&](SyncManagerCore& core) { return core.CloseDatabase(dbHandle); });
}

int32_t SmDeleteDatabase(const char* name, int32_t cardNo) {
  return Guarded([&](SyncManagerCore& core) { return core.DeleteDatabase(name, cardNo); });
}

int32_t SmWriteRecord(RecordTransfer* record) {
  return Guarded([&](SyncManagerCore& core) { return core.WriteRecord(record, BufferOf(record)); });
}

int32_t SmReadRecordByIndex(RecordTransfer* record) {
  return Guarded([&](SyncManagerCore& core) { return core.ReadRecordByIndex(record, BufferOf(record)); });
}

int32_t SmDeleteAllRecords(uint8_t dbHandle) {
  return Guarded([&](SyncManagerCore& core) { return core.DeleteAllRecords(dbHandle); });
}

int32_t SyncGetDBRecordCount(uint8_t dbHandle, uint16_t* count) {
  return Guarded([&](SyncManagerCore& core) { return core.GetRecordCount(dbHandle, count); });
}

}  // extern "C"
