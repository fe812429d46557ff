// Where the host finds what it works with by default, and its console output.
#pragma once

#include <string>

// The folder of hotsync.exe, without a trailing backslash.
std::string HostFolder();

// DIR made absolute; the handheld folder defaults to "handheld" beside hotsync.exe.
std::string HandheldFolderPath(const std::string& given);

// Shift-JIS text as UTF-8, for the terminal.
std::string Utf8FromShiftJis(const std::string& text);

// Writes bytes to standard output as they are (no line-end translation).
void PrintRaw(const std::string& text);
