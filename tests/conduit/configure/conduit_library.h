// The real Dalvex.dll loaded beside the test, its exports, and its help call observed: the
// library's import of WinHelpA is pointed at a recorder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "configure.h"

struct HelpCall {
  HWND owner;
  std::string file;
  UINT command;
  ULONG_PTR data;
};

class ConduitLibrary {
 public:
  // Loads the library once for the whole test program.
  static ConduitLibrary& Get();

  decltype(&GetConduitName) getConduitName;
  decltype(&GetConduitVersion) getConduitVersion;
  decltype(&GetConduitInfo) getConduitInfo;
  decltype(&ConfigureConduit) configureConduit;
  decltype(&CfgConduit) cfgConduit;

  HMODULE module() const { return m_module; }
  std::string Folder() const;

  // Help calls so far, in order; safe to read while a dialog thread records.
  size_t HelpCallCount() const;
  HelpCall HelpCallAt(size_t index) const;

 private:
  ConduitLibrary();
  HMODULE m_module;
};
