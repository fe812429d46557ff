// CVornetApp: the application object of Vornet.exe, which runs the main dialog once.
#pragma once

#include "afxwin.h"

class CVornetApp : public CWinApp {
 public:
  BOOL InitInstance() override;
};
