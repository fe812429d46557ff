// The conduit library's own instance handle, kept by DllMain at the first process attachment.
#pragma once

#include <windows.h>

HINSTANCE LibraryInstance();
