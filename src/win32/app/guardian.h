// The guardian: Peekbar.exe started by a running Peekbar as
// "Peekbar.exe /guardian <process handle> <process id>". It waits on that
// process with nothing else to do, and when it ends without its exit gives
// back at once what its journal lists; then it ends too.
#pragma once

#include <windows.h>

#include <optional>

namespace peekbar::win32 {

// Posted to the main window when its guardian has ended.
inline constexpr UINT kGuardianEndedMessage = WM_APP + 1;

// Decided before anything else at start: when this process was started as
// a guardian, it guards and returns its exit code; none for any other start.
std::optional<int> GuardWhenAsked();

// Peekbar's side: the guardian process it started, watched from the
// system's thread pool, so that its end is posted to the main window.
class GuardianProcess {
 public:
  GuardianProcess() = default;
  GuardianProcess(const GuardianProcess&) = delete;
  GuardianProcess& operator=(const GuardianProcess&) = delete;
  ~GuardianProcess() { Release(); }

  bool Start(HWND notify);

 private:
  // Stops watching the last guardian.
  void Release();

  HANDLE process_ = nullptr;
  HANDLE wait_ = nullptr;
};

}  // namespace peekbar::win32
