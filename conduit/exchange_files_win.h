// The conduit's operations on exchange files: probing, deleting and reading the selection file.
#pragma once

#include "exchange.h"

// A directory search for exactly this path, closed at once: true when an entry exists.
// Names match without regard to letter case, as the file system's search does.
bool ExchangeFileExists(const char* path);

// Deletes "ListReq.dat", "dblist.txt", "csvselname.txt" and "dum.dat", in this order.
// Failures are ignored: the next session start deletes them again.
void DeleteRequestFiles(const PathTable& paths);

enum class SelectionReadResult {
  kRead,
  kHeld,     // another process holds the file without sharing it
  kMissing,  // it cannot be opened for any other reason
};

// Opens the selection file with full sharing and reads it as the conduit reads it.
SelectionReadResult ReadSelectionFile(const char* path, SelectionFile* out);
