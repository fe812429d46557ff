// The installer's one run: look up the creator's registration, offer to replace or remove it,
// register the library of the installer's folder. Portable: the Conduit Manager and the
// message boxes come in through the two interfaces below.
#pragma once

#include <cstdint>

// The Conduit Manager's eight operations as the installer calls them.
class ConduitManagerCalls {
 public:
  virtual ~ConduitManagerCalls() = default;
  virtual int32_t LookUpRegistration(const char* creator, int32_t* further) = 0;  // 64
  virtual int32_t RemoveRegistration(const char* creator) = 0;                    // 65
  virtual int32_t CreateRegistration(const char* creator, int32_t value) = 0;     // 67
  virtual int32_t SetIntegerSetting(const char* creator, int32_t value) = 0;      // 40
  virtual int32_t SetConduitLibrary(const char* creator, const char* path) = 0;   // 46
  virtual int32_t SetTextSetting(const char* creator, const char* text) = 0;      // 50
  virtual int32_t SetName(const char* creator, const char* name) = 0;             // 54
  virtual int32_t SetSecondName(const char* creator, const char* text) = 0;       // 56
};

// The buttons and icon of one message box.
enum class MessageKind {
  kYesNoQuestion,  // Yes and No, question icon, Yes the default
  kOk,             // OK, no icon
  kOkInformation,  // OK, information icon
};

enum class Reply { kNo, kOther };

// Message boxes captioned "Conduit Installer", without an owner window.
class InstallerUser {
 public:
  virtual ~InstallerUser() = default;
  virtual Reply Show(const char* text, MessageKind kind) = 0;
};

// folder: the installer's folder, or null when its path could not be read whole.
void RunInstaller(const char* folder, ConduitManagerCalls* manager, InstallerUser* user);
