// What the stand-in HotSync Manager keeps of the chosen conduit action between runs, natively.
#include <gtest/gtest.h>

#include "configure_command.h"

namespace {

TEST(KeptActions, AChoiceServesTheNextHotSyncOnlyUnlessMadeDefault) {
  struct Step {
    const char* what;
    int32_t chosen;       // -99: a HotSync runs instead of a choice
    int32_t makeDefault;
    int32_t nextSync;     // the action the next HotSync gets afterwards
  };
  const Step steps[] = {
      {"nothing kept yet: Synchronize", -99, 0, 0},
      {"stop using, next HotSync only", 6, 2, 6},
      {"that HotSync uses it up", -99, 0, 0},
      {"stop using as default", 6, 1, 6},
      {"a default stays after a HotSync", -99, 0, 6},
      {"use, next HotSync only, over the default", 0, 2, 0},
      {"the default comes back", -99, 0, 6},
      {"desktop overwrites, next HotSync only", 3, 2, 3},
      {"use as default drops that next-only choice", 0, 1, 0},
      {"and stays", -99, 0, 0},
  };
  KeptActions kept;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.chosen == -99) {
      UseUpNextOnly(&kept);
    } else {
      KeepChoice(&kept, step.chosen, step.makeDefault);
    }
    // Every step goes through the settings file, as between two runs of the host.
    kept = ParseKeptActions(FormatKeptActions(kept));
    EXPECT_EQ(ActionForNextSync(kept), step.nextSync);
  }
}

TEST(KeptActions, SettingsFileTexts) {
  struct Case {
    const char* guards;
    const char* text;
    int32_t defaultAction;
    bool hasNextOnly;
    int32_t nextOnlyAction;
  };
  const Case cases[] = {
      {"no file", "", 0, false, 0},
      {"a default", "default 6\n", 6, false, 0},
      {"both, with CR LF", "default 6\r\nnext 0\r\n", 6, true, 0},
      {"negative values survive", "default -1\nnext 7\n", -1, true, 7},
      {"a value that is no number is ignored", "default six\nnext 2x\n", 0, false, 0},
      {"a value beyond 32 bits is ignored", "default 4294967296\n", 0, false, 0},
      {"unknown lines are ignored", "colour blue\ndefault 3\n", 3, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.guards);
    KeptActions kept = ParseKeptActions(c.text);
    EXPECT_EQ(kept.defaultAction, c.defaultAction);
    EXPECT_EQ(kept.hasNextOnly, c.hasNextOnly);
    if (c.hasNextOnly) {
      EXPECT_EQ(kept.nextOnlyAction, c.nextOnlyAction);
    }
  }
}

}  // namespace
