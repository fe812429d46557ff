// The folder operations that the C library does alike on both platforms.
#include <cstdio>

#include "folder_files.h"

FileRead ReadWholeFile(const std::string& path, size_t limit, std::vector<uint8_t>* bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return FileExists(path) ? FileRead::kFailed : FileRead::kMissing;
  std::vector<uint8_t> data;
  uint8_t chunk[65536];
  FileRead result = FileRead::kOk;
  for (;;) {
    size_t got = std::fread(chunk, 1, sizeof chunk, file);
    if (data.size() + got > limit) {
      result = FileRead::kTooLarge;
      break;
    }
    data.insert(data.end(), chunk, chunk + got);
    if (got < sizeof chunk) {
      if (std::ferror(file)) result = FileRead::kFailed;
      break;
    }
  }
  std::fclose(file);
  if (result == FileRead::kOk) *bytes = std::move(data);
  return result;
}

bool ReadFileStart(const std::string& path, size_t count, std::vector<uint8_t>* bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes->resize(count);
  size_t got = std::fread(bytes->data(), 1, count, file);
  bool ok = !std::ferror(file);
  std::fclose(file);
  bytes->resize(got);
  return ok;
}
