// The real Dalvex.dll, copied into a fresh exchange folder per case beside a scripted
// companion program, runs whole sessions against a recording Sync Manager and HotSync log.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "conduit_action.h"
#include "hotsync_records.h"
#include "session_messages.h"
#include "exchange_checks_win.h"

namespace {

using OpenConduitFunction = int32_t (*)(void*, HotSyncSessionRecord*);

constexpr DWORD kSessionTimeoutMilliseconds = 120000;

constexpr UINT kGateMessage = WM_APP + 1;
constexpr DWORD kGateTimeoutMilliseconds = 60000;

// Paths that the gate waits for: until all of them exist, the message it handles does not
// return. The session dispatches that message between two probe passes, so its next pass
// meets all the files at once.
std::vector<std::string> g_gatePaths;

LRESULT CALLBACK GateWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kGateMessage) return DefWindowProcA(window, message, wParam, lParam);
  for (DWORD waited = 0; waited < kGateTimeoutMilliseconds; waited += 10) {
    bool all = true;
    for (const std::string& path : g_gatePaths) all = all && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (all) break;
    Sleep(10);
  }
  return 0;
}

struct SessionCall {
  OpenConduitFunction open;
  void* progress;
  HotSyncSessionRecord* record;
  int32_t result;
};

DWORD WINAPI RunSession(void* parameter) {
  auto call = static_cast<SessionCall*>(parameter);
  HWND gate = nullptr;
  if (!g_gatePaths.empty()) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = GateWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ConduitTestGate";
    RegisterClassA(&windowClass);
    gate = CreateWindowA("ConduitTestGate", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    PostMessageA(gate, kGateMessage, 0, 0);
  }
  call->result = call->open(call->progress, call->record);
  if (gate != nullptr) DestroyWindow(gate);
  return 0;
}

// A fresh exchange folder holding a copy of the conduit library, the scripted companion
// under the name Vornet.exe unless told otherwise, and a data folder for chosen files.
class ExchangeFolder {
 public:
  // folderLength: pad the exchange folder's full path to this many characters.
  explicit ExchangeFolder(size_t folderLength = 0) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    root_ = std::string(temp) + "dalvex-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    CreateDirectoryA(root_.c_str(), nullptr);
    folder_ = root_ + "\\x";
    if (folder_.size() < folderLength) folder_.append(folderLength - folder_.size(), 'y');
    CreateDirectoryA(folder_.c_str(), nullptr);
    CreateDirectoryA(DataFolder().c_str(), nullptr);
    trace_ = root_ + "\\trace.txt";
    SetEnvironmentVariableA("MARBELO_TRACE", trace_.c_str());
  }
  ~ExchangeFolder() {
    SetEnvironmentVariableA("MARBELO_TRACE", nullptr);
    RemoveTree(root_);
  }

  const std::string& Folder() const { return folder_; }
  std::string DataFolder() const { return root_ + "\\data"; }

  void AddLibrary(const std::string& name = "Dalvex.dll") {
    library_ = folder_ + "\\" + name;
    ASSERT_TRUE(CopyFileA((OwnFolder() + "\\Dalvex.dll").c_str(), library_.c_str(), FALSE)) << library_;
  }
  void AddCompanion() {
    ASSERT_TRUE(CopyFileA((OwnFolder() + "\\scripted_companion.exe").c_str(), (folder_ + "\\Vornet.exe").c_str(), FALSE));
  }
  // The companion will create these files, with these bytes, all at once.
  void PlanCompanion(const std::vector<std::pair<std::string, std::string>>& files) {
    ASSERT_TRUE(::PlanCompanion(folder_, files));
  }
  void Place(const std::string& name, const std::string& bytes = "") {
    ASSERT_TRUE(WriteBytes(folder_ + "\\" + name, bytes)) << name;
  }

  // Loads the library, runs sessions with the given record, unloads it.
  std::vector<int32_t> RunSessions(int count, void* progress, HotSyncSessionRecord* record) {
    std::vector<int32_t> results;
    HMODULE library = LoadLibraryA(library_.c_str());
    EXPECT_NE(library, nullptr) << library_;
    if (library == nullptr) return results;
    auto open = reinterpret_cast<OpenConduitFunction>(reinterpret_cast<void*>(GetProcAddress(library, "OpenConduit")));
    EXPECT_NE(open, nullptr);
    for (int i = 0; open != nullptr && i < count; ++i) {
      SessionCall call{open, progress, record, 1234};
      HANDLE thread = CreateThread(nullptr, 0, RunSession, &call, 0, nullptr);
      DWORD waited = WaitForSingleObject(thread, kSessionTimeoutMilliseconds);
      CloseHandle(thread);
      if (waited != WAIT_OBJECT_0) {
        ADD_FAILURE() << "OpenConduit did not return";
        return results;  // the library stays loaded: the session still runs in it
      }
      results.push_back(call.result);
    }
    FreeLibrary(library);
    return results;
  }

  std::vector<std::string> Trace() const { return Lines(ReadBytes(trace_)); }

  // The files left in the exchange folder, in lower case, without the test's own scaffolding.
  std::set<std::string> Left() const { return FilesLeft(folder_); }

 private:
  std::string root_;
  std::string folder_;
  std::string library_;
  std::string trace_;
};

