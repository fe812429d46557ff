// uidriver.exe: the UI driver for scripts. Each command names a dialog by its caption and
// waits for it; the exit code is 0 on success, 1 when the window or control was not found
// or did not behave, 2 for a wrong command line.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui_driver.h"

namespace {

const char kUsage[] =
    "usage: uidriver COMMAND CAPTION [ARGS]   (timeouts in milliseconds, default 60000)\n"
    "  wait CAPTION                 wait until the dialog is shown\n"
    "  controls CAPTION             list id, class, visible, enabled, checked, style, text\n"
    "  text CAPTION ID              print a control's text\n"
    "  settext CAPTION ID TEXT      set a control's text\n"
    "  click CAPTION ID             post a button click\n"
    "  key CAPTION escape|f1        post a key press to the focused control\n"
    "  close CAPTION                post WM_CLOSE\n"
    "  closebox CAPTION             post the close box's WM_SYSCOMMAND SC_CLOSE\n"
    "  openfile CAPTION PATH        fill the file dialog that the dialog opened, confirm it\n"
    "  cancelfile CAPTION           cancel the file dialog that the dialog opened\n"
    "  msgbox CAPTION               print the message box that the dialog opened\n"
    "  waitexit CAPTION             wait until the dialog's process has ended\n"
    "Environment: UIDRIVER_TIMEOUT_MS overrides the timeout.\n";

DWORD Timeout() {
  const char* value = getenv("UIDRIVER_TIMEOUT_MS");
  return value != nullptr ? static_cast<DWORD>(strtoul(value, nullptr, 10))
                          : uidriver::kDefaultTimeoutMs;
}

int Fail(const char* what, const char* caption) {
  fprintf(stderr, "uidriver: %s: %s\n", what, caption);
  return 1;
}

void PrintControl(const uidriver::ControlInfo& c) {
  printf("%d\t%s\t%s\t%s\t%s\t0x%08lX\t%s\n", c.id, c.className.c_str(),
         c.visible ? "visible" : "hidden", c.enabled ? "enabled" : "disabled",
         c.checked ? "checked" : "-", static_cast<unsigned long>(c.style), c.text.c_str());
}

int Run(int argc, char** argv) {
  if (argc < 3) return 2;
  const char* command = argv[1];
  const char* caption = argv[2];
  DWORD timeout = Timeout();
  HWND dialog = uidriver::WaitForDialog(caption, timeout);
  if (dialog == nullptr) return Fail("no dialog", caption);

  if (strcmp(command, "wait") == 0 && argc == 3) return 0;
  if (strcmp(command, "controls") == 0 && argc == 3) {
    for (const uidriver::ControlInfo& c : uidriver::ListControls(dialog)) PrintControl(c);
    return 0;
  }
  if (strcmp(command, "text") == 0 && argc == 4) {
    uidriver::ControlInfo control;
    if (!uidriver::FindControl(dialog, atoi(argv[3]), &control)) return Fail("no control", argv[3]);
    printf("%s\n", control.text.c_str());
    return 0;
  }
  if (strcmp(command, "settext") == 0 && argc == 5) {
    return uidriver::SetControlText(dialog, atoi(argv[3]), argv[4]) ? 0 : Fail("no control", argv[3]);
  }
  if (strcmp(command, "click") == 0 && argc == 4) {
    return uidriver::ClickButton(dialog, atoi(argv[3])) ? 0 : Fail("cannot post to", caption);
  }
  if (strcmp(command, "key") == 0 && argc == 4) {
    UINT key = _stricmp(argv[3], "escape") == 0 ? VK_ESCAPE
             : _stricmp(argv[3], "f1") == 0     ? VK_F1
                                                : 0;
    if (key == 0) return 2;
    return uidriver::PressKey(dialog, key) ? 0 : Fail("cannot post to", caption);
  }
  if (strcmp(command, "close") == 0 && argc == 3) {
    return uidriver::PostClose(dialog) ? 0 : Fail("cannot post to", caption);
  }
  if (strcmp(command, "closebox") == 0 && argc == 3) {
    return uidriver::PostCloseBox(dialog) ? 0 : Fail("cannot post to", caption);
  }
  if ((strcmp(command, "openfile") == 0 && argc == 4) ||
      (strcmp(command, "cancelfile") == 0 && argc == 3)) {
    HWND fileDialog = uidriver::WaitForOwnedDialog(dialog, timeout);
    if (fileDialog == nullptr) return Fail("no file dialog owned by", caption);
    bool done = argc == 4 ? uidriver::FillFileDialog(fileDialog, argv[3], timeout)
                          : uidriver::DismissDialog(fileDialog, timeout);
    return done ? 0 : Fail("file dialog did not close", caption);
  }
  if (strcmp(command, "msgbox") == 0 && argc == 3) {
    HWND box = uidriver::WaitForOwnedDialog(dialog, timeout);
    if (box == nullptr) return Fail("no message box owned by", caption);
    uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
    printf("caption\t%s\ntext\t%s\nicon\t%s\n", info.caption.c_str(), info.text.c_str(),
           uidriver::IconName(info.icon));
    for (const uidriver::ControlInfo& b : info.buttons) printf("button\t%d\t%s\n", b.id, b.text.c_str());
    return 0;
  }
  if (strcmp(command, "waitexit") == 0 && argc == 3) {
    DWORD exitCode = 0;
    if (!uidriver::WaitForProcessExit(uidriver::ProcessOfWindow(dialog), timeout, &exitCode)) {
      return Fail("process did not end", caption);
    }
    printf("%lu\n", static_cast<unsigned long>(exitCode));
    return 0;
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int result = Run(argc, argv);
  if (result == 2) fputs(kUsage, stderr);
  return result;
}
