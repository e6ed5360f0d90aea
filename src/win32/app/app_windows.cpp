#include "win32/app/app_windows.h"

#include <commdlg.h>

#include "win32/app/wide.h"
#include "win32/overlays/fonts.h"
#include "win32/overlays/tip_window.h"
#include "win32/registration/keyword_dialog.h"
#include "win32/registration/registration_sheet_window.h"
#include "win32/settings/options_sheet.h"
#include "win32/settings/small_dialogs.h"
#include "win32/tray/tray_menu.h"

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

bool Win32AppWindows::AskMonitorPopAlpha(std::int32_t& alpha) {
  int value = alpha;
  if (!RunMonitorPopAlphaDialog(GetModuleHandleW(nullptr), shell_.MainWindow(), value)) return false;
  alpha = value;
  return true;
}

bool Win32AppWindows::PickFont(FontRecord& font) {
  LOGFONTW record = ToLogFont(font);
  CHOOSEFONTW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = shell_.MainWindow();
  chooser.lpLogFont = &record;
  chooser.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontW(&chooser)) return false;
  font = FromLogFont(record);
  return true;
}

// The captions exist only with two monitors or more, and only while SHOW
// places them somewhere.
void Win32AppWindows::RebuildMonitorNumberPopups() {
  if (state_ == nullptr || state_->MonitorCount() < 2) return;
  for (MonitorSlot& slot : state_->monitorSlots) {
    if (IsOwnWindow(ToHwnd(slot.popupWindow))) PostMessageW(ToHwnd(slot.popupWindow), WM_CLOSE, 0, 0);
    slot.popupWindow = kNoWindow;
  }
  const Settings& s = state_->settings;
  if (s.monitorPopShow < 0) return;
  const LOGFONTW font = ToLogFont(s.monitorPopFont);
  for (int m = 0; m < state_->MonitorCount(); ++m) {
    MonitorSlot& slot = state_->monitorSlots[static_cast<std::size_t>(m)];
    const HWND popup = CreateTipWindow(MonitorPopupText(m), font, RGB(0, 0, 0), RGB(255, 255, 255),
                                       static_cast<BYTE>(s.monitorPopAlpha));
    slot.popupWindow = FromHwnd(popup);
    if (popup == nullptr) continue;
    RECT rect{};
    GetWindowRect(popup, &rect);
    const Point at = MonitorPopupPosition(slot.monitorRect, rect.right - rect.left, rect.bottom - rect.top,
                                          s.monitorPopShow);
    SetWindowPos(popup, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Win32AppWindows::ShowMonitorNumberPopups(bool show) {
  if (state_ == nullptr || state_->MonitorCount() < 2) return;
  for (const MonitorSlot& slot : state_->monitorSlots) {
    const HWND popup = ToHwnd(slot.popupWindow);
    if (!IsOwnWindow(popup)) continue;
    if (show) {
      SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    } else {
      ShowWindow(popup, SW_HIDE);
    }
  }
}

std::optional<Color> Win32AppWindows::PickColor(WindowHandle owner, Color initial) {
  CHOOSECOLORW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = ToHwnd(owner);
  chooser.rgbResult = initial;
  chooser.lpCustColors = customColors_;
  chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&chooser)) return std::nullopt;
  return static_cast<Color>(chooser.rgbResult);
}

// The trigger window is not part of the program yet:
// until it is, there is nothing on the screen for these requests to change.
void Win32AppWindows::DismissTriggerWhenLeft(Point) {}
void Win32AppWindows::UpdateTriggerTip(Point) {}
void Win32AppWindows::UpdateTriggerWindowForKeys() {}
void Win32AppWindows::CloseTriggerWindowAndTip() {}

void Win32AppWindows::CreateGuideWindows() { guides_.Create(); }
void Win32AppWindows::CloseGuideWindows() { guides_.Close(); }
void Win32AppWindows::InvalidateGuide(int monitor) { guides_.Invalidate(monitor); }

bool Win32AppWindows::ShowOptionsSheet(Settings& options) {
  return RunOptionsSheet(GetModuleHandleW(nullptr), shell_.MainWindow(), options);
}
void Win32AppWindows::UpdateGuideVisibility(Point pointer) { guides_.UpdateVisibility(pointer); }
void Win32AppWindows::InvalidateVisibleGuides() { guides_.InvalidateVisible(); }
void Win32AppWindows::RebuildLabelFonts() { guides_.RebuildLabelFonts(); }
void Win32AppWindows::RefreshGuideWindows() { guides_.Refresh(); }
void Win32AppWindows::HideGuideWindows() { guides_.HideAll(); }

void Win32AppWindows::RunRegistrationSheet(RegistrationSheet& sheet) {
  win32::RunRegistrationSheet(GetModuleHandleW(nullptr), shell_.MainWindow(), sheet);
}

}  // namespace peekbar::win32
