// The options property sheet: its first page holds the behaviour flags, its
// second the edge lengths, the timing and the button a show waits for.
#pragma once

#include <windows.h>

#include "core/base/settings.h"

namespace peekbar::win32 {

// Modal, owned by `owner`. Shows the OPTION settings of `options` and, when
// confirmed with OK, writes what the pages hold back into it; true then.
bool RunOptionsSheet(HINSTANCE instance, HWND owner, Settings& options);

}  // namespace peekbar::win32
