// The simulated handheld: a folder holding one .pdb file per database. The name in a file's
// header is the database's true name; the file name only has to be safe and unique.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "palm_database.h"

// One file of the folder as `hotsync list` and the session record see it.
struct ListedDatabase {
  std::string fileName;
  PalmDbError error;      // kOk when the file is a valid database
  PalmDatabase database;  // valid only when error is kOk
};

class HandheldFolder {
 public:
  explicit HandheldFolder(std::string folder) : m_folder(std::move(folder)) {}

  const std::string& Folder() const { return m_folder; }

  // Every .pdb file, valid or not, ordered by file name. False if the folder cannot be read.
  bool List(std::vector<ListedDatabase>* databases) const;

  // The path of the file whose header holds name; found first where DatabaseFileName puts
  // it, else among all the folder's files (one put there by another tool). Answers 0, or
  // kSmErrNotFound, or kSmErrIo when the folder cannot be read.
  int32_t Find(const std::string& name, std::string* path) const;

  // A path that no file holds yet, for a new database of that name.
  std::string PathForNew(const std::string& name) const;

  // Loads a database: 0, kSmErrNotFound, kSmErrCorrupt, kSmErrTooLarge or kSmErrIo.
  static int32_t Load(const std::string& path, PalmDatabase* database);

  // Writes a database safely in place of path: 0, kSmErrTooLarge, kSmErrBadArgument or kSmErrIo.
  static int32_t Save(const std::string& path, const PalmDatabase& database);

 private:
  bool NameAt(const std::string& path, std::string* name) const;
  std::string m_folder;
};
