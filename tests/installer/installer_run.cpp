// Driving one run of Installer.exe: start, message boxes, end.
#include "installer_run.h"

#include <gtest/gtest.h>

#include <fstream>

#include "test_files_win.h"

using uidriver::MessageBoxIcon;

namespace {

const char kCaption[] = "Conduit Installer";
const char kQuestion[] =
    "既にコンジットがインストールされています。\n削除して入れ直しますか?\n\n"
    "いいえを選択するとコンジットをアンインストールします。";

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

}  // namespace

const ExpectedBox kAskYes = {kQuestion, {IDYES, IDNO}, MessageBoxIcon::kQuestion, IDYES};
const ExpectedBox kAskNo = {kQuestion, {IDYES, IDNO}, MessageBoxIcon::kQuestion, IDNO};
const ExpectedBox kToldRemovalFailed = {"削除に失敗しました。", {IDOK}, MessageBoxIcon::kNone, IDOK};
const ExpectedBox kToldUninstallFailed = {"アンインストールに失敗しました。", {IDOK}, MessageBoxIcon::kNone, IDOK};
const ExpectedBox kToldInstalled = {"正常にインストールされました。", {IDOK}, MessageBoxIcon::kInformation, IDOK};
const ExpectedBox kToldInstallFailed = {"インストールに失敗しました。", {IDOK}, MessageBoxIcon::kInformation, IDOK};

bool CopyTestBinary(const char* name, const std::string& to) {
  return CopyFileA((OwnFolder() + "\\" + name).c_str(), to.c_str(), FALSE) != FALSE;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> RunInstallerOnce(const std::string& program, const std::vector<ExpectedBox>& boxes,
                                          const char* faults, const std::string& trace) {
  DeleteFileA(trace.c_str());
  // The child takes the plan and the trace; this process's own calls stay outside them.
  SetEnvironmentVariableA("MARBELO_FAULTS", faults);
  SetEnvironmentVariableA("MARBELO_TRACE", trace.c_str());
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string commandLine = "\"" + program + "\"";
  BOOL started = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &process);
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
  return ReadLines(trace);
}
