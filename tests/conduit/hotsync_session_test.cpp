// Whole HotSyncs as users meet them: hotsync.exe loads the real Dalvex.dll from an exchange
// folder with a scripted companion, over the stand-in Sync Manager and HotSync log.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session_messages.h"
#include "exchange_checks_win.h"

namespace {

constexpr DWORD kHostTimeoutMilliseconds = 180000;

// One exchange folder, one handheld folder and one trace, kept across the sessions of a test.
class HotSyncFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "dalvex-hotsync-" + std::to_string(GetCurrentProcessId());
    RemoveTree(root_);
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    exchange_ = root_ + "\\exchange";
    ASSERT_TRUE(CreateDirectoryA(exchange_.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((OwnFolder() + "\\Dalvex.dll").c_str(), (exchange_ + "\\Dalvex.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((OwnFolder() + "\\scripted_companion.exe").c_str(), (exchange_ + "\\Vornet.exe").c_str(), FALSE));
  }
  void TearDown() override { RemoveTree(root_); }

  // Runs `hotsync sync` for one session; returns its exit code and leaves its trace and log.
  DWORD Sync(int action, const std::vector<std::pair<std::string, std::string>>& companionWrites) {
    EXPECT_TRUE(PlanCompanion(exchange_, companionWrites));
    DeleteFileA(Trace().c_str());
    std::string command = "\"" + OwnFolder() + "\\host\\hotsync.exe\" sync --conduit \"" + exchange_ +
                          "\\Dalvex.dll\" --handheld \"" + Handheld() + "\" --trace \"" + Trace() +
                          "\" --action " + std::to_string(action);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      ADD_FAILURE() << "cannot start " << command;
      return 1000;
    }
    DWORD exitCode = 1001;
    if (WaitForSingleObject(process.hProcess, kHostTimeoutMilliseconds) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
      ADD_FAILURE() << "hotsync.exe did not end";
      TerminateProcess(process.hProcess, 1001);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
  }

  std::string Handheld() const { return root_ + "\\handheld"; }
  std::string Trace() const { return root_ + "\\trace.txt"; }

  // The operations of the trace, each line's first word, and every log entry's arguments.
  std::vector<std::string> Operations() const {
    std::vector<std::string> operations;
    for (const std::string& line : Lines(ReadBytes(Trace()))) {
      operations.push_back(line.substr(0, line.find(' ')));
      if (operations.back() == "add-log-entry") {
        EXPECT_NE(line.find(" kind=22 flags=1 "), std::string::npos) << line;
      }
    }
    return operations;
  }
  std::vector<std::string> TraceLines() const { return Lines(ReadBytes(Trace())); }

  // The texts of the session's HotSync log, without their time stamps.
  std::vector<std::string> LogTexts() const {
    std::vector<std::string> texts;
    for (const std::string& line : Lines(ReadBytes(Handheld() + ".log"))) texts.push_back(line.substr(20));
    return texts;
  }

  std::string root_;
  std::string exchange_;
};

const std::set<std::string> kInstalled = {"dalvex.dll", "vornet.exe"};

TEST_F(HotSyncFixture, ACancelRegistersAndUnregistersOnly) {
  EXPECT_EQ(Sync(0, {{"dum.dat", ""}}), 0u);
  EXPECT_EQ(Operations(), (std::vector<std::string>{"register-conduit", "unregister-conduit"}));
  EXPECT_TRUE(LogTexts().empty());
  EXPECT_EQ(FilesLeft(exchange_), kInstalled);
}

TEST_F(HotSyncFixture, DoNothingCallsNoService) {
  EXPECT_EQ(Sync(6, {{"dum.dat", ""}}), 0u);
  EXPECT_TRUE(TraceLines().empty());
  EXPECT_EQ(FilesLeft(exchange_), kInstalled);
}

TEST_F(HotSyncFixture, ATooLargeSelectionIsRefusedInTheLog) {
  const std::string chosen = root_ + "\\棋譜.kif";
  ASSERT_TRUE(WriteBytes(chosen, std::string(61440, 'k')));
  EXPECT_EQ(Sync(0, {{"csvselname.txt", chosen + "\r\n61440\r\n"}}), 0u);
  EXPECT_EQ(Operations(), (std::vector<std::string>{"register-conduit", "add-log-entry", "unregister-conduit"}));
  EXPECT_EQ(LogTexts(), std::vector<std::string>{"Marbelo － 棋譜.kif : 転送するファイルサイズが大きすぎて転送できませんでした。"});
  EXPECT_EQ(FilesLeft(exchange_), kInstalled);
}

TEST_F(HotSyncFixture, ACompanionThatLeavesNoRequestEndsTheSession) {
  EXPECT_EQ(Sync(0, {}), 0u);
  EXPECT_EQ(Operations(), (std::vector<std::string>{"register-conduit", "add-log-entry", "unregister-conduit"}));
  EXPECT_EQ(LogTexts(), std::vector<std::string>{kCompanionEndedMessage});
}

// The file sent in one HotSync comes back as a record file in the next.
TEST_F(HotSyncFixture, ASentFileComesBackThroughARetrieval) {
  const std::string chosen = root_ + "\\game.kif";
  const std::string content(61439, 'g');
  ASSERT_TRUE(WriteBytes(chosen, content));
  EXPECT_EQ(Sync(0, {{"CSVSELNAME.TXT", chosen + "\r\n61439\r\n"}}), 0u);
  EXPECT_EQ(Operations(),
            (std::vector<std::string>{"register-conduit", "delete-database", "create-database", "close-database",
                                      "open-database", "delete-all-records", "write-record", "close-database",
                                      "unregister-conduit"}));
  EXPECT_TRUE(LogTexts().empty());

  EXPECT_EQ(Sync(0, {{"ListReq.dat", ""}}), 0u);
  const std::vector<std::string> operations = Operations();
  ASSERT_GE(operations.size(), 4u);
  EXPECT_EQ(operations.front(), "register-conduit");
  EXPECT_EQ(operations[1], "open-database");
  EXPECT_EQ(operations.back(), "unregister-conduit");
  EXPECT_NE(TraceLines()[1].find("name=\"game.kif\""), std::string::npos) << TraceLines()[1];
  EXPECT_TRUE(LogTexts().empty());
  const std::string record = ReadBytes(exchange_ + "\\PMData.000");
  ASSERT_EQ(record.size(), 28u + content.size());
  EXPECT_EQ(record.substr(28), content);
  std::set<std::string> left = FilesLeft(exchange_);
  EXPECT_EQ(left.count("hh2pc.dat"), 1u);
  EXPECT_EQ(left.count("listreq.dat"), 0u);
}

}  // namespace
