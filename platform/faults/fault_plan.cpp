// The fault plan's parser and call counter.
#include "fault_plan.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool ParseNumber(const std::string& text, int base, long long min, long long max, long long* out) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long value = std::strtoll(text.c_str(), &end, base);
  if (errno != 0 || *end != '\0' || value < min || value > max) return false;
  *out = value;
  return true;
}

bool ParseRule(const std::string& text, FaultRule* rule, std::string* error) {
  size_t first = text.find(':');
  size_t second = first == std::string::npos ? first : text.find(':', first + 1);
  if (second == std::string::npos || text.find(':', second + 1) != std::string::npos) {
    *error = "\"" + text + "\" is not operation:n:code";
    return false;
  }
  rule->operation = text.substr(0, first);
  std::string call = text.substr(first + 1, second - first - 1);
  std::string code = text.substr(second + 1);
  if (rule->operation.empty()) {
    *error = "\"" + text + "\" names no operation";
    return false;
  }
  rule->onward = !call.empty() && call.back() == '+';
  if (rule->onward) call.pop_back();
  long long number = 0;
  if (call.empty() || call[0] < '0' || call[0] > '9' || !ParseNumber(call, 10, 1, UINT32_MAX, &number)) {
    *error = "\"" + text + "\": the call number must be 1 or more";
    return false;
  }
  rule->call = static_cast<uint32_t>(number);
  if (!ParseNumber(code, 0, INT32_MIN, UINT32_MAX, &number) || number == 0) {
    *error = "\"" + text + "\": the code must be a non-zero number";
    return false;
  }
  rule->code = static_cast<int32_t>(static_cast<uint32_t>(number));
  return true;
}

}  // namespace

bool FaultPlan::Parse(const std::string& text, std::string* error) {
  std::vector<FaultRule> rules;
  size_t start = 0;
  while (start < text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    FaultRule rule;
    if (!ParseRule(text.substr(start, comma - start), &rule, error)) return false;
    rules.push_back(rule);
    start = comma + 1;
    if (comma + 1 == text.size()) {
      *error = "the plan ends with a comma";
      return false;
    }
  }
  m_rules = rules;
  m_calls.clear();
  return true;
}

int32_t FaultPlan::NextCall(const std::string& operation) {
  uint32_t call = ++m_calls[operation];
  for (const FaultRule& rule : m_rules) {
    if (rule.operation != operation) continue;
    if (call == rule.call || (rule.onward && call > rule.call)) return rule.code;
  }
  return 0;
}
