// The send step: puts the chosen PC file on the handheld as a one-record database.
#pragma once

#include <cstdint>

#include "exchange.h"

// Called by the session with the chosen file's name (the selection file's first line after
// its last backslash), which it may rewrite in place. The paths come from SessionPaths().
// Returns 0, a Sync Manager error code or 1; the session does not look at it.
int32_t SendFileToHandheld(char fileName[kPathFieldSize]);
