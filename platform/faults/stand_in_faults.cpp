// One fault plan and one trace file per process, shared by every operation of a stand-in.
#include "stand_in_faults.h"

#include <cstdio>
#include <mutex>

#include "environment.h"
#include "fault_plan.h"

namespace {

struct ProcessPlan {
  std::mutex lock;
  std::string text;
  FaultPlan plan;
};

ProcessPlan& ThePlan() {
  static ProcessPlan plan;
  return plan;
}

}  // namespace

int32_t InjectedFault(const char* operation) {
  ProcessPlan& current = ThePlan();
  std::string text;
  ReadEnvironment("MARBELO_FAULTS", &text);
  std::string complaint;
  int32_t code = 0;
  {
    std::lock_guard<std::mutex> hold(current.lock);
    if (text != current.text) {
      current.text = text;
      std::string error;
      if (!current.plan.Parse(text, &error)) {
        current.plan.Parse("", &error);
        complaint = "faults: ignoring MARBELO_FAULTS: " + error;
      }
    }
    code = current.plan.NextCall(operation);
  }
  if (!complaint.empty()) {
    std::fprintf(stderr, "%s\n", complaint.c_str());
    TraceCall(complaint);
  }
  return code;
}

void TraceCall(const std::string& line) {
  std::string path;
  if (!ReadEnvironment("MARBELO_TRACE", &path) || path.empty()) return;
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return;
  std::fprintf(file, "%s\n", line.c_str());
  std::fclose(file);
}

std::string TraceQuote(const char* text) {
  static const char digits[] = "0123456789abcdef";
  if (text == nullptr) return "null";
  std::string out = "\"";
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
    if (*p >= 0x20 && *p < 0x7F && *p != '"' && *p != '\\') {
      out += static_cast<char>(*p);
    } else {
      out += "\\x";
      out += digits[*p >> 4];
      out += digits[*p & 15];
    }
  }
  return out + "\"";
}

std::string TraceCode(int32_t code) {
  if (code == 0) return "0";
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(code));
  return text;
}
