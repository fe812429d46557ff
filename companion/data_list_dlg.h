// CDataListDlg: lists survey-record files and converts the selected one to a CSV file.
#pragma once

#include "afxwin.h"

class CDataListDlg : public CDialog {
 public:
  // Slots the dialog can list; an m_nEntryCount above it lists this many.
  static constexpr int kCapacity = 1000;

  explicit CDataListDlg(CWnd* parent = nullptr);
  ~CDataListDlg() override;

  CString m_strDisplayName[kCapacity];
  int m_nEntryCount = 0;
  CString m_strFilePath[kCapacity];
  CButton m_btnConvert;
  CListBox m_listData;

 protected:
  DECLARE_MESSAGE_MAP(CDataListDlg)

  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint();
  void OnConvert();
  void OnSelchangeDataList();

 private:
  // Reads and converts the slot's file into the CSV file at target. Returns false, having
  // told the user, when the file is refused; file failures throw CFileException.
  bool ConvertFile(int slot, const char* target);
};
