// Benchmark: converts a survey-record file of 1000 chained entries over and over and prints
// the time per conversion and the input and output bytes per second.
#include "survey_csv.h"
#include "survey_file_builder.h"

#include <chrono>
#include <cstdio>

int main() {
  SurveyFileBuilder file;
  file.Category(0).Title("庭園-本館前庭[2026年春]").PrimaryName(1, "クロマツ").SecondaryName(0, "樹種不明");
  for (int i = 0; i < kSurveyEntryCount; ++i) {
    SurveyEntryFields e;
    e.next = i + 1 < kSurveyEntryCount ? static_cast<uint16_t>(i + 1) : kChainEndMarker;
    e.textA = "T001";
    e.textB = "北側の生垣,剪定済み";
    e.valueA = static_cast<int16_t>(i);
    e.primaryIndex = static_cast<int8_t>(i % 2);
    e.valueB = static_cast<int16_t>(-i);
    e.realA = 1.25f + static_cast<float>(i);
    e.realB = 0.1f * static_cast<float>(i);
    e.realC = -3.75f;
    e.valueC = 2026;
    e.gradeIndex = static_cast<int8_t>(i % 3);
    e.siteIndex = static_cast<int8_t>(i % 2);
    file.Entry(i, e);
  }
  const auto& bytes = file.bytes();

  CsvBuild build = BuildCsvText(bytes.data(), bytes.size());
  if (build.problem != CsvProblem::kNone || build.rowCount != kSurveyEntryCount) {
    std::fprintf(stderr, "benchmark file refused: %s\n", DescribeCsvProblem(build.problem));
    return 1;
  }
  const int rounds = 500;
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < rounds; ++round) build = BuildCsvText(bytes.data(), bytes.size());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  const double perConversion = seconds / rounds;
  std::printf("entries per file:        %d\n", build.rowCount);
  std::printf("input bytes per file:    %zu\n", bytes.size());
  std::printf("CSV bytes per file:      %zu\n", build.length);
  std::printf("conversions:             %d in %.3f s\n", rounds, seconds);
  std::printf("time per conversion:     %.1f us\n", perConversion * 1e6);
  std::printf("input bytes per second:  %.1f MB/s\n", bytes.size() / perConversion / 1e6);
  std::printf("CSV bytes per second:    %.1f MB/s\n", build.length / perConversion / 1e6);
  return 0;
}
