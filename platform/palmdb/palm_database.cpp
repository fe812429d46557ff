// Reading and writing the .pdb layout: big-endian header, record list, gap, blocks, records.
#include "palm_database.h"

#include <cstring>

namespace {

uint32_t Get32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

void Put32(std::vector<uint8_t>* out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<uint8_t>(value >> shift));
}
void Put16(std::vector<uint8_t>* out, uint16_t value) {
  out->push_back(static_cast<uint8_t>(value >> 8));
  out->push_back(static_cast<uint8_t>(value));
}

bool ValidName(const std::string& name) {
  return !name.empty() && name.size() < kPalmNameSize && name.find('\0') == std::string::npos;
}

// Header fields by offset.
constexpr size_t kAttributesAt = 32, kVersionAt = 34, kCreatedAt = 36, kModifiedAt = 40,
                 kBackedUpAt = 44, kModNumberAt = 48, kAppInfoAt = 52, kSortInfoAt = 56,
                 kTypeAt = 60, kCreatorAt = 64, kSeedAt = 68, kNextListAt = 72, kCountAt = 76;

}  // namespace

bool ParsePalmDatabaseName(const uint8_t* bytes, size_t size, std::string* name) {
  if (size < kPalmNameSize) return false;
  const void* end = std::memchr(bytes, 0, kPalmNameSize);
  if (end == nullptr) return false;
  name->assign(reinterpret_cast<const char*>(bytes), static_cast<const uint8_t*>(end) - bytes);
  return !name->empty();
}

PalmDbError ParsePalmDatabase(const uint8_t* bytes, size_t size, PalmDatabase* database) {
  if (size > kPalmMaxFileSize) return PalmDbError::kTooLarge;
  if (size < kPalmHeaderSize) return PalmDbError::kTruncated;
  PalmDatabase db;
  if (!ParsePalmDatabaseName(bytes, size, &db.name)) return PalmDbError::kGarbled;
  db.attributes = Get16(bytes + kAttributesAt);
  db.version = Get16(bytes + kVersionAt);
  db.creationDate = Get32(bytes + kCreatedAt);
  db.modificationDate = Get32(bytes + kModifiedAt);
  db.backupDate = Get32(bytes + kBackedUpAt);
  db.modificationNumber = Get32(bytes + kModNumberAt);
  db.type = Get32(bytes + kTypeAt);
  db.creator = Get32(bytes + kCreatorAt);
  db.uniqueIdSeed = Get32(bytes + kSeedAt);
  if (db.attributes & kPalmDbResource) return PalmDbError::kUnsupported;
  if (Get32(bytes + kNextListAt) != 0) return PalmDbError::kUnsupported;
  size_t count = Get16(bytes + kCountAt);
  size_t listEnd = kPalmHeaderSize + count * kPalmRecordEntrySize;
  if (listEnd > size) return PalmDbError::kTruncated;

  // Every block starts at an offset; each ends where the next one starts, the last at the
  // end of the file. Offsets must not go backwards nor point into the header or list.
  uint32_t appInfoAt = Get32(bytes + kAppInfoAt);
  uint32_t sortInfoAt = Get32(bytes + kSortInfoAt);
  std::vector<size_t> starts;
  if (appInfoAt != 0) starts.push_back(appInfoAt);
  if (sortInfoAt != 0) starts.push_back(sortInfoAt);
  size_t firstRecord = starts.size();
  db.records.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = bytes + kPalmHeaderSize + i * kPalmRecordEntrySize;
    starts.push_back(Get32(entry));
    db.records[i].attributes = entry[4];
    db.records[i].uniqueId = (uint32_t{entry[5]} << 16) | (uint32_t{entry[6]} << 8) | entry[7];
  }
  for (size_t i = 0; i < starts.size(); ++i) {
    if (starts[i] > size) return PalmDbError::kTruncated;
    if (starts[i] < listEnd) return PalmDbError::kGarbled;
    if (i > 0 && starts[i] < starts[i - 1]) return PalmDbError::kGarbled;
  }
  auto block = [&](size_t i) {
    size_t end = i + 1 < starts.size() ? starts[i + 1] : size;
    return std::vector<uint8_t>(bytes + starts[i], bytes + end);
  };
  size_t next = 0;
  if (appInfoAt != 0) db.appInfo = block(next++);
  if (sortInfoAt != 0) db.sortInfo = block(next++);
  for (size_t i = 0; i < count; ++i) db.records[i].data = block(firstRecord + i);
  *database = std::move(db);
  return PalmDbError::kOk;
}

PalmDbError SerializePalmDatabase(const PalmDatabase& db, std::vector<uint8_t>* bytes) {
  if (!ValidName(db.name)) return PalmDbError::kGarbled;
  if (db.attributes & kPalmDbResource) return PalmDbError::kUnsupported;
  if (db.records.size() > kPalmMaxRecords) return PalmDbError::kTooLarge;
  size_t total = kPalmHeaderSize + db.records.size() * kPalmRecordEntrySize + 2;
  size_t dataStart = total;
  total += db.appInfo.size() + db.sortInfo.size();
  for (const PalmRecord& record : db.records) {
    if (record.uniqueId > kPalmMaxUniqueId) return PalmDbError::kGarbled;
    total += record.data.size();
    if (total > kPalmMaxFileSize) return PalmDbError::kTooLarge;
  }
  if (total > kPalmMaxFileSize) return PalmDbError::kTooLarge;

  std::vector<uint8_t> out;
  out.reserve(total);
  out.resize(kPalmNameSize, 0);
  std::memcpy(out.data(), db.name.data(), db.name.size());
  Put16(&out, db.attributes);
  Put16(&out, db.version);
  Put32(&out, db.creationDate);
  Put32(&out, db.modificationDate);
  Put32(&out, db.backupDate);
  Put32(&out, db.modificationNumber);
  size_t offset = dataStart;
  Put32(&out, db.appInfo.empty() ? 0 : static_cast<uint32_t>(offset));
  offset += db.appInfo.size();
  Put32(&out, db.sortInfo.empty() ? 0 : static_cast<uint32_t>(offset));
  offset += db.sortInfo.size();
  Put32(&out, db.type);
  Put32(&out, db.creator);
  Put32(&out, db.uniqueIdSeed);
  Put32(&out, 0);
  Put16(&out, static_cast<uint16_t>(db.records.size()));
  for (const PalmRecord& record : db.records) {
    Put32(&out, static_cast<uint32_t>(offset));
    out.push_back(record.attributes);
    out.push_back(static_cast<uint8_t>(record.uniqueId >> 16));
    out.push_back(static_cast<uint8_t>(record.uniqueId >> 8));
    out.push_back(static_cast<uint8_t>(record.uniqueId));
    offset += record.data.size();
  }
  Put16(&out, 0);
  out.insert(out.end(), db.appInfo.begin(), db.appInfo.end());
  out.insert(out.end(), db.sortInfo.begin(), db.sortInfo.end());
  for (const PalmRecord& record : db.records) out.insert(out.end(), record.data.begin(), record.data.end());
  *bytes = std::move(out);
  return PalmDbError::kOk;
}

const char* PalmDbErrorText(PalmDbError error) {
  switch (error) {
    case PalmDbError::kOk: return "valid";
    case PalmDbError::kTruncated: return "truncated";
    case PalmDbError::kGarbled: return "garbled";
    case PalmDbError::kTooLarge: return "too large";
    case PalmDbError::kUnsupported: return "not a record database";
  }
  return "unknown";
}

std::string FourCharText(uint32_t code) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    char c = static_cast<char>(code >> shift);
    text += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return text;
}
