// Writes 5000 record files of 1 KB directly, as a retrieval would, and prints how long it took:
// the floor beside which the conduit's retrieval is measured. usage: bench_retrieve_plain FOLDER
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_retrieve_plain FOLDER\n");
    return 2;
  }
  constexpr int kRecords = 5000;
  constexpr size_t kRecordSize = 1024;
  static unsigned char block[28 + kRecordSize];
  for (size_t i = 0; i < sizeof block; ++i) block[i] = static_cast<unsigned char>(i * 7);

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int number = 0; number < kRecords; ++number) {
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%s\\PMData.%03d", argv[1], number);
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
      std::fprintf(stderr, "cannot create %s\n", path);
      return 1;
    }
    std::fwrite(block, sizeof block, 1, file);
    std::fclose(file);
  }
  QueryPerformanceCounter(&end);
  double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
  std::printf("plain: %d files in %.3f s, %.0f files/s\n", kRecords, seconds, kRecords / seconds);
  return 0;
}
