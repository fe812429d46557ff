// Appends one line to the trace file named by MARBELO_TRACE, if it is set.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstdio>

// Read through the process environment, so that a test may point it elsewhere between calls.
inline void AppendTraceLine(const char* format, ...) {
  char path[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("MARBELO_TRACE", path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  FILE* trace = std::fopen(path, "ab");
  if (trace == nullptr) return;
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(trace, format, arguments);
  va_end(arguments);
  std::fputc('\n', trace);
  std::fclose(trace);
}
