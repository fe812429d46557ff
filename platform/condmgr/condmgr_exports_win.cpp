// CONDMGR.dll's exports: each operation of the one service over the registry.
#include "conduit_manager.h"
#include "registration_service.h"
#include "registry_store_win.h"

namespace {

RegistrationService& Service() {
  static RegistryStore store;
  static RegistrationService service(&store);
  return service;
}

}  // namespace

extern "C" {

int32_t __cdecl CmLookUpRegistration(const char* creator, int32_t* kind) {
  return Service().LookUp(creator, kind);
}

int32_t __cdecl CmRemoveRegistration(const char* creator) { return Service().Remove(creator); }

int32_t __cdecl CmCreateRegistration(const char* creator, int32_t kind) {
  return Service().Create(creator, kind);
}

int32_t __cdecl CmSetIntegerSetting(const char* creator, int32_t setting) {
  return Service().SetIntegerSetting(creator, setting);
}

int32_t __cdecl CmSetConduitLibrary(const char* creator, const char* path) {
  return Service().SetConduitLibrary(creator, path);
}

int32_t __cdecl CmSetTextSetting(const char* creator, const char* text) {
  return Service().SetTextSetting(creator, text);
}

int32_t __cdecl CmSetName(const char* creator, const char* name) {
  return Service().SetName(creator, name);
}

int32_t __cdecl CmSetSecondName(const char* creator, const char* text) {
  return Service().SetSecondName(creator, text);
}

int32_t __cdecl CmReadRegistration(const char* creator, CmRegistration* registration) {
  return Service().Read(creator, registration);
}

}
