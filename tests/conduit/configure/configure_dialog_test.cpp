// The real Dalvex.dll under wine: its identity exports over the argument table, its two
// compiled dialog templates, and the action dialogs on the display driven by the UI driver.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "argument_cases.h"
#include "conduit_action.h"
#include "conduit_library.h"
#include "dialog_template_reader.h"
#include "dialog_templates.h"
#include "open_dialog.h"
#include "resource_ids.h"
#include "test_files_win.h"
#include "ui_driver.h"

namespace {

using namespace configure_cases;

constexpr DWORD kTimeoutMs = 60000;
constexpr int kRadios[] = {IDC_RADIO_SYNCHRONIZE, IDC_RADIO_DESKTOP_OVERWRITES, IDC_RADIO_HANDHELD_OVERWRITES,
                           IDC_RADIO_DO_NOTHING};
constexpr int kPictureControls[] = {IDC_PICTURE_SYNCHRONIZE, IDC_PICTURE_DESKTOP_OVERWRITES,
                                    IDC_PICTURE_HANDHELD_OVERWRITES, IDC_PICTURE_DO_NOTHING};

ConduitLibrary& Conduit() { return ConduitLibrary::Get(); }

ConduitActionSettings Settings(int32_t nextAction) {
  ConduitActionSettings settings;
  std::memset(&settings, 0, sizeof settings);
  settings.version = kSettingsVersion;
  settings.size = kSettingsSize;
  settings.defaultAction = nextAction;
  settings.nextAction = nextAction;
  return settings;
}

HotSyncConfigRecord ConfigRecord(int32_t action) {
  HotSyncConfigRecord record;
  std::memset(&record, 0x5A, sizeof record);
  record.action = action;
  return record;
}

// The Japanese dialog through CfgConduit, as HotSync Manager opens it.
OpenDialog* OpenJapanese(ConduitActionSettings* settings, int32_t* size) {
  return new OpenDialog([settings, size] { return Conduit().cfgConduit(0, settings, size); });
}

OpenDialog* OpenEnglish(HotSyncConfigRecord* record) {
  return new OpenDialog([record] { return Conduit().configureConduit(record); });
}

std::vector<int> CheckedRadios(HWND dialog) {
  std::vector<int> checked;
  for (int id : kRadios) {
    if (SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED) checked.push_back(id);
  }
  return checked;
}

// Waits until exactly these radio buttons are selected: a posted click is handled when the
// dialog's thread comes to it.
bool WaitForCheckedRadios(HWND dialog, const std::vector<int>& expected) {
  DWORD start = GetTickCount();
  while (CheckedRadios(dialog) != expected) {
    if (GetTickCount() - start >= kTimeoutMs) return false;
    Sleep(uidriver::kPollMs);
  }
  return true;
}

// A real click on a button: the automatic check box toggles itself.
void Click(HWND dialog, int id) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
}

// Waits until the dialog's thread has handled what was sent to it so far (not what was
// posted: sent messages come first).
void Settle(HWND dialog) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
}

