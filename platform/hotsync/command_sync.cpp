// `hotsync sync`: one HotSync session of one conduit over the handheld folder, then its log.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "command_options.h"
#include "configure_command.h"
#include "fault_plan.h"
#include "folder_files.h"
#include "host_paths.h"
#include "hotsync_commands.h"
#include "registered_conduit.h"
#include "session_databases.h"
#include "session_record.h"

namespace {

const char kUsage[] =
    "usage: hotsync sync [--conduit PATH] [--handheld DIR] [--action N] [--fault op:n:code]... [--trace FILE]\n";

using OpenConduitFunction = int32_t (*)(void* progress, HotSyncSessionRecord* record);

int Refuse(const std::string& why) {
  std::fprintf(stderr, "hotsync sync: %s\n%s", why.c_str(), kUsage);
  return 2;
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length == 0 || length >= MAX_PATH ? path : std::string(full, length);
}

std::string FileText(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(path, 16 * 1024 * 1024, &bytes) != FileRead::kOk) return "";
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

int RunSyncCommand(const std::vector<std::string>& arguments) {
  std::map<std::string, std::vector<std::string>> options;
  std::string error;
  const std::vector<OptionRule> rules = {
      {"--conduit", false}, {"--handheld", false}, {"--action", false}, {"--fault", true}, {"--trace", false}};
  if (!ParseCommandOptions(arguments, rules, &options, &error)) return Refuse(error);

  // Without --action, the session gets the action kept from `hotsync configure`.
  int32_t action = KeptActionForSync();
  if (options.count("--action")) {
    char* end = nullptr;
    long value = std::strtol(options["--action"][0].c_str(), &end, 10);
    if (*end != '\0' || options["--action"][0].empty() || value < INT32_MIN || value > INT32_MAX) {
      return Refuse("--action needs a number");
    }
    action = static_cast<int32_t>(value);
  }
  std::string faults;
  for (const std::string& rule : options["--fault"]) faults += (faults.empty() ? "" : ",") + rule;
  FaultPlan plan;
  if (!plan.Parse(faults, &error)) return Refuse("bad --fault: " + error);

  // Without --conduit, the session runs the conduit registered for the handheld's creator.
  std::string conduit;
  if (options.count("--conduit")) {
    conduit = FullPath(options["--conduit"][0]);
  } else {
    std::string why;
    if (FindRegisteredConduit("ZHMQ", &conduit, &why) != RegisteredConduit::kFound) {
      std::fprintf(stderr, "hotsync sync: %s; no conduit runs\n", why.c_str());
      return 1;
    }
  }
  std::string handheld = HandheldFolderPath(options.count("--handheld") ? options["--handheld"][0] : "");
  if (!IsFolder(handheld) && !CreateDirectoryA(handheld.c_str(), nullptr)) {
    std::fprintf(stderr, "hotsync sync: cannot make the handheld folder %s\n", handheld.c_str());
    return 1;
  }
  // The session's log lies beside the handheld folder and starts empty at each session.
  std::string log = handheld + ".log";
  DeleteFileA(log.c_str());

  SetEnvironmentVariableA("MARBELO_HANDHELD", handheld.c_str());
  SetEnvironmentVariableA("MARBELO_LOG", log.c_str());
  SetEnvironmentVariableA("MARBELO_FAULTS", faults.empty() ? nullptr : faults.c_str());
  SetEnvironmentVariableA("MARBELO_TRACE", options.count("--trace") ? FullPath(options["--trace"][0]).c_str() : nullptr);

  std::vector<ListedDatabase> listed;
  if (!HandheldFolder(handheld).List(&listed)) {
    std::fprintf(stderr, "hotsync sync: cannot read the handheld folder %s\n", handheld.c_str());
    return 1;
  }
  std::vector<HandheldDatabaseEntry> entries = SessionDatabases(listed);
  std::vector<HandheldDatabaseEntry*> list;
  for (HandheldDatabaseEntry& entry : entries) list.push_back(&entry);
  list.push_back(nullptr);
  HotSyncSessionRecord record = {};
  record.action = action;
  record.databaseList = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(list.data()));

  HMODULE library = LoadLibraryA(conduit.c_str());
  if (library == nullptr) {
    std::fprintf(stderr, "hotsync sync: cannot load the conduit %s (error %lu)\n", conduit.c_str(), GetLastError());
    return 1;
  }
  auto openConduit = reinterpret_cast<OpenConduitFunction>(reinterpret_cast<void*>(GetProcAddress(library, "OpenConduit")));
  if (openConduit == nullptr) {
    FreeLibrary(library);
    std::fprintf(stderr, "hotsync sync: %s has no OpenConduit\n", conduit.c_str());
    return 1;
  }
  std::printf("hotsync: session of %s, action %ld, %u database(s) of ZHMQ listed\n", conduit.c_str(),
              static_cast<long>(action), static_cast<unsigned>(entries.size()));
  // The progress argument stands for HotSync Manager's own window object; conduits only
  // check that there is one.
  int progress = 0;
  int32_t result = openConduit(&progress, &record);
  FreeLibrary(library);
  if (!options.count("--action")) KeptActionUsed();
  std::printf("hotsync: OpenConduit returned %ld\n--- HotSync log ---\n", static_cast<long>(result));
  PrintRaw(Utf8FromShiftJis(FileText(log)));
  std::printf("--- end of log ---\n");
  return result == 0 ? 0 : 1;
}
