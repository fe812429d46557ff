// The ConduitAction shown by the action dialogs, and the choice they hand back.
#include "configure_actions.h"

#include <cstring>

#include "conduit_action.h"
#include "resource_ids.h"

ActionShown ShownForAction(int32_t action) {
  switch (static_cast<uint32_t>(action)) {
    case Synchronize:
    case 1: return {IDC_RADIO_SYNCHRONIZE, IDS_ACTION_ENABLED};
    case HandheldOverwritesDesktop: return {IDC_RADIO_HANDHELD_OVERWRITES, IDS_ACTION_HANDHELD_OVERWRITES};
    case DesktopOverwritesHandheld: return {IDC_RADIO_DESKTOP_OVERWRITES, IDS_ACTION_DESKTOP_OVERWRITES};
    default: return {IDC_RADIO_DO_NOTHING, IDS_ACTION_DISABLED};
  }
}

int32_t ActionOfSelectedRadio(int radioId) {
  switch (radioId) {
    case IDC_RADIO_SYNCHRONIZE: return Synchronize;
    case IDC_RADIO_DESKTOP_OVERWRITES: return DesktopOverwritesHandheld;
    case IDC_RADIO_HANDHELD_OVERWRITES: return HandheldOverwritesDesktop;
    default: return DoNothing;
  }
}

int32_t MakeDefaultFor(bool ticked) { return ticked ? kMakeDefaultYes : kMakeDefaultNo; }

ConduitActionSettings SettingsForConfigRecord(int32_t currentAction) {
  ConduitActionSettings settings;
  std::memset(&settings, 0, sizeof settings);
  settings.version = kSettingsVersion;
  settings.size = kSettingsSize;
  settings.defaultAction = currentAction;
  settings.nextAction = currentAction;
  settings.chosenAction = currentAction;
  settings.makeDefault = kMakeDefaultNo;
  return settings;
}

void ApplyChoiceToConfigRecord(const ConduitActionSettings& settings, HotSyncConfigRecord* record) {
  record->action = settings.chosenAction;
  record->makeDefault = settings.makeDefault;
}

void OwnerNameOf(const ConduitActionSettings& settings, char out[kOwnerNameFieldSize + 1]) {
  size_t length = 0;
  while (length < kOwnerNameFieldSize && settings.ownerName[length] != '\0') ++length;
  std::memcpy(out, settings.ownerName, length);
  out[length] = '\0';
}