// Saves the dialog as it shows on the screen, for a person to look at.
void SaveScreenshot(HWND dialog, const std::string& name) {
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Settle(dialog);
  Sleep(300);
  RECT area;
  GetWindowRect(dialog, &area);
  int width = area.right - area.left, height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageBytes;
  CreateDirectoryA((OwnFolder() + "\\artifacts").c_str(), nullptr);
  HANDLE out = CreateFileA((OwnFolder() + "\\artifacts\\" + name + ".bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
  WriteFile(out, bits, imageBytes, &written, nullptr);
  CloseHandle(out);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

HBITMAP PictureOf(HWND dialog, int controlId) {
  return reinterpret_cast<HBITMAP>(SendMessageA(GetDlgItem(dialog, controlId), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// The top-left pixel of a bitmap, which every picture keeps as background.
COLORREF BackgroundOf(HBITMAP bitmap) {
  BITMAP shape = {};
  GetObjectA(bitmap, sizeof shape, &shape);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shape.bmWidth;
  info.bmiHeader.biHeight = -shape.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<DWORD> pixels(static_cast<size_t>(shape.bmWidth) * shape.bmHeight);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, shape.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DWORD bgrx = pixels.empty() ? 0 : pixels[0];
  return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
}

// ---------------------------------------------------------------------------------------------
// The exports without a dialog.

TEST(Exports, ArgumentChecksOfTheRealLibrary) {
  for (const ArgumentCase& c : kArgumentCases) {
    // The real library always has its name; a good CfgConduit call would open its dialog.
    if (!c.nameLoads || (c.call == Call::kCfg && c.expected == 0)) continue;
    SCOPED_TRACE(c.guards);
    Arguments a(c);
    int32_t result = c.call == Call::kInfo
                         ? Conduit().getConduitInfo(c.kind, a.Request(c), a.Out(c), a.Count(c))
                         : Conduit().cfgConduit(c.kind, a.Settings(c), a.Count(c));
    ExpectOutcome(c, result, a);
  }
}

TEST(Exports, NameAndVersion) {
  char name[64];
  std::memset(name, kUntouched, sizeof name);
  EXPECT_EQ(Conduit().getConduitName(name, sizeof name), 0);
  EXPECT_EQ(std::string(name), kConduitName);
  EXPECT_EQ(Conduit().getConduitName(name, 0), -1);
  EXPECT_EQ(Conduit().getConduitName(nullptr, 64), -1);
  EXPECT_EQ(Conduit().getConduitVersion(), 258);
}

TEST(Exports, ConfigureConduitWithoutRecordShowsNothing) {
  int32_t result = 0;
  EXPECT_TRUE(ReturnsWithoutDialog([] { return Conduit().configureConduit(nullptr); }, &result));
  EXPECT_EQ(result, -1);
}

// ---------------------------------------------------------------------------------------------
// The compiled templates.

class Templates : public testing::TestWithParam<const DialogSpec*> {};

TEST_P(Templates, MatchTheirDesign) {
  const DialogSpec& expected = *GetParam();
  DialogTemplate compiled;
  ASSERT_TRUE(ReadDialogTemplate(Conduit().module(), expected.id, &compiled));
  EXPECT_EQ(compiled.style, kDialogStyle);
  EXPECT_EQ(compiled.cx, expected.cx);
  EXPECT_EQ(compiled.cy, expected.cy);
  EXPECT_EQ(compiled.caption, expected.caption);
  EXPECT_EQ(compiled.pointSize, expected.pointSize);
  EXPECT_EQ(compiled.fontName, expected.fontName);
  ASSERT_EQ(compiled.items.size(), expected.controlCount);
  for (size_t i = 0; i < expected.controlCount; ++i) {
    const ControlSpec& want = expected.controls[i];
    const TemplateItem& got = compiled.items[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(want.id));
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(_stricmp(got.className.c_str(), want.className), 0) << got.className;
    EXPECT_EQ(got.style, want.style | WS_CHILD | (want.shown ? WS_VISIBLE : 0)) << std::hex << got.style;
    if (want.text != nullptr) {
      EXPECT_EQ(got.text, want.text);
      EXPECT_EQ(got.textOrdinal, 0);
    } else {
      EXPECT_EQ(got.textOrdinal, want.bitmapId);
    }
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.cx, want.cx);
    EXPECT_EQ(got.cy, want.cy);
  }
}

INSTANTIATE_TEST_SUITE_P(Conduit, Templates, testing::Values(&kJapaneseDialog, &kEnglishDialog),
                         [](const testing::TestParamInfo<const DialogSpec*>& info) {
                           return std::to_string(info.param->id);
                         });

// ---------------------------------------------------------------------------------------------
// The dialogs on the display.

TEST(Dialogs, ShowTheirControlsInOrderWhereDesigned) {
  for (const DialogSpec* expected : {&kJapaneseDialog, &kEnglishDialog}) {
    SCOPED_TRACE(expected->id);
    ConduitActionSettings settings = Settings(Synchronize);
    int32_t size = kSettingsSize;
    HotSyncConfigRecord record = ConfigRecord(Synchronize);
    std::unique_ptr<OpenDialog> open(expected == &kJapaneseDialog ? OpenJapanese(&settings, &size) : OpenEnglish(&record));
    HWND dialog = open->dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(uidriver::GetControlText(dialog, 0), "");
    char caption[256] = {};
    SendMessageA(dialog, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption));
    EXPECT_EQ(std::string(caption), kConduitName);
    EXPECT_EQ(uidriver::GetControlText(dialog, IDC_GROUP_ACTION), "将棋コンジット動作設定");
    std::vector<uidriver::ControlInfo> controls = uidriver::ListControls(dialog);
    ASSERT_EQ(controls.size(), expected->controlCount);
    for (size_t i = 0; i < expected->controlCount; ++i) {
      const ControlSpec& want = expected->controls[i];
      SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(want.id));
      EXPECT_EQ(static_cast<WORD>(controls[i].id), static_cast<WORD>(want.id));
      EXPECT_EQ(controls[i].visible, want.shown);
      RECT designed = {want.x, want.y, want.x + want.cx, want.y + want.cy};
      MapDialogRect(dialog, &designed);
      RECT placed;
      GetWindowRect(controls[i].hwnd, &placed);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
      EXPECT_EQ(placed.left, designed.left);
      EXPECT_EQ(placed.top, designed.top);
    }
    SaveScreenshot(dialog, "dialog" + std::to_string(expected->id));
    uidriver::PostCommand(dialog, IDCANCEL);
    int32_t result;
    EXPECT_TRUE(open->Finish(&result));
  }
}

// One opening of a dialog: the action it starts from, what the user does, what OK hands back.
struct ChoiceCase {
  const char* guards;
  bool japanese;
  int32_t nextAction;
  int selectedRadio;  // selected when the dialog opens
  int clickRadio;     // 0: none
  bool tick;
  int32_t chosenAction;
  int32_t makeDefault;
};

const ChoiceCase kChoiceCases[] = {
    {"101: Synchronize selects use", true, 0, IDC_RADIO_SYNCHRONIZE, 0, false, 0, 2},
    {"101: 1 selects use and OK writes 0", true, 1, IDC_RADIO_SYNCHRONIZE, 0, false, 0, 2},
    {"101: 2 selects a hidden choice, OK keeps 2", true, 2, IDC_RADIO_HANDHELD_OVERWRITES, 0, false, 2, 2},
    {"101: 3 selects a hidden choice, OK keeps 3", true, 3, IDC_RADIO_DESKTOP_OVERWRITES, 0, false, 3, 2},
    {"101: DoNothing selects stop using", true, 6, IDC_RADIO_DO_NOTHING, 0, false, 6, 2},
    {"101: 7 reads as DoNothing", true, 7, IDC_RADIO_DO_NOTHING, 0, false, 6, 2},
    {"101: -1 reads as DoNothing", true, -1, IDC_RADIO_DO_NOTHING, 0, false, 6, 2},
    {"101: stop using, as default", true, 0, IDC_RADIO_SYNCHRONIZE, IDC_RADIO_DO_NOTHING, true, 6, 1},
    {"101: use instead of a hidden choice", true, 2, IDC_RADIO_HANDHELD_OVERWRITES, IDC_RADIO_SYNCHRONIZE, false, 0, 2},
    {"399: Synchronize", false, 0, IDC_RADIO_SYNCHRONIZE, 0, false, 0, 2},
    {"399: 1 shows Synchronize and OK writes 0", false, 1, IDC_RADIO_SYNCHRONIZE, 0, false, 0, 2},
    {"399: HandheldOverwritesDesktop", false, 2, IDC_RADIO_HANDHELD_OVERWRITES, 0, false, 2, 2},
    {"399: DesktopOverwritesHandheld", false, 3, IDC_RADIO_DESKTOP_OVERWRITES, 0, false, 3, 2},
    {"399: DoNothing", false, 6, IDC_RADIO_DO_NOTHING, 0, false, 6, 2},
    {"399: 7 shows Do nothing and OK writes 6", false, 7, IDC_RADIO_DO_NOTHING, 0, false, 6, 2},
    {"399: -1 shows Do nothing and OK writes 6", false, -1, IDC_RADIO_DO_NOTHING, 0, false, 6, 2},
    {"399: desktop overwrites, as default", false, 0, IDC_RADIO_SYNCHRONIZE, IDC_RADIO_DESKTOP_OVERWRITES, true, 3, 1},
    {"399: handheld overwrites", false, 6, IDC_RADIO_DO_NOTHING, IDC_RADIO_HANDHELD_OVERWRITES, false, 2, 2},
};

TEST(Dialogs, SelectTheActionAndHandTheChoiceBackOnOk) {
  for (const ChoiceCase& c : kChoiceCases) {
    SCOPED_TRACE(c.guards);
    ConduitActionSettings settings = Settings(c.nextAction);
    settings.chosenAction = 99;
    settings.makeDefault = 99;
    int32_t size = kSettingsSize;
    HotSyncConfigRecord record = ConfigRecord(c.nextAction);
    std::unique_ptr<OpenDialog> open(c.japanese ? OpenJapanese(&settings, &size) : OpenEnglish(&record));
    HWND dialog = open->dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(CheckedRadios(dialog), std::vector<int>{c.selectedRadio});
    if (c.clickRadio != 0) {
      uidriver::ClickButton(dialog, c.clickRadio);
      EXPECT_TRUE(WaitForCheckedRadios(dialog, {c.clickRadio})) << "the clicked choice alone is selected";
    }
    if (c.tick) Click(dialog, IDC_CHECK_MAKE_DEFAULT);
    uidriver::ClickButton(dialog, IDOK);
    int32_t result = -2;
    ASSERT_TRUE(open->Finish(&result));
    EXPECT_EQ(result, 0);
    if (c.japanese) {
      EXPECT_EQ(settings.chosenAction, c.chosenAction);
      EXPECT_EQ(settings.makeDefault, c.makeDefault);
      EXPECT_EQ(settings.nextAction, c.nextAction);
    } else {
      EXPECT_EQ(record.action, c.chosenAction);
      EXPECT_EQ(record.makeDefault, c.makeDefault);
      for (size_t i = 0; i < sizeof record.unread; ++i) ASSERT_EQ(record.unread[i], 0x5A) << i;
    }
  }
}

// How a dialog is left without OK.
enum class Leave { kCancelButton, kCloseBox, kEscape };

TEST(Dialogs, LeavingWithoutOkWritesNothing) {
  for (Leave leave : {Leave::kCancelButton, Leave::kCloseBox, Leave::kEscape}) {
    for (bool japanese : {true, false}) {
      SCOPED_TRACE(std::string(japanese ? "101" : "399") + ", way " + std::to_string(static_cast<int>(leave)));
      ConduitActionSettings settings = Settings(Synchronize);
      settings.chosenAction = 55;
      settings.makeDefault = 66;
      ConduitActionSettings before = settings;
      int32_t size = kSettingsSize;
      HotSyncConfigRecord record = ConfigRecord(Synchronize);
      HotSyncConfigRecord recordBefore = record;
      std::unique_ptr<OpenDialog> open(japanese ? OpenJapanese(&settings, &size) : OpenEnglish(&record));
      HWND dialog = open->dialog();
      ASSERT_NE(dialog, nullptr);
      uidriver::ClickButton(dialog, IDC_RADIO_DO_NOTHING);
      Click(dialog, IDC_CHECK_MAKE_DEFAULT);
      switch (leave) {
        case Leave::kCancelButton: uidriver::ClickButton(dialog, IDCANCEL); break;
        case Leave::kCloseBox: uidriver::PostCloseBox(dialog); break;
        case Leave::kEscape: uidriver::PressKey(dialog, VK_ESCAPE); break;
      }
      int32_t result = -2;
      ASSERT_TRUE(open->Finish(&result));
      EXPECT_EQ(result, japanese ? 0 : -1);
      EXPECT_EQ(std::memcmp(&settings, &before, sizeof settings), 0);
      EXPECT_EQ(std::memcmp(&record, &recordBefore, sizeof record), 0);
    }
  }
}

struct TextCase {
  const char* guards;
  int32_t showCurrent;
  const char* ownerName;  // null: 64 bytes without terminator, followed by other bytes
  int32_t defaultAction;
  int32_t nextAction;
  const char* groupCaption;
  const char* defaultText;
  const char* nextText;
};

const TextCase kTextCases[] = {
    {"without showCurrent the template texts stay", 0, "佐藤", 0, 6, "%sの現在の設定", "Static", "Static"},
    {"with showCurrent: owner, default and next", 1, "佐藤", 0, 6, "佐藤の現在の設定", "コンジット有効", "コンジット無効"},
    {"the English names of 3 and 2", 1, "Taro", 3, 2, "Taroの現在の設定", "Desktop overwrites Palm organizer.",
     "Palm organizer overwrites Desktop."},
    {"1 and -1", 1, "", 1, -1, "の現在の設定", "コンジット有効", "コンジット無効"},
    {"an owner name without terminator stops at its field", 1, nullptr, 6, 0,
     "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAの現在の設定", "コンジット無効", "コンジット有効"},
};

TEST(Dialogs, JapaneseCurrentSettingsTexts) {
  for (const TextCase& c : kTextCases) {
    SCOPED_TRACE(c.guards);
    ConduitActionSettings settings = Settings(c.nextAction);
    settings.showCurrent = c.showCurrent;
    settings.defaultAction = c.defaultAction;
    if (c.ownerName != nullptr) {
      std::strcpy(settings.ownerName, c.ownerName);
    } else {
      std::memset(settings.ownerName, 'A', sizeof settings.ownerName);
      std::memset(settings.reservedBlock, 'B', sizeof settings.reservedBlock);
    }
    int32_t size = kSettingsSize;
    std::unique_ptr<OpenDialog> open(OpenJapanese(&settings, &size));
    HWND dialog = open->dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(uidriver::GetControlText(dialog, IDC_GROUP_CURRENT_SETTINGS), c.groupCaption);
    EXPECT_EQ(uidriver::GetControlText(dialog, IDC_TEXT_DEFAULT_ACTION), c.defaultText);
    EXPECT_EQ(uidriver::GetControlText(dialog, IDC_TEXT_NEXT_ACTION), c.nextText);
    if (c.showCurrent != 0 && c.ownerName != nullptr && std::string(c.ownerName) == "佐藤") {
      SaveScreenshot(dialog, "dialog101-current-settings");
    }
    uidriver::ClickButton(dialog, IDCANCEL);
    int32_t result;
    EXPECT_TRUE(open->Finish(&result));
  }
}

// F1 as the keyboard gives it, to the dialog in front.
void PressF1(HWND dialog) {
  SetForegroundWindow(dialog);
  Settle(dialog);
  keybd_event(VK_F1, 0, 0, 0);
  keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
}

// Waits until the recorder has seen `count` help calls.
bool WaitForHelpCalls(size_t count) {
  DWORD start = GetTickCount();
  while (Conduit().HelpCallCount() < count) {
    if (GetTickCount() - start >= kTimeoutMs) return false;
    Sleep(uidriver::kPollMs);
  }
  return true;
}

TEST(Dialogs, HelpOpensHotSyncHelpBesideTheLibrary) {
  struct HelpCase {
    const char* guards;
    bool japanese;
    bool button;
  } cases[] = {
      {"F1 in 101, whose Help button is hidden", true, false},
      {"F1 in 399", false, false},
      {"the Help button of 399", false, true},
  };
  for (const HelpCase& c : cases) {
    SCOPED_TRACE(c.guards);
    ConduitActionSettings settings = Settings(Synchronize);
    int32_t size = kSettingsSize;
    HotSyncConfigRecord record = ConfigRecord(Synchronize);
    std::unique_ptr<OpenDialog> open(c.japanese ? OpenJapanese(&settings, &size) : OpenEnglish(&record));
    HWND dialog = open->dialog();
    ASSERT_NE(dialog, nullptr);
    size_t before = Conduit().HelpCallCount();
    if (c.button) {
      uidriver::ClickButton(dialog, IDHELP);
    } else {
      PressF1(dialog);
    }
    ASSERT_TRUE(WaitForHelpCalls(before + 1));
    HelpCall call = Conduit().HelpCallAt(before);
    EXPECT_EQ(call.owner, dialog);
    EXPECT_EQ(call.file, Conduit().Folder() + "\\hotsync.hlp");
    EXPECT_EQ(call.command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(call.data, 131471u);
    EXPECT_TRUE(IsWindow(dialog)) << "help leaves the dialog open";
    uidriver::ClickButton(dialog, IDCANCEL);
    int32_t result;
    EXPECT_TRUE(open->Finish(&result));
    EXPECT_EQ(Conduit().HelpCallCount(), before + 1);
  }
}

// Sets the button face colour for the scope, and puts the old one back.
class ButtonFace {
 public:
  explicit ButtonFace(COLORREF colour) : m_old(GetSysColor(COLOR_BTNFACE)) { Set(colour); }
  ~ButtonFace() { Set(m_old); }

 private:
  static void Set(COLORREF colour) {
    const int element = COLOR_BTNFACE;
    SetSysColors(1, &element, &colour);
  }
  COLORREF m_old;
};

TEST(Dialogs, PicturesFollowTheButtonFaceColour) {
  ConduitActionSettings settings = Settings(Synchronize);
  int32_t size = kSettingsSize;
  std::unique_ptr<OpenDialog> open(OpenJapanese(&settings, &size));
  HWND dialog = open->dialog();
  ASSERT_NE(dialog, nullptr);
  std::vector<HBITMAP> first;
  for (int id : kPictureControls) {
    SCOPED_TRACE(id);
    first.push_back(PictureOf(dialog, id));
    ASSERT_NE(first.back(), nullptr) << "hidden pictures get their bitmaps too";
    EXPECT_EQ(BackgroundOf(first.back()), GetSysColor(COLOR_BTNFACE));
  }
  std::vector<HBITMAP> second;
  {
    const COLORREF kNewFace = RGB(0x40, 0x90, 0xD0);
    ButtonFace face(kNewFace);
    Settle(dialog);
    for (size_t i = 0; i < first.size(); ++i) {
      SCOPED_TRACE(kPictureControls[i]);
      second.push_back(PictureOf(dialog, kPictureControls[i]));
      EXPECT_NE(second.back(), first[i]) << "a fresh bitmap after the colour change";
      EXPECT_EQ(GetObjectType(first[i]), 0u) << "the previous bitmap is deleted";
      EXPECT_EQ(BackgroundOf(second.back()), kNewFace);
    }
    SaveScreenshot(dialog, "dialog101-colour-change");
  }
  uidriver::ClickButton(dialog, IDCANCEL);
  int32_t result;
  ASSERT_TRUE(open->Finish(&result));
  for (size_t i = 0; i < second.size(); ++i) {
    SCOPED_TRACE(kPictureControls[i]);
    EXPECT_EQ(GetObjectType(second[i]), 0u) << "the dialog's last bitmaps are deleted when it closes";
  }
}

}  // namespace
