// The two action dialogs as the conduit's users must see them: every control of each
// template, in template order, with its text, style, position and visibility.
#pragma once

#include <windows.h>

#include "resource_ids.h"

struct ControlSpec {
  int id;
  const char* className;
  const char* text;  // template text; null for a picture
  int bitmapId;      // the picture's bitmap, or 0
  DWORD style;       // besides WS_CHILD and WS_VISIBLE
  bool shown;
  short x, y, cx, cy;
};

struct DialogSpec {
  int id;
  const char* caption;
  const char* fontName;
  WORD pointSize;
  short cx, cy;
  const ControlSpec* controls;
  size_t controlCount;
};

constexpr DWORD kRadio = BS_RADIOBUTTON;
constexpr DWORD kFirstRadio = BS_RADIOBUTTON | WS_GROUP | WS_TABSTOP;
constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kGroupStart = BS_GROUPBOX | WS_GROUP;
constexpr DWORD kGroup = BS_GROUPBOX;
constexpr DWORD kPicture = SS_BITMAP;
constexpr DWORD kText = SS_LEFT | WS_GROUP;

inline const ControlSpec kJapaneseControls[] = {
    {IDC_RADIO_SYNCHRONIZE, "Button", "使用する", 0, kFirstRadio, true, 65, 70, 79, 10},
    {IDC_RADIO_DESKTOP_OVERWRITES, "Button", "&Desktop overwrites handheld", 0, kRadio, false, 45, 122, 108, 10},
    {IDC_RADIO_HANDHELD_OVERWRITES, "Button", "&Handheld overwrites Desktop", 0, kRadio, false, 47, 110, 108, 10},
    {IDC_RADIO_DO_NOTHING, "Button", "使用停止", 0, kRadio, true, 65, 95, 48, 10},
    {IDC_CHECK_MAKE_DEFAULT, "Button", "標準に設定", 0, kCheckBox, true, 195, 105, 58, 10},
    {IDOK, "Button", "OK", 0, kDefaultButton, true, 196, 57, 50, 14},
    {IDCANCEL, "Button", "キャンセル", 0, kButton, true, 196, 73, 50, 14},
    {IDHELP, "Button", "&Help", 0, kButton, false, 196, 89, 50, 14},
    {IDC_GROUP_ACTION, "Button", "コンジットの動作設定", 0, kGroupStart, true, 8, 54, 167, 61},
    {IDC_PICTURE_SYNCHRONIZE, "Static", nullptr, IDB_SYNCHRONIZE, kPicture, true, 15, 65, 32, 17},
    {IDC_PICTURE_DESKTOP_OVERWRITES, "Static", nullptr, IDB_DESKTOP_OVERWRITES, kPicture, false, 15, 110, 32, 17},
    {IDC_PICTURE_HANDHELD_OVERWRITES, "Static", nullptr, IDB_HANDHELD_OVERWRITES, kPicture, false, 10, 115, 32, 17},
    {IDC_PICTURE_DO_NOTHING, "Static", nullptr, IDB_DO_NOTHING, kPicture, true, 15, 95, 32, 17},
    {IDC_GROUP_CURRENT_SETTINGS, "Button", "%sの現在の設定", 0, kGroup, true, 8, 8, 238, 44},
    {IDC_STATIC_TEXT, "Static", "標準の動作", 0, kText, true, 14, 23, 77, 8},
    {IDC_TEXT_DEFAULT_ACTION, "Static", "Static", 0, kText, true, 103, 23, 131, 8},
    {IDC_STATIC_TEXT, "Static", "次回の動作", 0, kText, true, 14, 36, 77, 8},
    {IDC_TEXT_NEXT_ACTION, "Static", "Static", 0, kText, true, 103, 36, 131, 8},
};

inline const ControlSpec kEnglishControls[] = {
    {IDC_RADIO_SYNCHRONIZE, "Button", "&Synchronize the files", 0, kFirstRadio, true, 72, 34, 79, 10},
    {IDC_RADIO_DESKTOP_OVERWRITES, "Button", "&Desktop overwrites handheld", 0, kRadio, true, 72, 60, 108, 10},
    {IDC_RADIO_HANDHELD_OVERWRITES, "Button", "&Handheld overwrites Desktop", 0, kRadio, true, 72, 86, 108, 10},
    {IDC_RADIO_DO_NOTHING, "Button", "Do &nothing", 0, kRadio, true, 72, 112, 48, 10},
    {IDC_CHECK_MAKE_DEFAULT, "Button", "Set &as default", 0, kCheckBox, true, 196, 74, 58, 10},
    {IDOK, "Button", "OK", 0, kDefaultButton, true, 196, 11, 50, 14},
    {IDCANCEL, "Button", "Cancel", 0, kButton, true, 196, 27, 50, 14},
    {IDHELP, "Button", "&Help", 0, kButton, true, 196, 43, 50, 14},
    {IDC_GROUP_ACTION, "Button", "<PlaceHolder>", 0, kGroupStart, true, 8, 8, 177, 124},
    {IDC_PICTURE_SYNCHRONIZE, "Static", nullptr, IDB_SYNCHRONIZE, kPicture, true, 14, 30, 32, 15},
    {IDC_PICTURE_DESKTOP_OVERWRITES, "Static", nullptr, IDB_DESKTOP_OVERWRITES, kPicture, true, 14, 56, 32, 15},
    {IDC_PICTURE_HANDHELD_OVERWRITES, "Static", nullptr, IDB_HANDHELD_OVERWRITES, kPicture, true, 14, 82, 32, 15},
    {IDC_PICTURE_DO_NOTHING, "Static", nullptr, IDB_DO_NOTHING, kPicture, true, 14, 108, 32, 15},
};

inline const DialogSpec kJapaneseDialog = {IDD_ACTION_JAPANESE, "Hotsync動作設定", "MS UI Gothic", 10, 257, 133,
                                           kJapaneseControls, sizeof kJapaneseControls / sizeof kJapaneseControls[0]};
inline const DialogSpec kEnglishDialog = {IDD_ACTION_ENGLISH, "Change HotSync Action", "MS Sans Serif", 8, 262, 141,
                                          kEnglishControls, sizeof kEnglishControls / sizeof kEnglishControls[0]};

constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
