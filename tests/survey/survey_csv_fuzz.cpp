// Fuzzes the survey-record converter over whole files: every text it returns must be
// terminated where it says and end with a line feed.
#include "survey_csv.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy, so any read past the file's end is caught.
  std::vector<uint8_t> image(data, data + size);
  const CsvBuild build = BuildCsvText(image.data(), image.size());
  if (build.problem != CsvProblem::kNone) {
    if (build.text != nullptr) std::abort();
    return 0;
  }
  if (build.text == nullptr || build.length >= kCsvTextBufferSize) std::abort();
  if (build.text[build.length] != '\0' || build.text[build.length - 1] != '\n') std::abort();
  if (build.rowCount < 1 || build.rowCount > kSurveyEntryCount) std::abort();
  return 0;
}
