// Fuzzes the selection file reader and the path forming on the folder it names.
#include "exchange.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SelectionFile selection;
  ParseSelectionFile(data, size, &selection);
  if (std::strlen(selection.pathLine) > kMaxPathLength) std::abort();
  if (std::strlen(selection.sizeLine) >= kSizeLineFieldSize) std::abort();
  if (selection.fileName != nullptr &&
      (selection.fileName <= selection.pathLine ||
       selection.fileName > selection.pathLine + std::strlen(selection.pathLine) ||
       selection.fileName[-1] != '\\')) {
    std::abort();
  }
  if (CheckSelectionFile(selection) == SelectionProblem::kNone &&
      (selection.fileName == nullptr || selection.fileName[0] == '\0' || !selection.pathLineEnded)) {
    std::abort();
  }

  char folder[kPathFieldSize];
  if (FolderOfModulePath(selection.pathLine, folder)) {
    PathTable table;
    if (FormPathTable(folder, &table)) {
      if (std::strncmp(table.selection, folder, std::strlen(folder)) != 0) std::abort();
      char record[kPathFieldSize];
      if (RecordFileName(table.recordFileStem, static_cast<uint32_t>(selection.size), record) &&
          std::strlen(record) > kMaxPathLength) {
        std::abort();
      }
    } else if (std::strlen(folder) + std::strlen(kSelectionName) <= kMaxPathLength) {
      std::abort();
    }
  }
  return 0;
}
