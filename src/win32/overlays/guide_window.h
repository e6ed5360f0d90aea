// The guide windows: one click-through overlay per monitor, never activated,
// made, shown, hidden and painted as the core's frame has them.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "core/overlays/overlay_view.h"
#include "win32/overlays/guide_labels.h"

namespace peekbar::win32 {

inline constexpr wchar_t kGuideWindowClass[] = L"PEEKBAR_GUIDE";

class GuideWindows {
 public:
  GuideWindows() = default;
  GuideWindows(const GuideWindows&) = delete;
  GuideWindows& operator=(const GuideWindows&) = delete;

  // Every guide as the frame has it: made where missing (over its monitor,
  // which it covers from then on), closed where gone, shown or hidden all
  // together (but for one kept quiet), repainted where its bars changed.
  void Apply(const GuidesView& guides);
  // Every guide closed; the handles are forgotten at once.
  void Close();
  // The labels are written in this font from now on.
  void RebuildLabelFonts(const FontRecord& font);

 private:
  struct Guide {
    HWND window = nullptr;
    GuideView painted;  // what its paint shows
  };
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND Make(const Rect& monitor);
  static void Close(Guide& guide);
  // Label fonts for every DPI a guide is drawn at, and none for others.
  void KeepLabelFontsForGuides();
  // The DPI the guide is drawn at; `otherwise` for a guide closed.
  UINT DrawnAt(HWND window, UINT otherwise) const;
  void Paint(HWND window);
  void PaintBars(HDC dc, const GuideView& guide) const;

  std::vector<Guide> guides_;  // per monitor slot
  std::int32_t alpha_ = 255;
  FontRecord labelFont_;
  // Made when a guide at that DPI first needs them, not at each paint.
  std::map<UINT, LabelFonts> labelFonts_;
};

}  // namespace peekbar::win32
