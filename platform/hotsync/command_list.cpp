// `hotsync list`: every database of the handheld folder, or why a file is not one.
#include <cstdio>
#include <map>

#include "command_options.h"
#include "handheld_folder.h"
#include "host_paths.h"
#include "hotsync_commands.h"

int RunListCommand(const std::vector<std::string>& arguments) {
  std::map<std::string, std::vector<std::string>> options;
  std::string error;
  if (!ParseCommandOptions(arguments, {{"--handheld", false}}, &options, &error)) {
    std::fprintf(stderr, "hotsync list: %s\nusage: hotsync list [--handheld DIR]\n", error.c_str());
    return 2;
  }
  std::string folder = HandheldFolderPath(options.count("--handheld") ? options["--handheld"][0] : "");
  std::vector<ListedDatabase> databases;
  if (!HandheldFolder(folder).List(&databases)) {
    std::fprintf(stderr, "hotsync list: cannot read the handheld folder %s\n", folder.c_str());
    return 1;
  }
  std::string out;
  char line[256];
  for (const ListedDatabase& listed : databases) {
    if (listed.error != PalmDbError::kOk) {
      std::snprintf(line, sizeof line, "%s: not a valid database (%s)\n", listed.fileName.c_str(),
                    PalmDbErrorText(listed.error));
      out += Utf8FromShiftJis(line);
      continue;
    }
    const PalmDatabase& db = listed.database;
    std::snprintf(line, sizeof line, "\"%s\" creator=%s type=%s attributes=0x%04X records=%u\n", db.name.c_str(),
                  FourCharText(db.creator).c_str(), FourCharText(db.type).c_str(), db.attributes,
                  static_cast<unsigned>(db.records.size()));
    out += Utf8FromShiftJis(line);
  }
  PrintRaw(out);
  return 0;
}
