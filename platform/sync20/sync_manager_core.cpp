// Each operation: the fault plan first (an injected failure changes nothing), then the
// work, then one trace line.
#include "sync_manager_core.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "environment.h"
#include "folder_files.h"
#include "stand_in_faults.h"

namespace {

// A name argument: zero-terminated, 1 to 31 bytes.
bool ValidName(const char* name) {
  if (name == nullptr) return false;
  size_t length = strnlen(name, kPalmNameSize);
  return length > 0 && length < kPalmNameSize;
}

uint32_t PalmNow() { return static_cast<uint32_t>(std::time(nullptr)) + kPalmEpochOffset; }

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
  return text;
}

std::string Quoted(const char* name) {
  if (name == nullptr) return "null";
  return TraceQuote(std::string(name, strnlen(name, 64)).c_str());
}

void Trace(const char* operation, const std::string& arguments, int32_t result, const std::string& out = "") {
  std::string line = std::string(operation) + (arguments.empty() ? "" : " " + arguments) + " -> " + TraceCode(result);
  if (result == 0 && !out.empty()) line += " " + out;
  TraceCall(line);
}

}  // namespace

int32_t SyncManagerCore::RegisterConduit(uint32_t* handle) {
  int32_t result = InjectedFault("register-conduit");
  if (result == 0) result = Register(handle);
  Trace("register-conduit", m_folder && result == 0 ? "folder=" + TraceQuote(m_folder->Folder().c_str()) : "", result,
        result == 0 ? "handle=" + std::to_string(*handle) : "");
  return result;
}

int32_t SyncManagerCore::UnregisterConduit(uint32_t handle) {
  int32_t result = InjectedFault("unregister-conduit");
  if (result == 0) result = Unregister(handle);
  Trace("unregister-conduit", "handle=" + std::to_string(handle), result);
  return result;
}

int32_t SyncManagerCore::OpenDatabase(const char* name, int32_t cardNo, uint8_t* dbHandle, int32_t mode) {
  int32_t result = InjectedFault("open-database");
  if (result == 0) result = Open(name, cardNo, dbHandle, mode);
  Trace("open-database", "name=" + Quoted(name) + " card=" + std::to_string(cardNo) + " mode=" + Hex(mode), result,
        result == 0 ? "handle=" + std::to_string(*dbHandle) : "");
  return result;
}

int32_t SyncManagerCore::CreateDatabase(NewDatabaseInfo* info) {
  int32_t result = InjectedFault("create-database");
  if (result == 0) result = Create(info);
  std::string arguments = "null";
  if (info != nullptr) {
    char name[kPalmNameSize + 1] = {};
    std::memcpy(name, info->name, sizeof info->name);
    arguments = "name=" + TraceQuote(name) + " creator=" + FourCharText(info->creator) +
                " type=" + FourCharText(info->type) + " flags=" + Hex(info->flags) +
                " version=" + std::to_string(info->version);
  }
  Trace("create-database", arguments, result, result == 0 ? "handle=" + std::to_string(info->dbHandle) : "");
  return result;
}

int32_t SyncManagerCore::CloseDatabase(uint8_t dbHandle) {
  int32_t result = InjectedFault("close-database");
  if (result == 0) result = Close(dbHandle);
  Trace("close-database", "handle=" + std::to_string(dbHandle), result);
  return result;
}

int32_t SyncManagerCore::DeleteDatabase(const char* name, int32_t cardNo) {
  int32_t result = InjectedFault("delete-database");
  if (result == 0) result = Delete(name, cardNo);
  Trace("delete-database", "name=" + Quoted(name) + " card=" + std::to_string(cardNo), result);
  return result;
}

int32_t SyncManagerCore::WriteRecord(RecordTransfer* record, const uint8_t* data) {
  int32_t result = InjectedFault("write-record");
  if (result == 0) result = Write(record, data);
  std::string arguments = "null";
  if (record != nullptr) {
    arguments = "handle=" + std::to_string(record->dbHandle) + " attributes=" + Hex(record->attributes) +
                " category=" + std::to_string(record->category) + " size=" + std::to_string(record->dataSize);
  }
  Trace("write-record", arguments, result, result == 0 ? "id=" + Hex(record->recordId) : "");
  return result;
}

int32_t SyncManagerCore::ReadRecordByIndex(RecordTransfer* record, uint8_t* buffer) {
  int32_t result = InjectedFault("read-record-by-index");
  if (result == 0) result = Read(record, buffer);
  std::string arguments = "null";
  if (record != nullptr) {
    arguments = "handle=" + std::to_string(record->dbHandle) + " index=" + std::to_string(record->index) +
                " buffer-size=" + std::to_string(record->bufferSize);
  }
  Trace("read-record-by-index", arguments, result,
        result == 0 ? "size=" + std::to_string(record->dataSize) + " id=" + Hex(record->recordId) : "");
  return result;
}

