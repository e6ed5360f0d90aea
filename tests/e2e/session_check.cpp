#include "session_check.h"

#include <windows.h>

#include "driver_options.h"

namespace e2e {

void SessionCheck::SetUp() {
    ASSERT_EQ(Options().desktopName, L"shell") << "the desktop \"shell\" is missing";
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    ASSERT_NE(taskbar, nullptr) << "no taskbar window on the desktop";
    ASSERT_TRUE(IsWindowVisible(taskbar)) << "the taskbar is not visible";
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), ExpectedMonitorCount()) << "monitors do not match the layout";
}

}  // namespace e2e
