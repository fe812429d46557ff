// The dialog procedure of both action dialogs.
#pragma once

#include <windows.h>

// The creation parameter is the ConduitActionSettings the dialog shows and, on OK, fills.
INT_PTR CALLBACK ActionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
