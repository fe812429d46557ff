// CVornetDlg: the main dialog, which writes the request files that tell the conduit what to do.
#pragma once

#include <cstdint>

#include "afxwin.h"
#include "exchange.h"
#include "resource.h"

class CVornetDlg : public CDialog {
 public:
  explicit CVornetDlg(CWnd* parent = nullptr);

  enum { IDD = IDD_VORNET_DIALOG };

  // 0 idle, 1 waiting for the handheld's records, 2 cancelled while waiting.
  int32_t m_nWaitState;
  CButton m_btnPalmToPc;
  CString m_strStatus;
  HICON m_hIcon;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;

  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnPalmToPc();
  void OnPcToPalm();

  // name holds a bare exchange name beginning with a backslash; on return it holds the full
  // path in the folder of the program. Returns 0, or -1 with name emptied when the path would
  // not fit 259 characters.
  static int MakeExchangePath(char name[kPathFieldSize]);
  // 0 when a directory entry of the path exists (a folder counts), -1 when none does.
  static int ProbeFile(const char* path);
  // Dispatches at most one waiting message of the thread, then pauses 1 ms.
  static void PumpOneMessage();

  DECLARE_MESSAGE_MAP(CVornetDlg)

 private:
  // Creates the named exchange file empty, replacing one that exists; a failure goes unseen.
  static void CreateEmptyExchangeFile(const char* bareName);
};
