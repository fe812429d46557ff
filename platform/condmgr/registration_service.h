// The Conduit Manager's operations over a store of registrations, with the shared fault plan
// and call trace in front of each. Portable: no Windows calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "conduit_manager.h"
#include "registration_store.h"

class RegistrationService {
 public:
  explicit RegistrationService(RegistrationStore* store) : m_store(store) {}

  // 0 and the registration's kind (when kind is not null) if one exists,
  // kCmErrNoRegistration if none does.
  int32_t LookUp(const char* creator, int32_t* kind);
  // kCmErrRemovalFailed for every removal that removed nothing.
  int32_t Remove(const char* creator);
  // Starts a registration of this kind with empty settings; kCmErrExists when there is one.
  int32_t Create(const char* creator, int32_t kind);
  // The setters change one field of an existing registration.
  int32_t SetIntegerSetting(const char* creator, int32_t setting);
  int32_t SetConduitLibrary(const char* creator, const char* path);
  int32_t SetTextSetting(const char* creator, const char* text);
  int32_t SetName(const char* creator, const char* name);
  int32_t SetSecondName(const char* creator, const char* text);
  // The whole registration, for the host.
  int32_t Read(const char* creator, CmRegistration* registration);

 private:
  // Runs work unless the fault plan fails the call, and traces the call with its arguments.
  int32_t Call(const char* operation, const std::string& arguments,
               const std::function<int32_t()>& work);
  int32_t Change(const char* creator, const std::function<void(CmRegistration*)>& apply);
  int32_t SetText(const char* operation, const char* creator, const char* text,
                  char* (*field)(CmRegistration*), size_t bytes);

  RegistrationStore* m_store;
};
