// The HotSync log as a file: each entry one time-stamped line, its Shift-JIS bytes kept.
// Portable: no Windows calls.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

// "YYYY-MM-DD HH:MM:SS " and the text as given (its bytes untouched), a CR LF pair after it.
// A line break inside the text would split the entry: CR and LF become spaces.
std::string LogLine(const std::tm& when, const char* text);

// Appends one entry to the log at path. False when the file cannot be written.
bool AppendLogEntry(const std::string& path, const std::tm& when, const char* text);
