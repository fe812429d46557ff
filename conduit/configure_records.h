// The records that HotSync Manager and the configuration exports exchange, byte for byte.
// Portable: no Windows calls.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t kSettingsVersion = 1;
constexpr int32_t kSettingsSize = 352;
constexpr size_t kOwnerNameFieldSize = 64;

// makeDefault: whether the chosen action also becomes HotSync Manager's default.
constexpr int32_t kMakeDefaultYes = 1;
constexpr int32_t kMakeDefaultNo = 2;

// The action dialog's record: laid out by HotSync Manager for CfgConduit, built by
// ConfigureConduit itself.
struct ConduitActionSettings {
  int32_t version;
  int32_t size;
  int32_t showCurrent;
  int32_t reserved;
  char ownerName[kOwnerNameFieldSize];  // NUL-terminated, Shift-JIS
  uint8_t reservedBlock[256];
  int32_t defaultAction;  // a ConduitAction
  int32_t nextAction;     // a ConduitAction
  int32_t chosenAction;   // out, on OK
  int32_t makeDefault;    // out, on OK: kMakeDefaultYes or kMakeDefaultNo
};
static_assert(sizeof(ConduitActionSettings) == kSettingsSize);
static_assert(offsetof(ConduitActionSettings, version) == 0);
static_assert(offsetof(ConduitActionSettings, size) == 4);
static_assert(offsetof(ConduitActionSettings, showCurrent) == 8);
static_assert(offsetof(ConduitActionSettings, reserved) == 12);
static_assert(offsetof(ConduitActionSettings, ownerName) == 16);
static_assert(offsetof(ConduitActionSettings, reservedBlock) == 80);
static_assert(offsetof(ConduitActionSettings, defaultAction) == 336);
static_assert(offsetof(ConduitActionSettings, nextAction) == 340);
static_assert(offsetof(ConduitActionSettings, chosenAction) == 344);
static_assert(offsetof(ConduitActionSettings, makeDefault) == 348);

constexpr int32_t kInfoRequestVersion = 1;
constexpr int32_t kInfoRequestSize = 80;

// What GetConduitInfo requires for the name; only the first two fields are read.
struct ConduitInfoRequest {
  int32_t version;
  int32_t size;
  uint8_t unread[72];
};
static_assert(sizeof(ConduitInfoRequest) == kInfoRequestSize);
static_assert(offsetof(ConduitInfoRequest, version) == 0);
static_assert(offsetof(ConduitInfoRequest, size) == 4);

// HotSync Manager's record for ConfigureConduit: the conduit touches these two fields only.
struct HotSyncConfigRecord {
  uint8_t unread[516];
  int32_t makeDefault;  // written on OK
  int32_t action;       // a ConduitAction: read at the start, written on OK
};
static_assert(offsetof(HotSyncConfigRecord, makeDefault) == 516);
static_assert(offsetof(HotSyncConfigRecord, action) == 520);
static_assert(sizeof(HotSyncConfigRecord) == 524);
