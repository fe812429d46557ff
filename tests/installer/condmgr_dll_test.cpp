// The real CONDMGR.dll, loaded here: its operations at their ordinals, registrations kept in
// the registry across loads, garbled registry values reported, and the fault plan and trace.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "conduit_manager.h"

namespace {

const char kCreator[] = "TEST";
const char kCreatorKey[] = "Software\\Marbelo\\Conduit Manager\\TEST";

using LookUpFn = int32_t(__cdecl*)(const char*, int32_t*);
using CreatorFn = int32_t(__cdecl*)(const char*);
using IntegerFn = int32_t(__cdecl*)(const char*, int32_t);
using TextFn = int32_t(__cdecl*)(const char*, const char*);
using ReadFn = int32_t(__cdecl*)(const char*, CmRegistration*);

// The library's operations as an installer finds them: by ordinal; the read by name.
struct ConduitManagerLibrary {
  HMODULE module = nullptr;
  LookUpFn lookUp = nullptr;
  CreatorFn remove = nullptr;
  IntegerFn create = nullptr, setInteger = nullptr;
  TextFn setLibrary = nullptr, setText = nullptr, setName = nullptr, setSecondName = nullptr;
  ReadFn read = nullptr;

  template <typename Fn>
  void Resolve(Fn* fn, LPCSTR which) {
    *fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, which)));
    ASSERT_NE(*fn, nullptr);
  }
  void Load() {
    module = LoadLibraryA("CONDMGR.dll");
    ASSERT_NE(module, nullptr);
    Resolve(&lookUp, MAKEINTRESOURCEA(64));
    Resolve(&remove, MAKEINTRESOURCEA(65));
    Resolve(&create, MAKEINTRESOURCEA(67));
    Resolve(&setInteger, MAKEINTRESOURCEA(40));
    Resolve(&setLibrary, MAKEINTRESOURCEA(46));
    Resolve(&setText, MAKEINTRESOURCEA(50));
    Resolve(&setName, MAKEINTRESOURCEA(54));
    Resolve(&setSecondName, MAKEINTRESOURCEA(56));
    Resolve(&read, "CmReadRegistration");
  }
  void Unload() {
    FreeLibrary(module);
    module = nullptr;
  }
};

class ConduitManagerDll : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("MARBELO_FAULTS", nullptr);
    SetEnvironmentVariableA("MARBELO_TRACE", nullptr);
    RegDeleteKeyA(HKEY_CURRENT_USER, kCreatorKey);
    library.Load();
  }
  void TearDown() override {
    SetEnvironmentVariableA("MARBELO_FAULTS", nullptr);
    SetEnvironmentVariableA("MARBELO_TRACE", nullptr);
    RegDeleteKeyA(HKEY_CURRENT_USER, kCreatorKey);
    library.Unload();
  }

  void RegisterWhole() {
    ASSERT_EQ(library.create(kCreator, 1), kCmOk);
    ASSERT_EQ(library.setInteger(kCreator, 2), kCmOk);
    ASSERT_EQ(library.setLibrary(kCreator, "C:\\構\\Dalvex.dll"), kCmOk);
    ASSERT_EQ(library.setText(kCreator, ""), kCmOk);
    ASSERT_EQ(library.setName(kCreator, "将棋 Conduit"), kCmOk);
    ASSERT_EQ(library.setSecondName(kCreator, "second"), kCmOk);
  }

  ConduitManagerLibrary library;
};

std::string RegistryText(const char* name) {
  char value[512] = {};
  DWORD size = sizeof value - 1;
  DWORD type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kCreatorKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
  LONG got = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return got == ERROR_SUCCESS && type == REG_SZ ? std::string(value) : "<no text>";
}

TEST_F(ConduitManagerDll, EachOrdinalDoesItsOperationAndTheRegistryKeepsTheResult) {
  EXPECT_EQ(library.lookUp(kCreator, nullptr), kCmErrNoRegistration);
  RegisterWhole();
  EXPECT_EQ(RegistryText("Library"), "C:\\構\\Dalvex.dll");
  EXPECT_EQ(RegistryText("Name"), "将棋 Conduit");

  library.Unload();
  library.Load();
  int32_t kind = 0;
  EXPECT_EQ(library.lookUp(kCreator, &kind), kCmOk) << "a new load finds the registration";
  EXPECT_EQ(kind, 1);
  CmRegistration read = {};
  ASSERT_EQ(library.read(kCreator, &read), kCmOk);
  EXPECT_EQ(read.setting, 2);
  EXPECT_STREQ(read.library, "C:\\構\\Dalvex.dll");
  EXPECT_STREQ(read.text, "");
  EXPECT_STREQ(read.name, "将棋 Conduit");
  EXPECT_STREQ(read.secondName, "second");

  EXPECT_EQ(library.remove(kCreator), kCmOk);
  EXPECT_EQ(RegistryText("Library"), "<no key>");
  EXPECT_EQ(library.lookUp(kCreator, nullptr), kCmErrNoRegistration);
  EXPECT_EQ(library.remove(kCreator), kCmErrRemovalFailed);
}

TEST_F(ConduitManagerDll, AGarbledRegistrationIsAStoreFailureNotAnEmptyOne) {
  RegisterWhole();
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kCreatorKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
  std::string tooLong(400, 'x');
  RegSetValueExA(key, "Library", 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()),
                 static_cast<DWORD>(tooLong.size() + 1));
  RegSetValueExA(key, "Setting", 0, REG_SZ, reinterpret_cast<const BYTE*>("7"), 2);
  RegCloseKey(key);
  CmRegistration read;
  EXPECT_EQ(library.read(kCreator, &read), kCmErrStore);
  EXPECT_EQ(library.lookUp(kCreator, nullptr), kCmErrStore);
  EXPECT_EQ(library.setName(kCreator, "x"), kCmErrStore);
  EXPECT_EQ(library.remove(kCreator), kCmOk) << "a garbled registration can still be removed";
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

TEST_F(ConduitManagerDll, TheFaultPlanFailsTheChosenCallsAndTheTraceListsThemAll) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string trace = std::string(temp) + "condmgr_dll_test_trace.txt";
  DeleteFileA(trace.c_str());
  SetEnvironmentVariableA("MARBELO_TRACE", trace.c_str());
  SetEnvironmentVariableA("MARBELO_FAULTS", "look-up-registration:2:-1,set-name:1:5");
  EXPECT_EQ(library.lookUp(kCreator, nullptr), kCmErrNoRegistration);
  EXPECT_EQ(library.create(kCreator, 1), kCmOk);
  EXPECT_EQ(library.lookUp(kCreator, nullptr), -1);
  EXPECT_EQ(library.setName(kCreator, "x"), 5);
  EXPECT_EQ(RegistryText("Name"), "") << "a failed call changes nothing";
  EXPECT_EQ(library.lookUp(kCreator, nullptr), kCmOk);
  SetEnvironmentVariableA("MARBELO_TRACE", nullptr);
  const std::vector<std::string> expected = {
      "look-up-registration \"TEST\" = 0xFFFFFC17",
      "create-registration \"TEST\" 1 = 0",
      "look-up-registration \"TEST\" = 0xFFFFFFFF",
      "set-name \"TEST\" \"x\" = 0x5",
      "look-up-registration \"TEST\" = 0",
  };
  EXPECT_EQ(ReadLines(trace), expected);
  DeleteFileA(trace.c_str());
}

}  // namespace
