// The titles written beside the guide bars, in the label font.
#pragma once

#include <windows.h>

#include "core/overlays/overlay_view.h"

namespace peekbar::win32 {

// The three fonts made from the label font record for guides at one DPI:
// across for the top and bottom edges, downward for the left and right
// edges, and one to measure the downward text with.
class LabelFonts {
 public:
  LabelFonts(const FontRecord& font, UINT dpi);
  LabelFonts(const LabelFonts&) = delete;
  LabelFonts& operator=(const LabelFonts&) = delete;
  ~LabelFonts();

  // Writes the bar's label beside it on a box filled with the bar's brush,
  // placed from the bar's first part (for a corner the arm along the top or
  // bottom).
  void DrawLabel(HDC dc, const GuideBarView& bar, std::int32_t guideWidth, HBRUSH barBrush) const;

 private:
  HFONT across_ = nullptr;
  HFONT downward_ = nullptr;
  HFONT measuring_ = nullptr;
};

}  // namespace peekbar::win32
