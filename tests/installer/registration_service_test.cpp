// The Conduit Manager's operations over a store in memory: what each answers, what it keeps,
// what it refuses, and the fault plan and trace in front of them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "memory_registration_store.h"
#include "registration_service.h"

namespace {

class RegistrationServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("MARBELO_FAULTS");
    unsetenv("MARBELO_TRACE");
  }
  void TearDown() override {
    unsetenv("MARBELO_FAULTS");
    unsetenv("MARBELO_TRACE");
  }

  // ZHMQ registered with every field set, as an installer leaves it.
  void RegisterWhole() {
    ASSERT_EQ(service.Create("ZHMQ", 1), kCmOk);
    ASSERT_EQ(service.SetIntegerSetting("ZHMQ", 2), kCmOk);
    ASSERT_EQ(service.SetConduitLibrary("ZHMQ", "C:\\Shogi\\Dalvex.dll"), kCmOk);
    ASSERT_EQ(service.SetTextSetting("ZHMQ", ""), kCmOk);
    ASSERT_EQ(service.SetName("ZHMQ", "将棋 Conduit"), kCmOk);
    ASSERT_EQ(service.SetSecondName("ZHMQ", "second"), kCmOk);
  }

  MemoryRegistrationStore store;
  RegistrationService service{&store};
};

TEST_F(RegistrationServiceTest, KeepsEveryFieldOfARegistration) {
  RegisterWhole();
  CmRegistration read;
  ASSERT_EQ(service.Read("ZHMQ", &read), kCmOk);
  EXPECT_EQ(read.kind, 1);
  EXPECT_EQ(read.setting, 2);
  EXPECT_STREQ(read.library, "C:\\Shogi\\Dalvex.dll");
  EXPECT_STREQ(read.text, "");
  EXPECT_STREQ(read.name, "将棋 Conduit");
  EXPECT_STREQ(read.secondName, "second");
  int32_t kind = 0;
  EXPECT_EQ(service.LookUp("ZHMQ", &kind), kCmOk);
  EXPECT_EQ(kind, 1);
  EXPECT_EQ(service.LookUp("ZHMQ", nullptr), kCmOk);
}

TEST_F(RegistrationServiceTest, AnswersForACreatorWithoutRegistration) {
  CmRegistration read;
  int32_t kind = 77;
  EXPECT_EQ(service.LookUp("ZHMQ", &kind), kCmErrNoRegistration);
  EXPECT_EQ(kind, 77);
  EXPECT_EQ(service.Read("ZHMQ", &read), kCmErrNoRegistration);
  EXPECT_EQ(service.Remove("ZHMQ"), kCmErrRemovalFailed);
  EXPECT_EQ(service.SetIntegerSetting("ZHMQ", 2), kCmErrNoRegistration);
  EXPECT_EQ(service.SetConduitLibrary("ZHMQ", "x"), kCmErrNoRegistration);
  EXPECT_EQ(service.SetTextSetting("ZHMQ", ""), kCmErrNoRegistration);
  EXPECT_EQ(service.SetName("ZHMQ", "x"), kCmErrNoRegistration);
  EXPECT_EQ(service.SetSecondName("ZHMQ", "x"), kCmErrNoRegistration);
  EXPECT_TRUE(store.entries.empty());
}

TEST_F(RegistrationServiceTest, RemovalEndsTheRegistrationAndCreationWantsNone) {
  RegisterWhole();
  EXPECT_EQ(service.Create("ZHMQ", 1), kCmErrExists);
  EXPECT_STREQ(store.entries["ZHMQ"].library, "C:\\Shogi\\Dalvex.dll");
  EXPECT_EQ(service.Remove("ZHMQ"), kCmOk);
  EXPECT_EQ(service.LookUp("ZHMQ", nullptr), kCmErrNoRegistration);
  EXPECT_EQ(service.Remove("ZHMQ"), kCmErrRemovalFailed);
  ASSERT_EQ(service.Create("ZHMQ", 5), kCmOk);
  CmRegistration read;
  ASSERT_EQ(service.Read("ZHMQ", &read), kCmOk);
  EXPECT_EQ(read.kind, 5);
  EXPECT_STREQ(read.library, "") << "a new registration starts empty";
}

TEST_F(RegistrationServiceTest, CreatorsAreKeptApart) {
  RegisterWhole();
  ASSERT_EQ(service.Create("memo", 3), kCmOk);
  ASSERT_EQ(service.SetConduitLibrary("memo", "C:\\Memo.dll"), kCmOk);
  CmRegistration read;
  ASSERT_EQ(service.Read("ZHMQ", &read), kCmOk);
  EXPECT_STREQ(read.library, "C:\\Shogi\\Dalvex.dll");
  EXPECT_EQ(service.Remove("memo"), kCmOk);
  EXPECT_EQ(service.LookUp("ZHMQ", nullptr), kCmOk);
}

