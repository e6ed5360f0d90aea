// The tray popup menu on the screen, made from the core's menu model.
#pragma once

#include <windows.h>

#include "core/base/geometry.h"
#include "core/tray/menu_model.h"
#include "win32/app/win32_shell.h"

namespace peekbar::win32 {

// Shows the menu at the point with the owner in the foreground, lets the
// chosen item's command run, and destroys the menu.
void TrackTrayMenu(HWND owner, TrayMenu& menu, Point at);

// The owner's share of an open menu: a location submenu made as it opens,
// the windows read once the menu rests. False for what is not the menu's.
bool HandleTrayMenuMessage(UINT message, WPARAM wParam);

// The menu owned by the main window.
class Win32TrayMenu final : public TrayMenuView {
 public:
  explicit Win32TrayMenu(Win32Shell& shell) : shell_(shell) {}
  void Track(TrayMenu& menu, Point at) override { TrackTrayMenu(shell_.MainWindow(), menu, at); }

 private:
  Win32Shell& shell_;
};

}  // namespace peekbar::win32
