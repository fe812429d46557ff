// Environment variables from the process block: a DLL's C library keeps a copy taken at load.
#include "environment.h"

#include <windows.h>

#include <vector>

bool ReadEnvironment(const char* name, std::string* value) {
  DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return false;
  std::vector<char> text(size);
  DWORD length = GetEnvironmentVariableA(name, text.data(), size);
  if (length >= size) return false;
  value->assign(text.data(), length);
  return true;
}
