// The tray icon's popup menu on the screen.
#pragma once

#include "app/app.h"
#include "app/win32_shell.h"

namespace peekbar::win32 {

class TrayMenu final : public AppWindows {
 public:
  explicit TrayMenu(Win32Shell& shell) : shell_(shell) {}
  void ShowTrayMenu() override;

 private:
  Win32Shell& shell_;
};

}  // namespace peekbar::win32
