// The exchange folder of one test, and the session's path table that points into it.
#include "exchange_folder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "exchange.h"
#include "session.h"
#include "test_files_win.h"

namespace {

PathTable g_paths;

}  // namespace

const PathTable& SessionPaths() { return g_paths; }

ExchangeFolder::ExchangeFolder() {
  static unsigned s_made = 0;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  char name[64];
  std::snprintf(name, sizeof name, "marbelo-transfer-%lu-%u", GetCurrentProcessId(), ++s_made);
  m_path = std::string(temp) + name;
  RemoveTree(m_path);
  if (!CreateDirectoryA(m_path.c_str(), nullptr)) throw std::runtime_error("cannot create " + m_path);
  if (!FormPathTable(m_path.c_str(), &g_paths)) throw std::runtime_error("path table over " + m_path);
}

ExchangeFolder::~ExchangeFolder() { RemoveTree(m_path); }

void ExchangeFolder::Write(const std::string& name, const std::string& bytes) const {
  std::FILE* file = std::fopen(PathOf(name).c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write " + name);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

bool ExchangeFolder::Read(const std::string& name, std::string* bytes) const {
  std::FILE* file = std::fopen(PathOf(name).c_str(), "rb");
  if (file == nullptr) return false;
  bytes->clear();
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes->append(chunk, got);
  std::fclose(file);
  return true;
}

bool ExchangeFolder::Exists(const std::string& name) const {
  return GetFileAttributesA(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ExchangeFolder::Names() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

void ExchangeFolder::WriteSelection(const std::string& pcPath, long long size) const {
  Write("csvselname.txt", pcPath + "\r\n" + std::to_string(size) + "\r\n");
}
