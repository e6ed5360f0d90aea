// The edges of the second monitor: (1920, 0)-(3200, 1024), right of the
// first, in the two-monitor layout only.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "desktop_input.h"
#include "driver_options.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "test_programs.h"
#include "window_state.h"

namespace e2e {
namespace {

using peekbar::location::kRightMiddle;

constexpr Rect kSecondMonitor = {1920, 0, 3200, 1024};

using SecondMonitor = PeekbarSession;

TEST_F(SecondMonitor, RightEdgeBringsTheWindowUpFlushAgainstIt) {
    if (!TwoMonitorLayout()) GTEST_SKIP() << "needs the two-monitor layout";
    const std::wstring title = L"Peekbar test: second monitor";
    TestProgram target = TestProgram::StartTarget({title});
    const HWND window = target.Window();
    ASSERT_NE(window, nullptr);
    const Rect before = WindowRect(window);
    StartPeekbar(QuickProfile().Keyword(1, kRightMiddle, title + L"*"));
    ASSERT_TRUE(WaitHidden(window));

    // The right edge of the first monitor is not the second monitor's.
    ASSERT_TRUE(MovePointer(kSecondMonitor.left - 1, 512));
    EXPECT_TRUE(StaysHidden(window, 2000)) << "shown from the first monitor's right edge";

    ASSERT_TRUE(MovePointer(kSecondMonitor.right - 1, 512));
    ASSERT_TRUE(WaitShown(window)) << "not shown from the second monitor's right edge";
    const Rect docked = {kSecondMonitor.right - before.Width(), 512 - before.Height() / 2, kSecondMonitor.right,
                         512 - before.Height() / 2 + before.Height()};
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(window) == docked; }))
        << "at " << WindowRect(window) << ", expected " << docked;
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; })) << "not in the foreground";
    const Rect shown = WindowRect(window);

    ASSERT_TRUE(EnterAndLeave(window));
    EXPECT_EQ(RememberedRect(1, kRightMiddle), std::optional<Rect>(shown));
}

}  // namespace
}  // namespace e2e
