#include "win32/overlays/label_text.h"

#include <windows.h>

#include "core/overlays/guides.h"

namespace peekbar::win32 {

std::wstring LabelText(int location, std::wstring_view title) {
  title = title.substr(0, kLabelTextUnits);
  if (!IsVerticalLabel(location) || title.empty()) return std::wstring(title);
  wchar_t fullWidth[kLabelTextUnits] = {};
  const int converted = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_FULLWIDTH, title.data(),
                                     static_cast<int>(title.size()), fullWidth, static_cast<int>(kLabelTextUnits));
  if (converted <= 0) return std::wstring(title);
  return std::wstring(fullWidth, static_cast<std::size_t>(converted));
}

}  // namespace peekbar::win32
