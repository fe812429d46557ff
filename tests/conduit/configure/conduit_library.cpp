// Loads the real Dalvex.dll and redirects its WinHelpA import to a recorder, so that a test
// sees the help call with its arguments without a help program on the display.
#include "conduit_library.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "test_files_win.h"

namespace {

std::mutex g_helpLock;
std::vector<HelpCall> g_helpCalls;

BOOL WINAPI RecordHelpCall(HWND owner, LPCSTR file, UINT command, ULONG_PTR data) {
  std::lock_guard<std::mutex> hold(g_helpLock);
  g_helpCalls.push_back(HelpCall{owner, file != nullptr ? file : "", command, data});
  return TRUE;
}

// Points the module's import of user32's WinHelpA at the recorder. Returns false when the
// module does not import it.
bool RedirectWinHelp(HMODULE module) {
  void* real = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "WinHelpA"));
  auto* base = reinterpret_cast<unsigned char*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
  for (; descriptor->Name != 0; ++descriptor) {
    if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), "user32.dll") != 0) continue;
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
    for (; slot->u1.Function != 0; ++slot) {
      if (reinterpret_cast<void*>(slot->u1.Function) != real) continue;
      DWORD oldProtection;
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &oldProtection);
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(&RecordHelpCall);
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, oldProtection, &oldProtection);
      return true;
    }
  }
  return false;
}

template <typename Function>
void Resolve(HMODULE module, const char* name, Function* out) {
  *out = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (*out == nullptr) ADD_FAILURE() << "Dalvex.dll does not export " << name;
}

}  // namespace

ConduitLibrary& ConduitLibrary::Get() {
  static ConduitLibrary library;
  return library;
}

ConduitLibrary::ConduitLibrary() : m_module(LoadLibraryA((OwnFolder() + "\\Dalvex.dll").c_str())) {
  if (m_module == nullptr) {
    ADD_FAILURE() << "Dalvex.dll cannot be loaded: " << GetLastError();
    abort();
  }
  Resolve(m_module, "GetConduitName", &getConduitName);
  Resolve(m_module, "GetConduitVersion", &getConduitVersion);
  Resolve(m_module, "GetConduitInfo", &getConduitInfo);
  Resolve(m_module, "ConfigureConduit", &configureConduit);
  Resolve(m_module, "CfgConduit", &cfgConduit);
  if (!RedirectWinHelp(m_module)) ADD_FAILURE() << "Dalvex.dll does not import WinHelpA";
}

std::string ConduitLibrary::Folder() const {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(m_module, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.rfind('\\'));
}

size_t ConduitLibrary::HelpCallCount() const {
  std::lock_guard<std::mutex> hold(g_helpLock);
  return g_helpCalls.size();
}

HelpCall ConduitLibrary::HelpCallAt(size_t index) const {
  std::lock_guard<std::mutex> hold(g_helpLock);
  return g_helpCalls.at(index);
}
