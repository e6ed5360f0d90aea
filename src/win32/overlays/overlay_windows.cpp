#include "win32/overlays/overlay_windows.h"

#include "core/overlays/monitor_popups.h"
#include "win32/app/wide.h"
#include "win32/overlays/fonts.h"
#include "win32/overlays/tip_window.h"

namespace peekbar::win32 {

// The captions exist only with two monitors or more, and only while SHOW
// places them somewhere.
void Win32Overlays::RebuildMonitorNumberPopups() {
  if (state_ == nullptr || state_->MonitorCount() < 2) return;
  for (MonitorSlot& slot : state_->monitorSlots) {
    if (IsOwnWindow(ToHwnd(slot.popupWindow))) PostMessageW(ToHwnd(slot.popupWindow), WM_CLOSE, 0, 0);
    slot.popupWindow = kNoWindow;
  }
  const Settings& s = state_->settings;
  if (s.monitorPopShow < 0) return;
  const LOGFONTW font = ToLogFont(s.monitorPopFont);
  for (int m = 0; m < state_->MonitorCount(); ++m) {
    MonitorSlot& slot = state_->Monitor(m);
    if (!slot.active) continue;
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

void Win32Overlays::ShowMonitorNumberPopups(bool show) {
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

}  // namespace peekbar::win32
