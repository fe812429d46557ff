// The real Installer.exe with the real CONDMGR.dll beside it, under wine: its message boxes
// read and answered through the UI driver, the Conduit Manager calls read from the trace,
// the registration it leaves read back, its exit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "conduit_manager.h"
#include "ui_driver.h"

namespace {

using uidriver::MessageBoxIcon;

const char kCaption[] = "Conduit Installer";
const char kQuestion[] =
    "既にコンジットがインストールされています。\n削除して入れ直しますか?\n\n"
    "いいえを選択するとコンジットをアンインストールします。";
const char kRemovalFailed[] = "削除に失敗しました。";
const char kUninstallFailed[] = "アンインストールに失敗しました。";
const char kInstalled[] = "正常にインストールされました。";
const char kInstallFailed[] = "インストールに失敗しました。";

// The six registration calls as the trace shows them for C:\Shogi, each answering 0.
const std::vector<std::string> kSixCalls = {
    "create-registration \"ZHMQ\" 1 = 0",
    "set-integer-setting \"ZHMQ\" 2 = 0",
    "set-conduit-library \"ZHMQ\" \"C:\\x5cShogi\\x5cDalvex.dll\" = 0",
    "set-text-setting \"ZHMQ\" \"\" = 0",
    "set-name \"ZHMQ\" \"\\x8f\\xab\\x8a\\xfb Conduit\" = 0",
    "set-second-name \"ZHMQ\" \"\\x8f\\xab\\x8a\\xfb Conduit\" = 0",
};
const char kLookUpFound[] = "look-up-registration \"ZHMQ\" = 0";
const char kLookUpNone[] = "look-up-registration \"ZHMQ\" = 0xFFFFFC17";
const char kRemoved[] = "remove-registration \"ZHMQ\" = 0";
const char kRemovalRefused[] = "remove-registration \"ZHMQ\" = 0xFFFFFC16";

std::vector<std::string> Join(std::vector<std::string> first, const std::vector<std::string>& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

// A message box the installer must show, and the button the user presses in it.
struct ExpectedBox {
  const char* text;
  std::vector<int> buttons;  // ids, in order; the first is the default
  MessageBoxIcon icon;
  int press;
};

const ExpectedBox kAskYes = {kQuestion, {IDYES, IDNO}, MessageBoxIcon::kQuestion, IDYES};
const ExpectedBox kAskNo = {kQuestion, {IDYES, IDNO}, MessageBoxIcon::kQuestion, IDNO};
const ExpectedBox kToldRemovalFailed = {kRemovalFailed, {IDOK}, MessageBoxIcon::kNone, IDOK};
const ExpectedBox kToldUninstallFailed = {kUninstallFailed, {IDOK}, MessageBoxIcon::kNone, IDOK};
const ExpectedBox kToldInstalled = {kInstalled, {IDOK}, MessageBoxIcon::kInformation, IDOK};
const ExpectedBox kToldInstallFailed = {kInstallFailed, {IDOK}, MessageBoxIcon::kInformation, IDOK};

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

std::string ThisFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  return FolderOf(path);
}

// Wine keeps the icon control of a box without icon, visible and empty, which the driver's
// pixel match cannot name: an empty icon control means no icon.
MessageBoxIcon ShownIcon(HWND box, const uidriver::MessageBoxInfo& info) {
  if (info.icon != MessageBoxIcon::kUnknown) return info.icon;
  for (const uidriver::ControlInfo& control : uidriver::ListControls(box)) {
    if (_stricmp(control.className.c_str(), "Static") == 0 && (control.style & SS_TYPEMASK) == SS_ICON &&
        SendMessageA(control.hwnd, STM_GETICON, 0, 0) == 0) {
      return MessageBoxIcon::kNone;
    }
  }
  return info.icon;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

class InstallerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PlaceInstaller("C:\\Shogi", "Installer.exe"); }

