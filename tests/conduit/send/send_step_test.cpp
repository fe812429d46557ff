// The send step inside a test program: real files in a real exchange folder, the Sync Manager
// and the HotSync log in memory, so every block, call and log line can be looked at.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "exchange_folder.h"
#include "in_memory_handheld.h"
#include "send.h"
#include "transfer_buffer_allocation.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

std::string BlockBytes(const void* block, size_t size) { return std::string(static_cast<const char*>(block), size); }

std::string ReadExample(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  std::string bytes;
  if (file == nullptr) return bytes;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  std::fclose(file);
  return bytes;
}

std::string AllByteValues() {
  std::string bytes;
  for (int round = 0; round < 3; ++round) {
    for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
  }
  return bytes + "\r\n\x1A\n\r";
}

class SendStep : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHandheld();
    FailTransferBufferAllocation(false);
  }
  void TearDown() override { FailTransferBufferAllocation(false); }

  // Puts the PC file and the selection file in place, as the companion program leaves them,
  // and runs the send step on the chosen name.
  int32_t Send(const std::string& pcName, const std::string& bytes) { return Send(pcName, bytes, bytes.size()); }
  int32_t Send(const std::string& pcName, const std::string& bytes, long long selectionSize) {
    folder.Write(pcName, bytes);
    folder.WriteSelection(folder.PathOf(pcName), selectionSize);
    return SendChosen(pcName);
  }
  int32_t SendChosen(const std::string& pcName) {
    std::memset(chosen, 0x7E, sizeof chosen);
    std::memcpy(chosen, pcName.c_str(), pcName.size() + 1);
    return SendFileToHandheld(chosen);
  }

  const HandheldDatabase* Database(const std::string& name) const {
    auto found = TheHandheld().databases.find(name);
    return found == TheHandheld().databases.end() ? nullptr : &found->second;
  }

  ExchangeFolder folder;
  char chosen[kPathFieldSize];
};

const std::vector<std::string> kSendCalls = {
    "delete-database game01.kif", "create-database game01.kif", "close-database",
    "open-database game01.kif 0x50", "delete-all-records", "write-record", "close-database"};

TEST_F(SendStep, CallsTheSyncManagerInOrderWithTheBlocksItExpects) {
  const std::string kif = ReadExample(MARBELO_SAMPLE_KIF);
  ASSERT_GT(kif.size(), 100u);
  EXPECT_EQ(0, Send("game01.kif", kif));

  const InMemoryHandheld& handheld = TheHandheld();
  EXPECT_EQ(kSendCalls, handheld.calls);
  EXPECT_TRUE(handheld.log.empty());
  EXPECT_EQ(0, handheld.openDatabases);

  ASSERT_EQ(1u, handheld.creates.size());
  std::string name(32, '\0');
  name.replace(0, 10, "game01.kif");
  const std::string expectedInfo = Bytes({0x51, 0x4D, 0x48, 0x5A, 8, 0, 0, 0, 0}) + name +
                                   Bytes({0x44, 0x45, 0x46, 0x4B, 1, 0, 0, 0, 0, 0});
  // Byte 0 is the handle that create-database hands back.
  EXPECT_EQ(expectedInfo, BlockBytes(&handheld.creates[0], sizeof(NewDatabaseInfo)).substr(1));

  ASSERT_EQ(1u, handheld.writes.size());
  const RecordTransfer& block = handheld.writes[0].block;
  const uint32_t size = static_cast<uint32_t>(kif.size());
  const std::string expectedHead = Bytes({0, 0, 0, 0, 0, 0, 0x40, 0, 0, 0xCC, 0xCC, 0xCC, 0xCC}) +
                                   BlockBytes(&size, 4) + BlockBytes(&size, 2);
  EXPECT_EQ(expectedHead, BlockBytes(&block, 20).substr(1));
  EXPECT_EQ(Bytes({0, 0, 0, 0}), BlockBytes(&block, 28).substr(24));
  EXPECT_NE(0u, block.buffer);

  const HandheldDatabase* database = Database("game01.kif");
  ASSERT_NE(nullptr, database);
  ASSERT_EQ(1u, database->records.size());
  EXPECT_EQ(kif, std::string(database->records[0].data.begin(), database->records[0].data.end()));
  EXPECT_FALSE(folder.Exists("csvselname.txt"));
}

struct ContentCase {
  const char* guards;
  std::string bytes;
};

