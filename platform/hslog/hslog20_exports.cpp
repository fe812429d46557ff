// HSLOG20.dll: add-log-entry (ordinal 52) appends to the log file that MARBELO_LOG names.
#include <cstdint>
#include <ctime>
#include <string>

#include "environment.h"
#include "log_file.h"
#include "stand_in_faults.h"

namespace {

// Results of add-log-entry; conduits do not examine them.
enum : int32_t {
  kLogOk = 0,
  kLogErrBadArgument = 0x3101,  // no text
  kLogErrNoLog = 0x3102,        // the host named no log file
  kLogErrIo = 0x3103,           // the log file could not be written
};

int32_t AddEntry(const char* text) {
  if (text == nullptr) return kLogErrBadArgument;
  std::string path;
  if (!ReadEnvironment("MARBELO_LOG", &path) || path.empty()) return kLogErrNoLog;
  std::time_t now = std::time(nullptr);
  std::tm local = *std::localtime(&now);
  return AppendLogEntry(path, local, text) ? kLogOk : kLogErrIo;
}

}  // namespace

extern "C" int32_t LogAddEntry(const char* text, int32_t kind, int32_t flags) {
  try {
    int32_t result = InjectedFault("add-log-entry");
    if (result == 0) result = AddEntry(text);
    TraceCall("add-log-entry text=" + TraceQuote(text) + " kind=" + std::to_string(kind) +
              " flags=" + std::to_string(flags) + " -> " + TraceCode(result));
    return result;
  } catch (...) {
    return kLogErrIo;
  }
}
