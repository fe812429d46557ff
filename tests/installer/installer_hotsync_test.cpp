// From installer to HotSync: Installer.exe run from the folder of the built Dalvex.dll and
// Vornet.exe registers the conduit, and `hotsync sync` without --conduit finds it through the
// Conduit Manager, loads it and runs its session; without a registration it runs none.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "conduit_manager.h"
#include "installer_run.h"
#include "ui_driver.h"

namespace {

const char kHostFolder[] = "C:\\HotSync";
const char kConduitFolder[] = "C:\\Shogi Conduit";

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

class InstallerHotSyncTest : public ::testing::Test {
 protected:
  // The host's folder holds the HotSync side (with the Conduit Manager), the conduit's folder
  // what the installer ships beside.
  static void SetUpTestSuite() {
    CreateDirectoryA(kHostFolder, nullptr);
    CreateDirectoryA(kConduitFolder, nullptr);
    for (const char* name : {"hotsync.exe", "SYNC20.dll", "HSLOG20.dll", "CONDMGR.dll"}) {
      ASSERT_TRUE(CopyTestBinary(name, std::string(kHostFolder) + "\\" + name)) << name;
    }
    for (const char* name : {"Installer.exe", "Dalvex.dll", "Vornet.exe"}) {
      ASSERT_TRUE(CopyTestBinary(name, std::string(kConduitFolder) + "\\" + name)) << name;
    }
  }

  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    m_trace = std::string(temp) + "installer_hotsync_trace.txt";
    m_output = std::string(temp) + "installer_hotsync_output.txt";
    CmRemoveRegistration("ZHMQ");
  }
  void TearDown() override {
    CmRemoveRegistration("ZHMQ");
    DeleteFileA(m_trace.c_str());
    DeleteFileA(m_output.c_str());
  }

  // Starts `hotsync sync` with its output to a file; `whileRunning` acts on its windows.
  // Returns the exit code, 99 when it did not end.
  DWORD RunSync(void (*whileRunning)()) {
    DeleteFileA(m_trace.c_str());
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(m_output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(output, INVALID_HANDLE_VALUE);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::string program = std::string(kHostFolder) + "\\hotsync.exe";
    std::string commandLine = "\"" + program + "\" sync --handheld \"" + kHostFolder + "\\handheld\" --trace \"" +
                              m_trace + "\"";
    BOOL started = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                  kHostFolder, &startup, &process);
    CloseHandle(output);
    EXPECT_TRUE(started);
    if (!started) return 99;
    whileRunning();
    DWORD exitCode = 99;
    if (WaitForSingleObject(process.hProcess, uidriver::kDefaultTimeoutMs) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
      ADD_FAILURE() << "hotsync did not end";
      TerminateProcess(process.hProcess, 99);
      WaitForSingleObject(process.hProcess, uidriver::kDefaultTimeoutMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
  }

  std::string m_trace;
  std::string m_output;
};

void NothingToDo() {}

// The conduit's session starts the companion program; the user cancels it.
void CancelTheCompanion() {
  HWND dialog = uidriver::WaitForDialog("Marbelo Conduit");
  ASSERT_NE(dialog, nullptr) << "the conduit did not start Vornet.exe";
  EXPECT_TRUE(uidriver::ClickButton(dialog, IDCANCEL));
}

TEST_F(InstallerHotSyncTest, SyncFindsAndRunsTheConduitThatTheInstallerRegistered) {
  EXPECT_EQ(RunSync(NothingToDo), 1u) << "no registration, no conduit";
  EXPECT_TRUE(Contains(ReadLines(m_output), "no conduit is registered for ZHMQ; no conduit runs"));
  EXPECT_FALSE(Contains(ReadLines(m_trace), "register-conduit"));

  // The installer finds the Conduit Manager where HotSync Manager lives, on the search path.
  char path[32768];
  DWORD length = GetEnvironmentVariableA("PATH", path, sizeof path);
  std::string searchPath = std::string(kHostFolder) + ";" + std::string(path, length < sizeof path ? length : 0);
  SetEnvironmentVariableA("PATH", searchPath.c_str());
  RunInstallerOnce(std::string(kConduitFolder) + "\\Installer.exe", {kToldInstalled}, nullptr, m_trace);
  SetEnvironmentVariableA("PATH", std::string(path, length < sizeof path ? length : 0).c_str());
  CmRegistration registration;
  ASSERT_EQ(CmReadRegistration("ZHMQ", &registration), 0);
  EXPECT_STREQ(registration.library, "C:\\Shogi Conduit\\Dalvex.dll");

  EXPECT_EQ(RunSync(CancelTheCompanion), 0u);
  std::vector<std::string> output = ReadLines(m_output);
  EXPECT_TRUE(Contains(output, "hotsync: session of C:\\Shogi Conduit\\Dalvex.dll")) << ::testing::PrintToString(output);
  EXPECT_TRUE(Contains(output, "hotsync: OpenConduit returned 0"));
  std::vector<std::string> trace = ReadLines(m_trace);
  EXPECT_TRUE(Contains(trace, "register-conduit")) << ::testing::PrintToString(trace);
  EXPECT_TRUE(Contains(trace, "unregister-conduit"));
}

}  // namespace
