// Paths and console output of the host.
#include "host_paths.h"

#include <windows.h>

#include <cstdio>
#include <vector>

std::string HostFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string module(path, length);
  size_t cut = module.find_last_of('\\');
  return cut == std::string::npos ? "." : module.substr(0, cut);
}

std::string HandheldFolderPath(const std::string& given) {
  std::string folder = given.empty() ? HostFolder() + "\\handheld" : given;
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return folder;
  return std::string(full, length);
}

std::string Utf8FromShiftJis(const std::string& text) {
  if (text.empty()) return text;
  int wide = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::vector<wchar_t> units(wide);
  MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), units.data(), wide);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, units.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(bytes, '\0');
  WideCharToMultiByte(CP_UTF8, 0, units.data(), wide, &out[0], bytes, nullptr, nullptr);
  return out;
}

void PrintRaw(const std::string& text) {
  std::fflush(stdout);
  DWORD wrote = 0;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr);
}
