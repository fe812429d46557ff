// Exchange file operations on the Windows file system.
#include "exchange_files_win.h"

#include <windows.h>

bool ExchangeFileExists(const char* path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

void DeleteRequestFiles(const PathTable& paths) {
  DeleteFileA(paths.retrievalRequest);
  DeleteFileA(paths.databaseList);
  DeleteFileA(paths.selection);
  DeleteFileA(paths.cancelMarker);
}

SelectionReadResult ReadSelectionFile(const char* path, SelectionFile* out) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? SelectionReadResult::kHeld
                                                                            : SelectionReadResult::kMissing;
  }
  unsigned char bytes[kSelectionReadLimit];
  DWORD length = 0;
  DWORD got = 0;
  while (length < sizeof bytes && ReadFile(file, bytes + length, sizeof bytes - length, &got, nullptr) && got > 0) {
    length += got;
  }
  CloseHandle(file);
  ParseSelectionFile(bytes, length, out);
  return SelectionReadResult::kRead;
}
