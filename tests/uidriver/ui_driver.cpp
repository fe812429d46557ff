// The UI driver's Win32 calls: window search by enumeration, posted messages, screen reads.
#include "ui_driver.h"

#include <cstring>

namespace uidriver {
namespace {

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND hwnd) {
  // WM_GETTEXT rather than GetWindowText: the latter does not read other processes' controls.
  LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT got = SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(got));
  return text;
}

bool IsDialogClass(HWND hwnd) { return ClassOf(hwnd) == "#32770"; }

struct Search {
  const char* caption;
  DWORD processId;
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  if (!IsWindowVisible(hwnd) || !IsDialogClass(hwnd)) return TRUE;
  if (search->processId != 0 && ProcessOfWindow(hwnd) != search->processId) return TRUE;
  if (search->owner != nullptr && GetWindow(hwnd, GW_OWNER) != search->owner) return TRUE;
  if (search->caption != nullptr && TextOf(hwnd) != search->caption) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND Poll(Search search, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    search.found = nullptr;
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(kPollMs);
  }
}

ControlInfo Describe(HWND hwnd) {
  ControlInfo info;
  info.hwnd = hwnd;
  info.id = GetDlgCtrlID(hwnd);
  info.className = ClassOf(hwnd);
  info.text = TextOf(hwnd);
  info.style = GetWindowLongA(hwnd, GWL_STYLE);
  info.visible = (info.style & WS_VISIBLE) != 0;
  info.enabled = IsWindowEnabled(hwnd) != FALSE;
  info.checked = _stricmp(info.className.c_str(), "Button") == 0 &&
                 SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return info;
}

bool IsPushButton(const ControlInfo& control) {
  if (_stricmp(control.className.c_str(), "Button") != 0) return false;
  LONG type = control.style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// A 32-bit top-down bitmap selected into a memory device context, for reading pixels back.
class PixelCanvas {
 public:
  PixelCanvas(int width, int height) : m_width(width), m_height(height) {
    m_screen = GetDC(nullptr);
    m_memory = CreateCompatibleDC(m_screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    m_bitmap = CreateDIBSection(m_memory, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_old = SelectObject(m_memory, m_bitmap);
  }
  ~PixelCanvas() {
    SelectObject(m_memory, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_memory);
    ReleaseDC(nullptr, m_screen);
  }
  PixelCanvas(const PixelCanvas&) = delete;
  PixelCanvas& operator=(const PixelCanvas&) = delete;

  HDC screen() const { return m_screen; }
  HDC dc() const { return m_memory; }
  // The pixels as BGRX rows, once what was drawn has reached the bitmap.
  std::vector<DWORD> Pixels() const {
    GdiFlush();
    const DWORD* bits = static_cast<const DWORD*>(m_bits);
    return std::vector<DWORD>(bits, bits + m_width * m_height);
  }

 private:
  int m_width;
  int m_height;
  HDC m_screen;
  HDC m_memory;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
  void* m_bits = nullptr;
};

// The screen's pixels under a window's client area, as 32-bit BGRX rows.
std::vector<DWORD> CaptureClient(HWND hwnd, int width, int height) {
  POINT origin = {0, 0};
  ClientToScreen(hwnd, &origin);
  PixelCanvas canvas(width, height);
  BitBlt(canvas.dc(), 0, 0, width, height, canvas.screen(), origin.x, origin.y, SRCCOPY);
  return canvas.Pixels();
}

// An icon drawn here: its colours, and which pixels it covers (mask drawn black on white).
void RenderIcon(HICON icon, int width, int height, std::vector<DWORD>* colours,
                std::vector<DWORD>* mask) {
  PixelCanvas canvas(width, height);
  RECT all = {0, 0, width, height};
  const UINT passes[2] = {DI_MASK, DI_NORMAL};
  std::vector<DWORD>* outputs[2] = {mask, colours};
  for (int pass = 0; pass < 2; ++pass) {
    FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, passes[pass]);
    *outputs[pass] = canvas.Pixels();
  }
}

MessageBoxIcon MatchIcon(HWND iconControl) {
  int width = GetSystemMetrics(SM_CXICON);
  int height = GetSystemMetrics(SM_CYICON);
  std::vector<DWORD> shown = CaptureClient(iconControl, width, height);
  struct Candidate {
    LPCSTR resource;
    MessageBoxIcon icon;
  };
  const Candidate candidates[] = {
      {IDI_HAND, MessageBoxIcon::kStop},
      {IDI_QUESTION, MessageBoxIcon::kQuestion},
      {IDI_EXCLAMATION, MessageBoxIcon::kExclamation},
      {IDI_ASTERISK, MessageBoxIcon::kInformation},
  };
  for (const Candidate& candidate : candidates) {
    std::vector<DWORD> colours, mask;
    RenderIcon(LoadIconA(nullptr, candidate.resource), width, height, &colours, &mask);
    size_t covered = 0, equal = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
      if ((mask[i] & 0xFFFFFF) != 0) continue;
      ++covered;
      if ((colours[i] & 0xFFFFFF) == (shown[i] & 0xFFFFFF)) ++equal;
    }
    if (covered > 0 && equal * 10 >= covered * 9) return candidate.icon;
  }
  return MessageBoxIcon::kUnknown;
}

}  // namespace

