// The framework's files: CFile (binary), CStdioFile (text mode) and the CFileException that
// their failures throw. A failure thrown out of a command handler is shown to the user by
// the dialog framework.
#pragma once

#include <windows.h>

#include "afxstr.h"

class CFileException {
 public:
  enum {
    none = 0,
    generic,
    fileNotFound,
    badPath,
    accessDenied,
    sharingViolation,
    diskFull,
  };

  CFileException(int cause, LONG osError, const char* fileName)
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

  // Builds the exception for a failed Win32 file call from its last-error code.
  static CFileException FromOsError(LONG osError, const char* fileName);

  // The Japanese text that the framework shows for this failure.
  CString GetErrorMessage() const;

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareExclusive = 0x0010,
    modeCreate = 0x1000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };

  CFile() = default;
  // Opens at once; throws CFileException when the file cannot be opened.
  CFile(const char* fileName, UINT openFlags);
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens the file; modeCreate creates it or truncates it to empty. Every mode asks for
  // exclusive access (no sharing while it is open). On failure returns FALSE and, when
  // error is given, fills it in.
  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  // Closes the file if it is open; closing a file that is not open does nothing.
  virtual void Close();

  // Length in bytes; throws CFileException when the file is not open.
  DWORD GetLength() const;
  // Reads up to count bytes from the current position; returns the number read.
  UINT Read(void* buffer, UINT count);
  // Writes all count bytes or throws.
  void Write(const void* buffer, UINT count);

  // Deletes one file; throws CFileException when the deletion fails.
  static void Remove(const char* fileName);

  BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

 protected:
  [[noreturn]] void ThrowLastError() const;

  HANDLE m_hFile = INVALID_HANDLE_VALUE;
  CString m_strFileName;
};

class CStdioFile : public CFile {
 public:
  CStdioFile() = default;
  CStdioFile(const char* fileName, UINT openFlags);

  BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;

  // Writes the text up to its terminator; in text mode (no typeBinary) each line feed is
  // stored as carriage return + line feed.
  void WriteString(const char* text);

 private:
  bool m_bBinary = false;
};
