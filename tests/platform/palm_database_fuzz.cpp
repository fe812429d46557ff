// libFuzzer target: any bytes parse to a database or a clear error, and a parsed database
// written out parses back to the same records.
#include <cstdlib>
#include <vector>

#include "palm_database.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PalmDatabase database;
  if (ParsePalmDatabase(data, size, &database) != PalmDbError::kOk) return 0;
  std::vector<uint8_t> bytes;
  if (SerializePalmDatabase(database, &bytes) != PalmDbError::kOk) return 0;
  PalmDatabase again;
  if (ParsePalmDatabase(bytes.data(), bytes.size(), &again) != PalmDbError::kOk) std::abort();
  if (again.name != database.name || again.records.size() != database.records.size()) std::abort();
  for (size_t i = 0; i < again.records.size(); ++i) {
    if (again.records[i].data != database.records[i].data ||
        again.records[i].attributes != database.records[i].attributes) {
      std::abort();
    }
  }
  if (again.appInfo != database.appInfo || again.sortInfo != database.sortInfo) std::abort();
  return 0;
}
