// Parsing "--name value" options.
#include "command_options.h"

bool ParseCommandOptions(const std::vector<std::string>& arguments, const std::vector<OptionRule>& rules,
                         std::map<std::string, std::vector<std::string>>* values, std::string* error) {
  values->clear();
  for (size_t i = 0; i < arguments.size(); i += 2) {
    const OptionRule* rule = nullptr;
    for (const OptionRule& r : rules) {
      if (arguments[i] == r.name) rule = &r;
    }
    if (rule == nullptr) {
      *error = "unknown option \"" + arguments[i] + "\"";
      return false;
    }
    if (i + 1 >= arguments.size()) {
      *error = arguments[i] + " needs a value";
      return false;
    }
    std::vector<std::string>& held = (*values)[rule->name];
    if (!held.empty() && !rule->repeats) {
      *error = arguments[i] + " given twice";
      return false;
    }
    held.push_back(arguments[i + 1]);
  }
  return true;
}
