// Vornet.exe in a real window: each case copies it into a fresh exchange folder, starts it,
// drives its dialog with the UI driver and reads the files it leaves in the folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "test_files_win.h"
#include "ui_driver.h"

namespace {

const char kCaption[] = "Marbelo Conduit";
const char kWaitingText[] = "読み込み中です。しばらくお待ちください。";

void MustWrite(const std::string& path, const std::string& bytes) { ASSERT_TRUE(WriteBytes(path, bytes)) << path; }

bool WaitForFile(const std::string& path, DWORD timeoutMs = uidriver::kDefaultTimeoutMs) {
  DWORD start = GetTickCount();
  while (!Exists(path)) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(uidriver::kPollMs);
  }
  return true;
}

std::string RecordFile(const std::string& folder, int number) {
  char name[32];
  snprintf(name, sizeof name, "\\PMData.%03d", number);
  return folder + name;
}

// One exchange folder with its own copy of Vornet.exe, and the running program.
class VornetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    folder_ = std::string(temp) + "vornet-" + name;
    RemoveTree(folder_);
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
    ASSERT_TRUE(CopyFileA((OwnFolder() + "\\" VORNET_FROM_TEST).c_str(),
                          (folder_ + "\\Vornet.exe").c_str(), FALSE));
  }

  void TearDown() override {
    if (process_.hProcess != nullptr) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, uidriver::kDefaultTimeoutMs);
      }
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    RemoveTree(folder_);
  }

  // Starts the program from its folder, as the conduit does, and waits for its dialog.
  void Start() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string exe = folder_ + "\\Vornet.exe";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               folder_.c_str(), &startup, &process_));
    dialog_ = uidriver::WaitForDialog(kCaption, uidriver::kDefaultTimeoutMs, process_.dwProcessId);
    ASSERT_NE(dialog_, nullptr) << "the main dialog did not appear";
  }

  // Waits for the process to end; its exit code.
  DWORD WaitForExit() {
    EXPECT_EQ(WaitForSingleObject(process_.hProcess, uidriver::kDefaultTimeoutMs), WAIT_OBJECT_0)
        << "Vornet.exe did not end";
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

  bool Running() { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

  // Presses button 1000 and answers its open-file dialog with the path.
  void Choose(const std::string& path) {
    ASSERT_TRUE(uidriver::ClickButton(dialog_, 1000));
    HWND chooser = uidriver::WaitForOwnedDialog(dialog_);
    ASSERT_NE(chooser, nullptr) << "no open-file dialog";
    ASSERT_TRUE(uidriver::FillFileDialog(chooser, path.c_str())) << "the open-file dialog stayed";
  }

  std::string Path(const char* bareName) const { return folder_ + bareName; }

  std::string folder_;
  PROCESS_INFORMATION process_ = {};
  HWND dialog_ = nullptr;
};

TEST_F(VornetTest, ShowsTheChoiceButtonAndCancelAndKeepsTheRetrievalControlsHidden) {
  Start();
  struct Expected {
    int id;
    const char* className;
    const char* text;
    bool visible;
  };
  const Expected expected[] = {
      {1, "Button", "OK", false},
      {2, "Button", "ｷｬﾝｾﾙ", true},
      {1000, "Button", "棋譜データ読込 (PC->Palm)", true},
      {1001, "Button", "データ変換(Palm->PC)", false},
      {1004, "Edit", "", false},
  };
  std::vector<uidriver::ControlInfo> controls = uidriver::ListControls(dialog_);
  ASSERT_EQ(controls.size(), sizeof expected / sizeof expected[0]);
  for (size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(expected[i].id);
    EXPECT_EQ(controls[i].id, expected[i].id);
    EXPECT_STRCASEEQ(controls[i].className.c_str(), expected[i].className);
    EXPECT_EQ(controls[i].text, expected[i].text);
    EXPECT_EQ(controls[i].visible, expected[i].visible);
    EXPECT_TRUE(controls[i].enabled);
  }
  EXPECT_EQ(controls[1].style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(controls[4].style & (ES_READONLY | ES_CENTER), ES_READONLY | ES_CENTER);
  EXPECT_EQ(controls[4].style & (WS_BORDER | WS_TABSTOP), 0);

  LONG style = GetWindowLongA(dialog_, GWL_STYLE);
  EXPECT_EQ(style & (WS_SYSMENU | WS_CAPTION | WS_POPUP), WS_SYSMENU | WS_CAPTION | WS_POPUP);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(GetWindowLongA(dialog_, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

  // Opened in the middle of the screen's work area.
  RECT window, area;
  GetWindowRect(dialog_, &window);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_LE(std::abs((window.left + window.right) - (area.left + area.right)), 2);
  EXPECT_LE(std::abs((window.top + window.bottom) - (area.top + area.bottom)), 2);

  uidriver::ClickButton(dialog_, 2);
  EXPECT_EQ(WaitForExit(), 0u);
}

// Every way of closing the idle dialog is the cancel operation.
enum class CancelWay { kButton, kEscape, kCloseBox, kWmClose };

class CancelTest : public VornetTest, public ::testing::WithParamInterface<CancelWay> {};

TEST_P(CancelTest, WritesTheEmptyCancelMarkerAndEnds) {
  Start();
  MustWrite(Path("\\dum.dat"), "stale");
  switch (GetParam()) {
    case CancelWay::kButton: uidriver::ClickButton(dialog_, IDCANCEL); break;
    case CancelWay::kEscape: uidriver::PressKey(dialog_, VK_ESCAPE); break;
    case CancelWay::kCloseBox: uidriver::PostCloseBox(dialog_); break;
    case CancelWay::kWmClose: uidriver::PostClose(dialog_); break;
  }
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(Contents(Path("\\dum.dat")), "");
  EXPECT_FALSE(Exists(Path("\\csvselname.txt")));
  EXPECT_FALSE(Exists(Path("\\ListReq.dat")));
}

INSTANTIATE_TEST_SUITE_P(Ways, CancelTest,
                         ::testing::Values(CancelWay::kButton, CancelWay::kEscape,
                                           CancelWay::kCloseBox, CancelWay::kWmClose));

struct ChoiceCase {
  const char* name;
  const char* subfolder;  // under the exchange folder
  const char* fileName;
  std::string content;
  bool earlierSelection;  // a longer selection file is left from an earlier run
};

class ChoiceTest : public VornetTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ChoiceTest, WritesPathAndSizeLinesAndEnds) {
  const ChoiceCase& c = GetParam();
  std::string folder = folder_ + "\\" + c.subfolder;
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  std::string chosen = folder + "\\" + c.fileName;
  MustWrite(chosen, c.content);
  if (c.earlierSelection) {
    MustWrite(Path("\\csvselname.txt"), std::string(600, 'x') + "\r\n99999\r\n");
  }
  Start();
  Choose(chosen);
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(Contents(Path("\\csvselname.txt")),
            chosen + "\r\n" + std::to_string(c.content.size()) + "\r\n");
  EXPECT_FALSE(Exists(Path("\\dum.dat")));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ChoiceTest,
    ::testing::Values(
        ChoiceCase{"KifFile", "records", "game.kif", std::string(1234, 'k'), false},
        // 構 and ソ end in the byte of a backslash: the path must come through unchanged.
        ChoiceCase{"JapanesePath", "棋譜構成", "対局ソ.kif", "先手", false},
        ChoiceCase{"EmptyFile", "records", "empty.kif", "", false},
        ChoiceCase{"ReplacesAnEarlierSelection", "records", "next.kif", "abc", true}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

TEST_F(VornetTest, DismissingTheFileDialogWritesNothingAndKeepsTheDialog) {
  Start();
  ASSERT_TRUE(uidriver::ClickButton(dialog_, 1000));
  HWND chooser = uidriver::WaitForOwnedDialog(dialog_);
  ASSERT_NE(chooser, nullptr);
  ASSERT_TRUE(uidriver::DismissDialog(chooser));
  // The main dialog answers again, so the command has returned.
  EXPECT_EQ(uidriver::GetControlText(dialog_, 1000), "棋譜データ読込 (PC->Palm)");
  EXPECT_TRUE(Running());
  EXPECT_FALSE(Exists(Path("\\csvselname.txt")));
  EXPECT_FALSE(Exists(Path("\\dum.dat")));
  uidriver::ClickButton(dialog_, IDCANCEL);
  EXPECT_EQ(WaitForExit(), 0u);
}

// A chosen file that cannot be read: the stop-icon message, no selection file, and the user
// may choose again.
enum class Unreadable { kLockedByAnotherProgram, kVanished };

class UnreadableChoiceTest : public VornetTest, public ::testing::WithParamInterface<Unreadable> {};

TEST_P(UnreadableChoiceTest, ShowsTheStopMessageLeavesNoSelectionAndAllowsAnotherChoice) {
  std::string bad = folder_ + "\\bad.kif";
  HANDLE lock = INVALID_HANDLE_VALUE;
  if (GetParam() == Unreadable::kLockedByAnotherProgram) {
    MustWrite(bad, "locked");
    lock = CreateFileA(bad.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  }
  std::string good = folder_ + "\\good.kif";
  MustWrite(good, "12345");
  Start();
  Choose(bad);

  HWND box = uidriver::WaitForOwnedDialog(dialog_);
  ASSERT_NE(box, nullptr) << "no message box";
  uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
  EXPECT_EQ(info.caption, "Vornet");
  EXPECT_NE(info.text.find(bad), std::string::npos) << info.text;
  EXPECT_EQ(info.icon, uidriver::MessageBoxIcon::kStop) << uidriver::IconName(info.icon);
  ASSERT_EQ(info.buttons.size(), 1u);
  EXPECT_EQ(info.buttons[0].id, IDOK);
  EXPECT_FALSE(Exists(Path("\\csvselname.txt")));

  uidriver::ClickButton(box, IDOK);
  ASSERT_TRUE(uidriver::WaitForWindowGone(box));
  if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
  EXPECT_TRUE(Running());
  Choose(good);
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(Contents(Path("\\csvselname.txt")), good + "\r\n5\r\n");
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableChoiceTest,
                         ::testing::Values(Unreadable::kLockedByAnotherProgram, Unreadable::kVanished));

struct ClearingCase {
  const char* name;
  std::vector<int> present;
  std::vector<int> remaining;
};

class RecordClearingTest : public VornetTest, public ::testing::WithParamInterface<ClearingCase> {};

TEST_P(RecordClearingTest, ClearsUpToTheFirstGapThenRequestsAndWaitsUntilCancel) {
  const ClearingCase& c = GetParam();
  for (int n : c.present) MustWrite(RecordFile(folder_, n), "record");
  Start();
  ASSERT_TRUE(uidriver::ClickButton(dialog_, 1001));
  ASSERT_TRUE(WaitForFile(Path("\\ListReq.dat"))) << "no retrieval request";
  EXPECT_EQ(Contents(Path("\\ListReq.dat")), "");
  for (int n : c.present) {
    bool remains = false;
    for (int r : c.remaining) remains = remains || r == n;
    SCOPED_TRACE(n);
    EXPECT_EQ(Exists(RecordFile(folder_, n)), remains);
  }
  uidriver::ControlInfo button, status;
  ASSERT_TRUE(uidriver::FindControl(dialog_, 1001, &button));
  EXPECT_FALSE(button.enabled);
  ASSERT_TRUE(uidriver::FindControl(dialog_, 1004, &status));
  EXPECT_EQ(status.text, kWaitingText);
  EXPECT_FALSE(status.visible);
  EXPECT_TRUE(Running());

  uidriver::ClickButton(dialog_, IDCANCEL);
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(Contents(Path("\\dum.dat")), "");
}

std::vector<int> Numbers(int from, int to) {
  std::vector<int> numbers;
  for (int n = from; n <= to; ++n) numbers.push_back(n);
  return numbers;
}

INSTANTIATE_TEST_SUITE_P(
    Folders, RecordClearingTest,
    ::testing::Values(ClearingCase{"GapAt005", {0, 1, 2, 3, 4, 6}, {6}},
                      ClearingCase{"No000", {1, 2, 7}, {1, 2, 7}},
                      ClearingCase{"NoRecordFiles", {}, {}},
                      ClearingCase{"All1000AndOneBeyond",
                                   [] {
                                     std::vector<int> all = Numbers(0, 999);
                                     all.push_back(1000);
                                     return all;
                                   }(),
                                   {1000}}),
    [](const ::testing::TestParamInfo<ClearingCase>& info) { return info.param.name; });

TEST_F(VornetTest, StaleRetrievalDoneMarkerDoesNotEndTheWaitButANewOneDoes) {
  MustWrite(Path("\\HH2PC.dat"), "");
  Start();
  ASSERT_TRUE(uidriver::ClickButton(dialog_, 1001));
  ASSERT_TRUE(WaitForFile(Path("\\ListReq.dat")));
  EXPECT_FALSE(Exists(Path("\\HH2PC.dat")));

  // While waiting, keys bypass the dialog manager: Escape is a plain key. A second command
  // posted after it shows, by its new request, that the Escape was handled first.
  ASSERT_TRUE(DeleteFileA(Path("\\ListReq.dat").c_str()));
  uidriver::PressKey(dialog_, VK_ESCAPE);
  uidriver::ClickButton(dialog_, 1001);
  ASSERT_TRUE(WaitForFile(Path("\\ListReq.dat")));
  EXPECT_TRUE(Running());
  EXPECT_FALSE(Exists(Path("\\dum.dat")));

  // The conduit's marker ends the waits; the dialog stays and Escape cancels again.
  MustWrite(Path("\\HH2PC.dat"), "");
  uidriver::PressKey(dialog_, VK_ESCAPE);
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(Contents(Path("\\dum.dat")), "");
}

// The other controls stay live during the wait; a choice made then ends the dialog, and the
// wait must end with it instead of keeping an invisible program alive.
TEST_F(VornetTest, ChoosingAFileDuringTheWaitEndsTheProgram) {
  std::string chosen = folder_ + "\\late.kif";
  MustWrite(chosen, "late");
  Start();
  ASSERT_TRUE(uidriver::ClickButton(dialog_, 1001));
  ASSERT_TRUE(WaitForFile(Path("\\ListReq.dat")));
  Choose(chosen);
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(Contents(Path("\\csvselname.txt")), chosen + "\r\n4\r\n");
  EXPECT_FALSE(Exists(Path("\\dum.dat")));
}

}  // namespace
