// Stands in for Vornet.exe in the conduit's tests: creates the files that "companion.plan"
// beside it names, one a line, each with the bytes of "<name>.bytes" if that exists, then
// exits. Like the companion program it creates them with exclusive access and closes each at
// once; after a line "hold" it keeps the following ones open until a moment before it exits, so
// the conduit meets a file that is still being written. A line "=<milliseconds>" makes it
// sleep that long, holding what it holds.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string OwnFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.rfind('\\'));
}

bool ReadWhole(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes->append(buffer, got);
  CloseHandle(file);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string folder = OwnFolder();
  std::string plan;
  ReadWhole(folder + "\\companion.plan", &plan);

  std::vector<HANDLE> held;
  bool holding = false;
  size_t start = 0;
  while (start < plan.size()) {
    size_t end = plan.find('\n', start);
    if (end == std::string::npos) end = plan.size();
    const std::string name = plan.substr(start, end - start);
    start = end + 1;
    if (name.empty()) continue;
    if (name == "hold") {
      holding = true;
      continue;
    }
    if (name[0] == '=') {
      Sleep(static_cast<DWORD>(std::atol(name.c_str() + 1)));
      continue;
    }
    std::string bytes;
    ReadWhole(folder + "\\" + name + ".bytes", &bytes);
    HANDLE file = CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (holding) {
      held.push_back(file);
    } else {
      CloseHandle(file);
    }
  }
  if (!held.empty()) Sleep(1000);
  for (HANDLE file : held) CloseHandle(file);
  return 0;
}
