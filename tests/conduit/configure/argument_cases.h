// The argument checks of GetConduitInfo and CfgConduit as one table of cases, walked natively
// over the portable checks and under wine over the real exports.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "configure_arguments.h"
#include "configure_records.h"

namespace configure_cases {

enum class Call { kInfo, kCfg };
// The request (GetConduitInfo) or the settings (CfgConduit) handed over.
enum class Record { kNull, kGood, kVersion2, kSize79 };
// What out holds afterwards: untouched, the name, or a 32-bit word.
enum class Written { kNothing, kName, kFirstWord, kSecondWord };

constexpr int32_t kNoPointer = INT32_MIN;  // the count pointer itself is null

struct ArgumentCase {
  const char* guards;
  Call call;
  int32_t kind;
  Record record;
  bool outGiven;  // GetConduitInfo's out; CfgConduit has none
  int32_t count;  // at outSize or sizeOfSettings, or kNoPointer
  bool nameLoads;
  int32_t expected;
  Written written;
};

inline const ArgumentCase kArgumentCases[] = {
    {"a null out comes first, even for an unknown kind", Call::kInfo, 9, Record::kGood, false, 4, true, kErrorNoOutput, Written::kNothing},
    {"a null out comes before a null outSize", Call::kInfo, 0, Record::kNull, false, kNoPointer, true, kErrorNoOutput, Written::kNothing},
    {"a null outSize comes before the kind", Call::kInfo, 9, Record::kGood, true, kNoPointer, true, kErrorNoOutputSize, Written::kNothing},
    {"an unknown kind", Call::kInfo, 3, Record::kGood, true, 4, true, kErrorUnknownInfoKind, Written::kNothing},
    {"a negative kind", Call::kInfo, -1, Record::kGood, true, 4, true, kErrorUnknownInfoKind, Written::kNothing},
    {"kind 0 without a request", Call::kInfo, 0, Record::kNull, true, 256, true, kErrorNoRequest, Written::kNothing},
    {"kind 0 with a request of version 2", Call::kInfo, 0, Record::kVersion2, true, 256, true, kErrorBadRequest, Written::kNothing},
    {"kind 0 with a request of size 79", Call::kInfo, 0, Record::kSize79, true, 256, true, kErrorBadRequest, Written::kNothing},
    {"kind 0 gives the name", Call::kInfo, 0, Record::kGood, true, 256, true, 0, Written::kName},
    {"kind 0 when the name cannot be loaded", Call::kInfo, 0, Record::kGood, true, 256, false, kErrorNameNotLoaded, Written::kNothing},
    {"kind 0 with a count of 0 loads nothing", Call::kInfo, 0, Record::kGood, true, 0, true, kErrorNameNotLoaded, Written::kNothing},
    {"kind 0 with a negative count writes nothing", Call::kInfo, 0, Record::kGood, true, -1, true, kErrorNameNotLoaded, Written::kNothing},
    {"kind 1 with a count of 8 leaves out untouched", Call::kInfo, 1, Record::kNull, true, 8, true, kErrorWrongOutputSize, Written::kNothing},
    {"kind 1 with a count of 4 writes its word", Call::kInfo, 1, Record::kNull, true, 4, true, 0, Written::kFirstWord},
    {"kind 1 needs no request and no name", Call::kInfo, 1, Record::kNull, true, 4, false, 0, Written::kFirstWord},
    {"kind 2 with a count of 3", Call::kInfo, 2, Record::kGood, true, 3, true, kErrorWrongOutputSize, Written::kNothing},
    {"kind 2 with a count of 4 writes 0", Call::kInfo, 2, Record::kGood, true, 4, true, 0, Written::kSecondWord},
    {"null settings come first, even with a null count", Call::kCfg, 0, Record::kNull, false, kNoPointer, true, kErrorNoRequest, Written::kNothing},
    {"null settings before a wrong kind", Call::kCfg, 1, Record::kNull, false, 352, true, kErrorNoRequest, Written::kNothing},
    {"a null count of the settings", Call::kCfg, 0, Record::kGood, false, kNoPointer, true, kErrorNoSettingsSize, Written::kNothing},
    {"the count is tested before the kind", Call::kCfg, 1, Record::kGood, false, 351, true, kErrorWrongSettingsSize, Written::kNothing},
    {"a count of 353", Call::kCfg, 0, Record::kGood, false, 353, true, kErrorWrongSettingsSize, Written::kNothing},
    {"the kind is tested before the version", Call::kCfg, 1, Record::kVersion2, false, 352, true, kErrorWrongConfigureKind, Written::kNothing},
    {"settings of version 2", Call::kCfg, 0, Record::kVersion2, false, 352, true, kErrorWrongSettingsVersion, Written::kNothing},
    {"the name that cannot be loaded stops the dialog", Call::kCfg, 0, Record::kGood, false, 352, false, kErrorNameNotLoaded, Written::kNothing},
    {"good settings may show the dialog", Call::kCfg, 0, Record::kGood, false, 352, true, 0, Written::kNothing},
};

// The conduit's name as HotSync Manager receives it (Shift-JIS).
inline const std::string kConduitName = "将棋コンジット";

constexpr unsigned char kUntouched = 0xAB;

// The memory one case hands over, and what is left of it afterwards.
struct Arguments {
  ConduitInfoRequest request;
  ConduitActionSettings settings;
  unsigned char out[300];
  int32_t count;

