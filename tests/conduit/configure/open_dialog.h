// Runs one configuration export on a thread of its own, so that the test's thread can drive
// the modal dialog it shows; every wait has a timeout.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

class OpenDialog {
 public:
  // Starts the call and waits for its dialog to show.
  explicit OpenDialog(std::function<int32_t()> call);
  ~OpenDialog();
  OpenDialog(const OpenDialog&) = delete;
  OpenDialog& operator=(const OpenDialog&) = delete;

  // The dialog, or null when none showed in time.
  HWND dialog() const { return m_dialog; }

  // Waits for the call to return; false when it did not in time.
  bool Finish(int32_t* result);

 private:
  static DWORD WINAPI Run(void* self);

  std::function<int32_t()> m_call;
  int32_t m_result = 0;
  HANDLE m_thread = nullptr;
  HWND m_dialog = nullptr;
};

// Runs the call on a thread of its own and answers whether it returned in time without
// showing any dialog.
bool ReturnsWithoutDialog(std::function<int32_t()> call, int32_t* result);
