// Survey-record file builder: big-endian numbers and fixed text fields at their offsets.
#include "survey_file_builder.h"

#include <cstring>

SurveyFileBuilder::SurveyFileBuilder() : bytes_(kFullLength, 0) {}

SurveyFileBuilder& SurveyFileBuilder::Category(int16_t category) {
  Put16(kCategoryOffset, static_cast<uint16_t>(category));
  return *this;
}

SurveyFileBuilder& SurveyFileBuilder::Title(const std::string& bytes) {
  PutText(kTitleOffset, kTitleFieldSize, bytes);
  return *this;
}

SurveyFileBuilder& SurveyFileBuilder::Entry(int index, const SurveyEntryFields& f) {
  const size_t base = EntryOffset(index);
  Put16(base + offsetof(SurveyEntry, next), f.next);
  PutText(base + offsetof(SurveyEntry, textA), sizeof(SurveyEntry::textA), f.textA);
  PutText(base + offsetof(SurveyEntry, textB), sizeof(SurveyEntry::textB), f.textB);
  Put16(base + offsetof(SurveyEntry, valueA), static_cast<uint16_t>(f.valueA));
  bytes_[base + offsetof(SurveyEntry, primaryIndex)] = static_cast<uint8_t>(f.primaryIndex);
  bytes_[base + offsetof(SurveyEntry, secondaryIndex)] = static_cast<uint8_t>(f.secondaryIndex);
  Put16(base + offsetof(SurveyEntry, valueB), static_cast<uint16_t>(f.valueB));
  PutFloat(base + offsetof(SurveyEntry, realA), f.realA);
  Put16(base + offsetof(SurveyEntry, valueC), static_cast<uint16_t>(f.valueC));
  PutFloat(base + offsetof(SurveyEntry, realB), f.realB);
  PutFloat(base + offsetof(SurveyEntry, realC), f.realC);
  Put16(base + offsetof(SurveyEntry, valueD), static_cast<uint16_t>(f.valueD));
  bytes_[base + offsetof(SurveyEntry, gradeIndex)] = static_cast<uint8_t>(f.gradeIndex);
  bytes_[base + offsetof(SurveyEntry, siteIndex)] = static_cast<uint8_t>(f.siteIndex);
  return *this;
}

SurveyFileBuilder& SurveyFileBuilder::PrimaryName(int slot, const std::string& bytes) {
  PutText(PrimaryNameOffset(slot), kNameFieldSize, bytes);
  return *this;
}

SurveyFileBuilder& SurveyFileBuilder::SecondaryName(int slot, const std::string& bytes) {
  PutText(SecondaryNameOffset(slot), kNameFieldSize, bytes);
  return *this;
}

SurveyFileBuilder& SurveyFileBuilder::Bytes(size_t offset, const std::vector<uint8_t>& bytes) {
  if (bytes_.size() < offset + bytes.size()) bytes_.resize(offset + bytes.size(), 0);
  std::memcpy(bytes_.data() + offset, bytes.data(), bytes.size());
  return *this;
}

SurveyFileBuilder& SurveyFileBuilder::Resize(size_t length) {
  bytes_.resize(length, 0);
  return *this;
}

void SurveyFileBuilder::Put16(size_t offset, uint16_t value) {
  bytes_[offset] = static_cast<uint8_t>(value >> 8);
  bytes_[offset + 1] = static_cast<uint8_t>(value);
}

void SurveyFileBuilder::PutFloat(size_t offset, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(bits >> (24 - 8 * i));
}

void SurveyFileBuilder::PutText(size_t offset, size_t fieldSize, const std::string& bytes) {
  std::memset(bytes_.data() + offset, 0, fieldSize);
  std::memcpy(bytes_.data() + offset, bytes.data(), bytes.size() < fieldSize ? bytes.size() : fieldSize);
}
