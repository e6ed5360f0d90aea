#include "session_check.h"

#include <windows.h>

#include "driver_options.h"

namespace e2e {

void SessionCheck::SetUp() {
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), ExpectedMonitorCount()) << "monitors do not match the layout";
    // Wine reports a virtual desktop as one monitor: two monitors are seen
    // only on the X root window, where there is no desktop "shell" and its
    // taskbar is never visible.
    if (TwoMonitorLayout()) return;
    ASSERT_EQ(Options().desktopName, L"shell") << "the desktop \"shell\" is missing";
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    ASSERT_NE(taskbar, nullptr) << "no taskbar window on the desktop";
    ASSERT_TRUE(IsWindowVisible(taskbar)) << "the taskbar is not visible";
}

void SessionCheck::TearDown() {
    if (!TwoMonitorLayout()) return;
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    EXPECT_FALSE(taskbar && IsWindowVisible(taskbar)) << "a Peekbar showed the taskbar its shell keeps hidden";
}

}  // namespace e2e
