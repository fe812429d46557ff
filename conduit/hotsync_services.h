// The HotSync Manager services the conduit calls: the Sync Manager (SYNC20.dll, by ordinal)
// and the HotSync log (HSLOG20.dll).
#pragma once

#include "hotsync_log.h"
#include "sync_manager.h"

// Every line the conduit adds to the HotSync log carries these two arguments.
constexpr int32_t kLogKind = 22;
constexpr int32_t kLogFlags = 1;

// Adds one Shift-JIS line to the HotSync log. The result is not examined.
inline void AddLogLine(const char* text) { LogAddEntry(text, kLogKind, kLogFlags); }
