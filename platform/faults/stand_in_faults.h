// The fault plan and call trace of a running stand-in service, from MARBELO_FAULTS and
// MARBELO_TRACE as they stand at each call.
#pragma once

#include <cstdint>
#include <string>

// Counts one call of operation (a kebab-case role such as "open-database"). Answers the code
// the plan makes it fail with, or 0. The counts start again whenever the plan text changes;
// a malformed plan injects nothing and is reported on stderr and in the trace.
int32_t InjectedFault(const char* operation);

// Appends line and a line feed to the trace file, when one is named.
void TraceCall(const std::string& line);

// text in double quotes, printable ASCII kept, every other byte (and " and \) as \xNN, so a
// trace line stays one line of plain ASCII whatever a name holds.
std::string TraceQuote(const char* text);

// A result for the trace: 0 or "0x" and the code in hex.
std::string TraceCode(int32_t code);
