// ActionDialogProc: the one dialog procedure of the Japanese and the English action dialog.
#include "configure_dialog.h"

#include "configure_actions.h"
#include "configure_bitmaps.h"
#include "configure_help.h"
#include "library_instance.h"
#include "resource_ids.h"

namespace {

constexpr int kTextBufferSize = 256;
// wsprintfA writes at most 1024 characters and the terminator.
constexpr int kFormattedBufferSize = 1025;

// The settings of the dialog that is open; one dialog at a time.
ConduitActionSettings* g_openSettings = nullptr;

void LoadText(int id, char (&text)[kTextBufferSize]) {
  if (LoadStringA(LibraryInstance(), id, text, kTextBufferSize) <= 0) text[0] = '\0';
}

void SelectRadio(HWND dialog, int radioId) {
  CheckRadioButton(dialog, IDC_RADIO_SYNCHRONIZE, IDC_RADIO_DO_NOTHING, radioId);
}

void ShowCurrentSettings(HWND dialog, const ConduitActionSettings& settings, const char* nextText) {
  SetDlgItemTextA(dialog, IDC_TEXT_NEXT_ACTION, nextText);
  char text[kTextBufferSize];
  LoadText(ShownForAction(settings.defaultAction).textId, text);
  SetDlgItemTextA(dialog, IDC_TEXT_DEFAULT_ACTION, text);
  LoadText(IDS_CURRENT_SETTINGS_FORMAT, text);
  char ownerName[kOwnerNameFieldSize + 1];
  OwnerNameOf(settings, ownerName);
  char caption[kFormattedBufferSize];
  wsprintfA(caption, text, ownerName);
  SetDlgItemTextA(dialog, IDC_GROUP_CURRENT_SETTINGS, caption);
}

void InitialiseDialog(HWND dialog, ConduitActionSettings* settings) {
  if (settings == nullptr) return;
  char text[kTextBufferSize];
  LoadText(IDS_ACTION_GROUP_CAPTION, text);
  SetDlgItemTextA(dialog, IDC_GROUP_ACTION, text);
  LoadText(IDS_CONDUIT_NAME, text);
  SetWindowTextA(dialog, text);
  LoadActionBitmaps(dialog);
  g_openSettings = settings;
  ActionShown next = ShownForAction(settings->nextAction);
  SelectRadio(dialog, next.radioId);
  LoadText(next.textId, text);
  if (settings->showCurrent != 0) ShowCurrentSettings(dialog, *settings, text);
}

int FirstSelectedChoice(HWND dialog) {
  const int choices[] = {IDC_RADIO_SYNCHRONIZE, IDC_RADIO_DESKTOP_OVERWRITES, IDC_RADIO_HANDHELD_OVERWRITES};
  for (int id : choices) {
    if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id;
  }
  return 0;
}

void WriteChoice(HWND dialog) {
  // A dialog opened without settings has nowhere to write.
  if (g_openSettings == nullptr) return;
  g_openSettings->chosenAction = ActionOfSelectedRadio(FirstSelectedChoice(dialog));
  g_openSettings->makeDefault = MakeDefaultFor(IsDlgButtonChecked(dialog, IDC_CHECK_MAKE_DEFAULT) == BST_CHECKED);
}

INT_PTR OnCommand(HWND dialog, WPARAM command) {
  // The whole word is compared: only clicks, whose notification code is 0, match.
  switch (command) {
    case IDOK:
      WriteChoice(dialog);
      EndDialog(dialog, 0);
      return 1;
    case IDCANCEL:
      EndDialog(dialog, 1);
      return 1;
    case IDHELP:
      OpenConduitHelp(dialog);
      return 1;
    case IDC_RADIO_SYNCHRONIZE:
    case IDC_RADIO_DESKTOP_OVERWRITES:
    case IDC_RADIO_HANDHELD_OVERWRITES:
    case IDC_RADIO_DO_NOTHING:
      SelectRadio(dialog, static_cast<int>(command));
      return 0;
    default:
      return 0;
  }
}

}  // namespace

INT_PTR CALLBACK ActionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitialiseDialog(dialog, reinterpret_cast<ConduitActionSettings*>(lParam));
      // 0: the dialog manager sets no initial keyboard focus.
      return 0;
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
    case WM_HELP:
      OpenConduitHelp(dialog);
      return 1;
    case WM_SYSCOLORCHANGE:
      LoadActionBitmaps(dialog);
      return 0;
    case WM_DESTROY:
      // The settings belong to the caller, which may free them once the dialog has ended.
      g_openSettings = nullptr;
      ReleaseActionBitmaps(dialog);
      return 0;
    default:
      return 0;
  }
}
