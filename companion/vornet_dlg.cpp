// The main dialog: the PC->handheld choice, the handheld->PC request and wait, and cancel.
#include "vornet_dlg.h"

#include <cstring>

#include "afxdlgs.h"
#include "afxfile.h"

BEGIN_MESSAGE_MAP(CVornetDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_BN_CLICKED(IDC_PALM_TO_PC, OnPalmToPc)
  ON_BN_CLICKED(IDC_PC_TO_PALM, OnPcToPalm)
END_MESSAGE_MAP()

CVornetDlg::CVornetDlg(CWnd* parent)
    : CDialog(IDD, parent),
      m_nWaitState(0),
      m_hIcon(::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

void CVornetDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PALM_TO_PC, m_btnPalmToPc);
  DDX_Text(pDX, IDC_STATUS, m_strStatus);
}

BOOL CVornetDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  return TRUE;
}

void CVornetDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  int iconWidth = ::GetSystemMetrics(SM_CXICON);
  int iconHeight = ::GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(&client);
  int x = (client.right - client.left - iconWidth + 1) / 2;
  int y = (client.bottom - client.top - iconHeight + 1) / 2;
  dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CVornetDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CVornetDlg::OnPcToPalm() {
  CFileDialog chooser(TRUE, "", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                      "すべてのファイル(*.*) |*.*||");
  if (chooser.DoModal() != IDOK) return;
  CString chosenPath = chooser.GetPathName();

  // Measured before the selection file exists: a file that cannot be read throws here and
  // leaves no selection file with the path alone.
  CString sizeLine;
  {
    CFile chosen(chosenPath, CFile::modeRead);
    sizeLine.Format("%d", static_cast<int>(chosen.GetLength()));
  }

  char selectionPath[kPathFieldSize];
  lstrcpyA(selectionPath, kSelectionName);
  MakeExchangePath(selectionPath);
  // Throws, and writes nothing, when the selection file cannot be created.
  CStdioFile selection(selectionPath, CFile::modeCreate | CFile::modeWrite);
  try {
    selection.WriteString(chosenPath + "\n");
    selection.WriteString(sizeLine + "\n");
  } catch (const CFileException&) {
    // A part-written selection file would send a wrong file or size.
    selection.Close();
    ::DeleteFileA(selectionPath);
    throw;
  }
  selection.Close();

  SendMessage(WM_COMMAND, IDOK, 0);
}

void CVornetDlg::OnPalmToPc() {
  m_nWaitState = 1;

  char stem[kPathFieldSize];
  lstrcpyA(stem, kRecordFileStem);
  bool stemFormed = MakeExchangePath(stem) == 0;
  for (uint32_t number = 0; stemFormed && number < 1000; ++number) {
    char recordPath[kPathFieldSize];
    if (!RecordFileName(stem, number, recordPath) || ProbeFile(recordPath) != 0) break;
    CFile::Remove(recordPath);
  }

  UpdateData(TRUE);
  m_strStatus = "読み込み中です。しばらくお待ちください。";
  m_btnPalmToPc.EnableWindow(FALSE);
  UpdateData(FALSE);

  char donePath[kPathFieldSize];
  lstrcpyA(donePath, kRetrievalDoneName);
  MakeExchangePath(donePath);
  // A marker left from an earlier retrieval would end this wait at once.
  ::DeleteFileA(donePath);
  CreateEmptyExchangeFile(kRetrievalRequestName);

  while (ProbeFile(donePath) != 0) {
    PumpOneMessage();
    // The dialog may also have been ended by another command while this one waited.
    if (m_nWaitState == 2 || HasEnded()) break;
  }
}

void CVornetDlg::OnCancel() {
  CreateEmptyExchangeFile(kCancelMarkerName);
  if (m_nWaitState == 1) m_nWaitState = 2;
  CDialog::OnCancel();
}

void CVornetDlg::CreateEmptyExchangeFile(const char* bareName) {
  char path[kPathFieldSize];
  lstrcpyA(path, bareName);
  MakeExchangePath(path);
  CFile file;
  file.Open(path, CFile::modeCreate | CFile::modeWrite);
  file.Close();
}

int CVornetDlg::MakeExchangePath(char name[kPathFieldSize]) {
  char modulePath[kPathFieldSize] = {};
  ::GetModuleFileNameA(::GetModuleHandleA(nullptr), modulePath, kPathFieldSize);
  char folder[kPathFieldSize];
  // A path without any backslash is used whole.
  if (!FolderOfModulePath(modulePath, folder)) lstrcpyA(folder, modulePath);
  char joined[kPathFieldSize];
  bool fits = JoinExchangePath(folder, name, joined);
  lstrcpyA(name, joined);
  return fits ? 0 : -1;
}

int CVornetDlg::ProbeFile(const char* path) {
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  ::FindClose(search);
  return 0;
}

void CVornetDlg::PumpOneMessage() {
  MSG message;
  if (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  ::Sleep(1);
}
