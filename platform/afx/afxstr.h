// CString: the framework's 8-bit text (ANSI code page), with assignment, joining and Format.
#pragma once

#include <cstddef>
#include <string>

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_str(text != nullptr ? text : "") {}

  CString& operator=(const char* text) {
    m_str = text != nullptr ? text : "";
    return *this;
  }
  CString& operator+=(const CString& other) {
    m_str += other.m_str;
    return *this;
  }
  friend CString operator+(CString left, const CString& right) { return left += right; }
  friend bool operator==(const CString& left, const char* right) { return left.m_str == right; }

  // printf-style formatting; the result replaces the text.
  void Format(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  operator const char*() const { return m_str.c_str(); }

 private:
  std::string m_str;
};
