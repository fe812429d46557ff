// A HotSync log that writes each entry, with its two further arguments, to the trace.
#include "hotsync_log.h"
#include "trace_file.h"

extern "C" int32_t LogAddEntry(const char* text, int32_t kind, int32_t flags) {
  AppendTraceLine("log %d %d %s", static_cast<int>(kind), static_cast<int>(flags), text);
  return 0;
}
