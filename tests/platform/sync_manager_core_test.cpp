// The Sync Manager stand-in's operations on a real temporary handheld folder: the conduit's
// send and retrieval, open modes, refused arguments, bad files, injected faults and the trace.
#include <gtest/gtest.h>

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "database_file_name.h"
#include "palm_database.h"
#include "stand_in_faults.h"
#include "sync_manager_core.h"

namespace {

constexpr uint32_t kZhmq = 0x5A484D51;
constexpr uint32_t kKfed = 0x4B464544;

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::set<std::string> FolderFiles(const std::string& folder) {
  std::set<std::string> names;
  DIR* dir = opendir(folder.c_str());
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] != '.' || std::strlen(entry->d_name) > 2) names.insert(entry->d_name);
  }
  closedir(dir);
  names.erase(".");
  names.erase("..");
  return names;
}

class SyncManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/handheld-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    m_folder = folder;
    m_trace = m_folder + ".trace";
    setenv("MARBELO_HANDHELD", m_folder.c_str(), 1);
    setenv("MARBELO_TRACE", m_trace.c_str(), 1);
    unsetenv("MARBELO_FAULTS");
    ASSERT_EQ(m_core.RegisterConduit(&m_conduit), kSmOk);
  }
  void TearDown() override {
    unsetenv("MARBELO_FAULTS");
    unsetenv("MARBELO_TRACE");
    InjectedFault("reset-between-tests");
    std::string command = "rm -rf '" + m_folder + "' '" + m_trace + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }

  std::string PathOf(const std::string& name) const { return m_folder + "/" + DatabaseFileName(name); }

  NewDatabaseInfo Info(const char* name) const {
    NewDatabaseInfo info = {};
    info.creator = kZhmq;
    info.flags = kPalmDbBackup;
    std::strncpy(info.name, name, sizeof info.name);
    info.type = kKfed;
    info.version = 1;
    return info;
  }

  RecordTransfer Block(uint8_t handle, std::vector<uint8_t>* data, uint8_t attributes = kPalmRecordDirty) const {
    RecordTransfer block = {};
    block.dbHandle = handle;
    block.attributes = attributes;
    block.reserved10 = 0xCCCCCCCC;
    block.dataSize = static_cast<uint32_t>(data->size());
    block.bufferSize = static_cast<uint16_t>(data->size());
    return block;
  }

  // The conduit's send: the database replaced by a fresh one holding data as one record.
  int32_t Send(const char* name, std::vector<uint8_t> data) {
    m_core.DeleteDatabase(name, 0);
    NewDatabaseInfo info = Info(name);
    if (m_core.CreateDatabase(&info) == kSmOk) m_core.CloseDatabase(info.dbHandle);
    uint8_t handle = 0;
    int32_t result = m_core.OpenDatabase(name, 0, &handle, 0x50);
    if (result != kSmOk) return result;
    result = m_core.DeleteAllRecords(handle);
    if (result == kSmOk) {
      RecordTransfer block = Block(handle, &data);
      result = m_core.WriteRecord(&block, data.data());
    }
    m_core.CloseDatabase(handle);
    return result;
  }

  PalmDatabase OnDisk(const std::string& name) const {
    std::vector<uint8_t> bytes = FileBytes(PathOf(name));
    PalmDatabase db;
    EXPECT_EQ(ParsePalmDatabase(bytes.data(), bytes.size(), &db), PalmDbError::kOk) << name;
    return db;
  }

  std::string Trace() const {
    std::ifstream in(m_trace, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  SyncManagerCore m_core;
  uint32_t m_conduit = 0;
  std::string m_folder;
  std::string m_trace;
};

TEST_F(SyncManagerTest, TheSendLeavesAOneRecordDatabaseFromTheBlocks) {
  ASSERT_EQ(Send("Kifu 1.kif", {'K', 'I', 'F', 0x8D, 0x5C}), kSmOk);
  PalmDatabase db = OnDisk("Kifu 1.kif");
  EXPECT_EQ(db.name, "Kifu 1.kif");
  EXPECT_EQ(db.creator, kZhmq);
  EXPECT_EQ(db.type, kKfed);
  EXPECT_EQ(db.attributes, kPalmDbBackup);
  EXPECT_EQ(db.version, 1);
  ASSERT_EQ(db.records.size(), 1u);
  EXPECT_EQ(db.records[0].attributes, kPalmRecordDirty);
  EXPECT_EQ(db.records[0].data, (std::vector<uint8_t>{'K', 'I', 'F', 0x8D, 0x5C}));
  EXPECT_NE(db.records[0].uniqueId, 0u);

  ASSERT_EQ(Send("Kifu 1.kif", {1, 2}), kSmOk);
  db = OnDisk("Kifu 1.kif");
  ASSERT_EQ(db.records.size(), 1u);
  EXPECT_EQ(db.records[0].data, (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(FolderFiles(m_folder), std::set<std::string>{"Kifu 1%2Ekif.pdb"});
}

TEST_F(SyncManagerTest, TheRetrievalReadsEveryRecordWithItsIdAttributesAndCategory) {
  NewDatabaseInfo info = Info("Data");
  ASSERT_EQ(m_core.CreateDatabase(&info), kSmOk);
  const std::vector<std::vector<uint8_t>> records = {std::vector<uint8_t>(10, 0xA1), {}, std::vector<uint8_t>(7, 0x07)};
  std::vector<uint32_t> ids;
  for (size_t i = 0; i < records.size(); ++i) {
    std::vector<uint8_t> data = records[i];
    RecordTransfer block = Block(info.dbHandle, &data, i == 2 ? kPalmRecordSecret : kPalmRecordDirty);
    block.category = static_cast<uint16_t>(i + 1);
    ASSERT_EQ(m_core.WriteRecord(&block, data.data()), kSmOk);
    ids.push_back(+block.recordId);
  }
  EXPECT_EQ(std::set<uint32_t>(ids.begin(), ids.end()).size(), 3u) << "every record gets its own ID";
  ASSERT_EQ(m_core.CloseDatabase(info.dbHandle), kSmOk);

  uint8_t handle = 0;
  ASSERT_EQ(m_core.OpenDatabase("Data", 0, &handle, 0xD0), kSmOk);
  uint16_t count = 0;
  ASSERT_EQ(m_core.GetRecordCount(handle, &count), kSmOk);
  ASSERT_EQ(count, 3);
  std::vector<uint8_t> buffer(65535);
  RecordTransfer block = {};
  block.dbHandle = handle;
  block.bufferSize = 65535;
  for (uint16_t i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    block.index = i;
    ASSERT_EQ(m_core.ReadRecordByIndex(&block, buffer.data()), kSmOk);
    EXPECT_EQ(+block.dataSize, records[i].size());
    EXPECT_TRUE(std::equal(records[i].begin(), records[i].end(), buffer.begin()));
    EXPECT_EQ(+block.recordId, ids[i]);
    EXPECT_EQ(+block.attributes, i == 2 ? kPalmRecordSecret : kPalmRecordDirty);
    EXPECT_EQ(+block.category, i + 1);
    EXPECT_EQ(+block.index, i);
  }
  block.index = 3;
  EXPECT_EQ(m_core.ReadRecordByIndex(&block, buffer.data()), kSmErrNotFound);
}

TEST_F(SyncManagerTest, AReadCopiesNoMoreThanTheBufferHolds) {
  ASSERT_EQ(Send("Big", std::vector<uint8_t>(100, 0x55)), kSmOk);
  uint8_t handle = 0;
  ASSERT_EQ(m_core.OpenDatabase("Big", 0, &handle, 0x80), kSmOk);
  std::vector<uint8_t> buffer(16, 0xEE);
  RecordTransfer block = {};
  block.dbHandle = handle;
  block.bufferSize = 10;
  ASSERT_EQ(m_core.ReadRecordByIndex(&block, buffer.data()), kSmOk);
  EXPECT_EQ(+block.dataSize, 100u) << "dataSize tells the record's whole size";
  EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 10), std::vector<uint8_t>(10, 0x55));
  EXPECT_EQ(std::vector<uint8_t>(buffer.begin() + 10, buffer.end()), std::vector<uint8_t>(6, 0xEE));
}

TEST_F(SyncManagerTest, OpenModesDecideWhatMayBeDone) {
  ASSERT_EQ(Send("Game", {1}), kSmOk);
  struct Case {
    int32_t mode;
    int32_t open, read, write, clear;
  } cases[] = {
      {0x80, kSmOk, kSmOk, kSmErrReadOnly, kSmErrReadOnly},
      {0x40, kSmOk, kSmErrWriteOnly, kSmOk, kSmOk},
      {0x50, kSmOk, kSmErrWriteOnly, kSmOk, kSmOk},
      {0xD0, kSmOk, kSmOk, kSmOk, kSmOk},
      {0x10, kSmErrBadArgument, 0, 0, 0},
      {0, kSmErrBadArgument, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    ASSERT_EQ(Send("Game", {1}), kSmOk);
    uint8_t handle = 0;
    ASSERT_EQ(m_core.OpenDatabase("Game", 0, &handle, c.mode), c.open);
    if (c.open != kSmOk) continue;
    uint8_t buffer[4];
    RecordTransfer read = {};
    read.dbHandle = handle;
    read.bufferSize = sizeof buffer;
    EXPECT_EQ(m_core.ReadRecordByIndex(&read, buffer), c.read);
    std::vector<uint8_t> data = {2};
    RecordTransfer write = Block(handle, &data);
    EXPECT_EQ(m_core.WriteRecord(&write, data.data()), c.write);
    EXPECT_EQ(m_core.DeleteAllRecords(handle), c.clear);
    EXPECT_EQ(m_core.CloseDatabase(handle), kSmOk);
    EXPECT_EQ(OnDisk("Game").records.size(), c.clear == kSmOk ? 0u : 1u);
  }
}

TEST_F(SyncManagerTest, RefusesWhatItCannotDoAndChangesNothing) {
  ASSERT_EQ(Send("Game", {1, 2, 3}), kSmOk);
  const std::vector<uint8_t> before = FileBytes(PathOf("Game"));
  uint8_t open = 0;
  ASSERT_EQ(m_core.OpenDatabase("Game", 0, &open, 0xD0), kSmOk);
  const std::string longName(32, 'n');
  std::vector<uint8_t> data = {9};
  uint8_t handle = 0;
  uint16_t count = 0;
  struct Case {
    const char* guards;
    std::function<int32_t()> call;
    int32_t expected;
  } cases[] = {
      {"open without a name", [&] { return m_core.OpenDatabase(nullptr, 0, &handle, 0x80); }, kSmErrBadArgument},
      {"open with an empty name", [&] { return m_core.OpenDatabase("", 0, &handle, 0x80); }, kSmErrBadArgument},
      {"open with a 32-byte name", [&] { return m_core.OpenDatabase(longName.c_str(), 0, &handle, 0x80); }, kSmErrBadArgument},
      {"open without a handle", [&] { return m_core.OpenDatabase("Game", 0, nullptr, 0x80); }, kSmErrBadArgument},
      {"open on another card", [&] { return m_core.OpenDatabase("Game", 1, &handle, 0x80); }, kSmErrNotFound},
      {"open of a missing database", [&] { return m_core.OpenDatabase("Gone", 0, &handle, 0x80); }, kSmErrNotFound},
      {"open of an open database", [&] { return m_core.OpenDatabase("Game", 0, &handle, 0x80); }, kSmErrBusy},
      {"delete of an open database", [&] { return m_core.DeleteDatabase("Game", 0); }, kSmErrBusy},
      {"delete of a missing database", [&] { return m_core.DeleteDatabase("Gone", 0); }, kSmErrNotFound},
      {"create over an existing database", [&] { NewDatabaseInfo i = Info("Game"); return m_core.CreateDatabase(&i); }, kSmErrExists},
      {"create without a block", [&] { return m_core.CreateDatabase(nullptr); }, kSmErrBadArgument},
      {"create with an unterminated name", [&] { NewDatabaseInfo i = Info("x"); std::memset(i.name, 'x', 32); return m_core.CreateDatabase(&i); }, kSmErrBadArgument},
      {"create of a resource database", [&] { NewDatabaseInfo i = Info("R"); i.flags = 1; return m_core.CreateDatabase(&i); }, kSmErrBadArgument},
      {"create with attribute bits beyond 16", [&] { NewDatabaseInfo i = Info("R"); i.flags = 0x10008; return m_core.CreateDatabase(&i); }, kSmErrBadArgument},
      {"close of a handle never given", [&] { return m_core.CloseDatabase(9); }, kSmErrBadHandle},
      {"close of handle 0", [&] { return m_core.CloseDatabase(0); }, kSmErrBadHandle},
      {"close of handle 255", [&] { return m_core.CloseDatabase(255); }, kSmErrBadHandle},
      {"write without a block", [&] { return m_core.WriteRecord(nullptr, data.data()); }, kSmErrBadArgument},
      {"write more than the buffer holds", [&] { RecordTransfer b = Block(open, &data); b.dataSize = 2; return m_core.WriteRecord(&b, data.data()); }, kSmErrBadArgument},
      {"write without a buffer", [&] { RecordTransfer b = Block(open, &data); return m_core.WriteRecord(&b, nullptr); }, kSmErrBadArgument},
      {"write of category 16", [&] { RecordTransfer b = Block(open, &data); b.category = 16; return m_core.WriteRecord(&b, data.data()); }, kSmErrBadArgument},
      {"write to a bad handle", [&] { RecordTransfer b = Block(7, &data); return m_core.WriteRecord(&b, data.data()); }, kSmErrBadHandle},
      {"read without a buffer", [&] { RecordTransfer b = Block(open, &data); return m_core.ReadRecordByIndex(&b, nullptr); }, kSmErrBadArgument},
      {"count without a count", [&] { return m_core.GetRecordCount(open, nullptr); }, kSmErrBadArgument},
      {"count of a bad handle", [&] { return m_core.GetRecordCount(8, &count); }, kSmErrBadHandle},
      {"a second registration", [&] { uint32_t h; return m_core.RegisterConduit(&h); }, kSmErrBusy},
      {"unregister of another handle", [&] { return m_core.UnregisterConduit(m_conduit + 1); }, kSmErrBadHandle},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.guards);
    EXPECT_EQ(c.call(), c.expected);
    EXPECT_EQ(FileBytes(PathOf("Game")), before);
  }
  EXPECT_EQ(FolderFiles(m_folder), std::set<std::string>{"Game.pdb"});
}

TEST_F(SyncManagerTest, WithoutARegisteredConduitNothingRuns) {
  ASSERT_EQ(Send("Game", {1}), kSmOk);
  ASSERT_EQ(m_core.UnregisterConduit(m_conduit), kSmOk);
  uint8_t handle = 0;
  uint16_t count = 0;
  NewDatabaseInfo info = Info("New");
  RecordTransfer block = {};
  EXPECT_EQ(m_core.OpenDatabase("Game", 0, &handle, 0x80), kSmErrNotRegistered);
  EXPECT_EQ(m_core.CreateDatabase(&info), kSmErrNotRegistered);
  EXPECT_EQ(m_core.DeleteDatabase("Game", 0), kSmErrNotRegistered);
  EXPECT_EQ(m_core.CloseDatabase(1), kSmErrNotRegistered);
  EXPECT_EQ(m_core.WriteRecord(&block, nullptr), kSmErrNotRegistered);
  EXPECT_EQ(m_core.ReadRecordByIndex(&block, nullptr), kSmErrNotRegistered);
  EXPECT_EQ(m_core.DeleteAllRecords(1), kSmErrNotRegistered);
  EXPECT_EQ(m_core.GetRecordCount(1, &count), kSmErrNotRegistered);
  EXPECT_EQ(m_core.UnregisterConduit(m_conduit), kSmErrNotRegistered);
  EXPECT_EQ(FolderFiles(m_folder), std::set<std::string>{"Game.pdb"});
  ASSERT_EQ(m_core.RegisterConduit(&m_conduit), kSmOk);
}

TEST_F(SyncManagerTest, UnregisteringLetsGoOfWhatTheConduitLeftOpen) {
  NewDatabaseInfo info = Info("Left");
  ASSERT_EQ(m_core.CreateDatabase(&info), kSmOk);
  ASSERT_EQ(m_core.UnregisterConduit(m_conduit), kSmOk);
  ASSERT_EQ(m_core.RegisterConduit(&m_conduit), kSmOk);
  uint8_t handle = 0;
  EXPECT_EQ(m_core.OpenDatabase("Left", 0, &handle, 0x80), kSmOk);
}

TEST_F(SyncManagerTest, NoHandheldFolderNoRegistration) {
  ASSERT_EQ(m_core.UnregisterConduit(m_conduit), kSmOk);
  uint32_t handle = 0;
  for (const char* folder : {"", "/nonexistent-handheld"}) {
    SCOPED_TRACE(folder);
    setenv("MARBELO_HANDHELD", folder, 1);
    EXPECT_EQ(m_core.RegisterConduit(&handle), kSmErrNoHandheld);
  }
  unsetenv("MARBELO_HANDHELD");
  EXPECT_EQ(m_core.RegisterConduit(&handle), kSmErrNoHandheld);
  setenv("MARBELO_HANDHELD", m_folder.c_str(), 1);
  ASSERT_EQ(m_core.RegisterConduit(&m_conduit), kSmOk);
}

TEST_F(SyncManagerTest, AllHandlesTakenRefusesOneMore) {
  std::vector<uint8_t> handles;
  for (size_t i = 0; i < SyncManagerCore::kMaxOpenDatabases; ++i) {
    NewDatabaseInfo info = Info(("db" + std::to_string(i)).c_str());
    ASSERT_EQ(m_core.CreateDatabase(&info), kSmOk);
    handles.push_back(info.dbHandle);
  }
  EXPECT_EQ(std::set<uint8_t>(handles.begin(), handles.end()).size(), handles.size());
  NewDatabaseInfo info = Info("one more");
  EXPECT_EQ(m_core.CreateDatabase(&info), kSmErrTooManyOpen);
  EXPECT_FALSE(FolderFiles(m_folder).count("one more.pdb"));
  ASSERT_EQ(m_core.CloseDatabase(handles[3]), kSmOk);
  EXPECT_EQ(m_core.CreateDatabase(&info), kSmOk);
  EXPECT_EQ(+info.dbHandle, handles[3]);
}

TEST_F(SyncManagerTest, NamesThatLookLikePathsStayInTheFolderUnderTheirTrueName) {
  for (const char* name : {"..\\..\\evil", "../../etc/x", "C:\\x", "a\x01\x1F", "CON", "\x8D\x5C\x93\xE0"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(Send(name, {7}), kSmOk);
    EXPECT_EQ(OnDisk(name).name, name);
    uint8_t handle = 0;
    ASSERT_EQ(m_core.OpenDatabase(name, 0, &handle, 0x80), kSmOk);
    ASSERT_EQ(m_core.CloseDatabase(handle), kSmOk);
  }
  EXPECT_EQ(FolderFiles(m_folder).size(), 6u);
  ASSERT_EQ(m_core.DeleteDatabase("..\\..\\evil", 0), kSmOk);
  EXPECT_EQ(FolderFiles(m_folder).size(), 5u);
}

TEST_F(SyncManagerTest, FindsADatabaseThatAnotherToolPutThereUnderAnyFileName) {
  PalmDatabase db;
  db.name = "Memo DB";
  db.creator = 0x6D656D6F;
  db.type = 0x44415441;
  db.records.push_back({0, 5, {'h', 'i'}});
  std::vector<uint8_t> bytes;
  ASSERT_EQ(SerializePalmDatabase(db, &bytes), PalmDbError::kOk);
  WriteFileBytes(m_folder + "/MemoDB.PDB", bytes);
  uint8_t handle = 0;
  ASSERT_EQ(m_core.OpenDatabase("Memo DB", 0, &handle, 0xC0), kSmOk);
  std::vector<uint8_t> data = {'!'};
  RecordTransfer block = Block(handle, &data);
  ASSERT_EQ(m_core.WriteRecord(&block, data.data()), kSmOk);
  EXPECT_GT(+block.recordId, 5u);
  ASSERT_EQ(m_core.CloseDatabase(handle), kSmOk);
  std::vector<uint8_t> after = FileBytes(m_folder + "/MemoDB.PDB");
  ASSERT_EQ(ParsePalmDatabase(after.data(), after.size(), &db), PalmDbError::kOk);
  EXPECT_EQ(db.records.size(), 2u);
}

TEST_F(SyncManagerTest, ABadFileGivesItsErrorAndStaysAsItWas) {
  std::vector<uint8_t> good;
  PalmDatabase db;
  db.name = "Bad";
  db.records.push_back({0, 1, {1, 2, 3}});
  ASSERT_EQ(SerializePalmDatabase(db, &good), PalmDbError::kOk);
  std::vector<uint8_t> garbled = good;
  garbled[81] = 0xFF;  // first record's offset far past the end
  std::vector<uint8_t> resource = good;
  resource[33] = 0x01;
  const struct {
    const char* guards;
    std::vector<uint8_t> bytes;
    int32_t expected;
  } cases[] = {
      {"cut inside the header", std::vector<uint8_t>(good.begin(), good.begin() + 50), kSmErrCorrupt},
      {"an offset past the end", garbled, kSmErrCorrupt},
      {"a resource database", resource, kSmErrCorrupt},
      {"beyond the size limit", [&] { auto b = good; b.resize(kPalmMaxFileSize + 1); return b; }(), kSmErrTooLarge},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.guards);
    WriteFileBytes(PathOf("Bad"), c.bytes);
    uint8_t handle = 0;
    EXPECT_EQ(m_core.OpenDatabase("Bad", 0, &handle, 0xC0), c.expected);
    EXPECT_EQ(FileBytes(PathOf("Bad")), c.bytes);
  }
}

TEST_F(SyncManagerTest, AFailedSaveKeepsTheFileAndTheOpenDatabaseAsTheyWere) {
  ASSERT_EQ(Send("Game", {1, 2}), kSmOk);
  const std::vector<uint8_t> before = FileBytes(PathOf("Game"));
  uint8_t handle = 0;
  ASSERT_EQ(m_core.OpenDatabase("Game", 0, &handle, 0xD0), kSmOk);
  // A folder where the new file would go makes the save fail.
  ASSERT_EQ(mkdir((PathOf("Game") + ".new").c_str(), 0755), 0);
  std::vector<uint8_t> data = {3};
  RecordTransfer block = Block(handle, &data);
  EXPECT_EQ(m_core.WriteRecord(&block, data.data()), kSmErrIo);
  EXPECT_EQ(m_core.DeleteAllRecords(handle), kSmErrIo);
  uint16_t count = 0;
  ASSERT_EQ(m_core.GetRecordCount(handle, &count), kSmOk);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(FileBytes(PathOf("Game")), before);
}

TEST_F(SyncManagerTest, AnInjectedFaultAtAnyStepOfTheSendLeavesOnlyWholeDatabases) {
  const char* const operations[] = {"delete-database", "create-database", "close-database",
                                    "open-database",   "delete-all-records", "write-record"};
  for (const char* operation : operations) {
    for (const char* when : {"1", "1+", "2"}) {
      std::string plan = std::string(operation) + ":" + when + ":0x7777";
      SCOPED_TRACE(plan);
      ASSERT_EQ(Send("Game", {1, 2, 3}), kSmOk);
      setenv("MARBELO_FAULTS", plan.c_str(), 1);
      int32_t result = Send("Game", {4, 5});
      unsetenv("MARBELO_FAULTS");
      EXPECT_TRUE(result == kSmOk || result == 0x7777 || result == kSmErrNotFound || result == kSmErrExists ||
                  result == kSmErrBusy) << result;
      for (const std::string& file : FolderFiles(m_folder)) {
        std::vector<uint8_t> bytes = FileBytes(m_folder + "/" + file);
        PalmDatabase db;
        EXPECT_EQ(ParsePalmDatabase(bytes.data(), bytes.size(), &db), PalmDbError::kOk) << file;
      }
      EXPECT_LE(FolderFiles(m_folder).size(), 1u);
      for (uint8_t handle = 1; handle <= SyncManagerCore::kMaxOpenDatabases; ++handle) m_core.CloseDatabase(handle);
    }
  }
}

TEST_F(SyncManagerTest, AnInjectedFaultIsReturnedAndTraced) {
  std::remove(m_trace.c_str());
  setenv("MARBELO_FAULTS", "open-database:2:0x3006,get-record-count:1+:-1", 1);
  ASSERT_EQ(Send("Kifu", {1}), kSmOk);
  uint8_t handle = 0;
  EXPECT_EQ(m_core.OpenDatabase("Kifu", 0, &handle, 0xD0), kSmErrIo);
  EXPECT_EQ(m_core.OpenDatabase("Kifu", 0, &handle, 0xD0), kSmOk);
  uint16_t count = 99;
  EXPECT_EQ(m_core.GetRecordCount(handle, &count), -1);
  EXPECT_EQ(count, 99);
  m_core.CloseDatabase(handle);
  std::string trace = Trace();
  const char* const expected[] = {
      "delete-database name=\"Kifu\" card=0 -> 0x3001\n",
      "create-database name=\"Kifu\" creator=ZHMQ type=KFED flags=0x8 version=1 -> 0 handle=1\n",
      "close-database handle=1 -> 0\n",
      "open-database name=\"Kifu\" card=0 mode=0x50 -> 0 handle=1\n",
      "delete-all-records handle=1 -> 0\n",
      "write-record handle=1 attributes=0x40 category=0 size=1 -> 0 id=0x1\n",
      "close-database handle=1 -> 0\n",
      "open-database name=\"Kifu\" card=0 mode=0xD0 -> 0x3006\n",
      "open-database name=\"Kifu\" card=0 mode=0xD0 -> 0 handle=1\n",
      "get-record-count handle=1 -> 0xFFFFFFFF\n",
      "close-database handle=1 -> 0\n",
  };
  std::string all;
  for (const char* line : expected) all += line;
  EXPECT_EQ(trace, all);
}

}  // namespace
