// The library's entry point: keeps the instance handle and counts process attachments.
#include "library_instance.h"

#include <cstdint>

namespace {
HINSTANCE g_instance = nullptr;
int32_t g_attachCount = 0;
}  // namespace

HINSTANCE LibraryInstance() { return g_instance; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    if (g_attachCount == 0) g_instance = instance;
    ++g_attachCount;
  } else if (reason == DLL_PROCESS_DETACH) {
    --g_attachCount;
  }
  return TRUE;
}
