// The Conduit Manager's operations: argument checks, the store, the fault plan and the trace.
#include "registration_service.h"

#include <cstring>

#include "stand_in_faults.h"

namespace {

// Creators are four printable characters; the registry takes them as a key name, so no
// backslash.
bool IsCreator(const char* creator) {
  if (creator == nullptr) return false;
  for (int i = 0; i < 4; ++i) {
    unsigned char c = static_cast<unsigned char>(creator[i]);
    if (c < 0x20 || c > 0x7E || c == '\\') return false;
  }
  return creator[4] == '\0';
}

bool Fits(const char* text, size_t bytes) {
  return text != nullptr && strnlen(text, bytes) < bytes;
}

std::string Arguments(const char* creator) { return " " + TraceQuote(creator); }

std::string Arguments(const char* creator, int32_t value) {
  return Arguments(creator) + " " + std::to_string(value);
}

std::string Arguments(const char* creator, const char* text) {
  return Arguments(creator) + " " + TraceQuote(text);
}

char* LibraryField(CmRegistration* r) { return r->library; }
char* TextField(CmRegistration* r) { return r->text; }
char* NameField(CmRegistration* r) { return r->name; }
char* SecondNameField(CmRegistration* r) { return r->secondName; }

}  // namespace

int32_t RegistrationService::Call(const char* operation, const std::string& arguments,
                                  const std::function<int32_t()>& work) {
  int32_t code = InjectedFault(operation);
  if (code == 0) code = work();
  TraceCall(operation + arguments + " = " + TraceCode(code));
  return code;
}

int32_t RegistrationService::LookUp(const char* creator, int32_t* kind) {
  return Call("look-up-registration", Arguments(creator), [&]() -> int32_t {
    if (!IsCreator(creator)) return kCmErrBadArgument;
    CmRegistration found;
    switch (m_store->Load(creator, &found)) {
      case StoreResult::kOk: break;
      case StoreResult::kMissing: return kCmErrNoRegistration;
      case StoreResult::kFailed: return kCmErrStore;
    }
    if (kind != nullptr) *kind = found.kind;
    return kCmOk;
  });
}

int32_t RegistrationService::Remove(const char* creator) {
  return Call("remove-registration", Arguments(creator), [&]() -> int32_t {
    if (!IsCreator(creator)) return kCmErrRemovalFailed;
    return m_store->Erase(creator) == StoreResult::kOk ? kCmOk : kCmErrRemovalFailed;
  });
}

int32_t RegistrationService::Create(const char* creator, int32_t kind) {
  return Call("create-registration", Arguments(creator, kind), [&]() -> int32_t {
    if (!IsCreator(creator)) return kCmErrBadArgument;
    CmRegistration registration;
    switch (m_store->Load(creator, &registration)) {
      case StoreResult::kOk: return kCmErrExists;
      case StoreResult::kMissing: break;
      case StoreResult::kFailed: return kCmErrStore;
    }
    registration = CmRegistration{};
    registration.kind = kind;
    return m_store->Save(creator, registration) ? kCmOk : kCmErrStore;
  });
}

int32_t RegistrationService::Change(const char* creator,
                                    const std::function<void(CmRegistration*)>& apply) {
  if (!IsCreator(creator)) return kCmErrBadArgument;
  CmRegistration registration;
  switch (m_store->Load(creator, &registration)) {
    case StoreResult::kOk: break;
    case StoreResult::kMissing: return kCmErrNoRegistration;
    case StoreResult::kFailed: return kCmErrStore;
  }
  apply(&registration);
  return m_store->Save(creator, registration) ? kCmOk : kCmErrStore;
}

int32_t RegistrationService::SetIntegerSetting(const char* creator, int32_t setting) {
  return Call("set-integer-setting", Arguments(creator, setting), [&] {
    return Change(creator, [&](CmRegistration* r) { r->setting = setting; });
  });
}

int32_t RegistrationService::SetText(const char* operation, const char* creator,
                                     const char* text, char* (*field)(CmRegistration*),
                                     size_t bytes) {
  return Call(operation, Arguments(creator, text), [&]() -> int32_t {
    if (!Fits(text, bytes)) return kCmErrBadArgument;
    return Change(creator, [&](CmRegistration* r) { std::strcpy(field(r), text); });
  });
}

int32_t RegistrationService::SetConduitLibrary(const char* creator, const char* path) {
  return SetText("set-conduit-library", creator, path, LibraryField, kCmLibraryBytes);
}

int32_t RegistrationService::SetTextSetting(const char* creator, const char* text) {
  return SetText("set-text-setting", creator, text, TextField, kCmTextBytes);
}

int32_t RegistrationService::SetName(const char* creator, const char* name) {
  return SetText("set-name", creator, name, NameField, kCmTextBytes);
}

int32_t RegistrationService::SetSecondName(const char* creator, const char* text) {
  return SetText("set-second-name", creator, text, SecondNameField, kCmTextBytes);
}

int32_t RegistrationService::Read(const char* creator, CmRegistration* registration) {
  return Call("read-registration", Arguments(creator), [&]() -> int32_t {
    if (!IsCreator(creator) || registration == nullptr) return kCmErrBadArgument;
    CmRegistration found;
    switch (m_store->Load(creator, &found)) {
      case StoreResult::kOk:
        *registration = found;
        return kCmOk;
      case StoreResult::kMissing: return kCmErrNoRegistration;
      case StoreResult::kFailed: break;
    }
    return kCmErrStore;
  });
}
