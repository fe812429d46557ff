// The handheld database name a sent PC file travels under. Portable: no Windows calls.
#pragma once

#include <cstddef>

// A handheld database name holds at most 31 bytes and its terminator.
constexpr size_t kDatabaseNameFieldSize = 32;

// Derives the database name from the chosen file's name: names of up to 31 bytes stay whole;
// a longer name keeps the first 27 bytes of its stem (26 when the 27th byte would be the first
// half of a double-byte character) followed by ".kif", whatever its own extension was.
void DeriveDatabaseName(const char* fileName, char out[kDatabaseNameFieldSize]);
