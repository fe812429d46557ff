// One HotSync session: start the companion program, wait for its request, carry it out.
#include "session.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "companion_process.h"
#include "conduit_action.h"
#include "exchange_files_win.h"
#include "hotsync_services.h"
#include "library_instance.h"
#include "retrieve.h"
#include "send.h"
#include "session_messages.h"

namespace {

PathTable g_paths;

constexpr DWORD kPassMilliseconds = 100;
// How long a selection file held open by the companion program is waited for.
constexpr int kHeldSelectionPasses = 30;
// Room for a module path beyond 259 characters, so that such a path is refused, never cut.
constexpr DWORD kModulePathRoom = 1024;

enum class Request { kNone, kSend, kRetrieve, kCancel };

void PumpOneMessage() {
  MSG message;
  if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void PauseOnePass() {
  PumpOneMessage();
  Sleep(kPassMilliseconds);
}

void LogFormatted(const char* format, const char* name) {
  char message[512];
  std::snprintf(message, sizeof message, format, name);
  AddLogLine(message);
}

// Forms the path table from the library's own folder; logs why when it cannot.
bool PreparePaths() {
  std::memset(&g_paths, 0, sizeof g_paths);
  char modulePath[kModulePathRoom];
  DWORD length = GetModuleFileNameA(LibraryInstance(), modulePath, sizeof modulePath);
  if (length > kMaxPathLength) {
    AddLogLine(kFolderTooLongMessage);
    return false;
  }
  char folder[kPathFieldSize];
  if (length == 0 || !FolderOfModulePath(modulePath, folder)) {
    AddLogLine(kFolderNotFoundMessage);
    return false;
  }
  if (!FormPathTable(folder, &g_paths)) {
    AddLogLine(kFolderTooLongMessage);
    return false;
  }
  return true;
}

Request ProbeRequests() {
  if (ExchangeFileExists(g_paths.selection)) return Request::kSend;
  if (ExchangeFileExists(g_paths.retrievalRequest)) return Request::kRetrieve;
  if (ExchangeFileExists(g_paths.cancelMarker)) return Request::kCancel;
  return Request::kNone;
}

// Waits for the companion program's request. Ends without one when the program has ended;
// whether it had ended is looked at before the probe, so a file it left still counts.
Request WaitForRequest(HANDLE companion) {
  for (;;) {
    bool ended = CompanionHasEnded(companion);
    Request request = ProbeRequests();
    if (request != Request::kNone) return request;
    if (ended) {
      AddLogLine(kCompanionEndedMessage);
      return Request::kNone;
    }
    PauseOnePass();
  }
}

void SendSelectedFile() {
  SelectionFile selection;
  SelectionReadResult read = ReadSelectionFile(g_paths.selection, &selection);
  for (int pass = 0; read == SelectionReadResult::kHeld && pass < kHeldSelectionPasses; ++pass) {
    PauseOnePass();
    read = ReadSelectionFile(g_paths.selection, &selection);
  }
  if (read != SelectionReadResult::kRead) {
    AddLogLine(kSelectionUnreadableMessage);
    return;
  }
  switch (CheckSelectionFile(selection)) {
    case SelectionProblem::kEmpty:
      AddLogLine(kSelectionEmptyMessage);
      return;
    case SelectionProblem::kNoSize:
      LogFormatted(kSelectionNoSizeMessage, selection.fileName != nullptr ? selection.fileName : selection.pathLine);
      return;
    case SelectionProblem::kPathTooLong:
      AddLogLine(kSelectionPathTooLongMessage);
      return;
    case SelectionProblem::kNoFileName:
      AddLogLine(kSelectionNoFileNameMessage);
      return;
    case SelectionProblem::kNone:
      break;
  }
  if (!IsSendableSize(selection.size)) {
    LogFormatted(kSizeTooLargeMessage, selection.fileName);
    return;
  }
  char fileName[kPathFieldSize];
  std::snprintf(fileName, sizeof fileName, "%s", selection.fileName);
  SendFileToHandheld(fileName);
}

void RetrieveFirstDatabase(const HotSyncSessionRecord& record) {
  auto list = reinterpret_cast<HandheldDatabaseEntry* const*>(static_cast<uintptr_t>(record.databaseList));
  if (list == nullptr || list[0] == nullptr) {
    AddLogLine(kNoDatabaseMessage);
    return;
  }
  RetrieveRecords(list[0]->name);
}

}  // namespace

const PathTable& SessionPaths() { return g_paths; }

extern "C" int32_t OpenConduit(void* progress, HotSyncSessionRecord* record) {
  if (progress == nullptr) {
    if (PreparePaths()) DeleteRequestFiles(g_paths);
    return -1;
  }
  if (record == nullptr || record->action == DoNothing) return 0;

  uint32_t registration = 0;
  SmRegisterConduit(&registration);
  bool prepared = PreparePaths();
  if (prepared) {
    DeleteRequestFiles(g_paths);
    HANDLE companion = nullptr;
    if (StartCompanion(g_paths.companion, &companion)) {
      switch (WaitForRequest(companion)) {
        case Request::kSend:
          SendSelectedFile();
          break;
        case Request::kRetrieve:
          RetrieveFirstDatabase(*record);
          break;
        case Request::kCancel:
        case Request::kNone:
          break;
      }
      if (companion != nullptr) CloseHandle(companion);
    } else {
      AddLogLine(kCompanionNotStartedMessage);
    }
  }
  SmUnregisterConduit(registration);
  if (prepared) DeleteRequestFiles(g_paths);
  return 0;
}
