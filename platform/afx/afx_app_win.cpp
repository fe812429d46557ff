// The application object's registration and the framework's entry code.
#include "afx_entry.h"
#include "afxwin.h"

namespace {
CWinApp* currentApp = nullptr;
}

CWinApp::CWinApp() { currentApp = this; }

CWinApp::~CWinApp() { currentApp = nullptr; }

CWinApp* AfxGetApp() { return currentApp; }

HINSTANCE AfxGetInstanceHandle() { return currentApp->m_hInstance; }

int AfxWinMain(HINSTANCE instance) {
  CWinApp* app = AfxGetApp();
  app->m_hInstance = instance;
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(instance, path, sizeof path);
  char* name = path;
  for (char* p = path; *p != '\0'; p = ::CharNextA(p)) {
    if (*p == '\\') name = p + 1;
  }
  char* dot = nullptr;
  for (char* p = name; *p != '\0'; p = ::CharNextA(p)) {
    if (*p == '.') dot = p;
  }
  if (dot != nullptr) *dot = '\0';
  app->m_strAppName = name;
  // The framework has no message loop of its own: the program does its work in modal
  // dialogs inside InitInstance, and ends when InitInstance returns.
  app->InitInstance();
  return 0;
}