std::string Log(const std::string& text) { return "log 22 1 " + text; }
std::string Formatted(const char* format, const char* name) {
  char line[512];
  snprintf(line, sizeof line, format, name);
  return line;
}

const char kRegister[] = "register-conduit";
const char kUnregister[] = "unregister-conduit 24301";

// A handheld database as HotSync Manager lists it.
struct NamedEntry {
  uint8_t unread[10];
  char name[32];
};

struct SessionCase {
  const char* guards;
  std::vector<std::pair<std::string, std::string>> companionWrites;  // "@" stands for the data folder
  std::vector<std::string> logs;
  std::set<std::string> left;
  bool handedOver;  // the send or retrieval step ran: its own calls and files may come in between
  std::vector<std::string> handOverCalls;  // calls that show the step got the right name
  bool withDatabaseList;
  bool withCompanion;
  bool allAtOnce = false;  // the session's pass meets every file the companion writes together
};

std::string Expand(std::string text, const std::string& dataFolder) {
  size_t at = text.find('@');
  if (at != std::string::npos) text.replace(at, 1, dataFolder);
  return text;
}

class SessionTest : public ::testing::TestWithParam<SessionCase> {};

TEST_P(SessionTest, RunsTheSessionTheCompanionAskedFor) {
  const SessionCase& c = GetParam();
  SCOPED_TRACE(c.guards);
  ExchangeFolder exchange;
  exchange.AddLibrary();
  if (c.withCompanion) exchange.AddCompanion();
  std::vector<std::pair<std::string, std::string>> writes;
  for (const auto& w : c.companionWrites) writes.emplace_back(w.first, Expand(w.second, exchange.DataFolder()));
  exchange.PlanCompanion(writes);
  ASSERT_TRUE(WriteBytes(exchange.DataFolder() + "\\a.kif", std::string(61439, 'k')));
  // Left by an earlier session: a session start deletes them before the companion runs.
  exchange.Place("dblist.txt");
  exchange.Place("csvselname.txt", "C:\\old\\stale.kif\r\n99999\r\n");

  NamedEntry entry = {{0}, "MarbeloDB"};
  HandheldDatabaseEntry* list[] = {reinterpret_cast<HandheldDatabaseEntry*>(&entry), nullptr};
  HotSyncSessionRecord record = {};
  record.action = Synchronize;
  record.databaseList = c.withDatabaseList ? static_cast<uint32_t>(reinterpret_cast<uintptr_t>(list)) : 0;

  if (c.allAtOnce) {
    for (const auto& w : c.companionWrites) g_gatePaths.push_back(exchange.Folder() + "\\" + w.first);
  }
  int marker = 0;
  EXPECT_EQ(exchange.RunSessions(1, &marker, &record), std::vector<int32_t>{0});
  g_gatePaths.clear();

  std::vector<std::string> trace = exchange.Trace();
  std::vector<std::string> logs;
  std::vector<std::string> calls;
  for (const std::string& line : trace) (line.compare(0, 4, "log ") == 0 ? logs : calls).push_back(line);
  std::vector<std::string> expectedLogs;
  for (const std::string& text : c.logs) expectedLogs.push_back(Log(text));
  EXPECT_EQ(logs, expectedLogs);
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls.front(), kRegister);
  EXPECT_EQ(calls.back(), kUnregister);
  const std::set<std::string> left = exchange.Left();
  if (c.handedOver) {
    for (const std::string& call : c.handOverCalls) {
      EXPECT_NE(std::find(calls.begin(), calls.end(), call), calls.end()) << call;
    }
    for (const std::string& name : c.left) EXPECT_EQ(left.count(name), 1u) << name;
    for (const char* name : {"listreq.dat", "dblist.txt", "csvselname.txt", "dum.dat"}) EXPECT_EQ(left.count(name), 0u) << name;
  } else {
    EXPECT_EQ(calls.size(), 2u) << "no database operation";
    EXPECT_EQ(left, c.left);
  }
}

