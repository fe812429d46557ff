// Where the Conduit Manager keeps its registrations, one record per creator: the Windows
// registry in CONDMGR.dll, memory in the native tests.
#pragma once

#include <string>

#include "conduit_manager.h"

enum class StoreResult { kOk, kMissing, kFailed };

class RegistrationStore {
 public:
  virtual ~RegistrationStore() = default;
  // kMissing when the creator has no registration; kFailed when it cannot be read whole.
  virtual StoreResult Load(const std::string& creator, CmRegistration* registration) = 0;
  // Creates or replaces the creator's registration. False when it could not be written.
  virtual bool Save(const std::string& creator, const CmRegistration& registration) = 0;
  // kMissing when there was none to erase.
  virtual StoreResult Erase(const std::string& creator) = 0;
};
