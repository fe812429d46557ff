// The companion program started through the shell.
#include "companion_process.h"

#include <shellapi.h>

bool StartCompanion(const char* path, HANDLE* process) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = nullptr;
  info.lpVerb = "open";
  info.lpFile = path;
  info.lpParameters = nullptr;
  info.lpDirectory = nullptr;
  info.nShow = SW_SHOW;
  BOOL started = ShellExecuteExA(&info);
  *process = started ? info.hProcess : nullptr;
  return started != FALSE;
}

bool CompanionHasEnded(HANDLE process) {
  return process != nullptr && WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}
