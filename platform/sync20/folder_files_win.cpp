// The handheld folder's file operations on Windows.
#include <windows.h>

#include "folder_files.h"

bool ReplaceFileSafely(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string fresh = path + ".new";
  HANDLE file = CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
                              wrote == bytes.size());
  ok = ok && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  if (ok && MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileA(fresh.c_str());
  return false;
}

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ListFiles(const std::string& folder, const std::string& suffix, std::vector<std::string>* names) {
  if (!IsFolder(folder)) return false;
  names->clear();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return true;
  do {
    std::string name = found.cFileName;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (name.size() <= suffix.size()) continue;
    if (lstrcmpiA(name.c_str() + name.size() - suffix.size(), suffix.c_str()) != 0) continue;
    names->push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  return folder + "\\" + name;
}
