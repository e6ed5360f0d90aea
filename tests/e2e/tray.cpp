#include "tray.h"

#include <string>

#include "peekbar_interface.h"

namespace e2e {
namespace {

struct MenuSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMenu(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<MenuSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (owner == search->processId && IsWindowVisible(window) && std::wstring(className) == L"#32768") {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

bool PostTrayMouseMessage(HWND mainWindow, UINT mouseMessage) {
    return PostMessageW(mainWindow, peekbar::kTrayCallbackMessage, peekbar::kTrayIconId, mouseMessage) != FALSE;
}

std::vector<HWND> VisiblePopupMenus(DWORD processId) {
    MenuSearch search{processId, {}};
    EnumWindows(CollectMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace e2e
