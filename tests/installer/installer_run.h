// Runs the real Installer.exe once under the UI driver: reads and answers its message boxes,
// checks each one and the exit code with googletest, and hands back the Conduit Manager trace.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui_driver.h"

// A message box the installer must show, and the button the user presses in it.
struct ExpectedBox {
  const char* text;
  std::vector<int> buttons;  // ids, in order; the first is the default
  uidriver::MessageBoxIcon icon;
  int press;
};

extern const ExpectedBox kAskYes;
extern const ExpectedBox kAskNo;
extern const ExpectedBox kToldRemovalFailed;
extern const ExpectedBox kToldUninstallFailed;
extern const ExpectedBox kToldInstalled;
extern const ExpectedBox kToldInstallFailed;

// The folder of this test program, where the build puts the binaries under test.
std::string TestBinariesFolder();

// Copies a file of TestBinariesFolder() to `to`. False when it could not.
bool CopyTestBinary(const char* name, const std::string& to);

// Starts program with the fault plan (null: none) and the trace file, answers the boxes in
// order, then expects the program to end with exit code 0. Returns the trace's lines.
std::vector<std::string> RunInstallerOnce(const std::string& program, const std::vector<ExpectedBox>& boxes,
                                          const char* faults, const std::string& trace);

std::vector<std::string> ReadLines(const std::string& path);
