// The commands of hotsync.exe; main keeps the table, each command lives in its own file.
#pragma once

#include <string>
#include <vector>

// A command's arguments after its name; it answers the process exit code (2: bad usage).
using CommandFunction = int (*)(const std::vector<std::string>& arguments);

int RunSyncCommand(const std::vector<std::string>& arguments);
int RunListCommand(const std::vector<std::string>& arguments);
int RunInfoCommand(const std::vector<std::string>& arguments);
int RunConfigureCommand(const std::vector<std::string>& arguments);
