// Byte layout of a survey-record file: entry table, header, name tables. Big-endian numbers.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kSurveyFileMaxSize = 100000;
constexpr int kSurveyEntryCount = 1000;
constexpr uint16_t kChainEndMarker = 0xFFFF;

// One 62-byte slot of the entry table; entry i begins at 62 * i.
struct SurveyEntry {
  uint8_t unused0[2];
  uint8_t next[2];
  char textA[5];
  char textB[27];
  uint8_t valueA[2];
  int8_t primaryIndex;
  int8_t secondaryIndex;
  uint8_t valueB[2];
  uint8_t realA[4];
  uint8_t valueC[2];
  uint8_t realB[4];
  uint8_t realC[4];
  uint8_t valueD[2];
  uint8_t unused58[2];
  int8_t gradeIndex;
  int8_t siteIndex;
};
static_assert(sizeof(SurveyEntry) == 62, "entry size");
static_assert(offsetof(SurveyEntry, next) == 2, "next");
static_assert(offsetof(SurveyEntry, textA) == 4, "textA");
static_assert(offsetof(SurveyEntry, textB) == 9, "textB");
static_assert(offsetof(SurveyEntry, valueA) == 36, "valueA");
static_assert(offsetof(SurveyEntry, primaryIndex) == 38, "primaryIndex");
static_assert(offsetof(SurveyEntry, secondaryIndex) == 39, "secondaryIndex");
static_assert(offsetof(SurveyEntry, valueB) == 40, "valueB");
static_assert(offsetof(SurveyEntry, realA) == 42, "realA");
static_assert(offsetof(SurveyEntry, valueC) == 46, "valueC");
static_assert(offsetof(SurveyEntry, realB) == 48, "realB");
static_assert(offsetof(SurveyEntry, realC) == 52, "realC");
static_assert(offsetof(SurveyEntry, valueD) == 56, "valueD");
static_assert(offsetof(SurveyEntry, gradeIndex) == 60, "gradeIndex");
static_assert(offsetof(SurveyEntry, siteIndex) == 61, "siteIndex");

constexpr size_t EntryOffset(int index) { return sizeof(SurveyEntry) * static_cast<size_t>(index); }

constexpr size_t kCategoryOffset = 62000;
constexpr size_t kTitleOffset = 62002;
constexpr size_t kTitleFieldSize = 32;
constexpr size_t kHeaderEnd = kTitleOffset + kTitleFieldSize;
static_assert(EntryOffset(kSurveyEntryCount) == kCategoryOffset, "the header follows the last entry");

// Name slots: primary slots are numbered 1 to 30, secondary slots 0 to 127 (a signed byte).
constexpr size_t kNameFieldSize = 22;
constexpr int kPrimaryNameFirst = 1;
constexpr int kPrimaryNameLast = 30;
constexpr int kSecondaryNameLast = 127;
constexpr size_t PrimaryNameOffset(int slot) { return 62012 + kNameFieldSize * static_cast<size_t>(slot); }
constexpr size_t SecondaryNameOffset(int slot) { return 62694 + kNameFieldSize * static_cast<size_t>(slot); }
static_assert(PrimaryNameOffset(kPrimaryNameFirst) == kHeaderEnd, "primary names follow the title");
static_assert(PrimaryNameOffset(kPrimaryNameLast) + kNameFieldSize == SecondaryNameOffset(0),
              "secondary names follow the primary names");
static_assert(SecondaryNameOffset(kSecondaryNameLast) + kNameFieldSize == 65510, "last reachable byte");
