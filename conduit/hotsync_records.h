// HotSync Manager's records as OpenConduit reads them: only the named fields are ours to read.
#pragma once

#include <cstddef>
#include <cstdint>

// One handheld database as HotSync Manager describes it.
struct HandheldDatabaseEntry {
  uint8_t unread[10];
  char name[1];  // zero-terminated; as long as HotSync Manager made it
};
static_assert(offsetof(HandheldDatabaseEntry, name) == 10);

// The record whose address HotSync Manager passes to OpenConduit.
struct HotSyncSessionRecord {
  int32_t action;  // a ConduitAction
  uint8_t unread[896];
  uint32_t databaseList;  // address of a list of HandheldDatabaseEntry addresses
};
static_assert(offsetof(HotSyncSessionRecord, action) == 0);
static_assert(offsetof(HotSyncSessionRecord, databaseList) == 900);
