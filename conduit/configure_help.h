// HotSync's help, opened from the action dialogs.
#pragma once

#include <windows.h>

// Opens "hotsync.hlp" from the conduit library's own folder at the conduit's topic, owned
// by the dialog. Does nothing when the library's path cannot be had.
void OpenConduitHelp(HWND dialog);
