// How the action dialogs read a ConduitAction and hand the choice back, natively.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "conduit_action.h"
#include "configure_actions.h"
#include "resource_ids.h"

namespace {

struct ShownCase {
  const char* guards;
  int32_t action;
  int radioId;
  int textId;
};

const ShownCase kShownCases[] = {
    {"Synchronize", 0, IDC_RADIO_SYNCHRONIZE, IDS_ACTION_ENABLED},
    {"1 reads as Synchronize", 1, IDC_RADIO_SYNCHRONIZE, IDS_ACTION_ENABLED},
    {"HandheldOverwritesDesktop", 2, IDC_RADIO_HANDHELD_OVERWRITES, IDS_ACTION_HANDHELD_OVERWRITES},
    {"DesktopOverwritesHandheld", 3, IDC_RADIO_DESKTOP_OVERWRITES, IDS_ACTION_DESKTOP_OVERWRITES},
    {"4 reads as DoNothing", 4, IDC_RADIO_DO_NOTHING, IDS_ACTION_DISABLED},
    {"DoNothing", 6, IDC_RADIO_DO_NOTHING, IDS_ACTION_DISABLED},
    {"7 reads as DoNothing", 7, IDC_RADIO_DO_NOTHING, IDS_ACTION_DISABLED},
    {"-1 reads as DoNothing", -1, IDC_RADIO_DO_NOTHING, IDS_ACTION_DISABLED},
    {"the most negative value reads as DoNothing", INT32_MIN, IDC_RADIO_DO_NOTHING, IDS_ACTION_DISABLED},
    {"a value whose low byte is 0 reads as DoNothing", 0x100, IDC_RADIO_DO_NOTHING, IDS_ACTION_DISABLED},
};

TEST(ActionShown, EveryValueHasOneRadioButtonAndText) {
  for (const ShownCase& c : kShownCases) {
    SCOPED_TRACE(c.guards);
    ActionShown shown = ShownForAction(c.action);
    EXPECT_EQ(shown.radioId, c.radioId);
    EXPECT_EQ(shown.textId, c.textId);
  }
}

TEST(ActionChosen, FirstSelectedRadioGivesTheAction) {
  const struct {
    int radioId;
    int32_t action;
  } cases[] = {
      {IDC_RADIO_SYNCHRONIZE, Synchronize},
      {IDC_RADIO_DESKTOP_OVERWRITES, DesktopOverwritesHandheld},
      {IDC_RADIO_HANDHELD_OVERWRITES, HandheldOverwritesDesktop},
      {0, DoNothing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.radioId);
    EXPECT_EQ(ActionOfSelectedRadio(c.radioId), c.action);
  }
  EXPECT_EQ(MakeDefaultFor(true), 1);
  EXPECT_EQ(MakeDefaultFor(false), 2);
}

TEST(ConfigRecord, OnlyItsTwoFieldsCarryTheChoice) {
  HotSyncConfigRecord record;
  std::memset(&record, 0x5A, sizeof record);
  record.action = 7;
  ConduitActionSettings settings = SettingsForConfigRecord(record.action);
  EXPECT_EQ(settings.version, 1);
  EXPECT_EQ(settings.size, 352);
  EXPECT_EQ(settings.showCurrent, 0);
  EXPECT_EQ(settings.reserved, 0);
  for (size_t i = 0; i < sizeof settings.ownerName; ++i) EXPECT_EQ(settings.ownerName[i], 0) << i;
  for (size_t i = 0; i < sizeof settings.reservedBlock; ++i) EXPECT_EQ(settings.reservedBlock[i], 0) << i;
  EXPECT_EQ(settings.defaultAction, 7);
  EXPECT_EQ(settings.nextAction, 7);
  EXPECT_EQ(settings.chosenAction, 7);
  EXPECT_EQ(settings.makeDefault, 2);

  settings.chosenAction = DoNothing;
  settings.makeDefault = 1;
  ApplyChoiceToConfigRecord(settings, &record);
  EXPECT_EQ(record.action, DoNothing);
  EXPECT_EQ(record.makeDefault, 1);
  for (size_t i = 0; i < sizeof record.unread; ++i) EXPECT_EQ(record.unread[i], 0x5A) << i;
}

TEST(OwnerName, StopsAtTheTerminatorOrTheEndOfItsField) {
  ConduitActionSettings settings;
  std::memset(&settings, 'B', sizeof settings);
  char shown[kOwnerNameFieldSize + 1];

  std::strcpy(settings.ownerName, "佐藤");
  OwnerNameOf(settings, shown);
  EXPECT_EQ(std::string(shown), "佐藤");

  std::memset(settings.ownerName, 'A', sizeof settings.ownerName);
  OwnerNameOf(settings, shown);
  EXPECT_EQ(std::string(shown), std::string(kOwnerNameFieldSize, 'A'))
      << "a name without terminator must not run into the fields after it";
}

}  // namespace
