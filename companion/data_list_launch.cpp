// The data list for files handed to the program (as when they are dropped on it).
#include "data_list_launch.h"

#include "data_list_dlg.h"

#include <memory>

namespace {

// The part after the last folder separator.
const char* FileNameOf(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  return name;
}

}  // namespace

void ShowDataList(int count, char** paths) {
  // Two thousand strings: too large a frame for the stack.
  const auto dialog = std::make_unique<CDataListDlg>();
  const int listed = count < CDataListDlg::kCapacity ? count : CDataListDlg::kCapacity;
  for (int i = 0; i < listed; ++i) {
    dialog->m_strFilePath[i] = paths[i];
    dialog->m_strDisplayName[i] = FileNameOf(paths[i]);
  }
  dialog->m_nEntryCount = listed;
  AfxGetApp()->m_pMainWnd = dialog.get();
  dialog->DoModal();
  AfxGetApp()->m_pMainWnd = nullptr;
}
