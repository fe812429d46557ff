// The installer's flow against a recording Conduit Manager and user: which calls it makes with
// which values, which messages it shows, for each answer the two can give.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "install_flow.h"

namespace {

class RecordingManager : public ConduitManagerCalls {
 public:
  explicit RecordingManager(std::map<std::string, int32_t> answers) : m_answers(std::move(answers)) {}

  int32_t LookUpRegistration(const char* creator, int32_t* further) override {
    EXPECT_NE(further, nullptr);
    return Record("look-up", creator, "");
  }
  int32_t RemoveRegistration(const char* creator) override { return Record("remove", creator, ""); }
  int32_t CreateRegistration(const char* creator, int32_t value) override {
    return Record("create", creator, std::to_string(value));
  }
  int32_t SetIntegerSetting(const char* creator, int32_t value) override {
    return Record("set-integer", creator, std::to_string(value));
  }
  int32_t SetConduitLibrary(const char* creator, const char* path) override {
    return Record("set-library", creator, path);
  }
  int32_t SetTextSetting(const char* creator, const char* text) override {
    return Record("set-text", creator, text);
  }
  int32_t SetName(const char* creator, const char* name) override { return Record("set-name", creator, name); }
  int32_t SetSecondName(const char* creator, const char* text) override {
    return Record("set-second-name", creator, text);
  }

  std::vector<std::string> calls;

 private:
  int32_t Record(const char* operation, const char* creator, const std::string& argument) {
    EXPECT_STREQ(creator, "ZHMQ") << operation;
    calls.push_back(std::string(operation) + " " + argument);
    auto answer = m_answers.find(operation);
    return answer == m_answers.end() ? 0 : answer->second;
  }
  std::map<std::string, int32_t> m_answers;
};

struct Shown {
  std::string text;
  MessageKind kind;
  bool operator==(const Shown& other) const { return text == other.text && kind == other.kind; }
};

void PrintTo(const Shown& shown, std::ostream* out) {
  *out << "{\"" << shown.text << "\", kind " << static_cast<int>(shown.kind) << "}";
}

class RecordingUser : public InstallerUser {
 public:
  explicit RecordingUser(Reply reply) : m_reply(reply) {}
  Reply Show(const char* text, MessageKind kind) override {
    shown.push_back({text, kind});
    return kind == MessageKind::kYesNoQuestion ? m_reply : Reply::kOther;
  }
  std::vector<Shown> shown;

