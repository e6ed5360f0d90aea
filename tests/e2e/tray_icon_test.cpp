// The tray icon seen from the shell's side: present while Peekbar runs, and
// added again when the shell announces a new taskbar.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "installation.h"
#include "peekbar_interface.h"
#include "peekbar_process.h"
#include "peekbar_session.h"
#include "profile_file.h"
#include "screenshot.h"

namespace e2e {
namespace {

// Tells a window, as the shell does after its restart, that the taskbar was
// created anew.
bool AnnounceTaskbarCreated(HWND window) {
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, kEventTimeoutMs, &result) != 0;
}

TEST(TrayIcon, IsAddedAgainWhenTheTaskbarIsRecreated) {
    Installation installation;
    PeekbarProcess peekbar = PeekbarProcess::Start(installation.ExePath());
    const HWND window = peekbar.WaitUntilRunning();
    ASSERT_NE(window, nullptr);

    // The shell loses the icon, as it does when it restarts.
    ASSERT_TRUE(DeleteTrayIcon(window));
    ASSERT_FALSE(TrayIconExists(window));

    ASSERT_TRUE(AnnounceTaskbarCreated(window));
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(window); })) << "the icon was not added again";

    // An announcement while the icon exists changes nothing visible.
    ASSERT_TRUE(AnnounceTaskbarCreated(window));
    EXPECT_TRUE(TrayIconExists(window));
    EXPECT_TRUE(peekbar.Responds());

    EXPECT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
    EXPECT_FALSE(TrayIconExists(window)) << "an icon was left behind at exit";
}

// The pixels of the screen rectangle that are pure white and pure black:
// the single-colour icons' colours, which the shell's grey bar lacks.
struct WhiteAndBlack {
    int white = 0;
    int black = 0;
};
WhiteAndBlack CountWhiteAndBlack(const RECT& r) {
    WhiteAndBlack counted;
    for (const DWORD rgb : ScreenPixels(r)) {
        if (rgb == 0xFFFFFF) ++counted.white;
        if (rgb == 0) ++counted.black;
    }
    return counted;
}

using TrayIconImage = PeekbarSession;

TEST_F(TrayIconImage, FollowsTheColourOfTheProfileSwitchedTo) {
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!taskbar || !IsWindowVisible(taskbar)) GTEST_SKIP() << "no visible taskbar to show the icon";
    RECT bar = {};
    ASSERT_TRUE(GetWindowRect(taskbar, &bar));
    // Profile 0 has the black icon, profile 1 the white one.
    ASSERT_TRUE(QuickProfile().Option(L"TRAY_ICON_COLOR", 1).Write(installation.ProfilePath(1)));
    StartPeekbar(QuickProfile().Option(L"TRAY_ICON_COLOR", 2));
    WhiteAndBlack before;
    ASSERT_TRUE(WaitUntil([&] {
        before = CountWhiteAndBlack(bar);
        return before.black > 0;
    })) << "no black icon in the taskbar";

    ASSERT_TRUE(peekbar.PostCommand(peekbar::command::kProfileFirst + 1));
    EXPECT_FALSE(AnswerMessageBox().empty());
    WhiteAndBlack after;
    EXPECT_TRUE(WaitUntil([&] {
        after = CountWhiteAndBlack(bar);
        return after.white > before.white && after.black < before.black;
    })) << "white " << before.white << " -> " << after.white << ", black " << before.black << " -> " << after.black;
}

}  // namespace
}  // namespace e2e
