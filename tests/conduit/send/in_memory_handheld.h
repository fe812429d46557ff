// A Sync Manager and HotSync log in memory, for the send and retrieval steps' tests: it keeps
// each call, the blocks handed to it and the log lines, and fails the calls a test names.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sync_manager.h"

struct HandheldRecord {
  std::vector<uint8_t> data;
};

struct HandheldDatabase {
  NewDatabaseInfo info{};  // as create-database was handed it (or as a test made it)
  std::vector<HandheldRecord> records;
};

// A read's block as the read-record-by-index operation left it.
struct ReadSnapshot {
  RecordTransfer block;
};

// A write's block and the bytes its buffer held when write-record was called.
struct WriteSnapshot {
  RecordTransfer block;
  std::vector<uint8_t> data;
};

struct InMemoryHandheld {
  std::map<std::string, HandheldDatabase> databases;
  std::vector<std::string> calls;  // operation names, with the name or mode where one is passed
  std::vector<std::string> log;    // "<kind> <flags> <text>"
  std::vector<NewDatabaseInfo> creates;
  std::vector<WriteSnapshot> writes;
  std::vector<ReadSnapshot> reads;
  int openDatabases = 0;  // opened or created and not yet closed
  int strayCloses = 0;    // close-database calls on a handle that was not open

  // Fails the call-th call (from 1; 0: every call) of the operation with code.
  void Fail(const std::string& operation, uint32_t call, int32_t code);
  // The code to fail this call with, or 0; counts the call.
  int32_t NextFault(const std::string& operation);

  // What read-record-by-index stores in the fields the conduit leaves alone, so a test can
  // tell a record file's header from a block the conduit made up.
  static constexpr uint32_t kReadRecordIdBase = 0x00A10000;
  static constexpr uint8_t kReadAttributes = 0x45;
  static constexpr uint16_t kReadCategory = 0x0203;
  static constexpr uint32_t kReadReserved10 = 0x13579BDF;

 private:
  struct Fault {
    uint32_t call;
    int32_t code;
  };
  std::multimap<std::string, Fault> m_faults;
  std::map<std::string, uint32_t> m_callCounts;
};

// The one handheld the Sync Manager functions of this test program act on.
InMemoryHandheld& TheHandheld();
void ResetHandheld();
