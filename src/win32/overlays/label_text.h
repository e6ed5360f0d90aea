// The text of a guide label: the window's title, in full-width characters
// beside the left and right bars, where it runs top to bottom.
#pragma once

#include <string>
#include <string_view>

namespace peekbar::win32 {

inline constexpr std::size_t kLabelTextUnits = 256;

// At most kLabelTextUnits units; the title as it is where the conversion fails.
std::wstring LabelText(int location, std::wstring_view title);

}  // namespace peekbar::win32