int32_t SyncManagerCore::DeleteAllRecords(uint8_t dbHandle) {
  int32_t result = InjectedFault("delete-all-records");
  if (result == 0) result = Clear(dbHandle);
  Trace("delete-all-records", "handle=" + std::to_string(dbHandle), result);
  return result;
}

int32_t SyncManagerCore::GetRecordCount(uint8_t dbHandle, uint16_t* count) {
  int32_t result = InjectedFault("get-record-count");
  if (result == 0) result = Count(dbHandle, count);
  Trace("get-record-count", "handle=" + std::to_string(dbHandle), result,
        result == 0 ? "count=" + std::to_string(*count) : "");
  return result;
}

int32_t SyncManagerCore::Register(uint32_t* handle) {
  if (handle == nullptr) return kSmErrBadArgument;
  if (m_conduit != 0) return kSmErrBusy;
  std::string folder;
  if (!ReadEnvironment("MARBELO_HANDHELD", &folder) || folder.empty() || !IsFolder(folder)) return kSmErrNoHandheld;
  m_folder = std::make_unique<HandheldFolder>(folder);
  m_conduit = ++m_lastConduit;
  *handle = m_conduit;
  return kSmOk;
}

int32_t SyncManagerCore::Unregister(uint32_t handle) {
  if (m_conduit == 0) return kSmErrNotRegistered;
  if (handle != m_conduit) return kSmErrBadHandle;
  // Every change is on disk already; what the conduit left open is simply let go.
  for (auto& opened : m_open) opened.reset();
  m_conduit = 0;
  return kSmOk;
}

int32_t SyncManagerCore::Open(const char* name, int32_t cardNo, uint8_t* dbHandle, int32_t mode) {
  if (m_conduit == 0) return kSmErrNotRegistered;
  if (!ValidName(name) || dbHandle == nullptr || (mode & (kSmModeRead | kSmModeWrite)) == 0) {
    return kSmErrBadArgument;
  }
  if (cardNo != 0) return kSmErrNotFound;
  std::string path;
  int32_t found = m_folder->Find(name, &path);
  if (found != kSmOk) return found;
  if (IsOpen(path)) return kSmErrBusy;
  uint8_t handle = FreeHandle();
  if (handle == 0) return kSmErrTooManyOpen;
  auto opened = std::make_unique<OpenedDatabase>();
  int32_t loaded = HandheldFolder::Load(path, &opened->database);
  if (loaded != kSmOk) return loaded;
  if ((mode & kSmModeWrite) && (opened->database.attributes & kPalmDbReadOnly)) return kSmErrReadOnly;
  opened->mode = mode;
  opened->path = path;
  m_open[handle] = std::move(opened);
  *dbHandle = handle;
  return kSmOk;
}

int32_t SyncManagerCore::Create(NewDatabaseInfo* info) {
  if (m_conduit == 0) return kSmErrNotRegistered;
  if (info == nullptr || info->cardNo != 0 || info->flags > 0xFFFF || (info->flags & kPalmDbResource)) {
    return kSmErrBadArgument;
  }
  size_t length = strnlen(info->name, sizeof info->name);
  if (length == 0 || length == sizeof info->name) return kSmErrBadArgument;
  std::string name(info->name, length);
  std::string existing;
  int32_t found = m_folder->Find(name, &existing);
  if (found == kSmOk) return kSmErrExists;
  if (found != kSmErrNotFound) return found;
  uint8_t handle = FreeHandle();
  if (handle == 0) return kSmErrTooManyOpen;
  auto opened = std::make_unique<OpenedDatabase>();
  PalmDatabase& db = opened->database;
  db.name = name;
  db.attributes = static_cast<uint16_t>(info->flags);
  db.version = info->version;
  db.creationDate = db.modificationDate = PalmNow();
  db.type = info->type;
  db.creator = info->creator;
  opened->mode = kSmModeRead | kSmModeWrite;
  opened->path = m_folder->PathForNew(name);
  int32_t saved = HandheldFolder::Save(opened->path, db);
  if (saved != kSmOk) return saved;
  m_open[handle] = std::move(opened);
  info->dbHandle = handle;
  return kSmOk;
}

int32_t SyncManagerCore::Close(uint8_t dbHandle) {
  if (m_conduit == 0) return kSmErrNotRegistered;
  if (Opened(dbHandle) == nullptr) return kSmErrBadHandle;
  m_open[dbHandle].reset();
  return kSmOk;
}

int32_t SyncManagerCore::Delete(const char* name, int32_t cardNo) {
  if (m_conduit == 0) return kSmErrNotRegistered;
  if (!ValidName(name)) return kSmErrBadArgument;
  if (cardNo != 0) return kSmErrNotFound;
  std::string path;
  int32_t found = m_folder->Find(name, &path);
  if (found != kSmOk) return found;
  if (IsOpen(path)) return kSmErrBusy;
  return RemoveFile(path) ? kSmOk : kSmErrIo;
}

