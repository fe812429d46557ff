// CFileDialog: the system's explorer-style open and save dialogs.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "afxstr.h"
#include "afxwin.h"

class CFileDialog {
 public:
  // filter: pairs of description and pattern, each ended by '|', the list ended by "||".
  // An empty default extension adds none. Without a parent the program's main window owns
  // the dialog.
  CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr,
              const char* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parent = nullptr);
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  // IDOK when the user confirmed a file, IDCANCEL otherwise.
  INT_PTR DoModal();
  // The confirmed file's full path.
  CString GetPathName() const { return m_szFileName; }

  OPENFILENAMEA m_ofn;

 private:
  BOOL m_bOpenFileDialog;
  CWnd* m_pParentWnd;
  std::string m_strFilter;
  std::string m_strDefExt;
  char m_szFileName[MAX_PATH];
};
