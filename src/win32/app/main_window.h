// The hidden main window PEEKBAR_MAIN: it owns the watcher timer, receives
// the tray icon's notifications and the menu's commands, and parents dialogs.
#pragma once

#include <windows.h>

#include "core/app/app.h"
#include "win32/app/win32_shell.h"

namespace peekbar::win32 {

inline constexpr wchar_t kMainWindowClass[] = L"PEEKBAR_MAIN";

class MainWindow final {
 public:
  MainWindow(App& app, Win32Shell& shell) : app_(app), shell_(shell) {}

  bool RegisterWindowClass(HINSTANCE instance);
  HWND Create(HINSTANCE instance);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate(HWND window, const CREATESTRUCTW& create);
  void OnDestroy();
  // Other programs' top-level windows shown, renamed or destroyed are
  // reported to the core, which lets keywords waiting for a window look at
  // them.
  void WatchOtherWindows();
  static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                  DWORD thread, DWORD time);

  App& app_;
  Win32Shell& shell_;
  HINSTANCE instance_ = nullptr;
  UINT taskbarCreatedMessage_ = 0;
  HWINEVENTHOOK shownHook_ = nullptr;
  HWINEVENTHOOK renamedHook_ = nullptr;
  HWINEVENTHOOK createdHook_ = nullptr;
  HWINEVENTHOOK destroyedHook_ = nullptr;
};

}  // namespace peekbar::win32
