// A small conduit for the host's tests and the demo: it writes one database through the
// Sync Manager, reads back the records of the first listed database, and logs what it did.
#include <cstdio>
#include <cstring>
#include <string>

#include "hotsync_log.h"
#include "session_record.h"
#include "sync_manager.h"

namespace {

constexpr char kDatabaseName[] = "HotSync Test";
constexpr uint32_t kTestType = 0x54455354;  // TEST

void Log(const std::string& text) { LogAddEntry(text.c_str(), 22, 1); }

std::string Failed(const char* operation, int32_t code) {
  char text[96];
  std::snprintf(text, sizeof text, "テスト用コンジット: %s に失敗しました (0x%X)", operation, static_cast<unsigned>(code));
  return text;
}

void WriteTestDatabase(int32_t action) {
  SmDeleteDatabase(kDatabaseName, 0);
  NewDatabaseInfo info = {};
  info.creator = kConduitCreator;
  info.flags = 0x0008;
  std::strcpy(info.name, kDatabaseName);
  info.type = kTestType;
  info.version = 1;
  int32_t result = SmCreateDatabase(&info);
  if (result != kSmOk) return Log(Failed("create-database", result));
  char data[64];
  int size = std::snprintf(data, sizeof data, "action %ld", static_cast<long>(action));
  RecordTransfer record = {};
  record.dbHandle = info.dbHandle;
  record.attributes = 0x40;
  record.dataSize = static_cast<uint32_t>(size);
  record.bufferSize = static_cast<uint16_t>(size);
  record.buffer = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(data));
  result = SmWriteRecord(&record);
  SmCloseDatabase(info.dbHandle);
  Log(result == kSmOk ? "テスト用コンジット: データベースを書き込みました" : Failed("write-record", result));
}

void ReadFirstDatabase(const HotSyncSessionRecord& session) {
  auto list = reinterpret_cast<HandheldDatabaseEntry* const*>(static_cast<uintptr_t>(session.databaseList));
  if (list == nullptr || list[0] == nullptr) return Log("テスト用コンジット: データベースがありません");
  uint8_t handle = 0;
  int32_t result = SmOpenDatabase(list[0]->name, 0, &handle, 0xD0);
  if (result != kSmOk) return Log(Failed("open-database", result));
  uint16_t count = 0;
  SyncGetDBRecordCount(handle, &count);
  static uint8_t buffer[65535];
  RecordTransfer record = {};
  record.dbHandle = handle;
  record.bufferSize = sizeof buffer;
  record.buffer = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(buffer));
  for (uint16_t i = 0; i < count; ++i) {
    record.index = i;
    result = SmReadRecordByIndex(&record);
    if (result != kSmOk) {
      Log(Failed("read-record-by-index", result));
      break;
    }
    char text[160];
    int at = std::snprintf(text, sizeof text, "%s record %u: id 0x%06X attributes 0x%02X category %u bytes", list[0]->name,
                           i, static_cast<unsigned>(record.recordId), record.attributes, record.category);
    for (uint32_t b = 0; b < record.dataSize && b < 16 && at < 150; ++b) {
      at += std::snprintf(text + at, sizeof text - at, " %02X", buffer[b]);
    }
    Log(text);
  }
  SmCloseDatabase(handle);
}

}  // namespace

extern "C" int32_t OpenConduit(void* progress, HotSyncSessionRecord* session) {
  if (progress == nullptr || session == nullptr) return -1;
  if (session->action == 6) return 0;
  uint32_t conduit = 0;
  int32_t result = SmRegisterConduit(&conduit);
  if (result != kSmOk) {
    Log(Failed("register-conduit", result));
    return 0;
  }
  ReadFirstDatabase(*session);
  WriteTestDatabase(session->action);
  SmUnregisterConduit(conduit);
  return 0;
}
