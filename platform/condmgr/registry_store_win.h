// Registrations kept in the Windows registry, one key per creator under the stand-in's own
// key, so they outlive the process as HotSync Manager's do.
#pragma once

#include "registration_store.h"

class RegistryStore : public RegistrationStore {
 public:
  StoreResult Load(const std::string& creator, CmRegistration* registration) override;
  bool Save(const std::string& creator, const CmRegistration& registration) override;
  StoreResult Erase(const std::string& creator) override;
};
