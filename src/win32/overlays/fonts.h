// The six stored fields of a font and the system's font record.
#pragma once

#include <windows.h>

#include "overlays/monitor_popups.h"

namespace peekbar::win32 {

LOGFONTW ToLogFont(const FontChoice& font);
FontChoice FromLogFont(const LOGFONTW& font);

}  // namespace peekbar::win32
