// Checks of the conduit's Windows tests on an exchange folder, and the scripted companion's plan.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "test_files_win.h"

// The files of a folder in lower case, without the tests' companion scaffolding.
inline std::set<std::string> FilesLeft(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = Lower(found.cFileName);
    if (name == "." || name == ".." || name == "companion.plan") continue;
    if (name.size() > 6 && name.compare(name.size() - 6, 6, ".bytes") == 0) continue;
    names.insert(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// Writes the scripted companion's plan: the files it creates, with their bytes.
inline bool PlanCompanion(const std::string& folder, const std::vector<std::pair<std::string, std::string>>& files) {
  std::string plan;
  for (const auto& file : files) {
    plan += file.first + "\n";
    if (!WriteBytes(folder + "\\" + file.first + ".bytes", file.second)) return false;
  }
  return WriteBytes(folder + "\\companion.plan", plan);
}
