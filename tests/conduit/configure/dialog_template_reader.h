// Reads a classic dialog template (DLGTEMPLATE) out of a loaded module's resources.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
  DWORD style;
  short x, y, cx, cy;
  int id;
  std::string className;  // "Button", "Static", ... also for the predefined class atoms
  std::string text;       // in code page 932
  int textOrdinal;        // a resource id given instead of a text, else 0
};

struct DialogTemplate {
  DWORD style;
  short cx, cy;
  std::string caption;
  WORD pointSize;
  std::string fontName;
  std::vector<TemplateItem> items;
};

// False when the module has no such dialog or it is not a classic template.
bool ReadDialogTemplate(HMODULE module, int id, DialogTemplate* out);
