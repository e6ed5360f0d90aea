// The trigger window: a small map of the pointer's monitor with a tip naming
// the window under the pointer. It shows, moves, hides and paints itself as
// the core's frame has it, and reports the pointer and the clicks back.
#pragma once

#include <windows.h>

#include "core/overlays/overlay_view.h"

namespace peekbar::win32 {

inline constexpr wchar_t kTriggerWindowClass[] = L"PEEKBAR_TRIGGER";

class TriggerWindow {
 public:
  TriggerWindow() = default;
  TriggerWindow(const TriggerWindow&) = delete;
  TriggerWindow& operator=(const TriggerWindow&) = delete;

  void Attach(TriggerReports& reports) { reports_ = &reports; }
  void SetTipFont(const LOGFONTW& font) { tipFont_ = font; }

  // Made when first shown, in the frame's size and opacity.
  void Apply(const TriggerView& view);
  // To the top of the topmost windows, the tip above it.
  void Raise(bool activate);
  // Whether `window` stands above the trigger window in the z-order.
  bool IsBelow(HWND window) const;
  // The window and its tip are closed; made anew when next shown.
  void Close();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Make(const TriggerView& view);
  void ApplyTip(const TriggerTipView& tip, UINT dpi);
  void CloseTip();
  void Paint();

  TriggerReports* reports_ = nullptr;
  HWND window_ = nullptr;
  HWND tip_ = nullptr;
  TriggerView shown_;  // what the window shows
  TriggerTipView tipShown_;
  UINT tipDpi_ = 0;  // what the shown tip's font was made at
  LOGFONTW tipFont_{};  // as chosen, at the system's DPI
};

}  // namespace peekbar::win32
