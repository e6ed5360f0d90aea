#include "win32/app/property_sheet.h"

#include <cstring>

namespace peekbar::win32 {
namespace {

// A DLGTEMPLATEEX begins with its version and the signature 0xFFFF, then
// the help id and extended style; its style follows at word 6. A
// DLGTEMPLATE begins with its style.
bool IsExtended(const WORD* words) { return words[1] == 0xFFFF; }
std::size_t StyleOffset(const WORD* words) { return IsExtended(words) ? 6 : 0; }
// The fixed header ends after the item count, position and size.
std::size_t HeaderWords(const WORD* words) { return IsExtended(words) ? 13 : 9; }

DWORD StyleOf(const WORD* words) {
  DWORD style = 0;
  std::memcpy(&style, words + StyleOffset(words), sizeof style);
  return style;
}

const WORD* SkipText(const WORD* p) {
  while (*p != 0) ++p;
  return p + 1;
}

// A menu or class field: none, an ordinal, or a name.
const WORD* SkipNameOrOrdinal(const WORD* p) {
  if (*p == 0) return p + 1;
  if (*p == 0xFFFF) return p + 2;
  return SkipText(p);
}

// The point size of the template's font, which follows the title; null when
// the template names no font.
const WORD* PointSizeField(const WORD* words) {
  if ((StyleOf(words) & DS_SETFONT) == 0) return nullptr;
  const WORD* menu = words + HeaderWords(words);
  const WORD* windowClass = SkipNameOrOrdinal(menu);
  const WORD* title = SkipNameOrOrdinal(windowClass);
  return SkipText(title);
}

}  // namespace

void FitSheetTemplateToPages(LPARAM sheetTemplate, HINSTANCE instance, int pageTemplateId) {
  auto* sheet = reinterpret_cast<WORD*>(sheetTemplate);
  const DWORD style = StyleOf(sheet) | DS_CENTER;
  std::memcpy(sheet + StyleOffset(sheet), &style, sizeof style);

  const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(pageTemplateId), RT_DIALOG);
  const HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
  const auto* page = static_cast<const WORD*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  const WORD* pageSize = page != nullptr ? PointSizeField(page) : nullptr;
  const WORD* sheetSize = PointSizeField(sheet);
  if (pageSize != nullptr && sheetSize != nullptr) *const_cast<WORD*>(sheetSize) = *pageSize;
}

}  // namespace peekbar::win32
