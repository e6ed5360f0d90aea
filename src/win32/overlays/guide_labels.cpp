#include "win32/overlays/guide_labels.h"

#include "core/overlays/guides.h"
#include "win32/app/dpi.h"
#include "win32/app/wide.h"
#include "win32/overlays/fonts.h"
#include "win32/overlays/label_text.h"

namespace peekbar::win32 {

LabelFonts::LabelFonts(const FontRecord& font, UINT dpi) {
  const LOGFONTW base = FontForDpi(ToLogFont(font), dpi);
  across_ = CreateOverlayFont(base, 0, 0);
  downward_ = CreateOverlayFont(base, 2700, 0);  // upright characters, stacked top to bottom
  measuring_ = CreateOverlayFont(base, 0, 900);
}

LabelFonts::~LabelFonts() {
  for (const HFONT font : {across_, downward_, measuring_}) {
    if (font != nullptr) DeleteObject(font);
  }
}

void LabelFonts::DrawLabel(HDC dc, const GuideBarView& bar, std::int32_t guideWidth, HBRUSH barBrush) const {
  const int location = bar.location;
  const bool vertical = IsVerticalLabel(location);
  const std::wstring label = LabelText(location, WideString(bar.label));
  const wchar_t* text = label.c_str();
  const int length = static_cast<int>(label.size());

  SetGraphicsMode(dc, GM_ADVANCED);
  // A font that could not be made leaves the DC's own font in place.
  HFONT measure = vertical ? measuring_ : across_;
  const HGDIOBJ previous = measure != nullptr ? SelectObject(dc, measure) : GetCurrentObject(dc, OBJ_FONT);
  SIZE size{};
  GetTextExtentPoint32W(dc, text, length, &size);
  if (vertical && downward_ != nullptr) SelectObject(dc, downward_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  // The text's own opaque background would be the unturned cell, which the
  // upright characters of downward text leave: the box is filled instead.
  const Point at = LabelOrigin(location, bar.bar.parts[0], guideWidth, size.cx, size.cy);
  const Rect box = LabelBox(location, at, size.cx, size.cy, metrics.tmAscent);
  const RECT boxRect{box.left, box.top, box.right, box.bottom};
  FillRect(dc, &boxRect, barBrush);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, bar.labelColor);
  TextOutW(dc, at.x, at.y, text, length);
  SelectObject(dc, previous);
}

}  // namespace peekbar::win32
