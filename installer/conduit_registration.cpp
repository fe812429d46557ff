// The registration's values and the library path.
#include "conduit_registration.h"

#include <cstdio>
#include <cstring>

void FillConduitRegistration(ConduitRegistration* registration) {
  std::memset(registration, 0, sizeof *registration);
  std::strcpy(registration->creator, "ZHMQ");
  registration->createValue = 1;
  registration->settingValue = 2;
  std::strcpy(registration->libraryName, "\\Dalvex.dll");
  std::strcpy(registration->text, "");
  std::strcpy(registration->name, "将棋 Conduit");
  std::strcpy(registration->secondName, "将棋 Conduit");
}

bool BuildLibraryPath(const char* folder, const char* libraryName, char (&out)[kPathBytes]) {
  int length = std::snprintf(out, sizeof out, "%s%s", folder, libraryName);
  if (length >= 0 && static_cast<size_t>(length) < sizeof out) return true;
  out[0] = '\0';
  return false;
}
