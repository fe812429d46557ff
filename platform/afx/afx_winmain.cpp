// The program's WinMain, compiled into each program so the linker finds it.
#include "afx_entry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return AfxWinMain(instance); }
