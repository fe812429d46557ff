// The HotSync log (HSLOG20.dll) as the conduit sees it: one operation, imported by ordinal.
#pragma once

#include <cstdint>

#ifdef _WIN32
extern "C" {
// Adds one line of Shift-JIS text to the HotSync log; conduits pass 22 and 1. The stand-in
// answers 0, 0x3101 (no text), 0x3102 (no log file named) or 0x3103 (log not writable).
int32_t LogAddEntry(const char* text, int32_t kind, int32_t flags);  // @52
}
#endif