TEST_F(SendStep, TheFileArrivesByteForByte) {
  const ContentCase cases[] = {
      {"a game record in Shift-JIS text", ReadExample(MARBELO_SAMPLE_KIF)},
      {"a binary file with every byte value, line ends and end-of-file marks", AllByteValues()},
      {"an empty file becomes one empty record", ""},
      {"the largest file the session lets through", std::string(61439, '\x5C')},
  };
  for (const ContentCase& c : cases) {
    SCOPED_TRACE(c.guards);
    ResetHandheld();
    EXPECT_EQ(0, Send("game01.kif", c.bytes));
    const HandheldDatabase* database = Database("game01.kif");
    ASSERT_NE(nullptr, database);
    ASSERT_EQ(1u, database->records.size());
    EXPECT_EQ(c.bytes, std::string(database->records[0].data.begin(), database->records[0].data.end()));
    EXPECT_EQ(c.bytes.size(), TheHandheld().writes.at(0).block.dataSize);
    EXPECT_EQ(static_cast<uint16_t>(c.bytes.size()), TheHandheld().writes.at(0).block.bufferSize);
    EXPECT_FALSE(folder.Exists("csvselname.txt"));
    EXPECT_TRUE(TheHandheld().log.empty());
  }
}

TEST_F(SendStep, AnOlderDatabaseOfTheNameIsReplaced) {
  HandheldDatabase& old = TheHandheld().databases["game01.kif"];
  old.info.creator = 0x41424344;
  old.info.type = 0x44415441;
  old.records = {HandheldRecord{{1, 2, 3}}, HandheldRecord{{4}}, HandheldRecord{{5, 6}}};

  EXPECT_EQ(0, Send("game01.kif", "new game"));
  const HandheldDatabase* database = Database("game01.kif");
  ASSERT_NE(nullptr, database);
  EXPECT_EQ(0x5A484D51u, database->info.creator);
  EXPECT_EQ(0x4B464544u, database->info.type);
  ASSERT_EQ(1u, database->records.size());
  EXPECT_EQ("new game", std::string(database->records[0].data.begin(), database->records[0].data.end()));
}

TEST_F(SendStep, TheDatabaseIsNamedFromTheChosenFileAndTheNameIsRewrittenInPlace) {
  struct NameCase {
    const char* guards;
    std::string pcName;
    std::string databaseName;
  };
  const NameCase cases[] = {
      {"a short name", "game01.kif", "game01.kif"},
      {"a 31-byte name", "abcdefghijklmnopqrstuvwxyz0.txt", "abcdefghijklmnopqrstuvwxyz0.txt"},
      {"a 40-byte name", "abcdefghijklmnopqrstuvwxyz0123456789.txt", "abcdefghijklmnopqrstuvwxyz0.kif"},
      {"a Japanese name cut before a double-byte character", "将棋将棋将棋将棋将棋将棋将棋将棋.kif",
       "将棋将棋将棋将棋将棋将棋将.kif"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.guards);
    ResetHandheld();
    EXPECT_EQ(0, Send(c.pcName, "x"));
    EXPECT_EQ(c.databaseName, chosen);
    EXPECT_NE(nullptr, Database(c.databaseName));
    EXPECT_EQ("open-database " + c.databaseName + " 0x50", TheHandheld().calls.at(3));
  }
}

constexpr long long kOwnSize = -1000000;  // the selection file states the file's own size

struct FailureCase {
  const char* guards;
  const char* operation;  // the Sync Manager operation to fail, or null
  int32_t code;
  long long selectionSize;  // the size the selection file states, or kOwnSize
  bool selectionRemoved;    // the selection file is gone before the write reads it again
  int32_t result;
  std::vector<std::string> log;
  bool databaseLeft;  // an empty database of the name is on the handheld
  bool selectionLeft;
};

