// A reader of classic dialog templates, for comparing the compiled dialogs with their design.
#include "dialog_template_reader.h"

namespace {

std::string Narrow(const WCHAR* text) {
  int size = WideCharToMultiByte(932, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(932, 0, text, -1, &out[0], size, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

class Cursor {
 public:
  explicit Cursor(const BYTE* at) : m_at(at) {}
  WORD Word() {
    WORD value;
    memcpy(&value, m_at, sizeof value);
    m_at += sizeof value;
    return value;
  }
  DWORD Dword() {
    DWORD value;
    memcpy(&value, m_at, sizeof value);
    m_at += sizeof value;
    return value;
  }
  short Short() { return static_cast<short>(Word()); }
  std::string String() {
    const WCHAR* start = reinterpret_cast<const WCHAR*>(m_at);
    while (Word() != 0) {
    }
    return Narrow(start);
  }
  // A name or, after 0xFFFF, an ordinal.
  std::string NameOrOrdinal(int* ordinal) {
    *ordinal = 0;
    WORD first;
    memcpy(&first, m_at, sizeof first);
    if (first == 0xFFFF) {
      Word();
      *ordinal = Word();
      return std::string();
    }
    return String();
  }
  void AlignDword() {
    while (reinterpret_cast<ULONG_PTR>(m_at) % 4 != 0) ++m_at;
  }
  void Skip(size_t bytes) { m_at += bytes; }

 private:
  const BYTE* m_at;
};

std::string ClassOfAtom(int atom) {
  switch (atom) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    default: return "#" + std::to_string(atom);
  }
}

}  // namespace

bool ReadDialogTemplate(HMODULE module, int id, DialogTemplate* out) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
  if (found == nullptr) return false;
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  if (data == nullptr) return false;
  Cursor cursor(data);
  out->style = cursor.Dword();
  if (HIWORD(out->style) == 0xFFFF) return false;  // an extended template
  cursor.Dword();                                   // extended style
  WORD count = cursor.Word();
  cursor.Short();
  cursor.Short();
  out->cx = cursor.Short();
  out->cy = cursor.Short();
  int ordinal;
  cursor.NameOrOrdinal(&ordinal);  // menu
  cursor.NameOrOrdinal(&ordinal);  // class
  out->caption = cursor.String();
  out->pointSize = 0;
  if (out->style & DS_SETFONT) {
    out->pointSize = cursor.Word();
    out->fontName = cursor.String();
  }
  out->items.clear();
  for (WORD i = 0; i < count; ++i) {
    cursor.AlignDword();
    TemplateItem item;
    item.style = cursor.Dword();
    cursor.Dword();
    item.x = cursor.Short();
    item.y = cursor.Short();
    item.cx = cursor.Short();
    item.cy = cursor.Short();
    item.id = static_cast<short>(cursor.Word());
    int atom;
    item.className = cursor.NameOrOrdinal(&atom);
    if (atom != 0) item.className = ClassOfAtom(atom);
    item.text = cursor.NameOrOrdinal(&item.textOrdinal);
    cursor.Skip(cursor.Word());
    out->items.push_back(item);
  }
  return true;
}
