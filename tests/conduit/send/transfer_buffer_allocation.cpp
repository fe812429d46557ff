// Replaces the nothrow array allocation of the test programs so the transfer buffer can fail.
#include "transfer_buffer_allocation.h"

#include <cstdlib>
#include <new>

namespace {
bool g_failTransferBuffer = false;
}  // namespace

void FailTransferBufferAllocation(bool fail) { g_failTransferBuffer = fail; }

void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  if (g_failTransferBuffer && size == 65535) return nullptr;
  return std::malloc(size);
}
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete[](void* block, size_t) noexcept { std::free(block); }
