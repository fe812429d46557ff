// CString::Format: measures first, then formats into a buffer of exactly that size.
#include "afxstr.h"

#include <cstdarg>
#include <cstdio>

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  int length = vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<size_t>(length) + 1);
    vsnprintf(&text[0], text.size(), format, args);
    text.resize(static_cast<size_t>(length));
  }
  va_end(args);
  m_str = text;
}
