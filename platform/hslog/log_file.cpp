// Writing entries of the HotSync log file.
#include "log_file.h"

#include <cstdio>

std::string LogLine(const std::tm& when, const char* text) {
  char stamp[80];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", when.tm_year + 1900, when.tm_mon + 1,
                when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
  std::string line = stamp;
  for (const char* p = text; *p != '\0'; ++p) line += (*p == '\r' || *p == '\n') ? ' ' : *p;
  return line + "\r\n";
}

bool AppendLogEntry(const std::string& path, const std::tm& when, const char* text) {
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return false;
  std::string line = LogLine(when, text);
  bool ok = std::fwrite(line.data(), 1, line.size(), file) == line.size();
  return std::fclose(file) == 0 && ok;
}