  explicit Arguments(const ArgumentCase& c) {
    std::memset(&request, 0, sizeof request);
    request.version = c.record == Record::kVersion2 ? 2 : kInfoRequestVersion;
    request.size = c.record == Record::kSize79 ? 79 : kInfoRequestSize;
    std::memset(&settings, 0, sizeof settings);
    settings.version = c.record == Record::kVersion2 ? 2 : kSettingsVersion;
    settings.size = kSettingsSize;
    std::memset(out, kUntouched, sizeof out);
    count = c.count;
  }
  ConduitInfoRequest* Request(const ArgumentCase& c) { return c.record == Record::kNull ? nullptr : &request; }
  ConduitActionSettings* Settings(const ArgumentCase& c) { return c.record == Record::kNull ? nullptr : &settings; }
  void* Out(const ArgumentCase& c) { return c.outGiven ? out : nullptr; }
  int32_t* Count(const ArgumentCase& c) { return c.count == kNoPointer ? nullptr : &count; }

  uint32_t Word() const {
    uint32_t word;
    std::memcpy(&word, out, sizeof word);
    return word;
  }
  // Bytes of out past the first `from` that differ from the fill.
  bool UntouchedFrom(size_t from) const {
    for (size_t i = from; i < sizeof out; ++i) {
      if (out[i] != kUntouched) return false;
    }
    return true;
  }
};

// What must hold after the call: the code, the count never written, out as the case says,
// the settings as they were.
inline void ExpectOutcome(const ArgumentCase& c, int32_t result, const Arguments& after) {
  EXPECT_EQ(result, c.expected);
  EXPECT_EQ(after.count, c.count) << "the count is read, never written";
  switch (c.written) {
    case Written::kNothing:
      EXPECT_TRUE(after.UntouchedFrom(0)) << "out was written";
      break;
    case Written::kName:
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(after.out)), kConduitName);
      EXPECT_TRUE(after.UntouchedFrom(kConduitName.size() + 1)) << "written beyond the name";
      break;
    case Written::kFirstWord:
    case Written::kSecondWord:
      EXPECT_EQ(after.Word(), c.written == Written::kFirstWord ? kFirstWordValue : kSecondWordValue);
      EXPECT_TRUE(after.UntouchedFrom(sizeof(uint32_t))) << "written beyond the word";
      break;
  }
  Arguments before(c);
  EXPECT_EQ(std::memcmp(&after.settings, &before.settings, sizeof before.settings), 0)
      << "the settings were written";
}

}  // namespace configure_cases
