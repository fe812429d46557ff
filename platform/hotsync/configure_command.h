// `hotsync configure` and the conduit action the host keeps for the next HotSync: the
// action chosen in the conduit's dialog, for the next HotSync only or as the default, in
// the host's settings file beside hotsync.exe. The record keeping is portable.
#pragma once

#include <cstdint>
#include <string>

// What the host keeps between runs.
struct KeptActions {
  int32_t defaultAction = 0;  // Synchronize until the user sets another default
  bool hasNextOnly = false;   // an action chosen for the next HotSync only
  int32_t nextOnlyAction = 0;
};

// The settings file's text: a line "default N" and, when one is kept, a line "next N".
// Lines it does not know are ignored; a missing or unreadable value keeps its default.
KeptActions ParseKeptActions(const std::string& text);
std::string FormatKeptActions(const KeptActions& kept);

// The action the next HotSync hands to the conduit.
int32_t ActionForNextSync(const KeptActions& kept);

// Keeps what the dialog answered: makeDefault 1 makes it the default (and drops a next-only
// choice), any other value keeps it for the next HotSync only.
void KeepChoice(KeptActions* kept, int32_t chosenAction, int32_t makeDefault);

// A HotSync has run: a next-only choice is used up.
void UseUpNextOnly(KeptActions* kept);

// The host's settings file, beside hotsync.exe.
std::string KeptActionsPath();

// The action kept for this HotSync, from the settings file.
int32_t KeptActionForSync();

// After a HotSync has run: uses up a next-only choice in the settings file.
void KeptActionUsed();

// The conduit a command works on: --conduit PATH, else the one registered for ZHMQ. False,
// with the reason printed for `command`, when there is none.
bool ConduitForCommand(const char* command, const std::string* given, std::string* path);
