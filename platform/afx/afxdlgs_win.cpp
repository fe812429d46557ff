// CFileDialog over GetOpenFileNameA and GetSaveFileNameA.
#include "afxdlgs.h"

#include <cstring>

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog), m_pParentWnd(parent) {
  memset(&m_ofn, 0, sizeof m_ofn);
  memset(m_szFileName, 0, sizeof m_szFileName);
  if (fileName != nullptr) lstrcpynA(m_szFileName, fileName, sizeof m_szFileName);
  if (filter != nullptr) {
    // The bars become the terminators between the strings; the list ends with two.
    m_strFilter = filter;
    for (char& c : m_strFilter) {
      if (c == '|') c = '\0';
    }
    m_strFilter += '\0';
  }
  if (defaultExtension != nullptr) m_strDefExt = defaultExtension;

  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = sizeof m_szFileName;
  m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
  m_ofn.lpstrDefExt = m_strDefExt.empty() ? nullptr : m_strDefExt.c_str();
  m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal() {
  CWnd* owner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetApp()->m_pMainWnd;
  m_ofn.hwndOwner = owner != nullptr ? owner->m_hWnd : nullptr;
  m_ofn.hInstance = AfxGetInstanceHandle();
  BOOL confirmed = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
  return confirmed ? IDOK : IDCANCEL;
}
