// Benchmark of the conduit's wait: the time from a request file appearing to OpenConduit
// returning, and the CPU time the conduit spends while it waits 10 s for nothing. It runs the
// real Dalvex.dll from a fresh exchange folder beside a companion that only sleeps.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "hotsync_records.h"
#include "test_files_win.h"

namespace {

using OpenConduitFunction = int32_t (*)(void*, HotSyncSessionRecord*);

constexpr int kRounds = 5;
constexpr DWORD kCompanionStartMilliseconds = 3000;
constexpr DWORD kIdleMilliseconds = 10000;

bool WriteText(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return true;
}

struct Session {
  OpenConduitFunction open;
  HotSyncSessionRecord record;
};

DWORD WINAPI RunSession(void* parameter) {
  auto session = static_cast<Session*>(parameter);
  int progress = 0;
  session->open(&progress, &session->record);
  return 0;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double CpuSeconds(HANDLE thread) {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(thread, &created, &exited, &kernel, &user);
  auto ticks = [](FILETIME t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

}  // namespace

int main() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "dalvex-bench-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string library = folder + "\\Dalvex.dll";
  if (!CopyFileA((OwnFolder() + "\\Dalvex.dll").c_str(), library.c_str(), FALSE) ||
      !CopyFileA((OwnFolder() + "\\scripted_companion.exe").c_str(), (folder + "\\Vornet.exe").c_str(), FALSE) ||
      !WriteText(folder + "\\companion.plan", "=20000\n")) {
    std::fprintf(stderr, "cannot prepare %s\n", folder.c_str());
    return 1;
  }
  HMODULE module = LoadLibraryA(library.c_str());
  auto open = module != nullptr ? reinterpret_cast<OpenConduitFunction>(
                                      reinterpret_cast<void*>(GetProcAddress(module, "OpenConduit")))
                                : nullptr;
  if (open == nullptr) {
    std::fprintf(stderr, "cannot load %s\n", library.c_str());
    return 1;
  }

  std::vector<double> latencies;
  double idleCpu = 0;
  for (int round = 0; round <= kRounds; ++round) {
    Session session{open, {}};
    HANDLE thread = CreateThread(nullptr, 0, RunSession, &session, 0, nullptr);
    // Every round gives the companion time to start; the first then measures the CPU time of
    // a further idle wait.
    const bool idleRound = round == 0;
    Sleep(kCompanionStartMilliseconds);
    if (idleRound) {
      const double cpuAtStart = CpuSeconds(thread);
      Sleep(kIdleMilliseconds);
      idleCpu = CpuSeconds(thread) - cpuAtStart;
    }
    LARGE_INTEGER appeared, returned;
    QueryPerformanceCounter(&appeared);
    WriteText(folder + "\\dum.dat", "");
    WaitForSingleObject(thread, INFINITE);
    QueryPerformanceCounter(&returned);
    if (!idleRound) latencies.push_back(Seconds(appeared, returned));
    CloseHandle(thread);
  }
  FreeLibrary(module);

  std::sort(latencies.begin(), latencies.end());
  double sum = 0;
  for (double l : latencies) sum += l;
  std::printf("request file to OpenConduit return, %d rounds: min %.1f ms, median %.1f ms, mean %.1f ms, max %.1f ms\n",
              kRounds, latencies.front() * 1e3, latencies[latencies.size() / 2] * 1e3, sum / latencies.size() * 1e3,
              latencies.back() * 1e3);
  std::printf("conduit CPU time while waiting %.0f s: %.3f s (%.2f %%)\n", kIdleMilliseconds / 1e3, idleCpu,
              idleCpu / (kIdleMilliseconds / 1e3) * 100);
  return 0;
}
