// The installer's flow and its message texts.
#include "install_flow.h"

#include "conduit_registration.h"

namespace {

const char kAlreadyInstalled[] =
    "既にコンジットがインストールされています。\n削除して入れ直しますか?\n\n"
    "いいえを選択するとコンジットをアンインストールします。";
const char kRemovalFailed[] = "削除に失敗しました。";
const char kUninstallFailed[] = "アンインストールに失敗しました。";
const char kInstalled[] = "正常にインストールされました。";
const char kInstallFailed[] = "インストールに失敗しました。";

const char kCreator[] = "ZHMQ";
const int32_t kRemovalFailedCode = -1002;

// All six calls are made whatever each answers. Only when every one answered 0 is the
// registration whole: answers that add up to 0 are not.
void Register(const char* folder, ConduitManagerCalls* manager, InstallerUser* user) {
  ConduitRegistration registration;
  FillConduitRegistration(&registration);
  char libraryPath[kPathBytes];
  if (folder == nullptr || !BuildLibraryPath(folder, registration.libraryName, libraryPath)) {
    user->Show(kInstallFailed, MessageKind::kOkInformation);
    return;
  }
  const int32_t answers[] = {
      manager->CreateRegistration(registration.creator, registration.createValue),
      manager->SetIntegerSetting(registration.creator, registration.settingValue),
      manager->SetConduitLibrary(registration.creator, libraryPath),
      manager->SetTextSetting(registration.creator, registration.text),
      manager->SetName(registration.creator, registration.name),
      manager->SetSecondName(registration.creator, registration.secondName),
  };
  bool whole = true;
  for (int32_t answer : answers) whole = whole && answer == 0;
  user->Show(whole ? kInstalled : kInstallFailed, MessageKind::kOkInformation);
}

}  // namespace

void RunInstaller(const char* folder, ConduitManagerCalls* manager, InstallerUser* user) {
  int32_t further = 0;
  if (manager->LookUpRegistration(kCreator, &further) == 0) {
    Reply reply = user->Show(kAlreadyInstalled, MessageKind::kYesNoQuestion);
    int32_t removal = manager->RemoveRegistration(kCreator);
    if (reply == Reply::kNo) {
      if (removal == kRemovalFailedCode) user->Show(kUninstallFailed, MessageKind::kOk);
      return;
    }
    if (removal == kRemovalFailedCode) {
      user->Show(kRemovalFailed, MessageKind::kOk);
      return;
    }
  }
  Register(folder, manager, user);
}
