// Deriving the handheld database name from a PC file name.
#include "database_name.h"

#include <cstring>

namespace {

constexpr size_t kExtensionLength = 4;  // ".kif", and the part of a name taken as its extension
constexpr size_t kLongStemCut = 27;

bool IsShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Whether the byte at `index` begins a double-byte character, found by walking the characters
// from the start: a second byte can take a lead byte's value (棋 is 8A FB), and cutting after
// the first byte of such a pair would leave half a character.
bool StartsDoubleByteCharacter(const char* text, size_t index) {
  size_t position = 0;
  while (position < index) {
    position += IsShiftJisLeadByte(static_cast<unsigned char>(text[position])) ? 2 : 1;
  }
  return position == index && IsShiftJisLeadByte(static_cast<unsigned char>(text[index]));
}

}  // namespace

void DeriveDatabaseName(const char* fileName, char out[kDatabaseNameFieldSize]) {
  size_t length = std::strlen(fileName);
  if (length < kDatabaseNameFieldSize) {
    std::memcpy(out, fileName, length + 1);
    return;
  }
  size_t keep = kLongStemCut;
  if (StartsDoubleByteCharacter(fileName, keep - 1)) --keep;
  std::memcpy(out, fileName, keep);
  std::memcpy(out + keep, ".kif", kExtensionLength + 1);
}