TEST_F(RegistrationServiceTest, RefusesCreatorsThatAreNotFourPrintableCharacters) {
  const char* const creators[] = {nullptr, "", "ZHM", "ZHMQX", "ZH\\Q", "ZH\x01Q", "ZH\x7FQ", "\x8A\x8B"};
  RegisterWhole();
  for (const char* creator : creators) {
    SCOPED_TRACE(creator == nullptr ? "null" : creator);
    CmRegistration read;
    EXPECT_EQ(service.LookUp(creator, nullptr), kCmErrBadArgument);
    EXPECT_EQ(service.Remove(creator), kCmErrRemovalFailed);
    EXPECT_EQ(service.Create(creator, 1), kCmErrBadArgument);
    EXPECT_EQ(service.SetIntegerSetting(creator, 1), kCmErrBadArgument);
    EXPECT_EQ(service.SetConduitLibrary(creator, "x"), kCmErrBadArgument);
    EXPECT_EQ(service.SetName(creator, "x"), kCmErrBadArgument);
    EXPECT_EQ(service.Read(creator, &read), kCmErrBadArgument);
  }
  EXPECT_EQ(store.entries.size(), 1u);
}

TEST_F(RegistrationServiceTest, TextsMustFitTheirFieldsWhole) {
  RegisterWhole();
  struct Case {
    const char* field;
    int32_t (RegistrationService::*set)(const char*, const char*);
    size_t bytes;
    char* (*stored)(CmRegistration*);
  };
  const Case cases[] = {
      {"library", &RegistrationService::SetConduitLibrary, kCmLibraryBytes, [](CmRegistration* r) { return r->library; }},
      {"text", &RegistrationService::SetTextSetting, kCmTextBytes, [](CmRegistration* r) { return r->text; }},
      {"name", &RegistrationService::SetName, kCmTextBytes, [](CmRegistration* r) { return r->name; }},
      {"second name", &RegistrationService::SetSecondName, kCmTextBytes, [](CmRegistration* r) { return r->secondName; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    std::string longest(c.bytes - 1, 'a');
    std::string tooLong(c.bytes, 'b');
    EXPECT_EQ((service.*c.set)("ZHMQ", longest.c_str()), kCmOk);
    EXPECT_EQ((service.*c.set)("ZHMQ", tooLong.c_str()), kCmErrBadArgument);
    EXPECT_EQ((service.*c.set)("ZHMQ", nullptr), kCmErrBadArgument);
    EXPECT_EQ(c.stored(&store.entries["ZHMQ"]), longest) << "a refused text changes nothing";
  }
  EXPECT_EQ(service.Read("ZHMQ", nullptr), kCmErrBadArgument);
}

TEST_F(RegistrationServiceTest, AStoreThatFailsIsReportedNeverTakenForNone) {
  RegisterWhole();
  CmRegistration read;
  store.failLoad = true;
  EXPECT_EQ(service.LookUp("ZHMQ", nullptr), kCmErrStore);
  EXPECT_EQ(service.Read("ZHMQ", &read), kCmErrStore);
  EXPECT_EQ(service.Create("ZHMQ", 1), kCmErrStore);
  EXPECT_EQ(service.SetName("ZHMQ", "x"), kCmErrStore);
  store.failLoad = false;
  store.failSave = true;
  EXPECT_EQ(service.SetName("ZHMQ", "x"), kCmErrStore);
  EXPECT_EQ(service.SetIntegerSetting("ZHMQ", 9), kCmErrStore);
  EXPECT_EQ(service.Create("memo", 1), kCmErrStore);
  store.failSave = false;
  store.failErase = true;
  EXPECT_EQ(service.Remove("ZHMQ"), kCmErrRemovalFailed);
  EXPECT_EQ(store.entries.count("ZHMQ"), 1u);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

TEST_F(RegistrationServiceTest, AFailedCallDoesNothingAndEveryCallIsTraced) {
  std::string trace = ::testing::TempDir() + "condmgr_trace.txt";
  std::remove(trace.c_str());
  setenv("MARBELO_TRACE", trace.c_str(), 1);
  setenv("MARBELO_FAULTS", "set-conduit-library:1:-1,remove-registration:1:-1002", 1);
  ASSERT_EQ(service.Create("ZHMQ", 1), kCmOk);
  EXPECT_EQ(service.SetConduitLibrary("ZHMQ", "C:\\Shogi\\Dalvex.dll"), -1);
  EXPECT_EQ(service.SetName("ZHMQ", "将棋 Conduit"), kCmOk);
  EXPECT_EQ(service.Remove("ZHMQ"), kCmErrRemovalFailed);
  EXPECT_EQ(service.LookUp("ZHMQ", nullptr), kCmOk) << "the failed removal removed nothing";
  EXPECT_STREQ(store.entries["ZHMQ"].library, "") << "the failed call changed nothing";
  EXPECT_EQ(service.SetConduitLibrary("ZHMQ", "C:\\Shogi\\Dalvex.dll"), kCmOk) << "only the first call fails";
  const std::vector<std::string> expected = {
      "create-registration \"ZHMQ\" 1 = 0",
      "set-conduit-library \"ZHMQ\" \"C:\\x5cShogi\\x5cDalvex.dll\" = 0xFFFFFFFF",
      "set-name \"ZHMQ\" \"\\x8f\\xab\\x8a\\xfb Conduit\" = 0",
      "remove-registration \"ZHMQ\" = 0xFFFFFC16",
      "look-up-registration \"ZHMQ\" = 0",
      "set-conduit-library \"ZHMQ\" \"C:\\x5cShogi\\x5cDalvex.dll\" = 0",
  };
  EXPECT_EQ(ReadLines(trace), expected);
  std::remove(trace.c_str());
}

}  // namespace
