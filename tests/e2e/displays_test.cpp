// Monitors detached, attached again and resized while Peekbar runs, changed
// from inside Wine as the display settings of a laptop or a remote session
// change: Wine then tells every top-level window. Two-monitor layout only.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "desktop_input.h"
#include "driver_options.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "screenshot.h"
#include "test_programs.h"
#include "wait.h"
#include "window_state.h"

namespace e2e {
namespace {

using peekbar::location::kBottomMiddle;
using peekbar::location::kTopMiddle;

constexpr wchar_t kFirst[] = L"\\\\.\\DISPLAY1";
constexpr wchar_t kSecond[] = L"\\\\.\\DISPLAY2";

// Stages one monitor's position and size (all zero: detached); Apply makes
// the staged changes at once.
bool Stage(const wchar_t* device, int x, int y, int width, int height) {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    mode.dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPosition = {x, y};
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    return ChangeDisplaySettingsExW(device, &mode, nullptr, CDS_UPDATEREGISTRY | CDS_NORESET, nullptr) ==
           DISP_CHANGE_SUCCESSFUL;
}
bool Apply() { return ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL; }

int MonitorCount() { return GetSystemMetrics(SM_CMONITORS); }

// A mode of the first monitor lower than its 1080 lines, for the resize.
bool SmallerMode(int& width, int& height) {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; EnumDisplaySettingsW(kFirst, i, &mode); ++i) {
        if (mode.dmPelsHeight >= 600 && mode.dmPelsHeight < 1080 && mode.dmPelsWidth <= 1920) {
            width = static_cast<int>(mode.dmPelsWidth);
            height = static_cast<int>(mode.dmPelsHeight);
            return true;
        }
    }
    return false;
}

class Displays : public PeekbarSession {
protected:
    // The layout the other tests expect, whatever this one did.
    void TearDown() override {
        Stage(kFirst, 0, 0, 1920, 1080);
        Stage(kSecond, 1920, 0, 1280, 1024);
        Apply();
        WaitUntil([] { return MonitorCount() == 2; });
        PeekbarSession::TearDown();
    }
};

TEST_F(Displays, DetachedMonitorGivesItsWindowBackAndEdgesFollowEachChange) {
    if (!TwoMonitorLayout()) GTEST_SKIP() << "a virtual desktop has one monitor";
    TestProgram target = TestProgram::StartTarget({L"Peekbar test: first", L"Peekbar test: second"});
    const HWND first = target.Window(0);
    const HWND second = target.Window(1);
    ASSERT_NE(second, nullptr);
    const Rect size = WindowRect(second);
    StartPeekbar(QuickProfile()
                     .Keyword(0, kBottomMiddle, L"Peekbar test: first*")
                     .Keyword(1, kTopMiddle, L"Peekbar test: second*"));
    ASSERT_TRUE(WaitHidden(first));
    ASSERT_TRUE(WaitHidden(second));

    // Detached: its window comes back in the middle of the first monitor.
    ASSERT_TRUE(Stage(kSecond, 0, 0, 0, 0) && Apply());
    const auto changed = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitUntil([] { return MonitorCount() == 1; }));
    ASSERT_TRUE(WaitShown(second)) << "the detached monitor's window stayed hidden";
    std::cout << "[ measured ] window of a detached monitor given back "
              << std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - changed).count()
              << " ms after the change\n";
    const Rect centred{960 - size.Width() / 2, 540 - size.Height() / 2, 960 - size.Width() / 2 + size.Width(),
                       540 - size.Height() / 2 + size.Height()};
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(second) == centred; }))
        << "at " << WindowRect(second) << ", expected " << centred;
    ASSERT_TRUE(MovePointer(960, 1079));
    EXPECT_TRUE(WaitShown(first)) << "the remaining monitor's edge no longer works";
    ASSERT_TRUE(EnterAndLeave(first));
    ASSERT_TRUE(WaitHidden(first));

    // Attached again: its keyword takes the window again, and its edge works.
    ASSERT_TRUE(Stage(kSecond, 1920, 0, 1280, 1024) && Apply());
    ASSERT_TRUE(WaitUntil([] { return MonitorCount() == 2; }));
    ASSERT_TRUE(WaitHidden(second)) << "the keyword of the monitor back did not register its window";
    ASSERT_TRUE(MovePointer(2560, 0));
    EXPECT_TRUE(WaitShown(second)) << "the edge of the monitor back does not work";
    ASSERT_TRUE(EnterAndLeave(second));
    ASSERT_TRUE(WaitHidden(second));
    EXPECT_TRUE(SaveScreenshot(L"displays-second-monitor-back"));

    // The first monitor lower: the bottom location follows its new bottom line.
    int width = 0;
    int height = 0;
    ASSERT_TRUE(SmallerMode(width, height)) << "no mode lower than 1080 lines";
    ASSERT_TRUE(Stage(kFirst, 0, 0, width, height) && Apply());
    const auto resized = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitUntil([&] { return GetSystemMetrics(SM_CYSCREEN) == height; }));
    ASSERT_TRUE(MovePointer(width / 2, height - 1));
    ASSERT_TRUE(WaitShown(first)) << "the new bottom line of " << width << " x " << height << " does not work";
    std::cout << "[ measured ] new bottom line answered "
              << std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - resized).count()
              << " ms after the change (SHOWING_DELAY 250 ms included)\n";
    EXPECT_EQ(MonitorFromPoint({width / 2, 1079}, MONITOR_DEFAULTTONULL), nullptr) << "the old line is still on screen";
    EXPECT_TRUE(SaveScreenshot(L"displays-first-monitor-lower"));
}

}  // namespace
}  // namespace e2e
