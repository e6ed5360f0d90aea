// A font record of the settings and the system's font record.
#pragma once

#include <windows.h>

#include "core/base/settings.h"

namespace peekbar::win32 {

LOGFONTW ToLogFont(const FontRecord& font);
FontRecord FromLogFont(const LOGFONTW& font);

// The font an overlay draws with: the stored fields of `base`, turned by
// escapement and orientation (tenths of a degree), in proof quality.
HFONT CreateOverlayFont(const LOGFONTW& base, LONG escapement = 0, LONG orientation = 0);

}  // namespace peekbar::win32
