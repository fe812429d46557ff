// The argument checks of GetConduitInfo and CfgConduit, in the order HotSync Manager relies on.
#include "configure_arguments.h"

#include <cstring>

namespace {

int32_t AnswerWord(const int32_t* outSize, void* out, uint32_t value) {
  if (*outSize != static_cast<int32_t>(sizeof value)) return kErrorWrongOutputSize;
  std::memcpy(out, &value, sizeof value);
  return 0;
}

int32_t AnswerName(const ConduitInfoRequest* request, void* out, const int32_t* outSize,
                   NameLoader loadName) {
  if (request == nullptr) return kErrorNoRequest;
  if (request->version != kInfoRequestVersion || request->size != kInfoRequestSize) {
    return kErrorBadRequest;
  }
  // A count below 1 leaves no room even for the terminator: nothing may be written.
  if (*outSize < 1) return kErrorNameNotLoaded;
  if (loadName(static_cast<char*>(out), *outSize) <= 0) return kErrorNameNotLoaded;
  return 0;
}

}  // namespace

int32_t AnswerConduitInfo(int32_t kind, const ConduitInfoRequest* request, void* out,
                          const int32_t* outSize, NameLoader loadName) {
  if (out == nullptr) return kErrorNoOutput;
  if (outSize == nullptr) return kErrorNoOutputSize;
  switch (kind) {
    case kInfoKindName: return AnswerName(request, out, outSize, loadName);
    case kInfoKindFirstWord: return AnswerWord(outSize, out, kFirstWordValue);
    case kInfoKindSecondWord: return AnswerWord(outSize, out, kSecondWordValue);
    default: return kErrorUnknownInfoKind;
  }
}

int32_t PrepareCfgConduit(int32_t kind, const ConduitActionSettings* settings,
                          const int32_t* sizeOfSettings, NameLoader loadName) {
  if (settings == nullptr) return kErrorNoRequest;
  if (sizeOfSettings == nullptr) return kErrorNoSettingsSize;
  if (*sizeOfSettings != kSettingsSize) return kErrorWrongSettingsSize;
  if (kind != 0) return kErrorWrongConfigureKind;
  if (settings->version != kSettingsVersion) return kErrorWrongSettingsVersion;
  ConduitInfoRequest request = {};
  request.version = kInfoRequestVersion;
  request.size = kInfoRequestSize;
  char name[256];
  int32_t nameSize = sizeof name;
  return AnswerConduitInfo(kInfoKindName, &request, name, &nameSize, loadName);
}
