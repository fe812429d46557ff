// Builds survey-record files byte by byte for tests, the benchmark and the example file.
#pragma once

#include "survey_layout.h"

#include <cstdint>
#include <string>
#include <vector>

// Every field a test sets is named; the rest stay zero. Texts are given as bytes (Shift-JIS).
struct SurveyEntryFields {
  uint16_t next = kChainEndMarker;
  std::string textA;
  std::string textB;
  int16_t valueA = 0;
  int8_t primaryIndex = 0;
  int8_t secondaryIndex = 0;
  int16_t valueB = 0;
  float realA = 0;
  int16_t valueC = 0;
  float realB = 0;
  float realC = 0;
  int16_t valueD = 0;
  int8_t gradeIndex = 0;
  int8_t siteIndex = 0;
};

class SurveyFileBuilder {
 public:
  // A file that holds every reachable part: entries, header and name slots up to 127.
  static constexpr size_t kFullLength = 65510;

  SurveyFileBuilder();

  SurveyFileBuilder& Category(int16_t category);
  // Writes the bytes into the 32-byte title field; longer inputs fill the whole field.
  SurveyFileBuilder& Title(const std::string& bytes);
  SurveyFileBuilder& Entry(int index, const SurveyEntryFields& fields);
  SurveyFileBuilder& PrimaryName(int slot, const std::string& bytes);
  SurveyFileBuilder& SecondaryName(int slot, const std::string& bytes);
  // Writes raw bytes at an offset, growing the file when needed.
  SurveyFileBuilder& Bytes(size_t offset, const std::vector<uint8_t>& bytes);
  SurveyFileBuilder& Resize(size_t length);

  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  void Put16(size_t offset, uint16_t value);
  void PutFloat(size_t offset, float value);
  void PutText(size_t offset, size_t fieldSize, const std::string& bytes);

  std::vector<uint8_t> bytes_;
};
