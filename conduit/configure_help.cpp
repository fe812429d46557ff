// Opens HotSync's help file, looked for beside the conduit library, at the conduit's topic.
#include "configure_help.h"

#include "exchange.h"
#include "library_instance.h"

namespace {

constexpr char kHelpFileName[] = "\\hotsync.hlp";
constexpr DWORD kHelpContext = 131471;
// Room for a module path beyond 259 characters, so that such a path is refused, never cut.
constexpr DWORD kModulePathRoom = 1024;

}  // namespace

void OpenConduitHelp(HWND dialog) {
  char modulePath[kModulePathRoom];
  DWORD length = GetModuleFileNameA(LibraryInstance(), modulePath, sizeof modulePath);
  if (length == 0 || length >= sizeof modulePath) return;
  char folder[kPathFieldSize];
  char helpPath[kPathFieldSize];
  if (!FolderOfModulePath(modulePath, folder) || !JoinExchangePath(folder, kHelpFileName, helpPath)) return;
  WinHelpA(dialog, helpPath, HELP_CONTEXT, kHelpContext);
}
