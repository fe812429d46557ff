// Environment variables through the C library, for the native build.
#include "environment.h"

#include <cstdlib>

bool ReadEnvironment(const char* name, std::string* value) {
  const char* text = std::getenv(name);
  if (text == nullptr) return false;
  *value = text;
  return true;
}
