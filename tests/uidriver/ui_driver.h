// A small driver for the system's dialogs under test: finds windows, reads and sets controls,
// clicks, sends keys, fills the open/save dialog and reads message boxes. All text is in the
// ANSI code page (Shift-JIS here), as the programs under test see it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// Generous default: under emulation a program start takes seconds.
constexpr DWORD kDefaultTimeoutMs = 60000;
// How often every wait looks again.
constexpr DWORD kPollMs = 25;

// Waits for a visible top-level dialog (class "#32770") with exactly this caption. When
// processId is not 0 only that process's windows count. Returns null on timeout.
HWND WaitForDialog(const char* caption, DWORD timeoutMs = kDefaultTimeoutMs, DWORD processId = 0);

// Waits for a visible dialog whose owner window is `owner` (a file dialog or message box
// that the owner opened). Returns null on timeout.
HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs = kDefaultTimeoutMs);

// Waits for any visible top-level dialog of the process. Returns null on timeout.
HWND WaitForProcessDialog(DWORD processId, DWORD timeoutMs = kDefaultTimeoutMs);

// One child control of a dialog, as it stands at the moment it was listed.
struct ControlInfo {
  HWND hwnd;
  int id;
  std::string className;
  std::string text;
  LONG style;
  bool visible;   // its own visible style bit, whatever its parent's state
  bool enabled;
  bool checked;   // BM_GETCHECK of buttons; false for other controls
};

// The dialog's direct child controls in z-order (which for dialogs is template order).
std::vector<ControlInfo> ListControls(HWND dialog);

// The control with this id, if the dialog has one.
bool FindControl(HWND dialog, int id, ControlInfo* out);

std::string GetControlText(HWND dialog, int id);
// WM_SETTEXT to the control. Returns false when the dialog has no such control.
bool SetControlText(HWND dialog, int id, const char* text);

// Posts the click of button `id` as its parent sees it: WM_COMMAND with BN_CLICKED and the
// button's handle. Posted, never sent, so a handler that opens a modal loop cannot block the
// driver. Returns false when the post fails.
bool ClickButton(HWND dialog, int id);

// Posts WM_COMMAND with this id and no control handle (a menu or accelerator command).
bool PostCommand(HWND dialog, int id);

// Posts a key press and release (WM_KEYDOWN, WM_KEYUP) to the control that has the focus in
// the window's thread, or to the window itself when none has: e.g. VK_ESCAPE, VK_F1.
bool PressKey(HWND window, UINT virtualKey);

// Posts WM_CLOSE, as the close box of the caption does in the end.
bool PostClose(HWND window);

// Posts the close box's own command, WM_SYSCOMMAND with SC_CLOSE.
bool PostCloseBox(HWND window);

// Fills the explorer-style open/save dialog: the file name box (0x47C, else 0x480) gets the
// path, then IDOK is posted; waits until the dialog is gone. Returns false when the dialog
// has no name box or is still open at the timeout (e.g. it asked something).
bool FillFileDialog(HWND fileDialog, const char* path, DWORD timeoutMs = kDefaultTimeoutMs);

// Posts IDCANCEL to a dialog and waits until it is gone.
bool DismissDialog(HWND dialog, DWORD timeoutMs = kDefaultTimeoutMs);

// Which of the system's message box icons is shown.
enum class MessageBoxIcon { kNone, kStop, kQuestion, kExclamation, kInformation, kUnknown };
const char* IconName(MessageBoxIcon icon);

struct MessageBoxInfo {
  std::string caption;
  std::string text;
  std::vector<ControlInfo> buttons;  // visible push buttons, in order
  MessageBoxIcon icon;
};

// Reads a message box. The icon is told apart by comparing the pixels on screen with the
// system's own icons drawn here; the box must not be covered.
MessageBoxInfo ReadMessageBox(HWND messageBox);

// Process id of the window's owner.
DWORD ProcessOfWindow(HWND window);

// Waits until the process has ended. Returns false on timeout or when it cannot be opened.
// exitCode, when given, receives its exit code.
bool WaitForProcessExit(DWORD processId, DWORD timeoutMs = kDefaultTimeoutMs,
                        DWORD* exitCode = nullptr);

// Waits until the window no longer exists.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);

}  // namespace uidriver
