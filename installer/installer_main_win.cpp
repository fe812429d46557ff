// Installer.exe: registers the conduit library of its own folder with the Conduit Manager,
// speaking to the user through message boxes only.
#include <windows.h>

#include "conduit_manager.h"
#include "install_flow.h"
#include "installer_folder.h"
#include "conduit_registration.h"

namespace {

class ImportedConduitManager : public ConduitManagerCalls {
 public:
  int32_t LookUpRegistration(const char* creator, int32_t* further) override {
    return CmLookUpRegistration(creator, further);
  }
  int32_t RemoveRegistration(const char* creator) override { return CmRemoveRegistration(creator); }
  int32_t CreateRegistration(const char* creator, int32_t value) override {
    return CmCreateRegistration(creator, value);
  }
  int32_t SetIntegerSetting(const char* creator, int32_t value) override {
    return CmSetIntegerSetting(creator, value);
  }
  int32_t SetConduitLibrary(const char* creator, const char* path) override {
    return CmSetConduitLibrary(creator, path);
  }
  int32_t SetTextSetting(const char* creator, const char* text) override {
    return CmSetTextSetting(creator, text);
  }
  int32_t SetName(const char* creator, const char* name) override { return CmSetName(creator, name); }
  int32_t SetSecondName(const char* creator, const char* text) override {
    return CmSetSecondName(creator, text);
  }
};

class MessageBoxUser : public InstallerUser {
 public:
  Reply Show(const char* text, MessageKind kind) override {
    UINT style = MB_OK;
    switch (kind) {
      case MessageKind::kYesNoQuestion: style = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1; break;
      case MessageKind::kOk: style = MB_OK; break;
      case MessageKind::kOkInformation: style = MB_OK | MB_ICONINFORMATION; break;
    }
    return MessageBoxA(nullptr, text, "Conduit Installer", style) == IDNO ? Reply::kNo : Reply::kOther;
  }
};

// The folder of this executable; false when its path did not fit the buffer whole.
bool ReadInstallerFolder(char (&folder)[kPathBytes]) {
  DWORD length = GetModuleFileNameA(GetModuleHandleA(nullptr), folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return false;
  CutToFolder(folder);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char folder[kPathBytes] = {};
  bool known = ReadInstallerFolder(folder);
  ImportedConduitManager manager;
  MessageBoxUser user;
  RunInstaller(known ? folder : nullptr, &manager, &user);
  return 0;
}
