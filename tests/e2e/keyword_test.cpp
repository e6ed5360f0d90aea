// Windows registered by the keywords of the profile: which windows a
// keyword takes, what a costly expression does to Peekbar, and what becomes
// of a registration whose window is closed by its program.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "desktop_input.h"
#include "driver_options.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "test_programs.h"
#include "window_state.h"

namespace e2e {
namespace {

using peekbar::location::kTopMiddle;

std::wstring AppliedAllText() {
    return ExpectedMonitorCount() > 1 ? peekbar::text::kAppliedAllMonitors : peekbar::text::kAppliedAll;
}

using Keywords = PeekbarSession;

TEST_F(Keywords, MatchTheWholeEntryLabelOfTheWindow) {
    TestProgram notepad = TestProgram::StartNotepad();
    ASSERT_NE(notepad.Window(), nullptr);
    const struct {
        const wchar_t* keyword;
        bool regex;
        bool registers;
    } cases[] = {
        {L"*メモ帳*", false, true},
        {L".*Notepad.*", true, true},
        // The label has the class in full-width parentheses.
        {L"* - メモ帳(Notepad)", false, false},
        {L"* - メモ帳（Notepad）", false, true},
        // A regular expression must match all of the label.
        {L"Notepad", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.regex ? "expression " : "wildcard ") << testing::PrintToString(
                                                std::wstring(c.keyword)));
        StartPeekbar(QuickProfile().Keyword(0, kTopMiddle, c.keyword, c.regex));
        if (c.registers) {
            EXPECT_TRUE(WaitHidden(notepad.Window())) << "notepad was not registered";
        } else {
            EXPECT_TRUE(IsShown(notepad.Window())) << "notepad was registered";
        }
        ASSERT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
        ASSERT_TRUE(WaitShown(notepad.Window())) << "notepad was not given back at exit";
    }
}

TEST_F(Keywords, MatchATitleLongerThanTheMenuShowsByItsEnd) {
    // A browser's title: the page's, then the program's name, far past the
    // 127 units the menu shows.
    const std::wstring title = L"Peekbar test: " + std::wstring(200, L'p') + L" - Long Browser";
    TestProgram target = TestProgram::StartTarget({title});
    ASSERT_NE(target.Window(), nullptr);
    StartPeekbar(QuickProfile().Keyword(0, kTopMiddle, L"* - Long Browser（PEEKBAR_TEST_TARGET）"));
    EXPECT_TRUE(WaitHidden(target.Window())) << "the keyword anchored at the end did not take the window";
}

TEST_F(Keywords, CostlyExpressionNeitherHoldsPeekbarUpNorRegistersTheWindow) {
    // Backtracking over 40 characters would take hours.
    TestProgram target = TestProgram::StartTarget({std::wstring(40, L'x')});
    ASSERT_NE(target.Window(), nullptr);
    ASSERT_TRUE(QuickProfile().Keyword(0, kTopMiddle, L"(x+x+)+y", true).Write(installation.ProfilePath(0)));

    peekbar = PeekbarProcess::Start(installation.ExePath());
    ASSERT_NE(peekbar.WaitUntilRunning(), nullptr);
    EXPECT_TRUE(peekbar.Responds(2000)) << "Peekbar is stuck in the expression";
    EXPECT_TRUE(IsShown(target.Window())) << "the window was registered";
}

TEST_F(Keywords, KeepCatchingAWindowStartedAgainOrRenamedUntilTheUserEmptiesItsLocation) {
    const std::wstring title = L"Peekbar test: closed and opened again";
    TestProgram first = TestProgram::StartTarget({title});
    const HWND closed = first.Window();
    ASSERT_NE(closed, nullptr);
    StartPeekbar(QuickProfile()
                     .Keyword(0, kTopMiddle, title + L"*")
                     .Keyword(0, peekbar::location::kLeftMiddle, L"Peekbar test: renamed*"));
    ASSERT_TRUE(WaitHidden(closed));

    // Closed by its program and started again: the keyword takes the new
    // window without being applied again, and its edge brings it up.
    ASSERT_TRUE(PostMessageW(closed, WM_CLOSE, 0, 0));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(closed); }));
    TestProgram second = TestProgram::StartTarget({title});
    const HWND successor = second.Window();
    ASSERT_NE(successor, nullptr);
    EXPECT_TRUE(WaitHidden(successor)) << "the window started again was not registered";
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(WaitShown(successor));
    EXPECT_TRUE(EnterAndLeave(successor));

    // A window renamed so that it matches is taken too.
    TestProgram other = TestProgram::StartTarget({L"Peekbar test: not yet"});
    const HWND renamed = other.Window();
    ASSERT_NE(renamed, nullptr);
    EXPECT_TRUE(HoldsFor([&] { return IsShown(renamed); }, 1500)) << "taken before its title matched";
    ASSERT_TRUE(SetWindowTextW(renamed, L"Peekbar test: renamed"));
    EXPECT_TRUE(WaitHidden(renamed)) << "the renamed window was not registered";

    // Emptied by hand, the location stays empty while its window comes and
    // goes, until the keywords are applied again.
    ASSERT_TRUE(MovePointer(kRestingPoint));
    Command(static_cast<WORD>(peekbar::command::LocationCommand(0, kTopMiddle, 1)));
    ASSERT_TRUE(WaitShown(successor));
    second.Close();
    TestProgram third = TestProgram::StartTarget({title});
    ASSERT_NE(third.Window(), nullptr);
    EXPECT_TRUE(HoldsFor([&] { return IsShown(third.Window()); }, 2000)) << "refilled after the user emptied it";
    ASSERT_TRUE(peekbar.PostCommand(peekbar::command::kApplyAllKeywords));
    EXPECT_EQ(AnswerMessageBox(), AppliedAllText());
    EXPECT_TRUE(WaitHidden(third.Window())) << "applying the keywords did not register the new window";
}

