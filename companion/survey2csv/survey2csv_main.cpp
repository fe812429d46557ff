// survey2csv FILE [OUT]: converts one survey-record file to CSV with CR LF line ends, as the
// data list dialog writes it; to standard output without OUT.
#include "binary_stdout.h"
#include "survey_csv.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* ChainWarning(ChainEnd end) {
  switch (end) {
    case ChainEnd::kEndMarker:
      return nullptr;
    case ChainEnd::kOutOfRange:
      return "the chain of entries ended at a next index beyond 999";
    case ChainEnd::kLoop:
      return "the chain of entries ended where it came back to an entry already converted";
  }
  return nullptr;
}

// Reads at most one byte more than a survey-record file may hold, so a longer file is told.
bool ReadSurveyFile(const char* path, std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  bytes.resize(kSurveyFileMaxSize + 1);
  const size_t count = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  bytes.resize(count);
  return !failed;
}

std::string WithCrLf(const char* text, size_t length) {
  std::string out;
  out.reserve(length + length / 16);
  for (size_t i = 0; i < length; ++i) {
    if (text[i] == '\n') out += '\r';
    out += text[i];
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: survey2csv FILE [OUT]\n");
    return 2;
  }
  const char* input = argv[1];
  std::vector<uint8_t> bytes;
  if (!ReadSurveyFile(input, bytes)) {
    std::fprintf(stderr, "survey2csv: cannot read %s\n", input);
    return 1;
  }
  const CsvBuild build = BuildCsvText(bytes.data(), bytes.size());
  if (build.problem != CsvProblem::kNone) {
    std::fprintf(stderr, "survey2csv: %s refused: %s", input, DescribeCsvProblem(build.problem));
    if (build.problemEntry >= 0) std::fprintf(stderr, " (entry %d)", build.problemEntry);
    std::fprintf(stderr, "\n");
    return 1;
  }
  if (const char* warning = ChainWarning(build.chainEnd))
    std::fprintf(stderr, "survey2csv: %s: %s after %d rows\n", input, warning, build.rowCount);

  const std::string csv = WithCrLf(build.text, build.length);
  std::FILE* out = stdout;
  if (argc == 3) {
    out = std::fopen(argv[2], "wb");
    if (out == nullptr) {
      std::fprintf(stderr, "survey2csv: cannot create %s\n", argv[2]);
      return 1;
    }
  } else {
    SetStdoutBinary();
  }
  const bool written = std::fwrite(csv.data(), 1, csv.size(), out) == csv.size();
  const bool closed = out == stdout ? std::fflush(out) == 0 : std::fclose(out) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "survey2csv: cannot write %s\n", argc == 3 ? argv[2] : "the standard output");
    return 1;
  }
  return 0;
}
