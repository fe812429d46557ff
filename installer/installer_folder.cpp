// The folder of the installer's own path.
#include "installer_folder.h"

namespace {

bool IsShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

void CutToFolder(char* path) {
  char* last = nullptr;
  for (char* p = path; *p != '\0'; ++p) {
    if (*p == '\\' && p != path) {
      last = p;
    } else if (IsShiftJisLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
      ++p;
    }
  }
  if (last != nullptr) *last = '\0';
}
