// `hotsync info`: what HotSync Manager asks a conduit about itself: its name, its version
// and information kinds 0, 1 and 2.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>

#include "command_options.h"
#include "configure_command.h"
#include "configure_records.h"
#include "host_paths.h"
#include "hotsync_commands.h"

namespace {

using GetConduitNameFunction = int32_t (*)(char* nameBuffer, uint16_t nameBufferSize);
using GetConduitVersionFunction = int32_t (*)();
using GetConduitInfoFunction = int32_t (*)(int32_t kind, const ConduitInfoRequest* request, void* out, int32_t* outSize);

template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

void PrintLine(const std::string& shiftJis) { PrintRaw(Utf8FromShiftJis(shiftJis + "\n")); }

}  // namespace

int RunInfoCommand(const std::vector<std::string>& arguments) {
  std::map<std::string, std::vector<std::string>> options;
  std::string error;
  if (!ParseCommandOptions(arguments, {{"--conduit", false}}, &options, &error)) {
    std::fprintf(stderr, "hotsync info: %s\nusage: hotsync info [--conduit PATH]\n", error.c_str());
    return 2;
  }
  std::string conduit;
  if (!ConduitForCommand("info", options.count("--conduit") ? &options["--conduit"][0] : nullptr, &conduit)) return 1;
  HMODULE library = LoadLibraryA(conduit.c_str());
  if (library == nullptr) {
    std::fprintf(stderr, "hotsync info: cannot load the conduit %s (error %lu)\n", conduit.c_str(), GetLastError());
    return 1;
  }
  auto getName = Export<GetConduitNameFunction>(library, "GetConduitName");
  auto getVersion = Export<GetConduitVersionFunction>(library, "GetConduitVersion");
  auto getInfo = Export<GetConduitInfoFunction>(library, "GetConduitInfo");
  if (getName == nullptr || getVersion == nullptr || getInfo == nullptr) {
    FreeLibrary(library);
    std::fprintf(stderr, "hotsync info: %s lacks an identity export\n", conduit.c_str());
    return 1;
  }
  char line[512];
  char name[256] = {};
  int32_t result = getName(name, sizeof name);
  std::snprintf(line, sizeof line, "name: %s (GetConduitName returned %ld)", name, static_cast<long>(result));
  PrintLine(line);
  int32_t version = getVersion();
  std::snprintf(line, sizeof line, "version: %ld (0x%04lX)", static_cast<long>(version), static_cast<unsigned long>(version));
  PrintLine(line);

  ConduitInfoRequest request;
  std::memset(&request, 0, sizeof request);
  request.version = kInfoRequestVersion;
  request.size = kInfoRequestSize;
  char infoName[256] = {};
  int32_t size = sizeof infoName;
  result = getInfo(0, &request, infoName, &size);
  std::snprintf(line, sizeof line, "info 0: %s (returned %ld)", result == 0 ? infoName : "-", static_cast<long>(result));
  PrintLine(line);
  for (int32_t kind : {1, 2}) {
    uint32_t word = 0;
    size = sizeof word;
    result = getInfo(kind, nullptr, &word, &size);
    std::snprintf(line, sizeof line, "info %ld: 0x%08lX (returned %ld)", static_cast<long>(kind),
                  static_cast<unsigned long>(word), static_cast<long>(result));
    PrintLine(line);
  }
  FreeLibrary(library);
  return 0;
}
