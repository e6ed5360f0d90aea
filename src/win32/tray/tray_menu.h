// The tray popup menu on the screen, made from the core's menu model.
#pragma once

#include <windows.h>

#include "core/base/geometry.h"
#include "core/tray/menu_model.h"

namespace peekbar::win32 {

// Shows the menu at the point with the owner in the foreground, lets the
// chosen item's command run, and destroys the menu.
void TrackTrayMenu(HWND owner, const MenuItem& menu, Point at);

}  // namespace peekbar::win32
