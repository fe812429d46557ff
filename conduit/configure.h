// The conduit's identity and configuration exports, as HotSync Manager calls them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "configure_records.h"

constexpr int32_t kConduitVersion = 0x0102;

extern "C" {

// Copies the conduit's name into nameBuffer, cut to fit. 0, or -1 when nothing was loaded.
int32_t GetConduitName(char* nameBuffer, uint16_t nameBufferSize);

int32_t GetConduitVersion();

// Kind 0: the name into out; kinds 1 and 2: a 32-bit word. 0 or an error code.
int32_t GetConduitInfo(int32_t kind, const ConduitInfoRequest* request, void* out, int32_t* outSize);

// Shows the English action dialog over HotSync Manager's record: 0 after OK, which writes the
// choice into it; -1 after Cancel, when the dialog cannot be shown or without a record.
int32_t ConfigureConduit(HotSyncConfigRecord* record);

// Shows the Japanese action dialog over HotSync Manager's settings, which it fills on OK.
// 0 once the dialog has closed, or an error code for a bad argument.
int32_t CfgConduit(int32_t kind, ConduitActionSettings* settings, int32_t* sizeOfSettings);

}
