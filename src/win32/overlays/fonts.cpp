#include "win32/overlays/fonts.h"

#include <algorithm>

#include "win32/app/wide.h"

namespace peekbar::win32 {

LOGFONTW ToLogFont(const FontRecord& font) {
  LOGFONTW record{};
  record.lfHeight = font.height;
  record.lfWidth = font.width;
  record.lfWeight = font.weight;
  record.lfItalic = static_cast<BYTE>(font.italic);
  record.lfCharSet = static_cast<BYTE>(font.charset);
  const std::size_t length = std::min<std::size_t>(font.face.Length(), LF_FACESIZE - 1);
  std::copy_n(reinterpret_cast<const wchar_t*>(font.face.CStr()), length, record.lfFaceName);
  return record;
}

FontRecord FromLogFont(const LOGFONTW& record) {
  FontRecord font;
  font.face = Utf16(record.lfFaceName);
  font.height = record.lfHeight;
  font.width = record.lfWidth;
  font.weight = record.lfWeight;
  font.italic = record.lfItalic;
  font.charset = record.lfCharSet;
  return font;
}

HFONT CreateOverlayFont(const LOGFONTW& base, LONG escapement, LONG orientation) {
  LOGFONTW record = base;
  record.lfEscapement = escapement;
  record.lfOrientation = orientation;
  record.lfUnderline = FALSE;
  record.lfStrikeOut = FALSE;
  record.lfOutPrecision = OUT_DEFAULT_PRECIS;
  record.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  record.lfQuality = PROOF_QUALITY;
  record.lfPitchAndFamily = 0;
  return CreateFontIndirectW(&record);
}

}  // namespace peekbar::win32
