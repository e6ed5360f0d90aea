// The edges of the second monitor: (1920, 0)-(3200, 1024), right of the
// first, in the two-monitor layout only; and the edges of a monitor that a
// full-screen window covers.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "desktop_input.h"
#include "driver_options.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "process_windows.h"
#include "screenshot.h"
#include "test_programs.h"
#include "window_state.h"

namespace e2e {
namespace {

using peekbar::location::kRightMiddle;
using peekbar::location::kTopMiddle;

constexpr Rect kFirstMonitor = {0, 0, kScreenWidth, kScreenHeight};
constexpr Rect kSecondMonitor = {1920, 0, 3200, 1024};
constexpr POINT kSecondRightEdge = {kSecondMonitor.right - 1, 512};

bool Covers(const Rect& window, const Rect& monitor) {
    return window.left <= monitor.left && window.top <= monitor.top && window.right >= monitor.right &&
           window.bottom >= monitor.bottom;
}

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

// Windows of the test program: one registered at the top of the first
// monitor, one at the right of the second, and two that the user puts in
// front: a full-screen one and a maximised one.
class FullScreenQuiet : public PeekbarSession {
protected:
    void Start(int quiet) {
        programs = TestProgram::StartTarget({L"Peekbar test: top", L"Peekbar test: right", L"Peekbar test: game",
                                             L"Peekbar test: maximised"});
        ASSERT_NE(Window(kMaximised), nullptr);
        StartPeekbar(QuickProfile()
                         .Option(L"FULLSCREEN_QUIET", quiet)
                         .Keyword(0, kTopMiddle, L"Peekbar test: top*")
                         .Keyword(1, kRightMiddle, L"Peekbar test: right*"));
        ASSERT_TRUE(WaitHidden(Window(kTop)));
        ASSERT_TRUE(WaitHidden(Window(kRight)));
        ASSERT_TRUE(GoFullScreen(Window(kGame), kFirstMonitor));
    }
    HWND Window(size_t i) const { return programs.Window(i); }
    // Whether the guide over the monitor is up; nullopt while Peekbar has
    // made none there.
    std::optional<bool> GuideUpOver(const Rect& monitor) const {
        for (const HWND guide : FindTopLevelWindows(peekbar.Id(), L"PEEKBAR_GUIDE", L"Peekbarのガイド")) {
            if (WindowRect(guide) == monitor) return IsWindowVisible(guide) != FALSE;
        }
        return std::nullopt;
    }
    bool GuidesUp(bool first, bool second) const {
        return GuideUpOver(kFirstMonitor) == first && GuideUpOver(kSecondMonitor) == second;
    }

