// `hotsync configure`: shows the conduit's action dialog as HotSync Manager does, Japanese
// through CfgConduit or English through ConfigureConduit, and keeps the choice.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>

#include "command_options.h"
#include "configure_command.h"
#include "configure_records.h"
#include "host_paths.h"
#include "hotsync_commands.h"
#include "registered_conduit.h"

namespace {

const char kUsage[] = "usage: hotsync configure [--english] [--conduit PATH] [--user NAME]\n";

using CfgConduitFunction = int32_t (*)(int32_t kind, ConduitActionSettings* settings, int32_t* sizeOfSettings);
using ConfigureConduitFunction = int32_t (*)(HotSyncConfigRecord* record);

// A makeDefault value the conduit never writes: still there after the dialog means Cancel.
constexpr int32_t kNotAnswered = 0;

std::string ReadText(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[512];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0 && text.size() < 4096) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

bool WriteText(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) && wrote == text.size();
  return CloseHandle(file) && ok;
}

KeptActions LoadKept() { return ParseKeptActions(ReadText(KeptActionsPath())); }

bool SaveKept(const KeptActions& kept) {
  if (WriteText(KeptActionsPath(), FormatKeptActions(kept))) return true;
  std::fprintf(stderr, "hotsync: cannot write %s\n", KeptActionsPath().c_str());
  return false;
}

// Shows the dialog; false when it was cancelled. chosen and makeDefault hold the answer.
bool AskJapanese(HMODULE library, const KeptActions& kept, const std::string& user, int32_t* chosen,
                 int32_t* makeDefault, int32_t* result) {
  auto cfgConduit = reinterpret_cast<CfgConduitFunction>(reinterpret_cast<void*>(GetProcAddress(library, "CfgConduit")));
  if (cfgConduit == nullptr) {
    *result = -1;
    return false;
  }
  ConduitActionSettings settings;
  std::memset(&settings, 0, sizeof settings);
  settings.version = kSettingsVersion;
  settings.size = kSettingsSize;
  settings.showCurrent = 1;
  std::strncpy(settings.ownerName, user.c_str(), sizeof settings.ownerName - 1);
  settings.defaultAction = kept.defaultAction;
  settings.nextAction = ActionForNextSync(kept);
  settings.chosenAction = settings.nextAction;
  settings.makeDefault = kNotAnswered;
  int32_t size = sizeof settings;
  *result = cfgConduit(0, &settings, &size);
  *chosen = settings.chosenAction;
  *makeDefault = settings.makeDefault;
  return *result == 0 && settings.makeDefault != kNotAnswered;
}

bool AskEnglish(HMODULE library, const KeptActions& kept, int32_t* chosen, int32_t* makeDefault, int32_t* result) {
  auto configureConduit =
      reinterpret_cast<ConfigureConduitFunction>(reinterpret_cast<void*>(GetProcAddress(library, "ConfigureConduit")));
  if (configureConduit == nullptr) {
    *result = -1;
    return false;
  }
  HotSyncConfigRecord record;
  std::memset(&record, 0, sizeof record);
  record.action = ActionForNextSync(kept);
  *result = configureConduit(&record);
  *chosen = record.action;
  *makeDefault = record.makeDefault;
  return *result == 0;
}

}  // namespace

std::string KeptActionsPath() { return HostFolder() + "\\hotsync-actions.txt"; }

int32_t KeptActionForSync() { return ActionForNextSync(LoadKept()); }

void KeptActionUsed() {
  KeptActions kept = LoadKept();
  if (!kept.hasNextOnly) return;
  UseUpNextOnly(&kept);
  SaveKept(kept);
}

bool ConduitForCommand(const char* command, const std::string* given, std::string* path) {
  if (given != nullptr) {
    *path = *given;
    return true;
  }
  std::string why;
  if (FindRegisteredConduit("ZHMQ", path, &why) == RegisteredConduit::kFound) return true;
  std::fprintf(stderr, "hotsync %s: %s\n", command, why.c_str());
  return false;
}

int RunConfigureCommand(const std::vector<std::string>& arguments) {
  std::vector<std::string> rest;
  bool english = false;
  for (const std::string& argument : arguments) {
    if (argument == "--english") {
      english = true;
    } else {
      rest.push_back(argument);
    }
  }
  std::map<std::string, std::vector<std::string>> options;
  std::string error;
  if (!ParseCommandOptions(rest, {{"--conduit", false}, {"--user", false}}, &options, &error)) {
    std::fprintf(stderr, "hotsync configure: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  std::string conduit;
  if (!ConduitForCommand("configure", options.count("--conduit") ? &options["--conduit"][0] : nullptr, &conduit)) {
    return 1;
  }
  std::string user = options.count("--user") ? options["--user"][0] : "HotSync User";
  HMODULE library = LoadLibraryA(conduit.c_str());
  if (library == nullptr) {
    std::fprintf(stderr, "hotsync configure: cannot load the conduit %s (error %lu)\n", conduit.c_str(), GetLastError());
    return 1;
  }
  KeptActions kept = LoadKept();
  int32_t chosen = 0, makeDefault = 0, result = 0;
  bool answered = english ? AskEnglish(library, kept, &chosen, &makeDefault, &result)
                          : AskJapanese(library, kept, user, &chosen, &makeDefault, &result);
  FreeLibrary(library);
  std::printf("hotsync: %s returned %ld\n", english ? "ConfigureConduit" : "CfgConduit", static_cast<long>(result));
  if (!answered) {
    std::printf("hotsync: cancelled; the next HotSync keeps action %ld\n", static_cast<long>(ActionForNextSync(kept)));
    return result == 0 || result == -1 ? 0 : 1;
  }
  KeepChoice(&kept, chosen, makeDefault);
  if (!SaveKept(kept)) return 1;
  std::printf("hotsync: action %ld chosen %s\n", static_cast<long>(chosen),
              makeDefault == 1 ? "as the default" : "for the next HotSync only");
  return 0;
}
