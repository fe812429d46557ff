// A Palm record database (.pdb) in memory, read from and written to the file's bytes.
// Portable: no Windows calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Database attribute bits (the 16-bit word at offset 32 of the file).
enum : uint16_t {
  kPalmDbResource = 0x0001,
  kPalmDbReadOnly = 0x0002,
  kPalmDbBackup = 0x0008,
};

// Record attribute bits; the low four bits of the byte are the category.
enum : uint8_t {
  kPalmRecordDelete = 0x80,
  kPalmRecordDirty = 0x40,
  kPalmRecordBusy = 0x20,
  kPalmRecordSecret = 0x10,
  kPalmRecordCategoryMask = 0x0F,
};

constexpr size_t kPalmNameSize = 32;          // with its terminator: names have 31 bytes at most
constexpr size_t kPalmHeaderSize = 78;
constexpr size_t kPalmRecordEntrySize = 8;
constexpr size_t kPalmMaxRecords = 65535;     // the record count is a 16-bit word
constexpr uint32_t kPalmMaxUniqueId = 0xFFFFFF;  // unique IDs have 24 bits
// No handheld database comes near this; a larger file is refused before it is read.
constexpr size_t kPalmMaxFileSize = 16 * 1024 * 1024;
// Seconds from 1904-01-01 (Palm dates) to 1970-01-01.
constexpr uint32_t kPalmEpochOffset = 2082844800u;

struct PalmRecord {
  uint8_t attributes = 0;  // flags and category
  uint32_t uniqueId = 0;   // 24 bits
  std::vector<uint8_t> data;
};

struct PalmDatabase {
  std::string name;  // 1 to 31 bytes, Shift-JIS
  uint16_t attributes = 0;
  uint16_t version = 0;
  uint32_t creationDate = 0;  // seconds since 1904-01-01
  uint32_t modificationDate = 0;
  uint32_t backupDate = 0;
  uint32_t modificationNumber = 0;
  uint32_t type = 0;     // four-character code, first letter most significant
  uint32_t creator = 0;  // likewise
  uint32_t uniqueIdSeed = 0;
  std::vector<uint8_t> appInfo;   // empty when the file has none
  std::vector<uint8_t> sortInfo;  // likewise
  std::vector<PalmRecord> records;
};

enum class PalmDbError {
  kOk,
  kTruncated,    // the file ends inside the header, the record list or before an offset
  kGarbled,      // a field that cannot be: no name, offsets out of order or into the list
  kTooLarge,     // beyond what a .pdb can hold or beyond kPalmMaxFileSize
  kUnsupported,  // a resource database, or a record list chained to another
};

// Reads a database from the whole file's bytes; never reads outside them. Files with or
// without the two-byte gap after the record list are accepted.
PalmDbError ParsePalmDatabase(const uint8_t* bytes, size_t size, PalmDatabase* database);

// Reads only the name from the start of a file: false when it holds no valid name.
bool ParsePalmDatabaseName(const uint8_t* bytes, size_t size, std::string* name);

// Writes the file's bytes, always with the two-byte gap. Fails with kTooLarge when the
// database does not fit the format, kGarbled when its name or a unique ID is invalid,
// kUnsupported for a resource database.
PalmDbError SerializePalmDatabase(const PalmDatabase& database, std::vector<uint8_t>* bytes);

// A short English description of an error, for messages and traces.
const char* PalmDbErrorText(PalmDbError error);

// The four letters of a code (bytes outside printable ASCII as '?').
std::string FourCharText(uint32_t code);