    static constexpr size_t kTop = 0;
    static constexpr size_t kRight = 1;
    static constexpr size_t kGame = 2;
    static constexpr size_t kMaximised = 3;
    TestProgram programs;
};

TEST_F(FullScreenQuiet, ItsMonitorsEdgesKeepQuietTheOtherMonitorsAndAMaximisedWindowsDoNot) {
    if (!TwoMonitorLayout()) GTEST_SKIP() << "needs the two-monitor layout";
    Start(1);
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(StaysHidden(Window(kTop), 2000)) << "shown over the full-screen window";

    ASSERT_TRUE(MovePointer(kSecondRightEdge));
    ASSERT_TRUE(WaitShown(Window(kRight))) << "the second monitor's edge kept quiet too";
    ASSERT_TRUE(EnterAndLeave(Window(kRight)));

    // Maximised, it covers the second monitor (which has no taskbar), yet
    // it has a title bar.
    ASSERT_TRUE(PutWindow(Window(kMaximised), {2200, 200, 2600, 500}));
    ASSERT_TRUE(Maximise(Window(kMaximised)));
    ASSERT_TRUE(Covers(WindowRect(Window(kMaximised)), kSecondMonitor)) << WindowRect(Window(kMaximised));
    ASSERT_TRUE(MovePointer(kSecondRightEdge));
    EXPECT_TRUE(WaitShown(Window(kRight))) << "a maximised window quieted the second monitor";
}

// The guides (at the edge and with Ctrl, as they are by default): the
// covered monitor's edge brings none up, and Ctrl only the second's.
TEST_F(FullScreenQuiet, NoGuideComesUpOverItAtItsEdgeOrWithCtrl) {
    if (!TwoMonitorLayout()) GTEST_SKIP() << "needs the two-monitor layout";
    Start(1);
    ASSERT_TRUE(WaitUntil([&] { return GuidesUp(false, false); })) << "not one hidden guide per monitor";
    constexpr POINT kFirstLeftEdge = {0, 540};
    ASSERT_TRUE(MovePointer(kFirstLeftEdge));
    EXPECT_TRUE(HoldsFor([&] { return GuidesUp(false, false); }, 2000)) << "a guide came up at the covered edge";

    // The second monitor's right edge, above the notepad's location: its
    // guide comes up alone.
    ASSERT_TRUE(MovePointer(kSecondMonitor.right - 1, 100));
    EXPECT_TRUE(WaitUntil([&] { return GuidesUp(false, true); })) << "not the second monitor's guide alone";
    ASSERT_TRUE(MovePointer(kRestingPoint));
    ASSERT_TRUE(WaitUntil([&] { return GuidesUp(false, false); }));
    {
        HeldKey ctrl(VK_CONTROL);
        EXPECT_TRUE(WaitUntil([&] { return GuidesUp(false, true); })) << "Ctrl: not the second monitor's guide alone";
        EXPECT_TRUE(HoldsFor([&] { return GuidesUp(false, true); }, 1000)) << "Ctrl: a guide came up over the game";
        EXPECT_TRUE(SaveScreenshot(L"full-screen-quiet-with-ctrl"));
    }
    EXPECT_TRUE(WaitUntil([&] { return GuidesUp(false, false); })) << "the guide stayed after Ctrl was released";
    EXPECT_EQ(GetForegroundWindow(), Window(kGame)) << "the game lost the front";
}

TEST_F(FullScreenQuiet, OffTheOptionItsMonitorsEdgesWork) {
    if (!TwoMonitorLayout()) GTEST_SKIP() << "needs the two-monitor layout";
    Start(0);
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(WaitShown(Window(kTop))) << "not shown with FULLSCREEN_QUIET=0";
}

// The second monitor's taskbar (a test window of its class standing for
// it) goes while a window is up and comes back at the end of the cycle;
// Peekbar killed while it is hidden, its guardian shows it again at once.
TEST_F(SecondMonitor, ItsTaskbarGoesWithTheMainOneAndComesBackAfterAKill) {
    if (!TwoMonitorLayout()) GTEST_SKIP() << "needs the two-monitor layout";
    TestProgram taskbarProgram = TestProgram::StartSecondaryTaskbar(kSecondMonitor.left, kSecondMonitor.bottom - 40,
                                                                    kSecondMonitor.Width(), 40);
    const HWND taskbar = taskbarProgram.Window();
    ASSERT_NE(taskbar, nullptr);
    const std::wstring title = L"Peekbar test: second taskbar";
    TestProgram target = TestProgram::StartTarget({title});
    const HWND window = target.Window();
    ASSERT_NE(window, nullptr);
    const ProfileFile profile = QuickProfile().Option(L"HIDE_TASKBAR", 1).Keyword(1, kRightMiddle, title + L"*");
    StartPeekbar(profile);
    ASSERT_TRUE(WaitHidden(window));
    EXPECT_TRUE(IsWindowVisible(taskbar));

    ASSERT_TRUE(MovePointer(kSecondMonitor.right - 1, 512));
    ASSERT_TRUE(WaitShown(window));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(taskbar); })) << "the second taskbar stayed";
    ASSERT_TRUE(EnterAndLeave(window, {kSecondMonitor.left + 300, 300}));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(taskbar) != FALSE; })) << "not shown at the end of the cycle";

    ASSERT_TRUE(MovePointer(kSecondMonitor.right - 1, 512));
    ASSERT_TRUE(WaitShown(window));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(taskbar); }));
    ASSERT_TRUE(peekbar.Kill());
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(taskbar) && IsWindowVisible(window); }, 2000))
        << "not shown by the guardian";
}

}  // namespace
}  // namespace e2e
