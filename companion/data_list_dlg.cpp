// The data list dialog: fills its list on the first paint of the process, converts the
// selected survey-record file through a Save-As dialog and drops its item.
#include "data_list_dlg.h"

#include "afxdlgs.h"
#include "afxfile.h"
#include "data_list_ids.h"
#include "survey_csv.h"

#include <memory>

namespace {

// Once per process: a second data list shown later in the same run stays empty.
bool g_listFilled = false;

const char kCaption[] = "データリスト";

const char* RefusalReason(CsvProblem problem) {
  switch (problem) {
    case CsvProblem::kNone:
      break;
    case CsvProblem::kFileTooLong:
      return "ファイルが 100000 バイトを超えています。";
    case CsvProblem::kHeaderMissing:
      return "ファイルが分類と表題の前で終わっています。";
    case CsvProblem::kNamePastEnd:
      return "名前の欄がファイルの終わりより後にあります。";
    case CsvProblem::kTextTooLong:
      return "変換した文字列が 131071 バイトを超えます。";
  }
  return "";
}

}  // namespace

BEGIN_MESSAGE_MAP(CDataListDlg, CDialog)
ON_WM_PAINT()
ON_BN_CLICKED(IDC_CONVERT, OnConvert)
ON_LBN_SELCHANGE(IDC_DATA_LIST, OnSelchangeDataList)
END_MESSAGE_MAP()

CDataListDlg::CDataListDlg(CWnd* parent) : CDialog(IDD_DATA_LIST, parent) {}

CDataListDlg::~CDataListDlg() = default;

void CDataListDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CONVERT, m_btnConvert);
  DDX_Control(pDX, IDC_DATA_LIST, m_listData);
}

void CDataListDlg::OnPaint() {
  CPaintDC dc(this);
  if (g_listFilled) return;
  for (int i = 0; i < m_nEntryCount && i < kCapacity; ++i) {
    m_listData.InsertString(-1, m_strDisplayName[i]);
    m_listData.SetItemData(i, static_cast<DWORD_PTR>(i));
  }
  g_listFilled = true;
}

void CDataListDlg::OnSelchangeDataList() {
  m_btnConvert.EnableWindow(m_listData.GetCurSel() != LB_ERR);
}

void CDataListDlg::OnConvert() {
  // After a conversion the button stays enabled with nothing selected: then nothing happens.
  const int position = m_listData.GetCurSel();
  if (position == LB_ERR) return;
  const DWORD_PTR slot = m_listData.GetItemData(position);
  if (slot >= static_cast<DWORD_PTR>(kCapacity)) return;

  CFileDialog chooser(FALSE, "csv", m_strDisplayName[slot], OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                      "CSVファイル (*.csv) |*.csv||");
  if (chooser.DoModal() != IDOK) return;
  if (!ConvertFile(static_cast<int>(slot), chooser.GetPathName())) return;

  m_listData.DeleteString(position);
  if (m_listData.GetCount() == 0) m_btnConvert.EnableWindow(FALSE);
}

bool CDataListDlg::ConvertFile(int slot, const char* target) {
  // One byte more than a survey-record file may hold, so a longer file is told apart.
  const std::unique_ptr<uint8_t[]> buffer(new uint8_t[kSurveyFileMaxSize + 1]);
  UINT length = 0;
  {
    CFile input(m_strFilePath[slot], CFile::modeRead);
    length = input.Read(buffer.get(), static_cast<UINT>(kSurveyFileMaxSize + 1));
    input.Close();
  }
  const CsvBuild build = BuildCsvText(buffer.get(), length);
  if (build.problem != CsvProblem::kNone) {
    CString text = m_strFilePath[slot];
    text += "\nこのファイルは変換できません。";
    text += RefusalReason(build.problem);
    ::MessageBoxA(m_hWnd, text, kCaption, MB_OK | MB_ICONSTOP);
    return false;
  }
  CStdioFile output(target, CFile::modeCreate | CFile::modeWrite);
  output.WriteString(build.text);
  output.Close();
  return true;
}
