// Which calls of the stand-in services fail, and with what code: the parsed fault plan.
// Portable: no Windows calls.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One rule of a plan: the call-th call of operation fails with code (and every later call
// too when onward is set).
struct FaultRule {
  std::string operation;
  uint32_t call;
  bool onward;
  int32_t code;
};

// A plan of rules with the calls counted so far, per operation.
class FaultPlan {
 public:
  // Parses "operation:n:code[,operation:n+:code...]"; n counts from 1, code is decimal or
  // 0x-hex and never 0. An empty text is an empty plan. On a malformed text, returns false,
  // leaves the plan as it was and says what is wrong in error.
  bool Parse(const std::string& text, std::string* error);

  // Counts one call of operation. Answers the code to fail it with, or 0 to let it run.
  int32_t NextCall(const std::string& operation);

 private:
  std::vector<FaultRule> m_rules;
  std::map<std::string, uint32_t> m_calls;
};
