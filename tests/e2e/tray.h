// Peekbar's tray icon as the shell drives it: mouse events on the icon,
// reported to the main window, and the popup menu they open.
#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

// Reports `mouseMessage` (WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_MBUTTONUP, ...)
// on the icon to Peekbar's main window, as the shell does.
bool PostTrayMouseMessage(HWND mainWindow, UINT mouseMessage);

// The visible popup menu windows (class "#32768") of process `processId`.
std::vector<HWND> VisiblePopupMenus(DWORD processId);

}  // namespace e2e
