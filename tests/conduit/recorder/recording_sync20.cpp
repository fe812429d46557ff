// A Sync Manager that only records each call, for the conduit session's tests: every
// operation succeeds, the handheld holds no records.
#include "sync_manager.h"
#include "trace_file.h"

extern "C" {

int32_t SmRegisterConduit(uint32_t* handle) {
  *handle = 0x5EED;
  AppendTraceLine("register-conduit");
  return kSmOk;
}

int32_t SmUnregisterConduit(uint32_t handle) {
  AppendTraceLine("unregister-conduit %u", static_cast<unsigned>(handle));
  return kSmOk;
}

int32_t SmOpenDatabase(const char* name, int32_t, uint8_t* dbHandle, int32_t mode) {
  *dbHandle = 1;
  AppendTraceLine("open-database %s 0x%X", name, static_cast<unsigned>(mode));
  return kSmOk;
}

int32_t SmCreateDatabase(NewDatabaseInfo* info) {
  info->dbHandle = 1;
  AppendTraceLine("create-database %s", info->name);
  return kSmOk;
}

int32_t SmCloseDatabase(uint8_t) {
  AppendTraceLine("close-database");
  return kSmOk;
}

int32_t SmDeleteDatabase(const char* name, int32_t) {
  AppendTraceLine("delete-database %s", name);
  return kSmOk;
}

int32_t SmWriteRecord(RecordTransfer* record) {
  AppendTraceLine("write-record %u", static_cast<unsigned>(record->dataSize));
  return kSmOk;
}

int32_t SmReadRecordByIndex(RecordTransfer* record) {
  AppendTraceLine("read-record-by-index %u", static_cast<unsigned>(record->index));
  return kSmErrNotFound;
}

int32_t SmDeleteAllRecords(uint8_t) {
  AppendTraceLine("delete-all-records");
  return kSmOk;
}

int32_t SyncGetDBRecordCount(uint8_t, uint16_t* count) {
  *count = 0;
  AppendTraceLine("get-record-count");
  return kSmOk;
}

}  // extern "C"
