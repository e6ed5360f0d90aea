// Every dialog of the program shows the main window's icon in its title bar.
#pragma once

#include <windows.h>

namespace peekbar::win32 {

inline void TakeOwnersIcon(HWND dialog) {
  if (const HWND owner = GetWindow(dialog, GW_OWNER)) {
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(GetClassLongPtrW(owner, GCLP_HICON)));
  }
}

}  // namespace peekbar::win32
