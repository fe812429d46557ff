// The framework's entry code, called from the program's WinMain.
#pragma once

#include <windows.h>

// Runs the one application object; returns the program's exit code.
int AfxWinMain(HINSTANCE instance);
