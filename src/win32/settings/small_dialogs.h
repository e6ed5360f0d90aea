// The small modal dialogs of the settings: the profile name, the start-up
// delay of the Startup shortcut and the monitor-number captions' opacity.
#pragma once

#include <windows.h>

#include "core/base/state.h"

namespace peekbar::win32 {

// Edits the name in place; true after OK.
bool RunProfileNameDialog(HINSTANCE instance, HWND owner, FixedText<kTitleUnits>& name);
// Asks for 0..32767 seconds; true after OK.
bool RunStartupDelayDialog(HINSTANCE instance, HWND owner, int& seconds);
// The monitor-number captions' opacity, 1..255 offered; true after OK with
// what the control held (clamping is the caller's).
bool RunMonitorPopAlphaDialog(HINSTANCE instance, HWND owner, int& alpha);

}  // namespace peekbar::win32
