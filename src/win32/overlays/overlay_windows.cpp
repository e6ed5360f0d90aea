#include "win32/overlays/overlay_windows.h"

#include "win32/app/dpi.h"
#include "win32/app/wide.h"
#include "win32/overlays/fonts.h"
#include "win32/overlays/tip_window.h"

namespace peekbar::win32 {

bool Win32Overlays::IsAboveTrigger(WindowHandle window) { return trigger_.IsBelow(ToHwnd(window)); }

void Win32Overlays::LabelFontChanged(const FontRecord& font) {
  guides_.RebuildLabelFonts(font);
  trigger_.SetTipFont(ToLogFont(font));
}

Extent Win32Overlays::MeasureText(std::u16string_view text, const FontRecord& font, std::uint32_t dpi) {
  const SIZE size = MeasureTipText(text, ToLogFont(font), dpi);
  return {size.cx, size.cy};
}

std::int32_t Win32Overlays::CursorHeight(std::uint32_t dpi) { return SystemMetricForDpi(SM_CYCURSOR, dpi); }

void Win32Overlays::MakeMonitorPopups(const MonitorPopupsView& made) {
  for (const HWND popup : popups_) {
    if (IsOwnWindow(popup)) PostMessageW(popup, WM_CLOSE, 0, 0);
  }
  popups_.clear();
  const LOGFONTW font = ToLogFont(made.font);
  for (const MonitorPopupView& popup : made.popups) {
    const HWND window = CreateTipWindow(popup.text, font, popup.dpi, RGB(0, 0, 0), RGB(255, 255, 255),
                                        static_cast<BYTE>(made.alpha));
    if (window == nullptr) continue;
    popups_.push_back(window);
    SetWindowPos(window, nullptr, popup.at.x, popup.at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Win32Overlays::ShowMonitorPopups(bool show) {
  for (const HWND popup : popups_) {
    if (!IsOwnWindow(popup)) continue;
    if (show) {
      SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    } else {
      ShowWindow(popup, SW_HIDE);
    }
  }
}

}  // namespace peekbar::win32
