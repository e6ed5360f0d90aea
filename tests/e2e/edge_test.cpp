// Windows of another program brought up at the screen edges and sent away
// again, watched from outside: Wine's notepad registered by keyword at the
// middle of the top edge of monitor 0.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "desktop_input.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "test_programs.h"
#include "window_state.h"

namespace e2e {
namespace {

using peekbar::location::kLeftMiddle;
using peekbar::location::kTopMiddle;

// Where notepad waits, 640 x 480, clear of kRestingPoint.
constexpr Rect kNotepadHome = {200, 250, 840, 730};
constexpr wchar_t kNotepadKeyword[] = L"*メモ帳*";

// Notepad docked against the top edge, centred on the pointer's x and held
// inside the monitor.
Rect DockedAtTop(int pointerX, int width, int height) {
    int left = pointerX - width / 2;
    if (left < 0) {
        left = 0;
    } else if (pointerX + width / 2 >= kScreenWidth) {
        left = kScreenWidth - width;
    }
    return {left, 0, left + width, height};
}

class Edges : public PeekbarSession {
protected:
    void SetUp() override {
        PeekbarSession::SetUp();
        if (HasFatalFailure()) return;
        notepad = TestProgram::StartNotepad();
        ASSERT_NE(Notepad(), nullptr);
        ASSERT_TRUE(PutWindow(Notepad(), kNotepadHome));
    }

    HWND Notepad() const { return notepad.Window(); }

    // Rests the pointer on the top edge at x until notepad is up; fatal
    // failure when it does not come.
    void ShowFromTopEdge(int x) {
        ASSERT_TRUE(MovePointer(x, 0));
        ASSERT_TRUE(WaitShown(Notepad())) << "notepad did not come up at the top edge (x = " << x << ")";
    }

    TestProgram notepad;
};

TEST_F(Edges, TopEdgeBringsTheWindowUpDockedInFrontAndLeavingItSendsItAway) {
    StartPeekbar(QuickProfile().Option(L"MIDDLE_LENGTH", 80).Keyword(0, kTopMiddle, kNotepadKeyword));
    ASSERT_TRUE(WaitHidden(Notepad())) << "the keyword did not register notepad";
    const int width = kNotepadHome.Width();
    const int height = kNotepadHome.Height();

    // One pixel below the edge is not the edge.
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle.x, 1));
    EXPECT_TRUE(StaysHidden(Notepad(), 2000)) << "shown with the pointer one pixel below the edge";

    // In the middle it is centred on the pointer; near the ends of the
    // stretch it is held inside the monitor.
    for (const int x : {static_cast<int>(kTopEdgeMiddle.x), 200, 1720}) {
        SCOPED_TRACE(testing::Message() << "pointer at (" << x << ", 0)");
        ShowFromTopEdge(x);
        const Rect docked = DockedAtTop(x, width, height);
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(Notepad()) == docked; }))
            << "at " << WindowRect(Notepad()) << ", expected " << docked;
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Notepad(); })) << "not in the foreground";
        const Rect shown = WindowRect(Notepad());

        ASSERT_TRUE(EnterAndLeave(Notepad())) << "still up after the pointer left it";
        EXPECT_EQ(RememberedRect(0, kTopMiddle), std::optional<Rect>(shown))
            << "the rectangle it had when it went away is not in the profile";
    }
}

TEST_F(Edges, RequiredCtrlKeyHoldsTheWindowBackUntilItIsDown) {
    StartPeekbar(QuickProfile().Option(L"MUST_BTN_FOR_SHOW", 4).Keyword(0, kTopMiddle, kNotepadKeyword));
    ASSERT_TRUE(WaitHidden(Notepad()));

    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(StaysHidden(Notepad(), 2000)) << "shown without Ctrl";
    {
        HeldKey ctrl(VK_CONTROL);
        EXPECT_TRUE(WaitShown(Notepad())) << "not shown while Ctrl is down";
    }
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(Notepad()).top == 0; })) << "not docked at the top edge";
    EXPECT_TRUE(EnterAndLeave(Notepad()));
}