const std::set<std::string> kInstalled = {"dalvex.dll", "vornet.exe"};
const std::string kSelected = "@\\a.kif\r\n61439\r\n";

INSTANTIATE_TEST_SUITE_P(
    Companions, SessionTest,
    ::testing::Values(
        SessionCase{"the cancel marker ends the session without a database operation",
                    {{"Dum.Dat", ""}}, {}, kInstalled, false, {}, true, true},
        SessionCase{"a selection of 61439 bytes is handed to the send step, in any letter case",
                    {{"CsvSelName.TXT", kSelected}}, {}, kInstalled, true, {"delete-database a.kif", "write-record 61439"}, true, true},
        SessionCase{"a selection file still held by the companion is waited for",
                    {{"hold", ""}, {"csvselname.txt", "@\\a.kif\r\n61440\r\n"}},
                    {Formatted(kSizeTooLargeMessage, "a.kif")}, kInstalled, false, {}, true, true},
        SessionCase{"a selection file held beyond the bounded wait sends nothing and stays for the next start",
                    {{"hold", ""}, {"csvselname.txt", kSelected}, {"=6000", ""}}, {kSelectionUnreadableMessage},
                    {"dalvex.dll", "vornet.exe", "csvselname.txt"}, false, {}, true, true},
        SessionCase{"a selection of 61440 bytes is refused",
                    {{"csvselname.txt", "@\\a.kif\r\n61440\r\n"}},
                    {Formatted(kSizeTooLargeMessage, "a.kif")}, kInstalled, false, {}, true, true},
        SessionCase{"a negative size is refused",
                    {{"csvselname.txt", "@\\a.kif\r\n-1\r\n"}},
                    {Formatted(kSizeTooLargeMessage, "a.kif")}, kInstalled, false, {}, true, true},
        SessionCase{"the selection wins over the retrieval request, which is deleted",
                    {{"csvselname.txt", "@\\a.kif\r\n61440\r\n"}, {"LISTREQ.DAT", ""}},
                    {Formatted(kSizeTooLargeMessage, "a.kif")}, kInstalled, false, {}, true, true, true},
        SessionCase{"the selection wins over the cancel marker, which is deleted",
                    {{"csvselname.txt", "@\\a.kif\r\n61440\r\n"}, {"dum.dat", ""}},
                    {Formatted(kSizeTooLargeMessage, "a.kif")}, kInstalled, false, {}, true, true, true},
        SessionCase{"the retrieval request is handed to the retrieval step",
                    {{"ListReq.dat", ""}}, {}, kInstalled, true, {"open-database MarbeloDB 0xD0"}, true, true},
        SessionCase{"a retrieval request without any listed database is refused",
                    {{"ListReq.dat", ""}}, {kNoDatabaseMessage}, kInstalled, false, {}, false, true},
        SessionCase{"a companion that ends without a request ends the wait",
                    {}, {kCompanionEndedMessage}, kInstalled, false, {}, true, true},
        SessionCase{"a missing companion ends the session", {}, {kCompanionNotStartedMessage},
                    {"dalvex.dll"}, false, {}, true, false},
        SessionCase{"a selection file of one line sends nothing",
                    {{"csvselname.txt", "@\\a.kif\r\n"}},
                    {Formatted(kSelectionNoSizeMessage, "a.kif")}, kInstalled, false, {}, true, true},
        SessionCase{"an empty selection file sends nothing",
                    {{"csvselname.txt", ""}}, {kSelectionEmptyMessage}, kInstalled, false, {}, true, true},
        SessionCase{"a selection without a backslash sends nothing",
                    {{"csvselname.txt", "a.kif\r\n100\r\n"}}, {kSelectionNoFileNameMessage}, kInstalled,
                    false, {}, true, true}));

