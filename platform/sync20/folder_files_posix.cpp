// The handheld folder's file operations on POSIX systems (the native build and its tests).
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "folder_files.h"

bool ReplaceFileSafely(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string fresh = path + ".new";
  int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote <= 0) break;
    done += static_cast<size_t>(wrote);
  }
  bool ok = done == bytes.size() && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok && std::rename(fresh.c_str(), path.c_str()) == 0) return true;
  ::unlink(fresh.c_str());
  return false;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ListFiles(const std::string& folder, const std::string& suffix, std::vector<std::string>* names) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return false;
  names->clear();
  while (struct dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name.size() <= suffix.size()) continue;
    if (::strcasecmp(name.c_str() + name.size() - suffix.size(), suffix.c_str()) != 0) continue;
    struct stat info;
    if (::stat(JoinPath(folder, name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) names->push_back(name);
  }
  ::closedir(dir);
  return true;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}