// Two windows of one program, one registered: it is closed, and the other,
// which the user is working in (saving it under another name, opening its
// dialog), stays on the screen; the next window that comes is taken.
TEST_F(Keywords, AWaitingLocationTakesTheWindowThatComesNotTheOneInUseNorItsDialog) {
    TestProgram first = TestProgram::StartTarget({L"Peekbar test: doc 1"});
    ASSERT_NE(first.Window(), nullptr);
    StartPeekbar(QuickProfile().Keyword(0, kTopMiddle, L"Peekbar test: doc*"));
    ASSERT_TRUE(WaitHidden(first.Window()));
    TestProgram inUse = TestProgram::StartTarget({L"Peekbar test: doc 2"});
    ASSERT_NE(inUse.Window(), nullptr);
    // The user works in it a while (under Wine, where no closing is
    // reported, a window made in the very tick the registered one was found
    // gone counts as come after it).
    EXPECT_TRUE(HoldsFor([&] { return IsShown(inUse.Window()); }, 1000)) << "taken while the location held a window";

    const HWND closed = first.Window();
    first.Close();
    ASSERT_FALSE(IsWindow(closed));
    ASSERT_TRUE(SetWindowTextW(inUse.Window(), L"Peekbar test: doc 2 saved"));
    const HWND dialog = inUse.OpenOwnedPopUp(0, {300, 300});
    ASSERT_NE(dialog, nullptr);
    TestProgram other = TestProgram::StartTarget({L"Peekbar test: mail"});
    // Long enough for the looks of a few seconds (a window made, and once a second).
    EXPECT_TRUE(HoldsFor([&] { return IsShown(inUse.Window()) && IsShown(dialog); }, 3000))
        << "the window in use, or its dialog, was taken";

    TestProgram next = TestProgram::StartTarget({L"Peekbar test: doc 3"});
    ASSERT_NE(next.Window(), nullptr);
    EXPECT_TRUE(WaitHidden(next.Window())) << "the window that came was not taken";
    EXPECT_TRUE(IsShown(inUse.Window()));
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(WaitShown(next.Window())) << "its edge does not bring it up";
}

}  // namespace
}  // namespace e2e