TEST_F(Edges, KeptPositionBringsTheWindowBackWhereItWasLeft) {
    StartPeekbar(QuickProfile().Option(L"KEEP_WIN_POS", 1).Keyword(0, kTopMiddle, kNotepadKeyword));
    ASSERT_TRUE(WaitHidden(Notepad()));

    // Nothing remembered yet: it comes up where it was.
    ShowFromTopEdge(kTopEdgeMiddle.x);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(Notepad()) == kNotepadHome; })) << WindowRect(Notepad());

    // The user moves and resizes it while it is up, and leaves it.
    const Rect left = {500, 350, 1050, 760};
    const POINT elsewhere = {1400, 850};
    ASSERT_TRUE(PutWindow(Notepad(), left));
    ASSERT_TRUE(EnterAndLeave(Notepad(), elsewhere));
    EXPECT_EQ(RememberedRect(0, kTopMiddle), std::optional<Rect>(left));

    // Moved and resized behind Peekbar's back while hidden, it still comes
    // back where it was left, wherever the pointer touches the edge.
    ASSERT_TRUE(SetWindowPos(Notepad(), nullptr, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_FALSE(IsShown(Notepad()));
    ShowFromTopEdge(900);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(Notepad()) == left; })) << WindowRect(Notepad());
    EXPECT_TRUE(EnterAndLeave(Notepad(), elsewhere));
}

TEST_F(Edges, TopmostOptionDecidesWhetherTheShownWindowStaysOnTop) {
    for (const int topmost : {1, 0}) {
        SCOPED_TRACE(testing::Message() << "TOPMOST=" << topmost);
        StartPeekbar(QuickProfile().Option(L"TOPMOST", topmost).Keyword(0, kTopMiddle, kNotepadKeyword));
        ASSERT_TRUE(WaitHidden(Notepad()));

        ShowFromTopEdge(kTopEdgeMiddle.x);
        const Rect docked = DockedAtTop(kTopEdgeMiddle.x, kNotepadHome.Width(), kNotepadHome.Height());
        ASSERT_TRUE(WaitUntil([&] { return WindowRect(Notepad()) == docked; })) << WindowRect(Notepad());
        EXPECT_EQ(IsTopmost(Notepad()), topmost == 1);

        ASSERT_TRUE(EnterAndLeave(Notepad()));
        ASSERT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
        ASSERT_TRUE(WaitShown(Notepad()));
        ASSERT_TRUE(PutWindow(Notepad(), kNotepadHome));
    }
}

TEST_F(Edges, TaskbarGoesAwayWhileTheWindowIsUpAndTheForegroundIsGivenBack) {
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!taskbar || !IsWindowVisible(taskbar)) GTEST_SKIP() << "no visible taskbar on this desktop";
    TestProgram others = TestProgram::StartTarget({L"Peekbar test: in front before", L"Peekbar test: raised later"});
    const HWND before = others.Window(0);
    const HWND raised = others.Window(1);
    ASSERT_NE(raised, nullptr);

    StartPeekbar(QuickProfile().Option(L"HIDE_TASKBAR", 1).Keyword(0, kTopMiddle, kNotepadKeyword));
    ASSERT_TRUE(WaitHidden(Notepad()));
    ASSERT_TRUE(IsWindowVisible(taskbar));
    ASSERT_TRUE(Activate(before));

    ShowFromTopEdge(kTopEdgeMiddle.x);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(taskbar); })) << "the taskbar stayed";
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Notepad(); }));
    // Another window comes up right behind notepad, where the system looks
    // for a window to activate when notepad goes.
    ASSERT_TRUE(SetWindowPos(raised, Notepad(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));

    ASSERT_TRUE(EnterAndLeave(Notepad()));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(taskbar); })) << "the taskbar did not come back";
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == before; }))
        << "the foreground went to " << GetForegroundWindow() << ", not back to " << before;
}

TEST_F(Edges, ExitGivesEveryRegisteredWindowBackShownAndNotTopmost) {
    TestProgram target = TestProgram::StartTarget({L"Peekbar test: left edge"});
    const HWND leftEdgeWindow = target.Window();
    ASSERT_NE(leftEdgeWindow, nullptr);
    StartPeekbar(QuickProfile()
                     .Option(L"TOPMOST", 1)
                     .Keyword(0, kTopMiddle, kNotepadKeyword)
                     .Keyword(0, kLeftMiddle, L"Peekbar test: left edge*"));
    ASSERT_TRUE(WaitHidden(Notepad()));
    ASSERT_TRUE(WaitHidden(leftEdgeWindow));

    // Notepad is up (and topmost) at the moment of the exit, the other one
    // hidden.
    ShowFromTopEdge(kTopEdgeMiddle.x);
    ASSERT_TRUE(WaitUntil([&] { return IsTopmost(Notepad()); }));

    ASSERT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
    for (const HWND window : {Notepad(), leftEdgeWindow}) {
        EXPECT_TRUE(WaitUntil([&] { return IsShown(window) && !IsTopmost(window); }))
            << "window " << window << (IsShown(window) ? " is still topmost" : " is still hidden");
    }
}

}  // namespace
}  // namespace e2e
