#include "win32/app/guardian.h"

#include <shellapi.h>

#include <cwchar>
#include <string>

#include "core/app/guardian.h"
#include "core/engine/give_back_after_end.h"
#include "win32/app/journal_files.h"
#include "win32/app/win32_desktop.h"
#include "win32/app/win32_shell.h"

namespace peekbar::win32 {
namespace {

constexpr wchar_t kGuardianArgument[] = L"/guardian";
// A guardian started with arguments it cannot use: it guards nothing.
constexpr int kGuardianRefused = 2;

std::optional<unsigned long> Number(const wchar_t* text) {
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(text, &end, 10);
  if (end == text || *end != L'\0') return std::nullopt;
  return value;
}

int Guard(const wchar_t* handleText, const wchar_t* processText) {
  const auto handleValue = Number(handleText);
  const auto processId = Number(processText);
  if (!handleValue || !processId) return kGuardianRefused;
  // Inherited from Peekbar: it names that process however soon it ends,
  // where its id alone could be given to another one by then.
  const HANDLE peekbar = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(*handleValue));
  if (GetProcessId(peekbar) != *processId) return kGuardianRefused;
  // Nothing of what the start touched is needed while it waits.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  if (WaitForSingleObject(peekbar, INFINITE) != WAIT_OBJECT_0) return kGuardianRefused;
  DWORD exitCode = 0;
  GetExitCodeProcess(peekbar, &exitCode);
  CloseHandle(peekbar);

  Win32Shell shell;
  JournalFiles journals;
  Win32Desktop desktop;
  GiveBackForEndedInstance(desktop, journals, GuardedInstanceOf(shell, journals, *processId), exitCode);
  return 0;
}

void CALLBACK TellGuardianEnded(void* mainWindow, BOOLEAN) {
  PostMessageW(static_cast<HWND>(mainWindow), kGuardianEndedMessage, 0, 0);
}

}  // namespace

std::optional<int> GuardWhenAsked() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return std::nullopt;
  std::optional<int> exitCode;
  if (count >= 2 && std::wcscmp(arguments[1], kGuardianArgument) == 0) {
    exitCode = count == 4 ? Guard(arguments[2], arguments[3]) : kGuardianRefused;
  }
  LocalFree(arguments);
  return exitCode;
}

bool GuardianProcess::Start(HWND notify) {
  Release();
  wchar_t program[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return false;
  // The one handle the guardian inherits: only waiting on this process and
  // reading its exit code.
  HANDLE self = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                       SYNCHRONIZE | PROCESS_QUERY_INFORMATION, TRUE, 0)) {
    return false;
  }
  std::wstring commandLine = L"\"" + std::wstring(program) + L"\" " + kGuardianArgument + L" " +
                             std::to_wstring(reinterpret_cast<ULONG_PTR>(self)) + L" " +
                             std::to_wstring(GetCurrentProcessId());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  const BOOL created = CreateProcessW(program, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                      &startup, &started);
  CloseHandle(self);
  if (!created) return false;
  CloseHandle(started.hThread);
  process_ = started.hProcess;
  // Unwatched, the guardian still guards; it is only not started again.
  RegisterWaitForSingleObject(&wait_, process_, &TellGuardianEnded, notify, INFINITE, WT_EXECUTEONLYONCE);
  return true;
}

void GuardianProcess::Release() {
  if (wait_ != nullptr) UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);  // its report, if under way, finished
  wait_ = nullptr;
  if (process_ != nullptr) CloseHandle(process_);
  process_ = nullptr;
}

}  // namespace peekbar::win32
