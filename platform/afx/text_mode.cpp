// Line feed expansion for text-mode files.
#include "text_mode.h"

std::string ToTextModeBytes(const char* text) {
  std::string bytes;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\n') bytes += '\r';
    bytes += *p;
  }
  return bytes;
}
