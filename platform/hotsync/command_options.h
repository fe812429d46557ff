// The options of a hotsync command: "--name value" pairs, each named option allowed once
// unless it may repeat. Portable: no Windows calls.
#pragma once

#include <map>
#include <string>
#include <vector>

struct OptionRule {
  const char* name;  // with its "--"
  bool repeats;
};

// Values by option name. False, with error set, on an unknown option, a missing value or a
// second use of an option that does not repeat.
bool ParseCommandOptions(const std::vector<std::string>& arguments, const std::vector<OptionRule>& rules,
                         std::map<std::string, std::vector<std::string>>* values, std::string* error);
