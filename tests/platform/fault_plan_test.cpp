// The fault plan: what a plan text means, which texts are refused, and the process-wide
// plan and trace read from the environment.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fault_plan.h"
#include "stand_in_faults.h"

namespace {

struct PlanCase {
  const char* guards;
  const char* plan;
  const char* operation;
  std::vector<int32_t> results;  // of the 1st, 2nd, ... call of operation
};

const PlanCase kPlanCases[] = {
    {"an empty plan fails nothing", "", "open-database", {0, 0, 0}},
    {"only the n-th call fails", "open-database:2:0x3006", "open-database", {0, 0x3006, 0, 0}},
    {"n+ fails every call from the n-th on", "write-record:2+:12", "write-record", {0, 12, 12, 12}},
    {"other operations are not touched", "open-database:1:5", "close-database", {0, 0}},
    {"a negative code", "add-log-entry:1:-1", "add-log-entry", {-1, 0}},
    {"a code above INT32_MAX keeps its bits", "read-record-by-index:1:0xFFFFFFFF", "read-record-by-index", {-1}},
    {"several rules for one operation", "open-database:1:7,open-database:3:8", "open-database", {7, 0, 8, 0}},
    {"rules for several operations", "close-database:1:3,open-database:2:4", "open-database", {0, 4, 0}},
};

TEST(FaultPlan, CountsCallsPerOperation) {
  for (const PlanCase& c : kPlanCases) {
    SCOPED_TRACE(c.guards);
    FaultPlan plan;
    std::string error;
    ASSERT_TRUE(plan.Parse(c.plan, &error)) << error;
    for (size_t i = 0; i < c.results.size(); ++i) {
      SCOPED_TRACE("call " + std::to_string(i + 1));
      EXPECT_EQ(plan.NextCall(c.operation), c.results[i]);
    }
  }
}

TEST(FaultPlan, RefusesMalformedTextsAndKeepsTheOldPlan) {
  const char* const malformed[] = {
      "open-database",          "open-database:1",     "open-database:1:2:3", ":1:5",
      "open-database:0:5",      "open-database:-1:5",  "open-database:x:5",   "open-database:1:0",
      "open-database:1:zz",     "open-database:1:",    "open-database::5",    "open-database:+:5",
      "open-database:1:5,",     "open-database:1:5,,close-database:1:5",      "open-database:99999999999:5",
      "open-database:1:0x1FFFFFFFF",
  };
  for (const char* text : malformed) {
    SCOPED_TRACE(text);
    FaultPlan plan;
    std::string error;
    ASSERT_TRUE(plan.Parse("open-database:1:9", &error));
    EXPECT_FALSE(plan.Parse(text, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(plan.NextCall("open-database"), 9);
  }
}

TEST(FaultPlan, ParsingAgainStartsTheCountsAgain) {
  FaultPlan plan;
  std::string error;
  ASSERT_TRUE(plan.Parse("open-database:2:9", &error));
  EXPECT_EQ(plan.NextCall("open-database"), 0);
  ASSERT_TRUE(plan.Parse("open-database:2:9", &error));
  EXPECT_EQ(plan.NextCall("open-database"), 0);
  EXPECT_EQ(plan.NextCall("open-database"), 9);
}

class ProcessFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    m_trace = ::testing::TempDir() + "fault_plan_test_trace.txt";
    std::remove(m_trace.c_str());
    setenv("MARBELO_TRACE", m_trace.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("MARBELO_TRACE");
    unsetenv("MARBELO_FAULTS");
    InjectedFault("reset-between-tests");
    std::remove(m_trace.c_str());
  }
  std::string Trace() const {
    std::ifstream in(m_trace, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string m_trace;
};

TEST_F(ProcessFaults, FollowsThePlanInTheEnvironmentAndRestartsWhenItChanges) {
  setenv("MARBELO_FAULTS", "delete-database:2:0x3001", 1);
  EXPECT_EQ(InjectedFault("delete-database"), 0);
  EXPECT_EQ(InjectedFault("delete-database"), 0x3001);
  EXPECT_EQ(InjectedFault("delete-database"), 0);
  setenv("MARBELO_FAULTS", "delete-database:1:0x3002", 1);
  EXPECT_EQ(InjectedFault("delete-database"), 0x3002);
  unsetenv("MARBELO_FAULTS");
  EXPECT_EQ(InjectedFault("delete-database"), 0);
}

TEST_F(ProcessFaults, AMalformedPlanInjectsNothingAndSaysSoInTheTrace) {
  setenv("MARBELO_FAULTS", "open-database:first:5", 1);
  EXPECT_EQ(InjectedFault("open-database"), 0);
  EXPECT_EQ(InjectedFault("open-database"), 0);
  std::string trace = Trace();
  EXPECT_NE(trace.find("faults: ignoring MARBELO_FAULTS"), std::string::npos) << trace;
  EXPECT_EQ(trace.find("faults:"), trace.rfind("faults:")) << "reported once: " << trace;
}

TEST_F(ProcessFaults, TraceAppendsOneLinePerCall) {
  TraceCall("open-database \"A\" -> 0");
  TraceCall("close-database 1 -> 0");
  EXPECT_EQ(Trace(), "open-database \"A\" -> 0\nclose-database 1 -> 0\n");
}

TEST_F(ProcessFaults, NoTraceFileNoTrace) {
  unsetenv("MARBELO_TRACE");
  TraceCall("lost");
  EXPECT_EQ(Trace(), "");
}

TEST(TraceText, QuotesEveryByteThatIsNotPlainAscii) {
  EXPECT_EQ(TraceQuote("Kifu 1.kif"), "\"Kifu 1.kif\"");
  EXPECT_EQ(TraceQuote("a\"b\\c\n\x8D\x5C"), "\"a\\x22b\\x5cc\\x0a\\x8d\\x5c\"");
  EXPECT_EQ(TraceQuote(nullptr), "null");
  EXPECT_EQ(TraceCode(0), "0");
  EXPECT_EQ(TraceCode(0x3006), "0x3006");
  EXPECT_EQ(TraceCode(-1), "0xFFFFFFFF");
}

}  // namespace
