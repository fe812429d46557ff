// The records that hotsync.exe hands to a conduit's OpenConduit: the session record and the
// entries of its list of handheld databases.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// One handheld database of the session's list.
struct HandheldDatabaseEntry {
  uint32_t creator;
  uint32_t type;
  uint16_t attributes;
  char name[32];  // zero-terminated, Shift-JIS
  uint16_t recordCount;
};

// The record whose address OpenConduit receives as its second argument.
struct HotSyncSessionRecord {
  int32_t action;         // a ConduitAction: 0, 2, 3 or 6
  uint8_t reserved4[896]; // zero
  uint32_t databaseList;  // address of a null-terminated list of HandheldDatabaseEntry addresses
};

#pragma pack(pop)

static_assert(sizeof(HandheldDatabaseEntry) == 44, "HandheldDatabaseEntry is 44 bytes");
static_assert(offsetof(HandheldDatabaseEntry, type) == 4);
static_assert(offsetof(HandheldDatabaseEntry, attributes) == 8);
static_assert(offsetof(HandheldDatabaseEntry, name) == 10);
static_assert(offsetof(HandheldDatabaseEntry, recordCount) == 42);
static_assert(sizeof(HotSyncSessionRecord) == 904, "HotSyncSessionRecord is 904 bytes");
static_assert(offsetof(HotSyncSessionRecord, action) == 0);
static_assert(offsetof(HotSyncSessionRecord, databaseList) == 900);

// The creator whose databases the session lists: the conduit's.
constexpr uint32_t kConduitCreator = 0x5A484D51;  // ZHMQ
