// The registry's side of the registrations: a key per creator, a value per field.
#include "registry_store_win.h"

#include <windows.h>

namespace {

const char kRootKey[] = "Software\\Marbelo\\Conduit Manager";

std::string CreatorKey(const std::string& creator) { return std::string(kRootKey) + "\\" + creator; }

struct TextValue {
  const char* name;
  char* (*field)(CmRegistration*);
  size_t bytes;
};

const TextValue kTextValues[] = {
    {"Library", [](CmRegistration* r) { return r->library; }, kCmLibraryBytes},
    {"Text", [](CmRegistration* r) { return r->text; }, kCmTextBytes},
    {"Name", [](CmRegistration* r) { return r->name; }, kCmTextBytes},
    {"Second Name", [](CmRegistration* r) { return r->secondName; }, kCmTextBytes},
};

bool ReadInteger(HKEY key, const char* name, int32_t* value) {
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof data;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof data) {
    return false;
  }
  *value = static_cast<int32_t>(data);
  return true;
}

// A text that would not fit its field counts as unreadable: it is never cut.
bool ReadText(HKEY key, const char* name, char* field, size_t bytes) {
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(bytes);
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(field), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return false;
  }
  if (size > 0 && field[size - 1] == '\0') return true;
  if (size >= bytes) return false;
  field[size] = '\0';
  return true;
}

bool WriteInteger(HKEY key, const char* name, int32_t value) {
  DWORD data = static_cast<DWORD>(value);
  return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
         ERROR_SUCCESS;
}

bool WriteText(HKEY key, const char* name, const char* text) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(strlen(text) + 1)) == ERROR_SUCCESS;
}

}  // namespace

StoreResult RegistryStore::Load(const std::string& creator, CmRegistration* registration) {
  HKEY key = nullptr;
  LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, CreatorKey(creator).c_str(), 0, KEY_READ, &key);
  if (opened == ERROR_FILE_NOT_FOUND) return StoreResult::kMissing;
  if (opened != ERROR_SUCCESS) return StoreResult::kFailed;
  bool whole = ReadInteger(key, "Kind", &registration->kind) &&
               ReadInteger(key, "Setting", &registration->setting);
  for (const TextValue& value : kTextValues) {
    whole = whole && ReadText(key, value.name, value.field(registration), value.bytes);
  }
  RegCloseKey(key);
  return whole ? StoreResult::kOk : StoreResult::kFailed;
}

bool RegistryStore::Save(const std::string& creator, const CmRegistration& registration) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, CreatorKey(creator).c_str(), 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  CmRegistration copy = registration;
  bool written = WriteInteger(key, "Kind", copy.kind) && WriteInteger(key, "Setting", copy.setting);
  for (const TextValue& value : kTextValues) {
    written = written && WriteText(key, value.name, value.field(&copy));
  }
  RegCloseKey(key);
  return written;
}

StoreResult RegistryStore::Erase(const std::string& creator) {
  LONG deleted = RegDeleteKeyA(HKEY_CURRENT_USER, CreatorKey(creator).c_str());
  if (deleted == ERROR_SUCCESS) return StoreResult::kOk;
  return deleted == ERROR_FILE_NOT_FOUND ? StoreResult::kMissing : StoreResult::kFailed;
}