const char* const kRequestFiles[] = {"ListReq.dat", "dblist.txt", "csvselname.txt", "dum.dat"};

TEST(OpenConduit, DoNothingReturnsAtOnceAndTouchesNothing) {
  ExchangeFolder exchange;
  exchange.AddLibrary();
  exchange.AddCompanion();
  exchange.PlanCompanion({{"started.flag", ""}});
  for (const char* name : kRequestFiles) exchange.Place(name);
  HotSyncSessionRecord record = {};
  record.action = DoNothing;
  int marker = 0;
  EXPECT_EQ(exchange.RunSessions(1, &marker, &record), std::vector<int32_t>{0});
  EXPECT_TRUE(exchange.Trace().empty());
  std::set<std::string> left = kInstalled;
  for (const char* name : kRequestFiles) left.insert(Lower(name));
  EXPECT_EQ(exchange.Left(), left);
}

TEST(OpenConduit, ANullFirstArgumentOnlyClearsTheRequestFiles) {
  ExchangeFolder exchange;
  exchange.AddLibrary();
  exchange.AddCompanion();
  exchange.PlanCompanion({{"started.flag", ""}});
  for (const char* name : kRequestFiles) exchange.Place(name);
  exchange.Place("HH2PC.dat");
  exchange.Place("PMData.000", "x");
  HotSyncSessionRecord record = {};
  EXPECT_EQ(exchange.RunSessions(1, nullptr, &record), std::vector<int32_t>{-1});
  EXPECT_TRUE(exchange.Trace().empty());
  std::set<std::string> left = kInstalled;
  left.insert({"hh2pc.dat", "pmdata.000"});
  EXPECT_EQ(exchange.Left(), left);
}

TEST(OpenConduit, WithoutASessionRecordNothingRuns) {
  ExchangeFolder exchange;
  exchange.AddLibrary();
  exchange.AddCompanion();
  exchange.PlanCompanion({{"started.flag", ""}});
  exchange.Place("dum.dat");
  int marker = 0;
  EXPECT_EQ(exchange.RunSessions(1, &marker, nullptr), std::vector<int32_t>{0});
  EXPECT_TRUE(exchange.Trace().empty());
  std::set<std::string> left = kInstalled;
  left.insert("dum.dat");
  EXPECT_EQ(exchange.Left(), left);
}

TEST(OpenConduit, ALibraryUnderAnotherNameFindsItsFolderSessionAfterSession) {
  ExchangeFolder exchange;
  exchange.AddLibrary("Conduit2.dll");
  exchange.AddCompanion();
  exchange.PlanCompanion({{"dum.dat", ""}});
  HotSyncSessionRecord record = {};
  int marker = 0;
  EXPECT_EQ(exchange.RunSessions(2, &marker, &record), (std::vector<int32_t>{0, 0}));
  EXPECT_EQ(exchange.Trace(), (std::vector<std::string>{kRegister, kUnregister, kRegister, kUnregister}));
  EXPECT_EQ(exchange.Left(), (std::set<std::string>{"conduit2.dll", "vornet.exe"}));
}

// The longest exchange path, the selection file's, would need 260 characters.
TEST(OpenConduit, AFolderTooLongForItsPathsIsRefusedWithoutTouchingIt) {
  ExchangeFolder exchange(245);
  ASSERT_EQ(exchange.Folder().size(), 245u);
  exchange.AddLibrary();
  exchange.AddCompanion();
  exchange.PlanCompanion({{"dum.dat", ""}});
  exchange.Place("dum.dat");
  HotSyncSessionRecord record = {};
  int marker = 0;
  EXPECT_EQ(exchange.RunSessions(1, &marker, &record), std::vector<int32_t>{0});
  EXPECT_EQ(exchange.Trace(), (std::vector<std::string>{kRegister, Log(kFolderTooLongMessage), kUnregister}));
  std::set<std::string> left = kInstalled;
  left.insert("dum.dat");
  EXPECT_EQ(exchange.Left(), left);
}

}  // namespace
