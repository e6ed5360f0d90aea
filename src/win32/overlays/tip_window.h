// Small translucent text boxes that never take the mouse: the monitor-number
// captions and the trigger window's tip.
#pragma once

#include <windows.h>

#include <string_view>

namespace peekbar::win32 {

inline constexpr wchar_t kTipWindowClass[] = L"PEEKBAR_TIP";

// A hidden tip exactly as large as the text in the font (chosen at the
// system's DPI) made for a monitor at `dpi`, or null. The caller places and
// shows it and closes it with WM_CLOSE.
HWND CreateTipWindow(std::u16string_view text, const LOGFONTW& font, UINT dpi, COLORREF textColor,
                     COLORREF background, BYTE opacity);

// The size of a tip holding the text in the font at `dpi`.
SIZE MeasureTipText(std::u16string_view text, const LOGFONTW& font, UINT dpi);

// A stored overlay handle is used only while it still names a window of
// this program (the handle may have been reused by another program).
bool IsOwnWindow(HWND window);

// WM_DPICHANGED on an overlay drawn at `drawnAt`: its monitor was scaled,
// or it was placed on a monitor of another DPI. It keeps the place and size
// the frame gave it. At a DPI the frame did not expect, the program reads
// the monitors again at its next tick, which lays the overlays out anew.
LRESULT FollowDpiChange(WPARAM wParam, UINT drawnAt);

}  // namespace peekbar::win32
