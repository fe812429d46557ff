// Makes the steps' allocation of their 65535-byte transfer buffer fail, for the tests of that path.
#pragma once

// While set, a nothrow array allocation of exactly 65535 bytes answers null (the steps
// allocate nothing else of that size).
void FailTransferBufferAllocation(bool fail);
