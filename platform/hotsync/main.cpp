// hotsync.exe: the stand-in HotSync Manager, a console program of a few commands.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "hotsync_commands.h"

namespace {

struct Command {
  const char* name;
  CommandFunction run;
  const char* usage;
};

const Command kCommands[] = {
    {"sync", RunSyncCommand,
     "hotsync sync [--conduit PATH] [--handheld DIR] [--action N] [--fault op:n:code]... [--trace FILE]"},
    {"list", RunListCommand, "hotsync list [--handheld DIR]"},
    {"info", RunInfoCommand, "hotsync info [--conduit PATH]"},
    {"configure", RunConfigureCommand, "hotsync configure [--english] [--conduit PATH] [--user NAME]"},
};

int Usage() {
  std::fprintf(stderr, "usage:\n");
  for (const Command& command : kCommands) std::fprintf(stderr, "  %s\n", command.usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.name) == 0) {
      return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
  }
  std::fprintf(stderr, "hotsync: unknown command \"%s\"\n", argv[1]);
  return Usage();
}
