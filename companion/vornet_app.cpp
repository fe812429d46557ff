// The one application object: shows the main dialog and ends the program when it closes.
#include "vornet_app.h"

#include "vornet_dlg.h"

CVornetApp theApp;

BOOL CVornetApp::InitInstance() {
  CVornetDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  // The dialog was the whole program: end without a message loop.
  return FALSE;
}
