// Registration through the tray icon's popup menu: opened by the icon's
// right click, walked with the keyboard like a user does, and its location
// commands sent as the menu sends them.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "desktop_input.h"
#include "driver_options.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "screenshot.h"
#include "test_programs.h"
#include "tray.h"
#include "window_state.h"

namespace e2e {
namespace {

using peekbar::location::kLeftMiddle;
using peekbar::location::kTopMiddle;

constexpr Rect kNotepadHome = {200, 250, 840, 730};

// Where the menu lists `window` among its candidates: the visible
// top-level windows, front to back, when nothing is registered.
int CandidateIndex(HWND window) {
    const std::vector<HWND> windows = VisibleTopLevelWindows();
    const auto found = std::find(windows.begin(), windows.end(), window);
    return found == windows.end() ? -1 : static_cast<int>(found - windows.begin());
}

class TrayMenu : public PeekbarSession {
protected:
    size_t OpenMenus() const { return VisiblePopupMenus(peekbar.Id()).size(); }

    // Presses a key that opens a submenu and waits for it.
    void OpenSubmenu(WORD key) {
        const size_t before = OpenMenus();
        TapKey(key);
        ASSERT_TRUE(WaitUntil([&] { return OpenMenus() > before; })) << "key " << key << " opened no submenu";
    }

    void CloseMenus() {
        EXPECT_TRUE(WaitUntil([&] {
            if (OpenMenus() > 0) TapKey(VK_ESCAPE);
            return OpenMenus() == 0;
        })) << "the menu did not close";
    }
};

TEST_F(TrayMenu, RegistersTheWindowChosenWithTheKeyboardAndByItsCommand) {
    TestProgram notepad = TestProgram::StartNotepad();
    TestProgram target = TestProgram::StartTarget({L"Peekbar test: chosen by command"});
    ASSERT_NE(notepad.Window(), nullptr);
    ASSERT_NE(target.Window(), nullptr);
    ASSERT_TRUE(PutWindow(notepad.Window(), kNotepadHome));
    StartPeekbar(QuickProfile());
    const HWND main = peekbar.MainWindow();

    // Through the menu with the keyboard: top edge, its middle, notepad.
    const int notepadIndex = CandidateIndex(notepad.Window());
    ASSERT_GE(notepadIndex, 0);
    ASSERT_TRUE(PostTrayMouseMessage(main, WM_RBUTTONUP));
    ASSERT_TRUE(WaitUntil([&] { return OpenMenus() == 1; })) << "no menu at the right click";
    EXPECT_TRUE(SaveScreenshot(L"tray-menu"));
    if (TwoMonitorLayout()) {
        TapKey(VK_DOWN);  // "モニター1"
        OpenSubmenu(VK_RIGHT);
    }
    OpenSubmenu('U');  // "上端(&U)"
    OpenSubmenu('2');  // "上端中央(&2)"
    EXPECT_TRUE(SaveScreenshot(L"tray-menu-top-middle"));
    // The keyword item is selected; then the guide colour, the hotkey, a
    // separator and the candidate windows.
    for (int i = 0; i < 3 + notepadIndex; ++i) TapKey(VK_DOWN);
    TapKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return OpenMenus() == 0; })) << "the menu stayed open";
    EXPECT_TRUE(WaitHidden(notepad.Window())) << "notepad was not registered";

    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(WaitShown(notepad.Window())) << "notepad was not registered at the middle of the top edge";
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(notepad.Window()).top == 0; }));
    ASSERT_TRUE(EnterAndLeave(notepad.Window()));

    // The command of a candidate item, sent after the menu listed the
    // windows: the test window at the middle of the left edge.
    const int targetIndex = CandidateIndex(target.Window());
    ASSERT_GE(targetIndex, 0);
    ASSERT_TRUE(PostTrayMouseMessage(main, WM_RBUTTONUP));
    ASSERT_TRUE(WaitUntil([&] { return OpenMenus() == 1; }));
    CloseMenus();
    // Notepad, registered, is listed first, ahead of the visible windows.
    Command(peekbar::command::PickCandidate(0, kLeftMiddle, 1 + targetIndex));
    EXPECT_TRUE(WaitHidden(target.Window())) << "the test window was not registered";
    const Rect before = WindowRect(target.Window());
    ASSERT_TRUE(MovePointer(0, kScreenHeight / 2));
    ASSERT_TRUE(WaitShown(target.Window()));
    const Rect docked = {0, kScreenHeight / 2 - before.Height() / 2, before.Width(),
                         kScreenHeight / 2 - before.Height() / 2 + before.Height()};
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(target.Window()) == docked; }))
        << "at " << WindowRect(target.Window()) << ", expected " << docked;
    ASSERT_TRUE(EnterAndLeave(target.Window()));
    EXPECT_FALSE(IsShown(notepad.Window())) << "notepad lost its registration";
}

// A candidate's command names the window the menu listed, even once the
// windows have been read again since (a keyword applied) and another
// window has come up in front, which shifts every place in a new listing.
TEST_F(TrayMenu, CandidateCommandNamesTheWindowTheMenuListed) {
    TestProgram listed = TestProgram::StartTarget({L"Peekbar test: listed"});
    ASSERT_NE(listed.Window(), nullptr);
    StartPeekbar(QuickProfile().Option(L"BALLOON", 1));
    const int index = CandidateIndex(listed.Window());
    ASSERT_GE(index, 0);
    ASSERT_TRUE(PostTrayMouseMessage(peekbar.MainWindow(), WM_RBUTTONUP));
    ASSERT_TRUE(WaitUntil([&] { return OpenMenus() == 1; }));
    // The location's submenu lists the windows, read once for this opening.
    if (TwoMonitorLayout()) {
        TapKey(VK_DOWN);
        OpenSubmenu(VK_RIGHT);
    }
    OpenSubmenu('U');
    OpenSubmenu('2');
    CloseMenus();

    TestProgram newcomer = TestProgram::StartTarget({L"Peekbar test: came up later"});
    ASSERT_NE(newcomer.Window(), nullptr);
    ASSERT_LT(CandidateIndex(newcomer.Window()), CandidateIndex(listed.Window()));
    Command(peekbar::command::kApplyAllKeywords);
    Command(peekbar::command::PickCandidate(0, kTopMiddle, index));
    EXPECT_TRUE(WaitHidden(listed.Window())) << "the listed window was not registered";
    EXPECT_TRUE(IsShown(newcomer.Window())) << "another window was taken in its place";
}

}  // namespace
}  // namespace e2e
