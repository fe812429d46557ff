// The retrieval step: copies the handheld database's records into record files.
#pragma once

#include <cstdint>

// Called by the session with the name of the first database HotSync Manager listed. The
// paths come from SessionPaths(). The session does not look at the result.
int32_t RetrieveRecords(const char* databaseName);
