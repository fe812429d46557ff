// The argument checks of GetConduitInfo and CfgConduit, natively, with a name loader that
// behaves as the string resource does or finds nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "argument_cases.h"

namespace {

using namespace configure_cases;

int LoadName(char* buffer, int bufferSize) {
  int length = std::min(static_cast<int>(kConduitName.size()), bufferSize - 1);
  std::memcpy(buffer, kConduitName.data(), static_cast<size_t>(length));
  buffer[length] = '\0';
  return length;
}

int LoadNothing(char*, int) { return 0; }

class ArgumentChecks : public testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentChecks, AnswerInOrderAndWriteOnlyOnSuccess) {
  const ArgumentCase& c = GetParam();
  Arguments a(c);
  NameLoader loader = c.nameLoads ? LoadName : LoadNothing;
  int32_t result = c.call == Call::kInfo
                       ? AnswerConduitInfo(c.kind, a.Request(c), a.Out(c), a.Count(c), loader)
                       : PrepareCfgConduit(c.kind, a.Settings(c), a.Count(c), loader);
  ExpectOutcome(c, result, a);
}

INSTANTIATE_TEST_SUITE_P(Configure, ArgumentChecks, testing::ValuesIn(kArgumentCases),
                         [](const testing::TestParamInfo<ArgumentCase>& info) {
                           std::string name = info.param.guards;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

}  // namespace
