// Building the session's database list.
#include "session_databases.h"

#include <algorithm>
#include <cstring>

std::vector<HandheldDatabaseEntry> SessionDatabases(const std::vector<ListedDatabase>& listed) {
  std::vector<const PalmDatabase*> chosen;
  for (const ListedDatabase& entry : listed) {
    if (entry.error == PalmDbError::kOk && entry.database.creator == kConduitCreator) chosen.push_back(&entry.database);
  }
  std::sort(chosen.begin(), chosen.end(), [](const PalmDatabase* a, const PalmDatabase* b) { return a->name < b->name; });
  std::vector<HandheldDatabaseEntry> entries;
  for (const PalmDatabase* db : chosen) {
    HandheldDatabaseEntry entry = {};
    entry.creator = db->creator;
    entry.type = db->type;
    entry.attributes = db->attributes;
    std::memcpy(entry.name, db->name.data(), std::min(db->name.size(), sizeof entry.name - 1));
    entry.recordCount = static_cast<uint16_t>(db->records.size());
    entries.push_back(entry);
  }
  return entries;
}
