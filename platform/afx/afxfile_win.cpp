// CFile and CStdioFile over the Win32 file calls, with failures as CFileException.
#include "afxfile.h"

#include <string>

#include "text_mode.h"

CFileException CFileException::FromOsError(LONG osError, const char* fileName) {
  int cause = generic;
  switch (osError) {
    case ERROR_FILE_NOT_FOUND: cause = fileNotFound; break;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: cause = badPath; break;
    case ERROR_ACCESS_DENIED: cause = accessDenied; break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: cause = sharingViolation; break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: cause = diskFull; break;
  }
  return CFileException(cause, osError, fileName);
}

CString CFileException::GetErrorMessage() const {
  const char* format = "%s にアクセス中に予期しないエラーが発生しました。";
  switch (m_cause) {
    case fileNotFound: format = "%s が見つかりません。"; break;
    case badPath: format = "%s のパスが正しくありません。"; break;
    case accessDenied: format = "%s にアクセスできません。"; break;
    case sharingViolation: format = "%s は他のプログラムが使用中です。"; break;
    case diskFull: format = "%s を書き込めません。ディスクがいっぱいです。"; break;
  }
  CString message;
  message.Format(format, static_cast<const char*>(m_strFileName));
  return message;
}

CFile::CFile(const char* fileName, UINT openFlags) {
  CFileException error(CFileException::none, 0, fileName);
  if (!Open(fileName, openFlags, &error)) throw error;
}

CFile::~CFile() { Close(); }

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  Close();
  m_strFileName = fileName;
  DWORD access = 0;
  switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD creation = (openFlags & modeCreate) != 0 ? CREATE_ALWAYS : OPEN_EXISTING;
  m_hFile = CreateFileA(fileName, access, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (m_hFile != INVALID_HANDLE_VALUE) return TRUE;
  if (error != nullptr) *error = CFileException::FromOsError(GetLastError(), fileName);
  return FALSE;
}

void CFile::Close() {
  if (m_hFile == INVALID_HANDLE_VALUE) return;
  CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
}

DWORD CFile::GetLength() const {
  if (!IsOpen()) throw CFileException(CFileException::generic, ERROR_INVALID_HANDLE, m_strFileName);
  DWORD length = GetFileSize(m_hFile, nullptr);
  if (length == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ThrowLastError();
  return length;
}

UINT CFile::Read(void* buffer, UINT count) {
  if (!IsOpen()) throw CFileException(CFileException::generic, ERROR_INVALID_HANDLE, m_strFileName);
  DWORD got = 0;
  if (!ReadFile(m_hFile, buffer, count, &got, nullptr)) ThrowLastError();
  return got;
}

void CFile::Write(const void* buffer, UINT count) {
  if (!IsOpen()) throw CFileException(CFileException::generic, ERROR_INVALID_HANDLE, m_strFileName);
  DWORD written = 0;
  if (!WriteFile(m_hFile, buffer, count, &written, nullptr)) ThrowLastError();
  if (written != count) {
    throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
  }
}

void CFile::Remove(const char* fileName) {
  if (!DeleteFileA(fileName)) throw CFileException::FromOsError(GetLastError(), fileName);
}

void CFile::ThrowLastError() const {
  throw CFileException::FromOsError(GetLastError(), m_strFileName);
}

CStdioFile::CStdioFile(const char* fileName, UINT openFlags) {
  CFileException error(CFileException::none, 0, fileName);
  if (!Open(fileName, openFlags, &error)) throw error;
}

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  m_bBinary = (openFlags & typeBinary) != 0;
  return CFile::Open(fileName, openFlags, error);
}

void CStdioFile::WriteString(const char* text) {
  std::string bytes = m_bBinary ? std::string(text) : ToTextModeBytes(text);
  Write(bytes.data(), static_cast<UINT>(bytes.size()));
}