HWND WaitForDialog(const char* caption, DWORD timeoutMs, DWORD processId) {
  return Poll(Search{caption, processId, nullptr, nullptr}, timeoutMs);
}

HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs) {
  return Poll(Search{nullptr, 0, owner, nullptr}, timeoutMs);
}

HWND WaitForProcessDialog(DWORD processId, DWORD timeoutMs) {
  return Poll(Search{nullptr, processId, nullptr, nullptr}, timeoutMs);
}

std::vector<ControlInfo> ListControls(HWND dialog) {
  std::vector<ControlInfo> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    controls.push_back(Describe(child));
  }
  return controls;
}

bool FindControl(HWND dialog, int id, ControlInfo* out) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return false;
  *out = Describe(control);
  return true;
}

std::string GetControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr ? TextOf(control) : std::string();
}

bool SetControlText(HWND dialog, int id, const char* text) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return false;
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  return true;
}

bool ClickButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != FALSE;
}

bool PostCommand(HWND dialog, int id) {
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
}

bool PressKey(HWND window, UINT virtualKey) {
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  HWND target = window;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) &&
      thread.hwndFocus != nullptr) {
    target = thread.hwndFocus;
  }
  UINT scan = MapVirtualKeyA(virtualKey, 0);
  LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  LPARAM up = down | (1u << 30) | (1u << 31);
  return PostMessageA(target, WM_KEYDOWN, virtualKey, down) != FALSE &&
         PostMessageA(target, WM_KEYUP, virtualKey, up) != FALSE;
}

bool PostClose(HWND window) { return PostMessageA(window, WM_CLOSE, 0, 0) != FALSE; }

bool PostCloseBox(HWND window) {
  return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

bool FillFileDialog(HWND fileDialog, const char* path, DWORD timeoutMs) {
  HWND nameBox = GetDlgItem(fileDialog, 0x47C);
  if (nameBox == nullptr) nameBox = GetDlgItem(fileDialog, 0x480);
  if (nameBox == nullptr) return false;
  SendMessageA(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
  if (!PostCommand(fileDialog, IDOK)) return false;
  return WaitForWindowGone(fileDialog, timeoutMs);
}

bool DismissDialog(HWND dialog, DWORD timeoutMs) {
  return PostCommand(dialog, IDCANCEL) && WaitForWindowGone(dialog, timeoutMs);
}

const char* IconName(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::kNone: return "none";
    case MessageBoxIcon::kStop: return "stop";
    case MessageBoxIcon::kQuestion: return "question";
    case MessageBoxIcon::kExclamation: return "exclamation";
    case MessageBoxIcon::kInformation: return "information";
    case MessageBoxIcon::kUnknown: break;
  }
  return "unknown";
}

MessageBoxInfo ReadMessageBox(HWND messageBox) {
  MessageBoxInfo info;
  info.caption = TextOf(messageBox);
  info.icon = MessageBoxIcon::kNone;
  HWND iconControl = nullptr;
  for (const ControlInfo& control : ListControls(messageBox)) {
    if (!control.visible) continue;
    if (IsPushButton(control)) {
      info.buttons.push_back(control);
    } else if (_stricmp(control.className.c_str(), "Static") == 0) {
      if ((control.style & SS_TYPEMASK) == SS_ICON) {
        iconControl = control.hwnd;
      } else if (info.text.empty()) {
        info.text = control.text;
      }
    }
  }
  if (iconControl != nullptr) {
    // The box may not have painted its icon yet.
    DWORD start = GetTickCount();
    do {
      info.icon = MatchIcon(iconControl);
      if (info.icon != MessageBoxIcon::kUnknown) break;
      Sleep(kPollMs);
    } while (GetTickCount() - start < 5000);
  }
  return info;
}

DWORD ProcessOfWindow(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

bool WaitForProcessExit(DWORD processId, DWORD timeoutMs, DWORD* exitCode) {
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
  if (process == nullptr) return false;
  bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
  if (ended && exitCode != nullptr) GetExitCodeProcess(process, exitCode);
  CloseHandle(process);
  return ended;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (IsWindow(window)) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(kPollMs);
  }
  return true;
}

}  // namespace uidriver
