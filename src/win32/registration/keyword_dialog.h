// The keyword dialog of one location.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "core/base/state.h"

namespace peekbar::win32 {

// Runs the dialog modally; on OK the keyword and its kind are changed in
// place and true is returned.
bool RunKeywordDialog(HINSTANCE instance, HWND owner, std::u16string_view title,
                      FixedText<kKeywordUnits>& keyword, std::int32_t& isRegex);

}  // namespace peekbar::win32
