// Start-up and shut-down of Peekbar.exe: the main window, the tray icon, the
// single-instance rule and the start-up delay argument.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

#include "ini_file.h"
#include "installation.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_process.h"

namespace e2e {
namespace {

constexpr wchar_t kRefusalText[] = L"多重起動です。\n現在、多重起動禁止設定になっています。";

class Startup : public testing::Test {
protected:
    void AllowMultipleStartup() {
        ASSERT_TRUE(WriteIniValue(installation.ProfilePath(0), L"OPTION", L"MULTIPLE_STARTUP", L"0"));
    }

    Installation installation;
};

ULONGLONG MillisecondsSince(ULONGLONG tick) { return GetTickCount64() - tick; }

TEST_F(Startup, RunsWithHiddenMainWindowAndTrayIconAndExitsCleanly) {
    PeekbarProcess peekbar = PeekbarProcess::Start(installation.ExePath());
    ASSERT_TRUE(peekbar.Started());
    const HWND window = peekbar.WaitUntilRunning();
    ASSERT_NE(window, nullptr) << "no main window with a tray icon";
    std::printf("[ window   ] Peekbar main window %p of process %lu\n", static_cast<void*>(window), peekbar.Id());

    EXPECT_FALSE(IsWindowVisible(window)) << "the main window is never shown";

    EXPECT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
    EXPECT_FALSE(IsWindow(window));
    // (Wine's shell also drops the icons of destroyed windows by itself, so
    // there this shows only that no icon is left.)
    EXPECT_FALSE(TrayIconExists(window)) << "the tray icon outlived the program";
}

TEST_F(Startup, SecondStartIsRefusedWhileTheFirstRunsOn) {
    PeekbarProcess first = PeekbarProcess::Start(installation.ExePath());
    const HWND firstWindow = first.WaitUntilRunning();
    ASSERT_NE(firstWindow, nullptr);

    PeekbarProcess second = PeekbarProcess::Start(installation.ExePath());
    ASSERT_TRUE(second.Started());
    const HWND box = WaitForDialog(second.Id(), peekbar::kMessageBoxCaption, kStartTimeoutMs);
    ASSERT_NE(box, nullptr) << "no refusal message";
    EXPECT_EQ(MessageBoxText(box), kRefusalText);
    EXPECT_EQ(second.FindMainWindow(), nullptr) << "the refused instance created its main window";

    DismissMessageBox(box);
    EXPECT_EQ(second.WaitForExit(), std::optional<DWORD>(peekbar::kFailedExitCode));

    EXPECT_TRUE(first.Responds());
    EXPECT_TRUE(TrayIconExists(firstWindow));
    EXPECT_EQ(first.Exit(), std::optional<DWORD>(0));
}

TEST_F(Startup, RefusedStartWaitsOutItsDelayFirst) {
    PeekbarProcess first = PeekbarProcess::Start(installation.ExePath());
    ASSERT_NE(first.WaitUntilRunning(), nullptr);

    PeekbarProcess second = PeekbarProcess::Start(installation.ExePath(), L"2");
    const HWND box = WaitForDialog(second.Id(), peekbar::kMessageBoxCaption, kStartTimeoutMs);
    ASSERT_NE(box, nullptr) << "no refusal message";
    EXPECT_GE(MillisecondsSince(second.StartTick()), 1800u) << "refused before the 2 s delay was over";
    EXPECT_EQ(MessageBoxText(box), kRefusalText);
    DismissMessageBox(box);
    EXPECT_EQ(second.WaitForExit(), std::optional<DWORD>(peekbar::kFailedExitCode));
}

TEST_F(Startup, UnobtainableInstanceMutexCountsAsAnotherInstance) {
    // An object of another kind under the mutex's name makes creating the
    // mutex fail.
    HANDLE squatter = CreateEventW(nullptr, TRUE, FALSE, peekbar::kInstanceMutexName);
    ASSERT_NE(squatter, nullptr);

    PeekbarProcess peekbar = PeekbarProcess::Start(installation.ExePath());
    const HWND box = WaitForDialog(peekbar.Id(), peekbar::kMessageBoxCaption, kStartTimeoutMs);
    EXPECT_NE(box, nullptr) << "no refusal message";
    if (box) {
        EXPECT_EQ(MessageBoxText(box), kRefusalText);
        DismissMessageBox(box);
    }
    EXPECT_EQ(peekbar.WaitForExit(), std::optional<DWORD>(peekbar::kFailedExitCode));
    CloseHandle(squatter);
}

TEST_F(Startup, SecondInstanceRunsAlongsideWhenMultipleStartupIsOff) {
    AllowMultipleStartup();
    PeekbarProcess first = PeekbarProcess::Start(installation.ExePath());
    const HWND firstWindow = first.WaitUntilRunning();
    ASSERT_NE(firstWindow, nullptr);

    PeekbarProcess second = PeekbarProcess::Start(installation.ExePath());
    const HWND secondWindow = second.WaitUntilRunning();
    ASSERT_NE(secondWindow, nullptr) << "the second instance did not come up";
    EXPECT_NE(firstWindow, secondWindow);
    EXPECT_TRUE(TrayIconExists(firstWindow));
    EXPECT_TRUE(second.AllEarlierMessagesHandled()) << "the second instance told something at its start";
    EXPECT_TRUE(FindDialogs(second.Id(), peekbar::kMessageBoxCaption).empty());

    EXPECT_EQ(second.Exit(), std::optional<DWORD>(0));
    EXPECT_TRUE(TrayIconExists(firstWindow)) << "the second instance removed the first one's icon";
    EXPECT_EQ(first.Exit(), std::optional<DWORD>(0));
}

TEST_F(Startup, FirstArgumentDelaysTheStartBySecondsAndFurtherOnesAreIgnored) {
    PeekbarProcess peekbar = PeekbarProcess::Start(installation.ExePath(), L"2 30");
    const HWND window = peekbar.WaitForMainWindow();
    ASSERT_NE(window, nullptr) << "no main window within " << kStartTimeoutMs << " ms";
    EXPECT_GE(MillisecondsSince(peekbar.StartTick()), 1800u) << "the 2 s delay was not kept";
    EXPECT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
}

TEST_F(Startup, TextOrNegativeDelayArgumentMeansNoDelay) {
    AllowMultipleStartup();
    // A reference instance that sleeps 4 s: the others must be up before it.
    PeekbarProcess delayed = PeekbarProcess::Start(installation.ExePath(), L"4");
    PeekbarProcess text = PeekbarProcess::Start(installation.ExePath(), L"abc");
    PeekbarProcess negative = PeekbarProcess::Start(installation.ExePath(), L"-5");

    const bool textStarted = text.WaitForMainWindow() != nullptr;
    const bool negativeStarted = negative.WaitForMainWindow() != nullptr;
    EXPECT_TRUE(textStarted) << "\"abc\" did not start";
    EXPECT_TRUE(negativeStarted) << "\"-5\" did not start";
    if (textStarted && negativeStarted) {
        EXPECT_EQ(delayed.FindMainWindow(), nullptr) << "a start with no delay was slower than one with 4 s";
    }
    EXPECT_FALSE(delayed.HasExited());

    ASSERT_NE(delayed.WaitForMainWindow(), nullptr);
    EXPECT_EQ(text.Exit(), std::optional<DWORD>(0));
    EXPECT_EQ(negative.Exit(), std::optional<DWORD>(0));
    EXPECT_EQ(delayed.Exit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace e2e
