// The small modal dialogs of the settings: the profile name and the start-up
// delay of the Startup shortcut.
#pragma once

#include <windows.h>

#include "app/state.h"

namespace peekbar::win32 {

// Edits the name in place; true after OK.
bool RunProfileNameDialog(HINSTANCE instance, HWND owner, FixedText<kTitleUnits>& name);
// Asks for 0..32767 seconds; true after OK.
bool RunStartupDelayDialog(HINSTANCE instance, HWND owner, int& seconds);

}  // namespace peekbar::win32
