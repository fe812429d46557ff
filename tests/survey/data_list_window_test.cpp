// The data list dialog in a real window: Vornet.exe started with survey-record files lists
// them, converts one through the Save-As dialog, drops its item, and tells a file that
// cannot be read or converted. Each case starts one Vornet.exe in a fresh folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "survey_csv.h"
#include "survey_file_builder.h"
#include "test_files_win.h"
#include "ui_driver.h"

namespace {

const char kCaption[] = "データリスト";
// How long a click that must open nothing is given to open something anyway.
const DWORD kNothingOpensMs = 3000;

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// A garden-tree file whose one row carries the given tag, and its CSV as the dialog stores it.
std::vector<uint8_t> SurveyFile(const char* tag) {
  SurveyEntryFields e;
  e.textA = tag;
  e.textB = "池の北";
  e.valueA = 2;
  e.primaryIndex = 1;
  e.realA = 1.5f;
  e.gradeIndex = 2;
  e.siteIndex = 1;
  SurveyFileBuilder file;
  file.Category(0).Title("庭園-前庭[x]").PrimaryName(1, "ケヤキ").Entry(0, e);
  return file.bytes();
}

std::string StoredCsv(const std::vector<uint8_t>& survey) {
  const CsvBuild build = BuildCsvText(survey.data(), survey.size());
  std::string stored;
  for (size_t i = 0; i < build.length; ++i) {
    if (build.text[i] == '\n') stored += '\r';
    stored += build.text[i];
  }
  return stored;
}

class DataListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "datalist-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(folder_.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((OwnFolder() + "\\" VORNET_FROM_TEST).c_str(), Path("Vornet.exe").c_str(), FALSE));
  }

  void TearDown() override {
    if (process_.hProcess != nullptr) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, uidriver::kDefaultTimeoutMs);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA(Path(found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
  }

  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

  // Starts Vornet.exe with the files as arguments and waits for the data list.
  void Start(const std::vector<std::string>& names) {
    std::string commandLine = "\"" + Path("Vornet.exe") + "\"";
    for (const std::string& name : names) commandLine += " \"" + Path(name) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                               &startup, &process_));
    dialog_ = uidriver::WaitForDialog(kCaption, uidriver::kDefaultTimeoutMs, process_.dwProcessId);
    ASSERT_NE(dialog_, nullptr) << "the data list did not appear";
    list_ = GetDlgItem(dialog_, 1002);
    // The list is filled on the first paint.
    const DWORD start = GetTickCount();
    while (SendMessageA(list_, LB_GETCOUNT, 0, 0) < static_cast<LRESULT>(names.size()) &&
           GetTickCount() - start < uidriver::kDefaultTimeoutMs) {
      Sleep(uidriver::kPollMs);
    }
  }

  std::vector<std::string> Items() {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
    // Read as the list holds them (wine passes another process's ANSI request unconverted),
    // then in the ANSI code page, as the program wrote them.
    for (int i = 0; i < count; ++i) {
      wchar_t wide[512] = {};
      SendMessageW(list_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
      char text[1024] = {};
      WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
      items.push_back(text);
    }
    return items;
  }

  bool ConvertEnabled() { return IsWindowEnabled(GetDlgItem(dialog_, 1003)) != FALSE; }

  // Selects an item as a click does: the selection, then the notification to the dialog.
  void Select(int index) {
    SendMessageA(list_, LB_SETCURSEL, index, 0);
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(1002, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list_));
  }

  // Presses Convert and returns the Save-As dialog, or null when none opens in timeoutMs.
  HWND PressConvert(DWORD timeoutMs = uidriver::kDefaultTimeoutMs) {
    EXPECT_TRUE(uidriver::ClickButton(dialog_, 1003));
    return uidriver::WaitForOwnedDialog(dialog_, timeoutMs);
  }

  // Convert, answered with the target name; returns the message box shown then, if any.
  HWND ConvertTo(const std::string& target, DWORD boxTimeoutMs) {
    HWND saveAs = PressConvert();
    EXPECT_NE(saveAs, nullptr) << "no Save-As dialog";
    if (saveAs == nullptr) return nullptr;
    EXPECT_TRUE(uidriver::FillFileDialog(saveAs, Path(target).c_str()));
    return uidriver::WaitForOwnedDialog(dialog_, boxTimeoutMs);
  }

  std::string folder_;
  PROCESS_INFORMATION process_ = {};
  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(DataListTest, ListsConvertsAndDropsItemsAndTellsFilesItCannotConvert) {
  const std::vector<uint8_t> second = SurveyFile("B2");
  WriteBytes(Path("second.svy"), second);
  WriteBytes(Path("first.svy"), SurveyFile("A1"));
  WriteBytes(Path("short.svy"), std::vector<uint8_t>(100, 0));
  Start({"second.svy", "first.svy", "missing.svy", "short.svy"});

  SCOPED_TRACE("the template's controls and the list in argument order, not sorted");
  const struct {
    int id;
    const char* text;
    bool visible;
    bool enabled;
  } expected[] = {{1, "終了", true, true}, {2, "ｷｬﾝｾﾙ", false, true}, {1002, "", true, true}, {1003, "変換", true, false}};
  const std::vector<uidriver::ControlInfo> controls = uidriver::ListControls(dialog_);
  ASSERT_EQ(controls.size(), 4u);
  for (size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(expected[i].id);
    EXPECT_EQ(controls[i].id, expected[i].id);
    EXPECT_EQ(controls[i].text, expected[i].text);
    EXPECT_EQ(controls[i].visible, expected[i].visible);
    EXPECT_EQ(controls[i].enabled, expected[i].enabled);
  }
  // The list box drops WS_VSCROLL while it needs no scroll bar; the template test reads it.
  EXPECT_EQ(controls[2].style & (LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT),
            LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT);
  EXPECT_EQ(Items(), (std::vector<std::string>{"second.svy", "first.svy", "missing.svy", "short.svy"}));

  SCOPED_TRACE("Convert with nothing selected opens nothing");
  EXPECT_EQ(PressConvert(kNothingOpensMs), nullptr);

  SCOPED_TRACE("selecting enables Convert; the Save-As dialog offers the display name");
  Select(0);
  EXPECT_TRUE(ConvertEnabled());
  HWND saveAs = PressConvert();
  ASSERT_NE(saveAs, nullptr);
  EXPECT_EQ(uidriver::GetControlText(saveAs, 0x47C), "second.svy");
  ASSERT_TRUE(uidriver::FillFileDialog(saveAs, Path("second.csv").c_str()));
  const DWORD start = GetTickCount();
  while (Items().size() != 3 && GetTickCount() - start < uidriver::kDefaultTimeoutMs) Sleep(uidriver::kPollMs);
  EXPECT_EQ(Contents(Path("second.csv")), StoredCsv(second)) << "CR LF lines, byte for byte";
  EXPECT_EQ(Items(), (std::vector<std::string>{"first.svy", "missing.svy", "short.svy"}));
  EXPECT_TRUE(ConvertEnabled()) << "the button keeps its state with items left";
  EXPECT_EQ(SendMessageA(list_, LB_GETCURSEL, 0, 0), LB_ERR);

  SCOPED_TRACE("Convert again with no selection after the deletion opens nothing");
  EXPECT_EQ(PressConvert(kNothingOpensMs), nullptr);

  SCOPED_TRACE("cancelling the Save-As dialog changes nothing");
  Select(0);
  saveAs = PressConvert();
  ASSERT_NE(saveAs, nullptr);
  ASSERT_TRUE(uidriver::DismissDialog(saveAs));
  EXPECT_EQ(Items().size(), 3u);
  EXPECT_TRUE(ConvertEnabled());

  SCOPED_TRACE("a file that cannot be opened: the file error in a stop box, the item stays");
  Select(1);
  HWND box = ConvertTo("missing.csv", uidriver::kDefaultTimeoutMs);
  ASSERT_NE(box, nullptr) << "no message box for the missing file";
  uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
  EXPECT_EQ(info.icon, uidriver::MessageBoxIcon::kStop);
  EXPECT_NE(info.text.find("missing.svy"), std::string::npos) << info.text;
  ASSERT_TRUE(uidriver::DismissDialog(box));
  EXPECT_FALSE(Exists(Path("missing.csv")));
  EXPECT_EQ(Items().size(), 3u);

  SCOPED_TRACE("a file too short for a survey record: refused in a stop box, the item stays");
  Select(2);
  box = ConvertTo("short.csv", uidriver::kDefaultTimeoutMs);
  ASSERT_NE(box, nullptr) << "no message box for the short file";
  info = uidriver::ReadMessageBox(box);
  EXPECT_EQ(info.caption, kCaption);
  EXPECT_EQ(info.icon, uidriver::MessageBoxIcon::kStop);
  EXPECT_NE(info.text.find("このファイルは変換できません。"), std::string::npos) << info.text;
  ASSERT_TRUE(uidriver::DismissDialog(box));
  EXPECT_FALSE(Exists(Path("short.csv")));
  EXPECT_EQ(Items(), (std::vector<std::string>{"first.svy", "missing.svy", "short.svy"}));

  uidriver::ClickButton(dialog_, 1);
  EXPECT_TRUE(uidriver::WaitForProcessExit(process_.dwProcessId));
}

TEST_F(DataListTest, ConvertingTheOnlyItemEmptiesTheListAndDisablesConvert) {
  const std::vector<uint8_t> only = SurveyFile("C3");
  WriteBytes(Path("調査.svy"), only);
  Start({"調査.svy"});
  EXPECT_EQ(Items(), std::vector<std::string>{"調査.svy"});
  Select(0);
  EXPECT_EQ(ConvertTo("調査.csv", kNothingOpensMs), nullptr) << "no message box";
  const DWORD start = GetTickCount();
  while (!Items().empty() && GetTickCount() - start < uidriver::kDefaultTimeoutMs) Sleep(uidriver::kPollMs);
  EXPECT_TRUE(Items().empty());
  EXPECT_FALSE(ConvertEnabled());
  EXPECT_EQ(Contents(Path("調査.csv")), StoredCsv(only));
  uidriver::PressKey(dialog_, VK_ESCAPE);
  EXPECT_TRUE(uidriver::WaitForProcessExit(process_.dwProcessId));
}

}  // namespace
