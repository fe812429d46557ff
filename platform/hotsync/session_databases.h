// Which handheld databases a session lists for the conduit, and in what order. Portable.
#pragma once

#include <vector>

#include "handheld_folder.h"
#include "session_record.h"

// The valid databases of the conduit's creator, ordered by name byte by byte (so the first
// entry, the one the conduit retrieves, is always the same for the same handheld).
std::vector<HandheldDatabaseEntry> SessionDatabases(const std::vector<ListedDatabase>& listed);
