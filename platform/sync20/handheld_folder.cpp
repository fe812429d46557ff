// Finding, loading and saving the databases of the handheld folder.
#include "handheld_folder.h"

#include <algorithm>

#include "database_file_name.h"
#include "folder_files.h"
#include "sync_manager.h"

bool HandheldFolder::List(std::vector<ListedDatabase>* databases) const {
  std::vector<std::string> names;
  if (!ListFiles(m_folder, ".pdb", &names)) return false;
  std::sort(names.begin(), names.end());
  databases->clear();
  for (const std::string& name : names) {
    ListedDatabase listed;
    listed.fileName = name;
    std::vector<uint8_t> bytes;
    switch (ReadWholeFile(JoinPath(m_folder, name), kPalmMaxFileSize, &bytes)) {
      case FileRead::kOk:
        listed.error = ParsePalmDatabase(bytes.data(), bytes.size(), &listed.database);
        break;
      case FileRead::kTooLarge:
        listed.error = PalmDbError::kTooLarge;
        break;
      case FileRead::kMissing:
        continue;
      case FileRead::kFailed:
        listed.error = PalmDbError::kTruncated;
        break;
    }
    databases->push_back(std::move(listed));
  }
  return true;
}

bool HandheldFolder::NameAt(const std::string& path, std::string* name) const {
  std::vector<uint8_t> start;
  return ReadFileStart(path, kPalmNameSize, &start) && ParsePalmDatabaseName(start.data(), start.size(), name);
}

int32_t HandheldFolder::Find(const std::string& name, std::string* path) const {
  std::string held;
  std::string expected = JoinPath(m_folder, DatabaseFileName(name));
  if (NameAt(expected, &held) && held == name) {
    *path = expected;
    return kSmOk;
  }
  std::vector<std::string> files;
  if (!ListFiles(m_folder, ".pdb", &files)) return kSmErrIo;
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) {
    std::string candidate = JoinPath(m_folder, file);
    if (NameAt(candidate, &held) && held == name) {
      *path = candidate;
      return kSmOk;
    }
  }
  return kSmErrNotFound;
}

std::string HandheldFolder::PathForNew(const std::string& name) const {
  for (unsigned alternative = 0;; ++alternative) {
    std::string path = JoinPath(m_folder, DatabaseFileName(name, alternative));
    if (!FileExists(path)) return path;
  }
}

int32_t HandheldFolder::Load(const std::string& path, PalmDatabase* database) {
  std::vector<uint8_t> bytes;
  switch (ReadWholeFile(path, kPalmMaxFileSize, &bytes)) {
    case FileRead::kOk:
      break;
    case FileRead::kMissing:
      return kSmErrNotFound;
    case FileRead::kTooLarge:
      return kSmErrTooLarge;
    case FileRead::kFailed:
      return kSmErrIo;
  }
  switch (ParsePalmDatabase(bytes.data(), bytes.size(), database)) {
    case PalmDbError::kOk:
      return kSmOk;
    case PalmDbError::kTooLarge:
      return kSmErrTooLarge;
    default:
      return kSmErrCorrupt;
  }
}

int32_t HandheldFolder::Save(const std::string& path, const PalmDatabase& database) {
  std::vector<uint8_t> bytes;
  switch (SerializePalmDatabase(database, &bytes)) {
    case PalmDbError::kOk:
      break;
    case PalmDbError::kTooLarge:
      return kSmErrTooLarge;
    default:
      return kSmErrBadArgument;
  }
  return ReplaceFileSafely(path, bytes) ? kSmOk : kSmErrIo;
}
