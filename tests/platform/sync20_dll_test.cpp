// SYNC20.dll and HSLOG20.dll as a conduit meets them: imported by ordinal, driven through
// the environment the host sets, on a real temporary handheld folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hotsync_log.h"
#include "palm_database.h"
#include "sync_manager.h"

namespace {

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> FolderFiles(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

uint32_t Address(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

class Sync20Dll : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_root = std::string(temp) + "sync20-test-" + std::to_string(GetCurrentProcessId()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    m_folder = m_root + "\\handheld";
    ASSERT_TRUE(CreateDirectoryA(m_root.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr));
    m_trace = m_root + "\\trace.txt";
    m_log = m_root + "\\log.txt";
    SetEnvironmentVariableA("MARBELO_HANDHELD", m_folder.c_str());
    SetEnvironmentVariableA("MARBELO_TRACE", m_trace.c_str());
    SetEnvironmentVariableA("MARBELO_LOG", m_log.c_str());
    SetEnvironmentVariableA("MARBELO_FAULTS", nullptr);
    ASSERT_EQ(SmRegisterConduit(&m_conduit), kSmOk);
  }
  void TearDown() override {
    SmUnregisterConduit(m_conduit);
    SetEnvironmentVariableA("MARBELO_FAULTS", nullptr);
    for (const char* variable : {"MARBELO_HANDHELD", "MARBELO_TRACE", "MARBELO_LOG"}) SetEnvironmentVariableA(variable, nullptr);
    for (const std::string& name : FolderFiles(m_folder)) DeleteFileA((m_folder + "\\" + name).c_str());
    RemoveDirectoryA(m_folder.c_str());
    for (const std::string& name : FolderFiles(m_root)) DeleteFileA((m_root + "\\" + name).c_str());
    RemoveDirectoryA(m_root.c_str());
  }

  // The conduit's send, as it calls the Sync Manager.
  int32_t Send(const char* name, const std::string& data) {
    SmDeleteDatabase(name, 0);
    NewDatabaseInfo info = {};
    info.creator = 0x5A484D51;
    info.flags = 8;
    std::strcpy(info.name, name);
    info.type = 0x4B464544;
    info.version = 1;
    if (SmCreateDatabase(&info) == kSmOk) SmCloseDatabase(info.dbHandle);
    uint8_t handle = 0;
    int32_t result = SmOpenDatabase(name, 0, &handle, 0x50);
    if (result != kSmOk) return result;
    result = SmDeleteAllRecords(handle);
    if (result == kSmOk) {
      std::vector<char> buffer(65535);
      std::memcpy(buffer.data(), data.data(), data.size());
      RecordTransfer record = {};
      record.dbHandle = handle;
      record.attributes = 0x40;
      record.reserved10 = 0xCCCCCCCC;
      record.dataSize = static_cast<uint32_t>(data.size());
      record.bufferSize = static_cast<uint16_t>(data.size());
      record.buffer = Address(buffer.data());
      result = SmWriteRecord(&record);
    }
    SmCloseDatabase(handle);
    return result;
  }

  PalmDatabase OnDisk(const std::string& file) const {
    std::string bytes = FileText(m_folder + "\\" + file);
    PalmDatabase db;
    EXPECT_EQ(ParsePalmDatabase(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &db), PalmDbError::kOk);
    return db;
  }

  uint32_t m_conduit = 0;
  std::string m_root, m_folder, m_trace, m_log;
};

TEST(Sync20Exports, OperationsByOrdinalOnlyAndTheRecordCountByName) {
  HMODULE sync = GetModuleHandleA("SYNC20.dll");
  ASSERT_NE(sync, nullptr);
  for (int ordinal : {22, 23, 26, 27, 28, 29, 32, 36, 41}) {
    SCOPED_TRACE(ordinal);
    EXPECT_NE(GetProcAddress(sync, MAKEINTRESOURCEA(ordinal)), nullptr);
  }
  for (const char* name : {"SmRegisterConduit", "SmOpenDatabase", "SmWriteRecord", "SmReadRecordByIndex"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(GetProcAddress(sync, name), nullptr);
  }
  EXPECT_NE(GetProcAddress(sync, "SyncGetDBRecordCount"), nullptr);
  HMODULE log = GetModuleHandleA("HSLOG20.dll");
  ASSERT_NE(log, nullptr);
  EXPECT_NE(GetProcAddress(log, MAKEINTRESOURCEA(52)), nullptr);
  EXPECT_EQ(GetProcAddress(log, "LogAddEntry"), nullptr);
}

TEST_F(Sync20Dll, SendThenRetrieveThroughTheConduitsBlocks) {
  ASSERT_EQ(Send("Kifu 1.kif", "first"), kSmOk);
  ASSERT_EQ(Send("Kifu 1.kif", std::string("\x8D\x5C\x93\xE0\0end", 8)), kSmOk);
  EXPECT_EQ(FolderFiles(m_folder), std::vector<std::string>{"Kifu 1%2Ekif.pdb"}) << "replaced in place, nothing left over";
  PalmDatabase db = OnDisk("Kifu 1%2Ekif.pdb");
  EXPECT_EQ(db.name, "Kifu 1.kif");
  ASSERT_EQ(db.records.size(), 1u);

  uint8_t handle = 0;
  ASSERT_EQ(SmOpenDatabase("Kifu 1.kif", 0, &handle, 0xD0), kSmOk);
  uint16_t count = 0;
  ASSERT_EQ(SyncGetDBRecordCount(handle, &count), kSmOk);
  ASSERT_EQ(count, 1);
  std::vector<uint8_t> buffer(65535, 0xEE);
  RecordTransfer record = {};
  record.dbHandle = handle;
  record.bufferSize = 65535;
  record.buffer = Address(buffer.data());
  ASSERT_EQ(SmReadRecordByIndex(&record), kSmOk);
  EXPECT_EQ(+record.dataSize, 8u);
  EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 8), std::string("\x8D\x5C\x93\xE0\0end", 8));
  EXPECT_EQ(buffer[8], 0xEE);
  EXPECT_EQ(+record.recordId, db.records[0].uniqueId);
  EXPECT_EQ(+record.attributes, 0x40);
  record.index = 1;
  EXPECT_EQ(SmReadRecordByIndex(&record), kSmErrNotFound);
  EXPECT_EQ(SmCloseDatabase(handle), kSmOk);
}

TEST_F(Sync20Dll, AWindowsPathInANameStaysInsideTheFolder) {
  ASSERT_EQ(Send("..\\..\\evil.kif", "x"), kSmOk);
  ASSERT_EQ(Send("C:\\evil", "y"), kSmOk);
  EXPECT_EQ(FolderFiles(m_folder).size(), 2u);
  std::vector<std::string> beside = FolderFiles(m_root);
  std::sort(beside.begin(), beside.end());
  EXPECT_EQ(beside, (std::vector<std::string>{"handheld", "trace.txt"})) << "nothing beside the handheld folder";
  EXPECT_EQ(OnDisk("%2E%2E%5C%2E%2E%5Cevil%2Ekif.pdb").name, "..\\..\\evil.kif");
}

TEST_F(Sync20Dll, TheFaultPlanAndTraceComeFromTheEnvironment) {
  ASSERT_EQ(Send("Game", "old"), kSmOk);
  const std::string before = FileText(m_folder + "\\Game.pdb");
  DeleteFileA(m_trace.c_str());
  SetEnvironmentVariableA("MARBELO_FAULTS", "write-record:1:0x3006,open-database:2+:0x3001");
  EXPECT_EQ(Send("Game", "new"), 0x3006);
  EXPECT_EQ(Send("Game", "new"), kSmErrNotFound);
  SetEnvironmentVariableA("MARBELO_FAULTS", nullptr);
  PalmDatabase db = OnDisk("Game.pdb");
  EXPECT_TRUE(db.records.empty()) << "the send's own delete-all ran before the failed write";
  std::string trace = FileText(m_trace);
  EXPECT_NE(trace.find("write-record handle=1 attributes=0x40 category=0 size=3 -> 0x3006\n"), std::string::npos) << trace;
  EXPECT_NE(trace.find("open-database name=\"Game\" card=0 mode=0x50 -> 0x3001\n"), std::string::npos) << trace;
  EXPECT_NE(before, FileText(m_folder + "\\Game.pdb"));
}

TEST_F(Sync20Dll, TheLogKeepsTheShiftJisBytesOfEachEntry) {
  EXPECT_EQ(LogAddEntry("構内: データベースのオープンに失敗しました。", 22, 1), 0);
  EXPECT_EQ(LogAddEntry("second\r\nline", 22, 1), 0);
  std::string log = FileText(m_log);
  std::string first = log.substr(0, log.find("\r\n"));
  ASSERT_GE(first.size(), 20u);
  EXPECT_EQ(first[4], '-');
  EXPECT_EQ(first[13], ':');
  EXPECT_EQ(first.substr(20), "構内: データベースのオープンに失敗しました。");
  EXPECT_EQ(first.substr(20, 4), "\x8D\x5C\x93\xE0");
  EXPECT_EQ(log.substr(log.size() - 14), "second  line\r\n");
  SetEnvironmentVariableA("MARBELO_LOG", nullptr);
  EXPECT_EQ(LogAddEntry("lost", 22, 1), 0x3102);
  EXPECT_EQ(LogAddEntry(nullptr, 22, 1), 0x3101);
  EXPECT_NE(FileText(m_trace).find("add-log-entry text=\"lost\" kind=22 flags=1 -> 0x3102\n"), std::string::npos);
}

}  // namespace