  // Puts Installer.exe, under the given name, and CONDMGR.dll into folder.
  static void PlaceInstaller(const std::string& folder, const char* name) {
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string from = ThisFolder();
    ASSERT_TRUE(CopyFileA((from + "\\Installer.exe").c_str(), (folder + "\\" + name).c_str(), FALSE))
        << folder;
    ASSERT_TRUE(CopyFileA((from + "\\CONDMGR.dll").c_str(), (folder + "\\CONDMGR.dll").c_str(), FALSE));
  }

  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    m_trace = std::string(temp) + "installer_test_trace.txt";
    CmRemoveRegistration("ZHMQ");
  }
  void TearDown() override {
    CmRemoveRegistration("ZHMQ");
    DeleteFileA(m_trace.c_str());
  }

  // A registration as an earlier installer of another folder left it.
  void RegisterEarlier() {
    ASSERT_EQ(CmCreateRegistration("ZHMQ", 1), 0);
    ASSERT_EQ(CmSetConduitLibrary("ZHMQ", "C:\\Earlier\\Dalvex.dll"), 0);
  }

  std::string RegisteredLibrary() {
    CmRegistration registration;
    if (CmReadRegistration("ZHMQ", &registration) != 0) return "<none>";
    return registration.library;
  }

  // Runs the installer once with this fault plan, answering the boxes as listed; checks each
  // box and that the program ends with exit code 0 after the last. Returns the trace.
  std::vector<std::string> RunInstaller(const std::vector<ExpectedBox>& boxes, const char* faults = nullptr,
                                        const std::string& program = "C:\\Shogi\\Installer.exe") {
    DeleteFileA(m_trace.c_str());
    // The child takes the plan and the trace; this process's own calls stay outside them.
    SetEnvironmentVariableA("MARBELO_FAULTS", faults);
    SetEnvironmentVariableA("MARBELO_TRACE", m_trace.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\"";
    BOOL started = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process);
    SetEnvironmentVariableA("MARBELO_FAULTS", nullptr);
    SetEnvironmentVariableA("MARBELO_TRACE", nullptr);
    EXPECT_TRUE(started) << program;
    if (!started) return {};
    for (const ExpectedBox& expected : boxes) {
      SCOPED_TRACE(expected.text);
      if (!AnswerBox(process.dwProcessId, expected)) break;
    }
    bool ended = WaitForSingleObject(process.hProcess, uidriver::kDefaultTimeoutMs) == WAIT_OBJECT_0;
    if (!ended) {
      HWND extra = uidriver::WaitForProcessDialog(process.dwProcessId, 0);
      ADD_FAILURE() << "the installer did not end; showing: "
                    << (extra != nullptr ? uidriver::ReadMessageBox(extra).text : "no box");
      TerminateProcess(process.hProcess, 99);
      WaitForSingleObject(process.hProcess, uidriver::kDefaultTimeoutMs);
    }
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (ended) {
      EXPECT_EQ(exitCode, 0u);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ReadLines(m_trace);
  }

 private:
  bool AnswerBox(DWORD processId, const ExpectedBox& expected) {
    HWND box = uidriver::WaitForDialog(kCaption, uidriver::kDefaultTimeoutMs, processId);
    if (box == nullptr) {
      ADD_FAILURE() << "no message box";
      return false;
    }
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "message boxes have no owner window";
    uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
    EXPECT_EQ(info.caption, kCaption);
    EXPECT_EQ(info.text, expected.text);
    EXPECT_STREQ(uidriver::IconName(ShownIcon(box, info)), uidriver::IconName(expected.icon));
    std::vector<int> ids;
    for (const uidriver::ControlInfo& button : info.buttons) ids.push_back(button.id);
    EXPECT_EQ(ids, expected.buttons);
    if (!info.buttons.empty()) {
      EXPECT_EQ(info.buttons[0].style & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "the first button is the default";
    }
    EXPECT_TRUE(uidriver::ClickButton(box, expected.press));
    return uidriver::WaitForWindowGone(box);
  }

  std::string m_trace;
};

TEST_F(InstallerTest, AFirstInstallAsksNothingAndRegistersTheLibraryOfItsFolder) {
  EXPECT_EQ(RunInstaller({kToldInstalled}), Join({kLookUpNone}, kSixCalls));
  EXPECT_EQ(RegisteredLibrary(), "C:\\Shogi\\Dalvex.dll");
  CmRegistration registration;
  ASSERT_EQ(CmReadRegistration("ZHMQ", &registration), 0);
  EXPECT_EQ(registration.kind, 1);
  EXPECT_EQ(registration.setting, 2);
  EXPECT_STREQ(registration.name, "将棋 Conduit");
}

TEST_F(InstallerTest, YesReplacesTheRegistration) {
  RegisterEarlier();
  EXPECT_EQ(RunInstaller({kAskYes, kToldInstalled}), Join({kLookUpFound, kRemoved}, kSixCalls));
  EXPECT_EQ(RegisteredLibrary(), "C:\\Shogi\\Dalvex.dll");
}

TEST_F(InstallerTest, NoRemovesTheRegistrationWithoutAFurtherMessage) {
  RegisterEarlier();
  EXPECT_EQ(RunInstaller({kAskNo}), (std::vector<std::string>{kLookUpFound, kRemoved}));
  EXPECT_EQ(RegisteredLibrary(), "<none>");
}

TEST_F(InstallerTest, AFailedRemovalSaysSoAndRegistersNothing) {
  struct Case {
    const char* guards;
    ExpectedBox answer;
    ExpectedBox told;
  };
  const Case cases[] = {
      {"Yes", kAskYes, kToldRemovalFailed},
      {"No", kAskNo, kToldUninstallFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.guards);
    RegisterEarlier();
    EXPECT_EQ(RunInstaller({c.answer, c.told}, "remove-registration:1:-1002"),
              (std::vector<std::string>{kLookUpFound, kRemovalRefused}));
    EXPECT_EQ(RegisteredLibrary(), "C:\\Earlier\\Dalvex.dll");
    CmRemoveRegistration("ZHMQ");
  }
}

// The injected answer removed nothing, so creating the registration finds it still there;
// the five settings update it all the same.
TEST_F(InstallerTest, ARemovalAnsweringAnotherNegativeCodeCountsAsDone) {
  RegisterEarlier();
  std::vector<std::string> expected = Join({kLookUpFound, "remove-registration \"ZHMQ\" = 0xFFFFFFFF"}, kSixCalls);
  expected[2] = "create-registration \"ZHMQ\" 1 = 0xFFFFFC15";
  EXPECT_EQ(RunInstaller({kAskYes, kToldInstallFailed}, "remove-registration:1:-1"), expected);
  EXPECT_EQ(RegisteredLibrary(), "C:\\Shogi\\Dalvex.dll");
}

TEST_F(InstallerTest, OneRegistrationCallAnsweringMinusOneStillGetsAllSixCalls) {
  std::vector<std::string> expected = Join({kLookUpNone}, kSixCalls);
  expected[4] = "set-text-setting \"ZHMQ\" \"\" = 0xFFFFFFFF";
  EXPECT_EQ(RunInstaller({kToldInstallFailed}, "set-text-setting:1:-1"), expected);
  EXPECT_EQ(RegisteredLibrary(), "C:\\Shogi\\Dalvex.dll") << "the calls are not undone";
}

// "\i.exe" is 6 bytes, "\Dalvex.dll" 11: a folder of 250 bytes holds the program but not the
// library path.
TEST_F(InstallerTest, AFolderTooLongForTheLibraryPathRegistersNothing) {
  std::string folder = "C:\\" + std::string(247, 'L');
  PlaceInstaller(folder, "i.exe");
  EXPECT_EQ(RunInstaller({kToldInstallFailed}, nullptr, folder + "\\i.exe"),
            std::vector<std::string>{kLookUpNone});
  EXPECT_EQ(RegisteredLibrary(), "<none>");
  DeleteFileA((folder + "\\i.exe").c_str());
  DeleteFileA((folder + "\\CONDMGR.dll").c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
