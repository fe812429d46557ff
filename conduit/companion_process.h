// Starting the companion program and watching whether it still runs.
#pragma once

#include <windows.h>

// Starts the program with the shell verb "open": no owner window, no parameters, no working
// folder, shown normally. Returns false when the shell could not start it; *process is then
// null. Otherwise *process is the program's process (null when the shell gave none), to be
// closed by the caller.
bool StartCompanion(const char* path, HANDLE* process);

// True when the process has ended; a null process is never known to end.
bool CompanionHasEnded(HANDLE process);
