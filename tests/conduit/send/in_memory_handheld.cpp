// The in-memory Sync Manager and HotSync log: the functions the conduit imports, defined
// here so the steps run inside the test program.
#include "in_memory_handheld.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "hotsync_log.h"

namespace {

InMemoryHandheld g_handheld;

// Handles are the open databases' names, numbered from 1.
std::map<uint8_t, std::string> g_open;

uint8_t OpenHandle(const std::string& name) {
  uint8_t handle = 1;
  while (g_open.count(handle) != 0) ++handle;
  g_open[handle] = name;
  ++g_handheld.openDatabases;
  return handle;
}

HandheldDatabase* OpenDatabaseOf(uint8_t handle) {
  auto open = g_open.find(handle);
  if (open == g_open.end()) return nullptr;
  auto database = g_handheld.databases.find(open->second);
  return database == g_handheld.databases.end() ? nullptr : &database->second;
}

const unsigned char* BufferOf(const RecordTransfer& record) {
  return reinterpret_cast<const unsigned char*>(static_cast<uintptr_t>(record.buffer));
}

}  // namespace

void InMemoryHandheld::Fail(const std::string& operation, uint32_t call, int32_t code) {
  m_faults.insert({operation, Fault{call, code}});
}

int32_t InMemoryHandheld::NextFault(const std::string& operation) {
  uint32_t call = ++m_callCounts[operation];
  auto range = m_faults.equal_range(operation);
  for (auto fault = range.first; fault != range.second; ++fault) {
    if (fault->second.call == 0 || fault->second.call == call) return fault->second.code;
  }
  return 0;
}

InMemoryHandheld& TheHandheld() { return g_handheld; }

void ResetHandheld() {
  g_handheld = InMemoryHandheld();
  g_open.clear();
}

extern "C" {

int32_t SmOpenDatabase(const char* name, int32_t, uint8_t* dbHandle, int32_t mode) {
  char call[64];
  std::snprintf(call, sizeof call, " 0x%X", static_cast<unsigned>(mode));
  g_handheld.calls.push_back(std::string("open-database ") + name + call);
  if (int32_t fault = g_handheld.NextFault("open-database")) return fault;
  if (g_handheld.databases.count(name) == 0) return kSmErrNotFound;
  *dbHandle = OpenHandle(name);
  return kSmOk;
}

int32_t SmCreateDatabase(NewDatabaseInfo* info) {
  g_handheld.calls.push_back(std::string("create-database ") + info->name);
  g_handheld.creates.push_back(*info);
  if (int32_t fault = g_handheld.NextFault("create-database")) return fault;
  if (g_handheld.databases.count(info->name) != 0) return kSmErrExists;
  g_handheld.databases[info->name].info = *info;
  info->dbHandle = OpenHandle(info->name);
  return kSmOk;
}

int32_t SmCloseDatabase(uint8_t dbHandle) {
  g_handheld.calls.push_back("close-database");
  if (g_open.erase(dbHandle) == 0) {
    ++g_handheld.strayCloses;
    return kSmErrBadHandle;
  }
  --g_handheld.openDatabases;
  return kSmOk;
}

int32_t SmDeleteDatabase(const char* name, int32_t) {
  g_handheld.calls.push_back(std::string("delete-database ") + name);
  if (int32_t fault = g_handheld.NextFault("delete-database")) return fault;
  return g_handheld.databases.erase(name) != 0 ? kSmOk : kSmErrNotFound;
}

int32_t SmWriteRecord(RecordTransfer* record) {
  g_handheld.calls.push_back("write-record");
  const unsigned char* data = BufferOf(*record);
  g_handheld.writes.push_back(WriteSnapshot{*record, std::vector<uint8_t>(data, data + record->dataSize)});
  if (int32_t fault = g_handheld.NextFault("write-record")) return fault;
  HandheldDatabase* database = OpenDatabaseOf(record->dbHandle);
  if (database == nullptr) return kSmErrBadHandle;
  database->records.push_back(HandheldRecord{g_handheld.writes.back().data});
  return kSmOk;
}

int32_t SmReadRecordByIndex(RecordTransfer* record) {
  g_handheld.calls.push_back("read-record-by-index");
  if (int32_t fault = g_handheld.NextFault("read-record-by-index")) return fault;
  HandheldDatabase* database = OpenDatabaseOf(record->dbHandle);
  if (database == nullptr) return kSmErrBadHandle;
  if (record->index >= database->records.size()) return kSmErrNotFound;
  const std::vector<uint8_t>& data = database->records[record->index].data;
  record->recordId = InMemoryHandheld::kReadRecordIdBase + record->index;
  record->attributes = InMemoryHandheld::kReadAttributes;
  record->category = InMemoryHandheld::kReadCategory;
  record->reserved10 = InMemoryHandheld::kReadReserved10;
  record->dataSize = static_cast<uint32_t>(data.size());
  size_t copied = std::min<size_t>(data.size(), record->bufferSize);
  std::memcpy(reinterpret_cast<unsigned char*>(static_cast<uintptr_t>(record->buffer)), data.data(), copied);
  g_handheld.reads.push_back(ReadSnapshot{*record});
  return kSmOk;
}

int32_t SmDeleteAllRecords(uint8_t dbHandle) {
  g_handheld.calls.push_back("delete-all-records");
  if (int32_t fault = g_handheld.NextFault("delete-all-records")) return fault;
  HandheldDatabase* database = OpenDatabaseOf(dbHandle);
  if (database == nullptr) return kSmErrBadHandle;
  database->records.clear();
  return kSmOk;
}

int32_t SyncGetDBRecordCount(uint8_t dbHandle, uint16_t* count) {
  g_handheld.calls.push_back("get-record-count");
  if (int32_t fault = g_handheld.NextFault("get-record-count")) return fault;
  HandheldDatabase* database = OpenDatabaseOf(dbHandle);
  if (database == nullptr) return kSmErrBadHandle;
  *count = static_cast<uint16_t>(database->records.size());
  return kSmOk;
}

int32_t LogAddEntry(const char* text, int32_t kind, int32_t flags) {
  g_handheld.log.push_back(std::to_string(kind) + " " + std::to_string(flags) + " " + text);
  return 0;
}

}  // extern "C"
