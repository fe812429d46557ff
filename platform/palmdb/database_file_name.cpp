// Database names to file names of the handheld folder.
#include "database_file_name.h"

#include <cctype>

namespace {

bool Kept(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == ' ';
}

std::string Escaped(unsigned char c) {
  static const char digits[] = "0123456789ABCDEF";
  return std::string("%") + digits[c >> 4] + digits[c & 15];
}

bool IsDeviceName(const std::string& stem) {
  std::string upper;
  for (char c : stem) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  // Windows also takes a device name followed by spaces as the device.
  while (!upper.empty() && upper.back() == ' ') upper.pop_back();
  static const char* const devices[] = {"CON", "PRN", "AUX", "NUL"};
  for (const char* device : devices) {
    if (upper == device) return true;
  }
  return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
         upper[3] >= '0' && upper[3] <= '9';
}

}  // namespace

std::string DatabaseFileName(const std::string& databaseName) {
  return DatabaseFileName(databaseName, 0);
}

std::string DatabaseFileName(const std::string& databaseName, unsigned alternative) {
  std::string stem;
  for (unsigned char c : databaseName) stem += Kept(c) ? std::string(1, static_cast<char>(c)) : Escaped(c);
  if (IsDeviceName(stem)) stem = Escaped(static_cast<unsigned char>(stem[0])) + stem.substr(1);
  if (alternative != 0) stem += "~" + std::to_string(alternative);
  return stem + ".pdb";
}
