// The guide bars over every monitor: up while the pointer touches an edge of
// its monitor or while Ctrl is held, away otherwise; each registered location
// marked in its colour with its window's title; never in the pointer's way.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop_input.h"
#include "driver_options.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "process_windows.h"
#include "screenshot.h"
#include "test_programs.h"

namespace e2e {
namespace {

using peekbar::location::kLeftMiddle;
using peekbar::location::kRightMiddle;
using peekbar::location::kTopMiddle;
constexpr int kTopRightCorner = 4;

// On the right column of monitor 0, where no window is registered.
constexpr POINT kRightEdge = {kScreenWidth - 1, 300};
// Inside the bar of the middle of the top edge (x 864..1055, 12 deep).
constexpr POINT kTopBar = {960, 3};

COLORREF ScreenPixel(POINT p) {
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

class Guides : public PeekbarSession {
protected:
    std::vector<HWND> GuideWindows() const {
        return FindTopLevelWindows(peekbar.Id(), L"PEEKBAR_GUIDE", L"Peekbarのガイド");
    }
    // Every monitor has its guide, and all are shown (or all hidden).
    bool AllGuides(bool shown) const {
        const std::vector<HWND> guides = GuideWindows();
        if (static_cast<int>(guides.size()) != ExpectedMonitorCount()) return false;
        for (const HWND guide : guides) {
            if ((IsWindowVisible(guide) != FALSE) != shown) return false;
        }
        return true;
    }
};

TEST_F(Guides, UpAtAnEdgeAndWhileCtrlIsHeldWithoutTakingThePointerOrTheFocus) {
    TestProgram top = TestProgram::StartTarget({L"Peekbar test: top bar"});
    TestProgram others = TestProgram::StartTarget(
        {L"Peekbar test: corner", L"Peekbar test: right bar", L"Peekbar test: left bar (縦書き)"});
    ASSERT_NE(others.Window(2), nullptr);
    StartPeekbar(QuickProfile()
                     .Keyword(0, kTopMiddle, L"Peekbar test: top bar*")
                     .Keyword(0, kTopRightCorner, L"Peekbar test: corner*")
                     .Keyword(0, kRightMiddle, L"Peekbar test: right bar*")
                     .Keyword(0, kLeftMiddle, L"Peekbar test: left bar*")
                     .Keyword(1, kTopMiddle, L"Peekbar test: left bar*"));
    ASSERT_TRUE(WaitHidden(top.Window()));
    for (const HWND window : others.Windows()) ASSERT_TRUE(WaitHidden(window));
    ASSERT_TRUE(WaitUntil([&] { return AllGuides(false); })) << "not one hidden guide per monitor";
    const COLORREF desktop = ScreenPixel(kTopBar);

    const HWND foreground = GetForegroundWindow();
    ASSERT_TRUE(MovePointer(kRightEdge));
    ASSERT_TRUE(WaitUntil([&] { return AllGuides(true); })) << "the guides did not come up at the edge";
    for (const HWND guide : GuideWindows()) {
        const LONG_PTR style = GetWindowLongPtrW(guide, GWL_EXSTYLE);
        EXPECT_EQ(style & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
                  WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    }
    EXPECT_EQ(GetForegroundWindow(), foreground) << "a guide took the focus";
    wchar_t className[32] = {};
    GetClassNameW(WindowFromPoint(kRightEdge), className, 32);
    EXPECT_NE(std::wstring(className), L"PEEKBAR_GUIDE") << "the guide is in the pointer's way";
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(kTopBar) != desktop; })) << "no bar at the top edge";
    EXPECT_TRUE(SaveScreenshot(L"guides-at-the-edge"));

    // Its window closed by its program, the location is empty: its bar goes
    // while the guides stay up.
    top.Close();
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(kTopBar) == desktop; })) << "the bar stayed after its window went";
    EXPECT_TRUE(AllGuides(true));

    ASSERT_TRUE(MovePointer(kRestingPoint));
    EXPECT_TRUE(WaitUntil([&] { return AllGuides(false); })) << "the guides stayed after the pointer left the edge";
    {
        HeldKey ctrl(VK_CONTROL);
        EXPECT_TRUE(WaitUntil([&] { return AllGuides(true); })) << "the guides did not come up with Ctrl";
    }
    EXPECT_TRUE(WaitUntil([&] { return AllGuides(false); })) << "the guides stayed after Ctrl was released";
}

}  // namespace
}  // namespace e2e
