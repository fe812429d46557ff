// The conduit action the stand-in HotSync Manager keeps between runs, as text.
#include "configure_command.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace {

bool ParseAction(const std::string& text, int32_t* out) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < INT32_MIN || value > INT32_MAX) return false;
  *out = static_cast<int32_t>(value);
  return true;
}

}  // namespace

KeptActions ParseKeptActions(const std::string& text) {
  KeptActions kept;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t space = line.find(' ');
    if (space == std::string::npos) continue;
    std::string key = line.substr(0, space);
    int32_t value;
    if (!ParseAction(line.substr(space + 1), &value)) continue;
    if (key == "default") {
      kept.defaultAction = value;
    } else if (key == "next") {
      kept.hasNextOnly = true;
      kept.nextOnlyAction = value;
    }
  }
  return kept;
}

std::string FormatKeptActions(const KeptActions& kept) {
  std::string text = "default " + std::to_string(kept.defaultAction) + "\n";
  if (kept.hasNextOnly) text += "next " + std::to_string(kept.nextOnlyAction) + "\n";
  return text;
}

int32_t ActionForNextSync(const KeptActions& kept) {
  return kept.hasNextOnly ? kept.nextOnlyAction : kept.defaultAction;
}

void KeepChoice(KeptActions* kept, int32_t chosenAction, int32_t makeDefault) {
  if (makeDefault == 1) {
    kept->defaultAction = chosenAction;
    kept->hasNextOnly = false;
  } else {
    kept->hasNextOnly = true;
    kept->nextOnlyAction = chosenAction;
  }
}

void UseUpNextOnly(KeptActions* kept) { kept->hasNextOnly = false; }
