// The guide windows: one click-through overlay per monitor, never activated,
// that paints a bar on every location holding a registered window.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "core/base/geometry.h"
#include "core/base/state.h"
#include "win32/overlays/guide_labels.h"

namespace peekbar::win32 {

inline constexpr wchar_t kGuideWindowClass[] = L"PEEKBAR_GUIDE";

class GuideWindows {
 public:
  // The state the guides show; set once the program's state exists.
  void Attach(AppState& state) { state_ = &state; }

  // Makes every monitor's guide that is not there yet, hidden, or shown
  // on top with ALWAYS_SHOW.
  void Create();
  // Closes every monitor's guide; the handles are forgotten at once.
  void Close();
  // New opacity from GUIDE_ALPHA, and everything painted anew.
  void Refresh();
  void HideAll();
  // The tick: shows or hides all guides together, and repaints those whose
  // registrations changed since they were last painted. Allocates nothing.
  void UpdateVisibility(Point pointer);
  void InvalidateVisible();
  void Invalidate(int monitor);
  void RebuildLabelFonts();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateFor(int monitor);
  void ShowAll();
  void RepaintChangedRegistrations();
  void Paint(HWND window);
  void PaintBars(HDC dc, const MonitorSlot& slot) const;

  AppState* state_ = nullptr;
  LabelFonts fonts_;
  // Per monitor, the registrations the guide was last asked to paint.
  std::vector<std::array<WindowHandle, kLocationCount>> painted_;
};

}  // namespace peekbar::win32
