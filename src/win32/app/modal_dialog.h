// The small modal dialogs of the program share one shape: the controls are
// filled when the dialog opens and read back on OK, which may keep the dialog
// open for what was read to be corrected; Cancel and the close box end the
// dialog with nothing read. Every dialog shows the main window's icon
// in its title bar.
#pragma once

#include <windows.h>

#include <functional>

namespace peekbar::win32 {

// Runs dialog `templateId` modally; true after OK. Where `accept` is given,
// OK closes the dialog only when it answers true for what was just taken.
bool RunModalDialog(HINSTANCE instance, HWND owner, int templateId, const std::function<void(HWND)>& fill,
                    const std::function<void(HWND)>& take, const std::function<bool(HWND)>& accept = {});

}  // namespace peekbar::win32
