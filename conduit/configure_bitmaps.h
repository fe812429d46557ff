// The action dialogs' pictures: drawn on the button face colour, released at the end.
#pragma once

#include <windows.h>

// Gives the dialog's four pictures fresh bitmaps whose background is the button face colour,
// deleting the ones they held. Pictures the dialog lacks are skipped.
void LoadActionBitmaps(HWND dialog);

// Takes the four pictures' bitmaps out of their controls and deletes them, when the dialog
// closes: the controls do not delete bitmaps that were handed to them.
void ReleaseActionBitmaps(HWND dialog);
