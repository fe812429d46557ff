// The argument checks of GetConduitInfo and CfgConduit, and what GetConduitInfo answers.
// Portable: the name comes through a loader, so every case runs without Windows.
#pragma once

#include <cstdint>

#include "configure_records.h"

// Kinds of information GetConduitInfo gives: the name, or one of two fixed words.
constexpr int32_t kInfoKindName = 0;
constexpr int32_t kInfoKindFirstWord = 1;
constexpr int32_t kInfoKindSecondWord = 2;
constexpr uint32_t kFirstWordValue = 0x10000000;
constexpr uint32_t kSecondWordValue = 0;

// Codes answered instead of 0.
enum ConfigureError : int32_t {
  kErrorUnknownInfoKind = 4208,
  kErrorNoOutput = 4209,
  kErrorWrongOutputSize = 4211,
  kErrorNoRequest = 4212,  // also: CfgConduit without settings
  kErrorBadRequest = 4213,
  kErrorNameNotLoaded = 4214,
  kErrorNoOutputSize = 4215,
  kErrorNoSettingsSize = 4216,
  kErrorWrongConfigureKind = 4217,
  kErrorWrongSettingsSize = 4218,
  kErrorWrongSettingsVersion = 4219,
};

// Loads the conduit's name into buffer (bufferSize bytes, at least 1), cut to fit and
// terminated; answers the number of bytes loaded, 0 when none.
using NameLoader = int (*)(char* buffer, int bufferSize);

// GetConduitInfo: checks in order, then writes the name or the word into out. outSize is
// read, never written. A count below 1 loads nothing.
int32_t AnswerConduitInfo(int32_t kind, const ConduitInfoRequest* request, void* out,
                          const int32_t* outSize, NameLoader loadName);

// What CfgConduit does before its dialog: its own checks in order, then the name fetched as
// GetConduitInfo kind 0 into a 256-byte buffer. 0 when the dialog may be shown.
int32_t PrepareCfgConduit(int32_t kind, const ConduitActionSettings* settings,
                          const int32_t* sizeOfSettings, NameLoader loadName);
