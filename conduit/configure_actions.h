// How the action dialogs show a ConduitAction and what they hand back. Portable: no Windows
// calls.
#pragma once

#include <cstdint>

#include "configure_records.h"

// The radio button selected for an action and the string that names it.
struct ActionShown {
  int radioId;
  int textId;
};

// 1 reads as Synchronize; values other than 0 to 3 and 6, negative ones too, as DoNothing.
ActionShown ShownForAction(int32_t action);

// The action of the first selected radio button among 404, 405 and 406 (0 when none is):
// Synchronize, DesktopOverwritesHandheld, HandheldOverwritesDesktop, else DoNothing.
int32_t ActionOfSelectedRadio(int radioId);

int32_t MakeDefaultFor(bool ticked);

// The settings ConfigureConduit shows for HotSync Manager's current action.
ConduitActionSettings SettingsForConfigRecord(int32_t currentAction);

// Hands the choice made on OK back into HotSync Manager's record.
void ApplyChoiceToConfigRecord(const ConduitActionSettings& settings, HotSyncConfigRecord* record);

// The owner's name as the dialog shows it: the field up to its terminator, or all 64 bytes
// when HotSync Manager left none.
void OwnerNameOf(const ConduitActionSettings& settings, char out[kOwnerNameFieldSize + 1]);
