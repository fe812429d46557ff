// The stand-in HotSync Manager with the real Dalvex.dll: `hotsync info` prints what the conduit
// says of itself; `hotsync configure` shows its dialogs, keeps the choice, and the next
// `hotsync sync` hands it to OpenConduit.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_ids.h"
#include "test_files_win.h"
#include "ui_driver.h"

namespace {

constexpr DWORD kHostTimeoutMs = 180000;

std::string HostFolder() { return OwnFolder() + "\\host"; }
std::string SettingsFile() { return HostFolder() + "\\hotsync-actions.txt"; }

std::string ReadFileText(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  std::string lines;
  for (char c : text) {
    if (c != '\r') lines += c;
  }
  return lines;
}

// One run of hotsync.exe with its standard output in a file.
class HostRun {
 public:
  // Each run writes a file of its own: a process that has ended may still hold its output.
  explicit HostRun(const std::string& arguments)
      : m_output(OwnFolder() + "\\host-output-" + std::to_string(++s_runs) + ".txt") {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(m_output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string command = "\"" + HostFolder() + "\\hotsync.exe\" " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    m_started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, HostFolder().c_str(), &startup,
                               &m_process) != FALSE;
    CloseHandle(out);
  }
  ~HostRun() {
    if (!m_started) return;
    if (WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(m_process.hProcess, 1001);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
  }

  bool started() const { return m_started; }
  DWORD processId() const { return m_process.dwProcessId; }

  // Waits for the end; the exit code, or 1001 when it did not end in time.
  DWORD Finish() {
    if (!m_started || WaitForSingleObject(m_process.hProcess, kHostTimeoutMs) != WAIT_OBJECT_0) return 1001;
    DWORD code = 1001;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
  }
  std::string Output() const { return ReadFileText(m_output); }

 private:
  static int s_runs;
  std::string m_output;
  PROCESS_INFORMATION m_process = {};
  bool m_started = false;
};

int HostRun::s_runs = 0;

std::string Conduit() { return "--conduit \"" + HostFolder() + "\\Dalvex.dll\""; }

// Runs `hotsync sync` over an empty handheld folder; answers its output.
std::string Sync() {
  HostRun run("sync " + Conduit() + " --handheld \"" + OwnFolder() + "\\handheld\"");
  EXPECT_TRUE(run.started());
  EXPECT_EQ(run.Finish(), 0u) << run.Output();
  return run.Output();
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A real click, so that the automatic check box toggles itself.
void Click(HWND dialog, int id) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, kHostTimeoutMs, &ignored);
}

TEST(Host, InfoPrintsNameVersionAndTheThreeKinds) {
  HostRun run("info " + Conduit());
  ASSERT_TRUE(run.started());
  EXPECT_EQ(run.Finish(), 0u);
  EXPECT_EQ(run.Output(), u8"name: 将棋コンジット (GetConduitName returned 0)\n"
                          u8"version: 258 (0x0102)\n"
                          u8"info 0: 将棋コンジット (returned 0)\n"
                          u8"info 1: 0x10000000 (returned 0)\n"
                          u8"info 2: 0x00000000 (returned 0)\n");
}

TEST(Host, ChosenActionReachesTheNextHotSync) {
  DeleteFileA(SettingsFile().c_str());
  {
    SCOPED_TRACE("stop using, for the next HotSync only, in the Japanese dialog");
    HostRun run("configure " + Conduit() + " --user Taro");
    ASSERT_TRUE(run.started());
    HWND dialog = uidriver::WaitForProcessDialog(run.processId(), kHostTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(uidriver::GetControlText(dialog, IDC_GROUP_CURRENT_SETTINGS), "Taroの現在の設定");
    EXPECT_EQ(uidriver::GetControlText(dialog, IDC_TEXT_DEFAULT_ACTION), "コンジット有効");
    EXPECT_EQ(uidriver::GetControlText(dialog, IDC_TEXT_NEXT_ACTION), "コンジット有効");
    uidriver::ClickButton(dialog, IDC_RADIO_DO_NOTHING);
    uidriver::ClickButton(dialog, IDOK);
    EXPECT_EQ(run.Finish(), 0u) << run.Output();
    EXPECT_EQ(ReadFileText(SettingsFile()), "default 0\nnext 6\n");
  }
  {
    SCOPED_TRACE("the HotSync does nothing and uses the choice up");
    std::string output = Sync();
    EXPECT_TRUE(Contains(output, "action 6,")) << output;
    EXPECT_TRUE(Contains(output, "OpenConduit returned 0")) << output;
    EXPECT_EQ(ReadFileText(SettingsFile()), "default 0\n");
  }
  {
    SCOPED_TRACE("do nothing as the default, in the English dialog");
    HostRun run("configure --english " + Conduit());
    ASSERT_TRUE(run.started());
    HWND dialog = uidriver::WaitForProcessDialog(run.processId(), kHostTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    uidriver::ControlInfo synchronize;
    ASSERT_TRUE(uidriver::FindControl(dialog, IDC_RADIO_SYNCHRONIZE, &synchronize));
    EXPECT_TRUE(synchronize.checked) << "the used-up choice no longer shows";
    uidriver::ClickButton(dialog, IDC_RADIO_DO_NOTHING);
    Click(dialog, IDC_CHECK_MAKE_DEFAULT);
    uidriver::ClickButton(dialog, IDOK);
    EXPECT_EQ(run.Finish(), 0u) << run.Output();
    EXPECT_EQ(ReadFileText(SettingsFile()), "default 6\n");
  }
  {
    SCOPED_TRACE("a default serves every HotSync");
    EXPECT_TRUE(Contains(Sync(), "action 6,"));
    EXPECT_TRUE(Contains(Sync(), "action 6,"));
    EXPECT_EQ(ReadFileText(SettingsFile()), "default 6\n");
  }
  {
    SCOPED_TRACE("Cancel keeps what was kept");
    HostRun run("configure " + Conduit());
    ASSERT_TRUE(run.started());
    HWND dialog = uidriver::WaitForProcessDialog(run.processId(), kHostTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(uidriver::GetControlText(dialog, IDC_TEXT_DEFAULT_ACTION), "コンジット無効");
    uidriver::ClickButton(dialog, IDC_RADIO_SYNCHRONIZE);
    uidriver::ClickButton(dialog, IDCANCEL);
    EXPECT_EQ(run.Finish(), 0u) << run.Output();
    EXPECT_TRUE(Contains(run.Output(), "cancelled")) << run.Output();
    EXPECT_EQ(ReadFileText(SettingsFile()), "default 6\n");
  }
  DeleteFileA(SettingsFile().c_str());
}

}  // namespace