int32_t SyncManagerCore::Write(RecordTransfer* record, const uint8_t* data) {
  if (m_conduit == 0) return kSmErrNotRegistered;
  if (record == nullptr) return kSmErrBadArgument;
  OpenedDatabase* opened = Opened(record->dbHandle);
  if (opened == nullptr) return kSmErrBadHandle;
  if (!(opened->mode & kSmModeWrite)) return kSmErrReadOnly;
  // The block says how many bytes its buffer holds; never read beyond them.
  if (record->category > kPalmRecordCategoryMask || record->dataSize > record->bufferSize ||
      (data == nullptr && record->dataSize > 0)) {
    return kSmErrBadArgument;
  }
  PalmDatabase& db = opened->database;
  if (db.records.size() >= kPalmMaxRecords) return kSmErrTooLarge;
  uint32_t id = std::max<uint32_t>(db.uniqueIdSeed, 1);
  for (const PalmRecord& r : db.records) id = std::max(id, r.uniqueId + 1);
  if (id > kPalmMaxUniqueId) return kSmErrTooLarge;
  PalmDatabase before = db;
  PalmRecord added;
  added.attributes = static_cast<uint8_t>((record->attributes & ~kPalmRecordCategoryMask) | record->category);
  added.uniqueId = id;
  added.data.assign(data, data + record->dataSize);
  db.records.push_back(std::move(added));
  db.uniqueIdSeed = id + 1;
  int32_t saved = SaveChange(opened, std::move(before));
  if (saved == kSmOk) record->recordId = id;
  return saved;
}

int32_t SyncManagerCore::Read(RecordTransfer* record, uint8_t* buffer) {
  if (m_conduit == 0) return kSmErrNotRegistered;
  if (record == nullptr) return kSmErrBadArgument;
  OpenedDatabase* opened = Opened(record->dbHandle);
  if (opened == nullptr) return kSmErrBadHandle;
  if (!(opened->mode & kSmModeRead)) return kSmErrWriteOnly;
  if (buffer == nullptr && record->bufferSize > 0) return kSmErrBadArgument;
  if (record->index >= opened->database.records.size()) return kSmErrNotFound;
  const PalmRecord& found = opened->database.records[record->index];
  size_t copied = std::min<size_t>(found.data.size(), record->bufferSize);
  if (copied > 0) std::memcpy(buffer, found.data.data(), copied);
  record->dataSize = static_cast<uint32_t>(found.data.size());
  record->recordId = found.uniqueId;
  record->attributes = found.attributes & ~kPalmRecordCategoryMask;
  record->category = found.attributes & kPalmRecordCategoryMask;
  return kSmOk;
}

int32_t SyncManagerCore::Clear(uint8_t dbHandle) {
  if (m_conduit == 0) return kSmErrNotRegistered;
  OpenedDatabase* opened = Opened(dbHandle);
  if (opened == nullptr) return kSmErrBadHandle;
  if (!(opened->mode & kSmModeWrite)) return kSmErrReadOnly;
  PalmDatabase before = opened->database;
  opened->database.records.clear();
  return SaveChange(opened, std::move(before));
}

int32_t SyncManagerCore::Count(uint8_t dbHandle, uint16_t* count) {
  if (m_conduit == 0) return kSmErrNotRegistered;
  if (count == nullptr) return kSmErrBadArgument;
  OpenedDatabase* opened = Opened(dbHandle);
  if (opened == nullptr) return kSmErrBadHandle;
  *count = static_cast<uint16_t>(opened->database.records.size());
  return kSmOk;
}

SyncManagerCore::OpenedDatabase* SyncManagerCore::Opened(uint8_t dbHandle) {
  if (dbHandle == 0 || dbHandle > kMaxOpenDatabases) return nullptr;
  return m_open[dbHandle].get();
}

bool SyncManagerCore::IsOpen(const std::string& path) const {
  return std::any_of(m_open.begin(), m_open.end(), [&](const auto& opened) { return opened && opened->path == path; });
}

int32_t SyncManagerCore::SaveChange(OpenedDatabase* opened, PalmDatabase before) {
  opened->database.modificationDate = PalmNow();
  ++opened->database.modificationNumber;
  int32_t saved = HandheldFolder::Save(opened->path, opened->database);
  if (saved != kSmOk) opened->database = std::move(before);
  return saved;
}

uint8_t SyncManagerCore::FreeHandle() const {
  for (size_t handle = 1; handle <= kMaxOpenDatabases; ++handle) {
    if (!m_open[handle]) return static_cast<uint8_t>(handle);
  }
  return 0;
}
