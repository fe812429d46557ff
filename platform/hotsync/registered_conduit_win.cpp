// Reading the registration back through CONDMGR.dll's by-name read, loaded only when asked
// so that sessions of a named conduit need no Conduit Manager.
#include "registered_conduit.h"

#include <windows.h>

#include "conduit_manager.h"

namespace {

using ReadRegistrationFunction = int32_t(__cdecl*)(const char*, CmRegistration*);

}  // namespace

RegisteredConduit FindRegisteredConduit(const char* creator, std::string* library, std::string* why) {
  HMODULE manager = LoadLibraryA("CONDMGR.dll");
  if (manager == nullptr) {
    *why = "cannot load the Conduit Manager CONDMGR.dll (error " + std::to_string(GetLastError()) + ")";
    return RegisteredConduit::kUnreadable;
  }
  auto read = reinterpret_cast<ReadRegistrationFunction>(
      reinterpret_cast<void*>(GetProcAddress(manager, "CmReadRegistration")));
  if (read == nullptr) {
    FreeLibrary(manager);
    *why = "CONDMGR.dll cannot read registrations back";
    return RegisteredConduit::kUnreadable;
  }
  CmRegistration registration = {};
  int32_t answer = read(creator, &registration);
  FreeLibrary(manager);
  if (answer == kCmErrNoRegistration || (answer == kCmOk && registration.library[0] == '\0')) {
    *why = std::string("no conduit is registered for ") + creator;
    return RegisteredConduit::kNone;
  }
  if (answer != kCmOk) {
    *why = std::string("cannot read the registration of ") + creator + " (answer " + std::to_string(answer) + ")";
    return RegisteredConduit::kUnreadable;
  }
  *library = registration.library;
  return RegisteredConduit::kFound;
}