TEST_F(SendStep, EachFailureIsLoggedAndLeavesWhatItShould) {
  const FailureCase cases[] = {
      {"the database cannot be opened", "open-database", kSmErrIo, kOwnSize, false, kSmErrIo,
       {"22 1 game01.kif : データベースのオープンに失敗しました。"}, true, true},
      {"its records cannot be deleted", "delete-all-records", kSmErrIo, kOwnSize, false, 1,
       {"22 1 全データ削除時にエラーが発生しました。"}, true, true},
      {"the record cannot be written", "write-record", kSmErrIo, kOwnSize, false, 1,
       {"22 1 Palmへの書き込みに失敗しました。"}, true, true},
      {"a failed create leaves nothing to close, and the open tells", "create-database", kSmErrIo, kOwnSize, false,
       kSmErrNotFound, {"22 1 game01.kif : データベースのオープンに失敗しました。"}, false, true},
      {"a failed delete of the old database does not stop the send", "delete-database", kSmErrIo, kOwnSize, false, 0,
       {}, true, false},
      {"the selection file cannot be read again", nullptr, 0, kOwnSize, true, 0, {}, true, false},
      {"a size that does not fit the buffer", nullptr, 0, 65535, false, 1, {}, true, true},
      {"a negative size", nullptr, 0, -5, false, 1, {}, true, true},
      {"a file shorter than the selection file says",  nullptr, 0, 200, false, 1,
       {"22 1 Marbelo － " + folder.PathOf("game01.kif") +
        " : ファイルの大きさが選択したときと違うため、転送できませんでした。"}, true, true},
      {"a file longer than the selection file says", nullptr, 0, 3, false, 1,
       {"22 1 Marbelo － " + folder.PathOf("game01.kif") +
        " : ファイルの大きさが選択したときと違うため、転送できませんでした。"}, true, true},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.guards);
    ResetHandheld();
    if (c.operation != nullptr) TheHandheld().Fail(c.operation, 0, c.code);
    const std::string bytes = "7 bytes";
    folder.Write("game01.kif", bytes);
    folder.WriteSelection(folder.PathOf("game01.kif"),
                          c.selectionSize == kOwnSize ? static_cast<long long>(bytes.size()) : c.selectionSize);
    if (c.selectionRemoved) DeleteFileA(folder.PathOf("csvselname.txt").c_str());
    EXPECT_EQ(c.result, SendChosen("game01.kif"));
    EXPECT_EQ(c.log, TheHandheld().log);
    EXPECT_EQ(0, TheHandheld().openDatabases);
    EXPECT_EQ(0, TheHandheld().strayCloses);
    const HandheldDatabase* database = Database("game01.kif");
    EXPECT_EQ(c.databaseLeft, database != nullptr);
    if (database != nullptr) {
      EXPECT_TRUE(database->records.empty() || c.result == 0);
    }
    EXPECT_EQ(c.selectionLeft, folder.Exists("csvselname.txt"));
  }
}

TEST_F(SendStep, AnUnreadableChosenFileSendsNothingAndSaysSo) {
  folder.WriteSelection(folder.PathOf("gone.kif"), 10);
  EXPECT_EQ(1, SendChosen("gone.kif"));
  const std::vector<std::string> log = {"22 1 Marbelo － " + folder.PathOf("gone.kif") +
                                        " : パソコン側のファイルを開けなかったため、転送できませんでした。"};
  EXPECT_EQ(log, TheHandheld().log);
  EXPECT_TRUE(TheHandheld().writes.empty());
  ASSERT_NE(nullptr, Database("gone.kif"));
  EXPECT_TRUE(Database("gone.kif")->records.empty());
  EXPECT_TRUE(folder.Exists("csvselname.txt"));
}

TEST_F(SendStep, AFailedAllocationIsLoggedAndTheDatabaseClosed) {
  FailTransferBufferAllocation(true);
  EXPECT_EQ(1, Send("game01.kif", "abc"));
  const std::vector<std::string> log = {"22 1 Marbelo － メモリが不足しているため、転送できませんでした。"};
  EXPECT_EQ(log, TheHandheld().log);
  EXPECT_TRUE(TheHandheld().writes.empty());
  EXPECT_EQ(0, TheHandheld().openDatabases);
}

TEST_F(SendStep, ASelectionFileThatCannotBeDeletedDoesNotHoldTheStepForever) {
  folder.Write("game01.kif", "abc");
  folder.WriteSelection(folder.PathOf("game01.kif"), 3);
  // Another process keeps the file open without letting it be deleted.
  HANDLE holder = CreateFileA(folder.PathOf("csvselname.txt").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  EXPECT_EQ(0, SendChosen("game01.kif"));
  CloseHandle(holder);
  EXPECT_EQ(1u, Database("game01.kif")->records.size());
  EXPECT_TRUE(folder.Exists("csvselname.txt"));
}

}  // namespace
