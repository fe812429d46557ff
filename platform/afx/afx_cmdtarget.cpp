// Message map search: the class's own table first, then each base's.
#include "afxwin.h"

namespace {
const AFX_MSGMAP_ENTRY kNoEntries[] = {{0, 0, 0, nullptr, nullptr}};
}

const AFX_MSGMAP CCmdTarget::messageMap = {nullptr, kNoEntries};

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr; map = map->pBaseMap) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nMessage != 0; ++entry) {
      if (entry->nMessage != message) continue;
      if (message == WM_COMMAND && (entry->nCode != code || entry->nID != id)) continue;
      return entry;
    }
  }
  return nullptr;
}
