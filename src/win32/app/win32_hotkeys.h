// The program's hotkeys, registered with the system for the main window,
// which receives WM_HOTKEY with the identifier.
#pragma once

#include <windows.h>

#include "core/base/hotkeys.h"
#include "win32/app/win32_shell.h"

namespace peekbar::win32 {

class Win32Hotkeys final : public HotkeyRegistrar {
 public:
  explicit Win32Hotkeys(Win32Shell& shell) : shell_(shell) {}

  bool Register(int id, Hotkey key) override;
  void Unregister(int id) override;

 private:
  Win32Shell& shell_;
};

}  // namespace peekbar::win32