 private:
  Reply m_reply;
};

const Shown kQuestion = {
    "既にコンジットがインストールされています。\n削除して入れ直しますか?\n\n"
    "いいえを選択するとコンジットをアンインストールします。",
    MessageKind::kYesNoQuestion};
const Shown kRemovalFailed = {"削除に失敗しました。", MessageKind::kOk};
const Shown kUninstallFailed = {"アンインストールに失敗しました。", MessageKind::kOk};
const Shown kInstalled = {"正常にインストールされました。", MessageKind::kOkInformation};
const Shown kInstallFailed = {"インストールに失敗しました。", MessageKind::kOkInformation};

const std::vector<std::string> kSixCalls = {
    "create 1",
    "set-integer 2",
    "set-library C:\\Shogi\\Dalvex.dll",
    "set-text ",
    "set-name 将棋 Conduit",
    "set-second-name 将棋 Conduit",
};

std::vector<std::string> Calls(std::vector<std::string> first, bool thenSix) {
  if (thenSix) first.insert(first.end(), kSixCalls.begin(), kSixCalls.end());
  return first;
}

struct FlowCase {
  const char* guards;
  std::map<std::string, int32_t> answers;
  Reply reply;
  std::vector<std::string> calls;
  std::vector<Shown> shown;
};

const FlowCase kFlowCases[] = {
    {"no registration: no question, six calls, success", {{"look-up", -1001}}, Reply::kOther,
     Calls({"look-up "}, true), {kInstalled}},
    {"a look-up answering 1 also means none", {{"look-up", 1}}, Reply::kOther,
     Calls({"look-up "}, true), {kInstalled}},
    {"Yes removes and registers again", {}, Reply::kOther,
     Calls({"look-up ", "remove "}, true), {kQuestion, kInstalled}},
    {"No removes without a further message", {}, Reply::kNo,
     Calls({"look-up ", "remove "}, false), {kQuestion}},
    {"No and a failed removal: its message, nothing registered", {{"remove", -1002}}, Reply::kNo,
     Calls({"look-up ", "remove "}, false), {kQuestion, kUninstallFailed}},
    {"Yes and a failed removal: its message, nothing registered", {{"remove", -1002}}, Reply::kOther,
     Calls({"look-up ", "remove "}, false), {kQuestion, kRemovalFailed}},
    {"Yes and a removal answering another negative code: done, registered", {{"remove", -1}},
     Reply::kOther, Calls({"look-up ", "remove "}, true), {kQuestion, kInstalled}},
    {"No and a removal answering another negative code: done, silent", {{"remove", -1001}},
     Reply::kNo, Calls({"look-up ", "remove "}, false), {kQuestion}},
    {"answers adding up to 0 are still failures", {{"look-up", -1001}, {"set-integer", 1}, {"set-text", -1}},
     Reply::kOther, Calls({"look-up "}, true), {kInstallFailed}},
};

TEST(InstallFlow, FollowsTheAnswersOfTheConduitManagerAndTheUser) {
  for (const FlowCase& c : kFlowCases) {
    SCOPED_TRACE(c.guards);
    RecordingManager manager(c.answers);
    RecordingUser user(c.reply);
    RunInstaller("C:\\Shogi", &manager, &user);
    EXPECT_EQ(manager.calls, c.calls);
    EXPECT_EQ(user.shown, c.shown);
  }
}

TEST(InstallFlow, OneFailingRegistrationCallStillGetsAllSixAndTheFailureMessage) {
  for (const char* failing : {"create", "set-integer", "set-library", "set-text", "set-name", "set-second-name"}) {
    SCOPED_TRACE(failing);
    RecordingManager manager({{"look-up", -1001}, {failing, -1}});
    RecordingUser user(Reply::kOther);
    RunInstaller("C:\\Shogi", &manager, &user);
    EXPECT_EQ(manager.calls, Calls({"look-up "}, true));
    EXPECT_EQ(user.shown, std::vector<Shown>{kInstallFailed});
  }
}

TEST(InstallFlow, TheNameIsTwelveShiftJisBytes) {
  RecordingManager manager({{"look-up", -1001}});
  RecordingUser user(Reply::kOther);
  RunInstaller("C:\\Shogi", &manager, &user);
  ASSERT_EQ(manager.calls.size(), 7u);
  EXPECT_EQ(manager.calls[5], std::string("set-name ") + "\x8f\xab\x8a\xfb Conduit");
  EXPECT_EQ(manager.calls[5].size(), std::strlen("set-name ") + 12);
}

// "\Dalvex.dll" is 11 bytes: a folder of 248 bytes makes a path of 259, the most that fits.
TEST(InstallFlow, AFolderTooLongForTheLibraryPathRegistersNothing) {
  struct Case {
    const char* guards;
    size_t folderBytes;
    bool registers;
  };
  const Case cases[] = {
      {"the longest folder that fits", 248, true},
      {"one byte more", 249, false},
      {"far too long", 400, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.guards);
    std::string folder = "C:\\" + std::string(c.folderBytes - 3, 'd');
    RecordingManager manager({{"look-up", -1001}});
    RecordingUser user(Reply::kOther);
    RunInstaller(folder.c_str(), &manager, &user);
    if (c.registers) {
      ASSERT_EQ(manager.calls.size(), 7u);
      EXPECT_EQ(manager.calls[3], "set-library " + folder + "\\Dalvex.dll");
      EXPECT_EQ(user.shown, std::vector<Shown>{kInstalled});
    } else {
      EXPECT_EQ(manager.calls, std::vector<std::string>{"look-up "});
      EXPECT_EQ(user.shown, std::vector<Shown>{kInstallFailed});
    }
  }
}

TEST(InstallFlow, AnUnknownFolderRegistersNothingButRemovalStillWorks) {
  RecordingManager none({{"look-up", -1001}});
  RecordingUser user(Reply::kOther);
  RunInstaller(nullptr, &none, &user);
  EXPECT_EQ(none.calls, std::vector<std::string>{"look-up "});
  EXPECT_EQ(user.shown, std::vector<Shown>{kInstallFailed});

  RecordingManager existing({});
  RecordingUser no(Reply::kNo);
  RunInstaller(nullptr, &existing, &no);
  EXPECT_EQ(existing.calls, (std::vector<std::string>{"look-up ", "remove "}));
  EXPECT_EQ(no.shown, std::vector<Shown>{kQuestion});
}

}  // namespace
