// A program that stops answering, or is busy for a while, never freezes
// Peekbar: whatever it does with such a window, its own commands go on, and
// it exits in time. Nor does one that hides its window the moment it is
// shown hold the show cycle open.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "desktop_input.h"
#include "ini_file.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "test_programs.h"
#include "window_state.h"

namespace e2e {
namespace {

namespace command = peekbar::command;
using peekbar::location::kLeftMiddle;
using peekbar::location::kTopMiddle;

constexpr wchar_t kHungTitle[] = L"Peekbar test: stops answering";
constexpr wchar_t kBusyTitle[] = L"Peekbar test: busy for a while";
constexpr wchar_t kHidingTitle[] = L"Peekbar test: hides itself when shown";
constexpr POINT kLeftEdgeMiddle = {0, kScreenHeight / 2};
// What a user may wait for a command of the tray menu, however busy the
// windows Peekbar handles are.
constexpr DWORD kCommandLimitMs = 1500;

class HungWindows : public PeekbarSession {
protected:
    // A command whose effect shows in the selected profile's file (the tray
    // icon's colour) is carried out in time.
    bool CommandsAreCarriedOut() {
        color_ = (color_ + 1) % 3;
        if (!peekbar.PostCommand(static_cast<WORD>(command::kTrayColorNormal + color_))) return false;
        const std::wstring expected = std::to_wstring(color_);
        return WaitUntil([&] {
            const std::wstring text = ReadTextFile(installation.ProfilePath(profile_)).text;
            return IniValue(text, L"OPTION", L"TRAY_ICON_COLOR") == std::optional<std::wstring>(expected);
        }, kCommandLimitMs);
    }

    // Posts a command that answers with a box, shows that other commands
    // go on meanwhile (in the profile selected after it), and answers the box.
    void RunWithBox(WORD id, unsigned profileAfter = 0) {
        ASSERT_TRUE(peekbar.PostCommand(id));
        profile_ = profileAfter;
        EXPECT_TRUE(CommandsAreCarriedOut()) << "frozen after command " << id;
        EXPECT_FALSE(AnswerMessageBox().empty()) << "no message after command " << id;
    }

    int color_ = 0;
    unsigned profile_ = 0;
};

TEST_F(HungWindows, NeitherAHungNorABusyProgramHoldsPeekbarUp) {
    TestProgram hung = TestProgram::StartTarget({kHungTitle});
    TestProgram busy = TestProgram::StartTarget({kBusyTitle});
    ASSERT_NE(hung.Window(), nullptr);
    ASSERT_NE(busy.Window(), nullptr);
    StartPeekbar(QuickProfile()
                     .Keyword(0, kTopMiddle, std::wstring(kHungTitle) + L"*")
                     .Keyword(0, kLeftMiddle, std::wstring(kBusyTitle) + L"*"));
    ASSERT_TRUE(WaitHidden(hung.Window()));
    ASSERT_TRUE(WaitHidden(busy.Window()));

    ASSERT_TRUE(hung.Hang(0));
    ASSERT_TRUE(WaitUntil([&] {
        DWORD_PTR result = 0;
        return !SendMessageTimeoutW(hung.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &result);
    })) << "the test program's window still answers";

    // Its edge: the window cannot come up, but nothing waits for it.
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(CommandsAreCarriedOut()) << "frozen with the pointer on the hung window's edge";
    ASSERT_TRUE(MovePointer(kRestingPoint));
    EXPECT_TRUE(CommandsAreCarriedOut()) << "frozen after the pointer left the edge";

    ASSERT_TRUE(QuickProfile().Write(installation.ProfilePath(1)));
    RunWithBox(command::kApplyAllKeywords);
    RunWithBox(command::kProfileFirst + 1, 1);
    RunWithBox(command::kProfileFirst, 0);
    RunWithBox(command::kShowAll);
    RunWithBox(command::kShowAll);

    // Busy for two seconds as its edge is touched: it comes up once its
    // program answers again, and goes away by the usual rule.
    ASSERT_FALSE(IsShown(busy.Window()));
    ASSERT_TRUE(busy.KeepBusy(0, 2000));
    ASSERT_TRUE(MovePointer(kLeftEdgeMiddle));
    EXPECT_TRUE(CommandsAreCarriedOut()) << "frozen while the busy window was shown";
    EXPECT_TRUE(WaitShown(busy.Window())) << "the busy window never came up";
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(busy.Window()).left == 0; })) << "not docked at the left edge";
    EXPECT_TRUE(EnterAndLeave(busy.Window()));

    EXPECT_EQ(peekbar.Exit(5000), std::optional<DWORD>(0)) << "the exit waited for the hung program";
    EXPECT_TRUE(WaitShown(busy.Window())) << "not given back at exit";
    hung.Kill();
}

// Its program hides the window right after each show, before Peekbar looks
// again: the cycle ends all the same, so the edge keeps bringing it up, the
// taskbar comes back, and once the program lets it stay the window comes up
// and goes by the usual rule.
TEST_F(HungWindows, AWindowItsProgramHidesAsSoonAsItIsShownGivesItsEdgeBack) {
    TestProgram hiding = TestProgram::StartTarget({kHidingTitle});
    ASSERT_NE(hiding.Window(), nullptr);
    StartPeekbar(
        QuickProfile().Option(L"HIDE_TASKBAR", 1).Keyword(0, kTopMiddle, std::wstring(kHidingTitle) + L"*"));
    ASSERT_TRUE(WaitHidden(hiding.Window()));
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    const bool taskbarShown = taskbar != nullptr && IsWindowVisible(taskbar);

    ASSERT_EQ(hiding.HideAfterEachShow(0, true), 0);
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    // One bring-up shows it once or twice (placed shown, then shown without
    // waiting): more is a second bring-up.
    EXPECT_TRUE(WaitUntil([&] { return hiding.HideAfterEachShow(0, true) >= 3; }))
        << "the edge stopped working after its program hid the window it brought up";
    ASSERT_TRUE(MovePointer(kRestingPoint));
    if (taskbarShown) {
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(taskbar) != FALSE; })) << "the taskbar stayed away";
    }

    ASSERT_GE(hiding.HideAfterEachShow(0, false), 3);
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(WaitShown(hiding.Window()));
    EXPECT_TRUE(EnterAndLeave(hiding.Window()));
}

}  // namespace
}  // namespace e2e
