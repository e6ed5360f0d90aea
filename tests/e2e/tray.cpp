#include "tray.h"

#include "peekbar_interface.h"

namespace e2e {

bool PostTrayMouseMessage(HWND mainWindow, UINT mouseMessage) {
    return PostMessageW(mainWindow, peekbar::kTrayCallbackMessage, peekbar::kTrayIconId, mouseMessage) != FALSE;
}

std::vector<HWND> VisiblePopupMenus(DWORD processId) {
    // By class, which the system filters in one call: asking every window
    // of a full desktop would take longer than the menu takes to open.
    std::vector<HWND> found;
    for (HWND menu = nullptr; (menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(menu, &owner);
        if (owner == processId && IsWindowVisible(menu)) found.push_back(menu);
    }
    return found;
}

}  // namespace e2e
