// CDialog: the modal run, the dialog procedure that hands messages to the message maps, the
// data exchange, and the report of a file failure thrown out of a handler.
#include <new>

#include "afxfile.h"
#include "afxwin.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND_CODE(BN_CLICKED, IDOK, OnOK)
  ON_COMMAND_CODE(BN_CLICKED, IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CString CWnd::GetWindowText() const {
  int length = ::GetWindowTextLengthA(m_hWnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  ::GetWindowTextA(m_hWnd, &text[0], length + 1);
  return text.c_str();
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (control.m_hWnd == nullptr) control.m_hWnd = pDX->m_pDlgWnd->GetDlgItem(id);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
  HWND control = pDX->m_pDlgWnd->GetDlgItem(id);
  if (pDX->m_bSaveAndValidate) {
    int length = ::GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(control, &text[0], length + 1);
    value = text.c_str();
  } else {
    ::SetWindowTextA(control, value);
  }
}

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
  CWnd* mainWnd = AfxGetApp()->m_pMainWnd;
  if (owner == nullptr && mainWnd != nullptr && mainWnd != this) owner = mainWnd->m_hWnd;
  m_bEnded = false;
  INT_PTR result = ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                     owner, DialogProc, reinterpret_cast<LPARAM>(this));
  m_hWnd = nullptr;
  return result;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange = {this, saveAndValidate};
  DoDataExchange(&exchange);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::CenterOnScreen() {
  RECT window, area;
  ::GetWindowRect(m_hWnd, &window);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  int x = area.left + (area.right - area.left - (window.right - window.left)) / 2;
  int y = area.top + (area.bottom - area.top - (window.bottom - window.top)) / 2;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    dialog->m_hWnd = hwnd;
    // A dialog without an owner opens in the middle of the screen.
    if (::GetWindow(hwnd, GW_OWNER) == nullptr) dialog->CenterOnScreen();
    return dialog->OnInitDialog();
  }
  CDialog* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
  return dialog != nullptr ? dialog->Dispatch(message, wParam) : FALSE;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam) {
  UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
  UINT id = message == WM_COMMAND ? LOWORD(wParam) : 0;
  const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, code, id);
  if (entry == nullptr) return FALSE;

  // Handlers nest (a handler may pump messages), so each dispatch keeps its own flag.
  bool outerDefault = m_bDefaultHandling;
  m_bDefaultHandling = false;
  INT_PTR result = TRUE;
  const char* failure = nullptr;
  CString message_text;
  try {
    if (entry->pfnHCursor != nullptr) {
      result = reinterpret_cast<INT_PTR>((this->*entry->pfnHCursor)());
    } else {
      (this->*entry->pfn)();
    }
  } catch (const CFileException& error) {
    message_text = error.GetErrorMessage();
    failure = message_text;
  } catch (const std::bad_alloc&) {
    failure = "メモリが不足しています。";
  }
  bool useDefault = m_bDefaultHandling;
  m_bDefaultHandling = outerDefault;
  if (failure != nullptr) {
    ::MessageBoxA(m_hWnd, failure, AfxGetApp()->m_strAppName, MB_OK | MB_ICONSTOP);
    return TRUE;
  }
  return useDefault ? FALSE : result;
}
