// Registrations in memory for the native tests, with switches that make one store
// operation fail.
#pragma once

#include <map>
#include <string>

#include "registration_store.h"

class MemoryRegistrationStore : public RegistrationStore {
 public:
  StoreResult Load(const std::string& creator, CmRegistration* registration) override {
    if (failLoad) return StoreResult::kFailed;
    auto found = entries.find(creator);
    if (found == entries.end()) return StoreResult::kMissing;
    *registration = found->second;
    return StoreResult::kOk;
  }
  bool Save(const std::string& creator, const CmRegistration& registration) override {
    if (failSave) return false;
    entries[creator] = registration;
    return true;
  }
  StoreResult Erase(const std::string& creator) override {
    if (failErase) return StoreResult::kFailed;
    return entries.erase(creator) == 1 ? StoreResult::kOk : StoreResult::kMissing;
  }

  std::map<std::string, CmRegistration> entries;
  bool failLoad = false;
  bool failSave = false;
  bool failErase = false;
};
