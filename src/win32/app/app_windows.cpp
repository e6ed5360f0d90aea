#include "app/app_windows.h"

#include <commdlg.h>

#include "registration/keyword_dialog.h"
#include "settings/small_dialogs.h"
#include "tray/tray_menu.h"

namespace peekbar::win32 {

void Win32AppWindows::TrackTrayMenu(const MenuItem& menu, Point at) {
  win32::TrackTrayMenu(shell_.MainWindow(), menu, at);
}

bool Win32AppWindows::RunKeywordDialog(std::u16string_view title, FixedText<kKeywordUnits>& keyword,
                                       std::int32_t& isRegex) {
  return win32::RunKeywordDialog(GetModuleHandleW(nullptr), shell_.MainWindow(), title, keyword, isRegex);
}

bool Win32AppWindows::EditProfileName(FixedText<kTitleUnits>& name) {
  return RunProfileNameDialog(GetModuleHandleW(nullptr), shell_.MainWindow(), name);
}

bool Win32AppWindows::AskStartupDelay(int& seconds) {
  return RunStartupDelayDialog(GetModuleHandleW(nullptr), shell_.MainWindow(), seconds);
}

std::optional<Color> Win32AppWindows::PickColor(Color initial) {
  CHOOSECOLORW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = shell_.MainWindow();
  chooser.rgbResult = initial;
  chooser.lpCustColors = customColors_;
  chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&chooser)) return std::nullopt;
  return static_cast<Color>(chooser.rgbResult);
}

// The overlay windows (guides, monitor-number pop-ups, trigger window) and
// the per-location dialogs are not part of the program yet: until they are,
// there is nothing on the screen for these requests to change.
void Win32AppWindows::ShowMonitorNumberPopups(bool) {}
void Win32AppWindows::RebuildMonitorNumberPopups() {}
void Win32AppWindows::CreateGuideWindows() {}
void Win32AppWindows::CloseGuideWindows() {}
void Win32AppWindows::InvalidateGuide(int) {}
void Win32AppWindows::DismissTriggerWhenLeft(Point) {}
void Win32AppWindows::UpdateGuideVisibility(Point) {}
void Win32AppWindows::UpdateTriggerTip(Point) {}
void Win32AppWindows::UpdateTriggerWindowForKeys() {}
void Win32AppWindows::InvalidateVisibleGuides() {}
void Win32AppWindows::CloseTriggerWindowAndTip() {}

}  // namespace peekbar::win32
