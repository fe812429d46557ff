// The action dialogs' pictures, drawn on the current button face colour.
#include "configure_bitmaps.h"

#include <commctrl.h>

#include "library_instance.h"
#include "resource_ids.h"

namespace {

// The pictures' background, which the button face colour replaces.
constexpr COLORREF kPictureBackground = RGB(0xC0, 0xC0, 0xC0);

struct Picture {
  int bitmapId;
  int controlId;
};

constexpr Picture kPictures[] = {
    {IDB_SYNCHRONIZE, IDC_PICTURE_SYNCHRONIZE},
    {IDB_DESKTOP_OVERWRITES, IDC_PICTURE_DESKTOP_OVERWRITES},
    {IDB_HANDHELD_OVERWRITES, IDC_PICTURE_HANDHELD_OVERWRITES},
    {IDB_DO_NOTHING, IDC_PICTURE_DO_NOTHING},
};

}  // namespace

void LoadActionBitmaps(HWND dialog) {
  COLORMAP map = {kPictureBackground, GetSysColor(COLOR_BTNFACE)};
  for (const Picture& picture : kPictures) {
    HWND control = GetDlgItem(dialog, picture.controlId);
    if (control == nullptr) continue;
    HBITMAP bitmap = CreateMappedBitmap(LibraryInstance(), picture.bitmapId, 0, &map, 1);
    // Without a new bitmap the control keeps the one it shows.
    if (bitmap == nullptr) continue;
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous != nullptr) DeleteObject(previous);
  }
}

void ReleaseActionBitmaps(HWND dialog) {
  for (const Picture& picture : kPictures) {
    HWND control = GetDlgItem(dialog, picture.controlId);
    if (control == nullptr) continue;
    HGDIOBJ held = reinterpret_cast<HGDIOBJ>(SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, 0));
    if (held != nullptr) DeleteObject(held);
  }
}
