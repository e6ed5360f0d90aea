// Peekbar's entry point: the single-instance mutex, the start-up delay, the
// monitors, the settings, the hidden main window and its message loop, and
// on the way out every registered window shown again.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "core/app/app.h"
#include "win32/app/guardian.h"
#include "win32/app/win32_dialogs.h"
#include "win32/app/journal_files.h"
#include "win32/app/main_window.h"
#include "win32/app/wide.h"
#include "win32/app/win32_desktop.h"
#include "win32/app/win32_hotkeys.h"
#include "win32/app/win32_shell.h"
#include "win32/app/win32_sound_player.h"
#include "win32/overlays/overlay_windows.h"
#include "win32/settings/ini_store.h"
#include "win32/tray/tray_menu.h"

#include <memory>
#include <vector>

namespace {

using namespace peekbar;

constexpr wchar_t kInstanceMutexName[] = L"「Peekbar」の多重起動確認用ミューテックス";
constexpr int kStartupFailed = -1;

// Creates the named mutex with a null access list, so that instances started
// by any user see each other. Reports whether another instance holds it;
// a mutex that cannot be created counts as another instance. The handle is
// not inherited: a program started from Peekbar must not keep it alive.
bool AcquireInstanceMutex(HANDLE& mutex) {
  SECURITY_DESCRIPTOR descriptor{};
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
  mutex = CreateMutexW(&attributes, FALSE, kInstanceMutexName);
  return mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS;
}

void WaitStartupDelay() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return;
  const std::uint32_t milliseconds = count >= 2 ? StartupDelayMilliseconds(win32::Utf16(arguments[1])) : 0;
  LocalFree(arguments);
  if (milliseconds > 0) Sleep(milliseconds);
}

int FailStartup(std::u16string_view message, HANDLE mutex) {
  win32::ShowStartupError(message);
  if (mutex != nullptr) CloseHandle(mutex);
  return kStartupFailed;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  // Before the instance mutex and the start-up delay: the guardian has
  // neither, and its arguments are no delay.
  if (const auto guarded = win32::GuardWhenAsked()) return *guarded;
  win32::InstallCrashGiveBack();
  HANDLE mutex = nullptr;
  const bool anotherInstance = AcquireInstanceMutex(mutex);
  WaitStartupDelay();

  win32::Win32Desktop desktop;
  win32::Win32Shell shell;
  win32::Win32SoundPlayer sound(shell);
  win32::IniStore store;
  win32::JournalFiles journal;
  win32::Win32Dialogs dialogs(shell);
  win32::Win32Overlays overlays;
  win32::Win32TrayMenu menu(shell);
  win32::Win32Hotkeys hotkeys(shell);
  // The state is large (sixteen locations of text per monitor): keep it off the stack.
  auto app = std::make_unique<App>(AppPorts{desktop, shell, sound, store, journal, dialogs, overlays, menu, dialogs, hotkeys});
  overlays.Attach(app->TriggerInput());

  if (const auto refusal = app->PrepareStartup(anotherInstance)) return FailStartup(*refusal, mutex);

  // The dialogs' up-down and hotkey controls and the property sheets' tabs come from common controls 6.
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&controls);
  win32::MainWindow mainWindow(*app, shell);
  const bool registered = mainWindow.RegisterWindowClass(instance);
  const HWND main = registered ? mainWindow.Create(instance) : nullptr;
  if (main == nullptr) {
    app->Shutdown();  // nothing was taken yet; the journal goes
    return FailStartup(registered ? kWindowCreationFailedMessage : kClassRegistrationFailedMessage, mutex);
  }

  int exitCode = static_cast<int>(kNormalExitCode);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
    // The main window posts the quit (code 0) as it goes. Should a nested
    // loop ever swallow that message, the program still ends once the main
    // window is gone, instead of waiting for ever.
    if (!IsWindow(main)) break;
  }
  if (message.message == WM_QUIT) exitCode = static_cast<int>(message.wParam);

  app->Shutdown();
  app.reset();
  if (mutex != nullptr) CloseHandle(mutex);
  return exitCode;
}
