#include "app/app_windows.h"

#include "tray/tray_menu.h"

namespace peekbar::win32 {

void Win32AppWindows::TrackTrayMenu(const MenuItem& menu, Point at) {
  win32::TrackTrayMenu(shell_.MainWindow(), menu, at);
}

// The overlay windows (guides, monitor-number pop-ups, trigger window) and
// the per-location dialogs are not part of the program yet: until they are,
// there is nothing on the screen for these requests to change.
void Win32AppWindows::ShowMonitorNumberPopups(bool) {}
void Win32AppWindows::RebuildMonitorNumberPopups() {}
void Win32AppWindows::CreateGuideWindows() {}
void Win32AppWindows::CloseGuideWindows() {}
bool Win32AppWindows::RunKeywordDialog(int, int) { return false; }
void Win32AppWindows::ChooseGuideColor(int, int) {}
void Win32AppWindows::DismissTriggerWhenLeft(Point) {}
void Win32AppWindows::UpdateGuideVisibility(Point) {}
void Win32AppWindows::UpdateTriggerTip(Point) {}
void Win32AppWindows::UpdateTriggerWindowForKeys() {}
void Win32AppWindows::InvalidateVisibleGuides() {}
void Win32AppWindows::CloseTriggerWindowAndTip() {}

}  // namespace peekbar::win32
