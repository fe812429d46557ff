// The one application object: shows the main dialog, or the data list for files named on the
// command line, and ends the program when it closes.
#include "vornet_app.h"

#include "data_list_launch.h"
#include "vornet_dlg.h"

#include <stdlib.h>

CVornetApp theApp;

BOOL CVornetApp::InitInstance() {
  // Survey-record files handed over on the command line go to the data list instead.
  if (__argc > 1) {
    ShowDataList(__argc - 1, __argv + 1);
    return FALSE;
  }
  CVornetDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  // The dialog was the whole program: end without a message loop.
  return FALSE;
}
