// The file operations of the handheld folder, one small seam per platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class FileRead { kOk, kMissing, kTooLarge, kFailed };

// Reads the whole file, refusing one longer than limit bytes without reading it all.
FileRead ReadWholeFile(const std::string& path, size_t limit, std::vector<uint8_t>* bytes);

// Reads at most count bytes from the start of the file.
bool ReadFileStart(const std::string& path, size_t count, std::vector<uint8_t>* bytes);

// Writes bytes to a new file beside path, flushes it to disk, then puts it in place of path
// in one step: a crash leaves either the old file or the new one, never a torn one.
bool ReplaceFileSafely(const std::string& path, const std::vector<uint8_t>& bytes);

bool RemoveFile(const std::string& path);
bool FileExists(const std::string& path);
bool IsFolder(const std::string& path);

// Bare names of the plain files in folder whose names end with suffix (any letter case).
bool ListFiles(const std::string& folder, const std::string& suffix, std::vector<std::string>* names);

// folder and a bare name joined by the platform's separator.
std::string JoinPath(const std::string& folder, const std::string& name);
