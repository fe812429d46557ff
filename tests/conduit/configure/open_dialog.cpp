// A configuration export on a thread of its own, with its dialog found by the UI driver.
#include "open_dialog.h"

#include "ui_driver.h"

namespace {

constexpr DWORD kCallTimeoutMs = 60000;

BOOL CALLBACK MatchVisibleDialog(HWND hwnd, LPARAM found) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (!IsWindowVisible(hwnd) || lstrcmpA(name, "#32770") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

// Finds a visible dialog of the thread.
HWND VisibleDialogOf(DWORD threadId) {
  HWND found = nullptr;
  EnumThreadWindows(threadId, MatchVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

OpenDialog::OpenDialog(std::function<int32_t()> call) : m_call(std::move(call)) {
  DWORD threadId = 0;
  m_thread = CreateThread(nullptr, 0, Run, this, 0, &threadId);
  DWORD start = GetTickCount();
  while (m_thread != nullptr && GetTickCount() - start < kCallTimeoutMs) {
    m_dialog = VisibleDialogOf(threadId);
    if (m_dialog != nullptr || WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0) break;
    Sleep(uidriver::kPollMs);
  }
}

OpenDialog::~OpenDialog() {
  if (m_thread == nullptr) return;
  if (WaitForSingleObject(m_thread, 0) != WAIT_OBJECT_0 && m_dialog != nullptr) {
    uidriver::PostCommand(m_dialog, IDCANCEL);
  }
  WaitForSingleObject(m_thread, kCallTimeoutMs);
  CloseHandle(m_thread);
}

bool OpenDialog::Finish(int32_t* result) {
  if (m_thread == nullptr || WaitForSingleObject(m_thread, kCallTimeoutMs) != WAIT_OBJECT_0) return false;
  *result = m_result;
  return true;
}

DWORD WINAPI OpenDialog::Run(void* self) {
  OpenDialog* open = static_cast<OpenDialog*>(self);
  open->m_result = open->m_call();
  return 0;
}

bool ReturnsWithoutDialog(std::function<int32_t()> call, int32_t* result) {
  OpenDialog open(std::move(call));
  if (open.dialog() != nullptr) return false;
  return open.Finish(result);
}
