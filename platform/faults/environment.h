// Reads one environment variable as it stands now (the host may set it after start).
#pragma once

#include <string>

// False when the variable is not set.
bool ReadEnvironment(const char* name, std::string* value);
