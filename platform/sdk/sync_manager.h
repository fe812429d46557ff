// The Sync Manager (SYNC20.dll) as the conduit sees it: the records it exchanges, its
// operations by role (imported by ordinal, see SYNC20.def) and the error codes of our stand-in.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// One record travelling to or from the handheld; also the header of every record file.
struct RecordTransfer {
  uint8_t dbHandle;
  uint32_t recordId;    // unique ID of the record read; written by the Sync Manager
  uint16_t index;       // record index in the database, from 0
  uint8_t attributes;   // Palm record attribute bits (0x40 dirty); low 4 bits unused here
  uint16_t category;    // record category, 0 to 15
  uint32_t reserved10;  // not read by the Sync Manager
  uint32_t dataSize;    // bytes of record data
  uint16_t bufferSize;  // capacity of the buffer
  uint32_t buffer;      // address of the data buffer (a 32-bit pointer)
  uint32_t reserved24;
};

// What create-database needs to make a database on the handheld.
struct NewDatabaseInfo {
  uint8_t dbHandle;  // out: handle of the new database, left open
  uint32_t creator;  // four-character code, first letter most significant
  uint32_t flags;    // database attribute word (0x0008 backup)
  uint8_t cardNo;
  char name[32];     // zero-terminated
  uint32_t type;     // four-character code, first letter most significant
  uint16_t version;
  uint32_t reserved48;
};

#pragma pack(pop)

static_assert(sizeof(RecordTransfer) == 28, "RecordTransfer is 28 bytes");
static_assert(offsetof(RecordTransfer, recordId) == 1);
static_assert(offsetof(RecordTransfer, index) == 5);
static_assert(offsetof(RecordTransfer, attributes) == 7);
static_assert(offsetof(RecordTransfer, category) == 8);
static_assert(offsetof(RecordTransfer, reserved10) == 10);
static_assert(offsetof(RecordTransfer, dataSize) == 14);
static_assert(offsetof(RecordTransfer, bufferSize) == 18);
static_assert(offsetof(RecordTransfer, buffer) == 20);
static_assert(offsetof(RecordTransfer, reserved24) == 24);

static_assert(sizeof(NewDatabaseInfo) == 52, "NewDatabaseInfo is 52 bytes");
static_assert(offsetof(NewDatabaseInfo, creator) == 1);
static_assert(offsetof(NewDatabaseInfo, flags) == 5);
static_assert(offsetof(NewDatabaseInfo, cardNo) == 9);
static_assert(offsetof(NewDatabaseInfo, name) == 10);
static_assert(offsetof(NewDatabaseInfo, type) == 42);
static_assert(offsetof(NewDatabaseInfo, version) == 46);
static_assert(offsetof(NewDatabaseInfo, reserved48) == 48);

// Open modes (bits of the mode argument of open-database).
enum : int32_t {
  kSmModeWrite = 0x40,
  kSmModeRead = 0x80,
};

// Error codes of the stand-in Sync Manager; 0 is success.
enum : int32_t {
  kSmOk = 0,
  kSmErrNotFound = 0x3001,       // no database of that name, or no record at that index
  kSmErrBadHandle = 0x3002,      // handle not open
  kSmErrReadOnly = 0x3003,       // write to a database not opened for writing
  kSmErrExists = 0x3004,         // create: a database of that name exists
  kSmErrCorrupt = 0x3005,        // the database file is truncated or garbled
  kSmErrIo = 0x3006,             // the handheld folder could not be read or written
  kSmErrTooManyOpen = 0x3007,    // no free database handle
  kSmErrBadArgument = 0x3008,    // a null pointer, an empty name, a name of 32 bytes or more
  kSmErrTooLarge = 0x3009,       // a record or database beyond what a .pdb can hold
  kSmErrNotRegistered = 0x300A,  // no conduit registered
  kSmErrWriteOnly = 0x300B,      // read from a database not opened for reading
  kSmErrBusy = 0x300C,           // the database is open already, or a conduit is registered
  kSmErrNoHandheld = 0x300D,     // the host named no handheld folder, or it is not a folder
};

#ifdef _WIN32
extern "C" {
int32_t SmRegisterConduit(uint32_t* handle);                                              // @22
int32_t SmUnregisterConduit(uint32_t handle);                                             // @23
int32_t SmOpenDatabase(const char* name, int32_t cardNo, uint8_t* dbHandle, int32_t mode);  // @26
int32_t SmCreateDatabase(NewDatabaseInfo* info);                                          // @27
int32_t SmCloseDatabase(uint8_t dbHandle);                                                // @28
int32_t SmDeleteDatabase(const char* name, int32_t cardNo);                               // @29
int32_t SmWriteRecord(RecordTransfer* record);                                            // @32
int32_t SmReadRecordByIndex(RecordTransfer* record);                                      // @36
int32_t SmDeleteAllRecords(uint8_t dbHandle);                                             // @41
int32_t SyncGetDBRecordCount(uint8_t dbHandle, uint16_t* count);                          // by name
}
#endif
