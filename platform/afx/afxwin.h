// The framework's windows: message maps, CWnd and its controls, paint contexts, data
// exchange, modal dialogs and the application object. A thin layer: each method is one
// Win32 call on the window handle it holds.
#pragma once

#include <windows.h>

#include "afxstr.h"

class CCmdTarget;

// The two handler kinds that message maps hold: void Handler(); HCURSOR Handler().
typedef void (CCmdTarget::*AFX_PMSG)();
typedef HCURSOR (CCmdTarget::*AFX_PMSG_HCURSOR)();

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // window message; 0 ends the table
  UINT nCode;     // notification code of WM_COMMAND
  UINT nID;       // control or command id of WM_COMMAND
  AFX_PMSG pfn;                 // set for every message but WM_QUERYDRAGICON
  AFX_PMSG_HCURSOR pfnHCursor;  // set for WM_QUERYDRAGICON
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* pBaseMap;
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// In the class: the table of its own handlers, searched before its base's. ThisClass names
// the class in its map's entries.
#define DECLARE_MESSAGE_MAP(theClass)                         \
 protected:                                                   \
  typedef theClass ThisClass;                                 \
  static const AFX_MSGMAP_ENTRY _messageEntries[];            \
  const AFX_MSGMAP* GetMessageMap() const override;           \
                                                              \
 public:                                                      \
  static const AFX_MSGMAP messageMap;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                     \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return &theClass::messageMap; } \
  const AFX_MSGMAP theClass::messageMap = {&baseClass::messageMap, &theClass::_messageEntries[0]}; \
  const AFX_MSGMAP_ENTRY theClass::_messageEntries[] = {
#define END_MESSAGE_MAP() {0, 0, 0, nullptr, nullptr}};

// Entries; ThisClass is the class whose map is being defined.
#define ON_WM_PAINT() {WM_PAINT, 0, 0, static_cast<AFX_PMSG>(&ThisClass::OnPaint), nullptr},
#define ON_WM_QUERYDRAGICON() \
  {WM_QUERYDRAGICON, 0, 0, nullptr, static_cast<AFX_PMSG_HCURSOR>(&ThisClass::OnQueryDragIcon)},
#define ON_COMMAND_CODE(code, id, handler) \
  {WM_COMMAND, code, id, static_cast<AFX_PMSG>(&ThisClass::handler), nullptr},
#define ON_BN_CLICKED(id, handler) ON_COMMAND_CODE(BN_CLICKED, id, handler)
#define ON_LBN_SELCHANGE(id, handler) ON_COMMAND_CODE(LBN_SELCHANGE, id, handler)

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;
  static const AFX_MSGMAP messageMap;

 protected:
  virtual const AFX_MSGMAP* GetMessageMap() const { return &messageMap; }
  // Finds the handler of a message in this class's map and its bases'. Null when none.
  const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  CString GetWindowText() const;
  HICON SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL,
                                               reinterpret_cast<LPARAM>(icon)));
  }

  HWND m_hWnd = nullptr;
};

class CButton : public CWnd {};

class CListBox : public CWnd {
 public:
  int InsertString(int index, const char* text) {
    return static_cast<int>(SendMessage(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
  }
  int SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(SendMessage(LB_SETITEMDATA, index, data));
  }
  DWORD_PTR GetItemData(int index) { return SendMessage(LB_GETITEMDATA, index); }
  int GetCurSel() { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  int DeleteString(int index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
  int GetCount() { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
};

// Begins painting a window on construction and ends it on destruction.
class CPaintDC {
 public:
  explicit CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }
  ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

  BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
  HDC GetSafeHdc() const { return m_hDC; }

  HDC m_hDC;
  PAINTSTRUCT m_ps;

 private:
  HWND m_hWnd;
};

// Which way a data exchange goes: TRUE copies controls into fields, FALSE fields into controls.
struct CDataExchange {
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

// Binds a control of the dialog to a CWnd object (once; later exchanges keep the binding).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Exchanges the text of a control with a CString.
void DDX_Text(CDataExchange* pDX, int id, CString& value);

// A modal dialog on a dialog template of the program's resources. Messages reach the
// handlers of the message maps; a CFileException or a failed allocation thrown out of a
// handler is shown in a message box with a stop icon, and the message counts as handled.
class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr)
      : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

  // Runs the dialog until EndDialog; returns its result, or -1 when it could not be made.
  virtual INT_PTR DoModal();
  void EndDialog(int result) {
    m_bEnded = true;
    ::EndDialog(m_hWnd, result);
  }
  // True once EndDialog was called: a handler that waits inside the dialog stops then.
  bool HasEnded() const { return m_bEnded; }
  // Runs DoDataExchange in the given direction.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

 protected:
  DECLARE_MESSAGE_MAP(CDialog)

 protected:
  virtual void DoDataExchange(CDataExchange*) {}
  // Fills the controls from the fields; TRUE lets the system place the keyboard focus.
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  // Leaves the message being handled to the dialog manager's own handling.
  void Default() { m_bDefaultHandling = true; }
  void OnPaint() { Default(); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam);
  void CenterOnScreen();

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  bool m_bDefaultHandling = false;
  bool m_bEnded = false;
};

// The one application object. The framework's entry point calls its InitInstance, in which
// the program does all its work; the program ends when it returns.
class CWinApp : public CCmdTarget {
 public:
  CWinApp();
  ~CWinApp() override;

  virtual BOOL InitInstance() = 0;

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;
  CString m_strAppName;  // the program's file name without its extension
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
