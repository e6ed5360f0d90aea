// The tray icon seen from the shell's side: present while Peekbar runs, and
// added again when the shell announces a new taskbar.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "installation.h"
#include "peekbar_process.h"

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

}  // namespace
}  // namespace e2e
