// The file that holds a handheld database in the handheld folder: a name that cannot leave
// the folder nor name a device, whatever bytes the database name holds. Portable.
#pragma once

#include <string>

// Letters, digits, "-", "_" and space stay; every other byte becomes "%XX" (so ".", "\", "/",
// ":", control bytes and Shift-JIS bytes never reach the file system as such). A name that
// Windows reserves for a device (CON, NUL, COM1...) gets its first letter escaped. Then ".pdb".
// Two names that differ only in letter case get the same file on Windows; the folder tells
// them apart by the name in the header.
std::string DatabaseFileName(const std::string& databaseName);

// DatabaseFileName with "~N" before ".pdb": where the plain file holds another database.
std::string DatabaseFileName(const std::string& databaseName, unsigned alternative);
