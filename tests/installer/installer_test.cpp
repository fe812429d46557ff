// The real Installer.exe with the real CONDMGR.dll beside it, under wine: its message boxes
// read and answered through the UI driver, the Conduit Manager calls read from the trace,
// the registration it leaves read back, its exit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "conduit_manager.h"
#include "installer_run.h"

namespace {

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

class InstallerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PlaceInstaller("C:\\Shogi", "Installer.exe"); }

  // Puts Installer.exe, under the given name, and CONDMGR.dll into folder.
  static void PlaceInstaller(const std::string& folder, const char* name) {
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyTestBinary("Installer.exe", folder + "\\" + name)) << folder;
    ASSERT_TRUE(CopyTestBinary("CONDMGR.dll", folder + "\\CONDMGR.dll"));
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

  std::vector<std::string> RunInstaller(const std::vector<ExpectedBox>& boxes, const char* faults = nullptr,
                                        const std::string& program = "C:\\Shogi\\Installer.exe") {
    return RunInstallerOnce(program, boxes, faults, m_trace);
  }

 private:
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
