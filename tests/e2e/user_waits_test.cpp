// How long a user waits: for the start, for the tray menu, and for the
// commands that rebuild every registration. Reported, not asserted: the figures go into the
// README; the tests only prove that each wait ends.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "driver_options.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_process.h"
#include "peekbar_session.h"
#include "test_programs.h"
#include "tray.h"
#include "wait.h"

namespace e2e {
namespace {

namespace command = peekbar::command;
using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Condition>
bool PollUntil(Condition condition) {
    return WaitUntil(condition, kEventTimeoutMs, kTimingPollIntervalMs);
}

// One keyword per location of every monitor, each naming a window of its own.
ProfileFile KeywordedProfile(std::vector<std::wstring>& titles) {
    ProfileFile profile = QuickProfile().Option(L"SOUND_ON_COMMAND", 0);
    for (int monitor = 0; monitor < ExpectedMonitorCount(); ++monitor) {
        for (int location = 0; location < peekbar::location::kCount; ++location) {
            titles.push_back(L"Peekbar wait " + std::to_wstring(monitor) + L"-" + std::to_wstring(location) + L" ");
            profile.Keyword(monitor, location, titles.back() + L"*");
        }
    }
    return profile;
}

using UserWaits = PeekbarSession;

// 250 windows on the desktop and a keyword at every location: the start to
// the tray icon, then the tray menu from the icon's right click until it shows.
TEST_F(UserWaits, StartAndTrayMenuWithAFullDesktop) {
    std::vector<std::wstring> titles;
    const ProfileFile profile = KeywordedProfile(titles);
    const size_t keywords = titles.size();
    while (titles.size() < 250) titles.push_back(L"Peekbar bystander " + std::to_wstring(titles.size()));
    TestProgram target = TestProgram::StartTarget(titles);
    ASSERT_EQ(target.Windows().size(), titles.size());
    ASSERT_TRUE(profile.Write(installation.ProfilePath(0)));

    const Clock::time_point start = Clock::now();
    peekbar = PeekbarProcess::Start(installation.ExePath());
    HWND main = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (main = FindPeekbarMainWindow(peekbar.Id())) != nullptr && TrayIconExists(main); }))
        << "no tray icon";
    const double icon = MillisecondsSince(start);
    ASSERT_TRUE(PollUntil([&] { return !IsWindowVisible(target.Window(keywords - 1)); })) << "the keywords took nothing";
    std::printf("[ timing   ] start: tray icon %.0f ms, last of %zu keywords applied %.0f ms after process creation "
                "(%zu windows)\n",
                icon, keywords, MillisecondsSince(start), titles.size());
    ASSERT_NE(peekbar.WaitUntilRunning(), nullptr);

    std::vector<double> samples;
    for (int round = 0; round < 3; ++round) {
        const Clock::time_point click = Clock::now();
        ASSERT_TRUE(PostTrayMouseMessage(main, WM_RBUTTONUP));
        ASSERT_TRUE(PollUntil([&] { return !VisiblePopupMenus(peekbar.Id()).empty(); })) << "no menu";
        samples.push_back(MillisecondsSince(click));
        ASSERT_TRUE(WaitUntil([&] {
            if (!VisiblePopupMenus(peekbar.Id()).empty()) TapKey(VK_ESCAPE);
            return VisiblePopupMenus(peekbar.Id()).empty();
        })) << "the menu did not close";
    }
    std::sort(samples.begin(), samples.end());
    std::printf("[ timing   ] tray menu visible %.0f ms after the right click (median of 3; %zu windows listed)\n",
                samples[1], VisibleTopLevelWindows().size() + keywords);
}

TEST_F(UserWaits, ApplyAllAndProfileSwitchReachTheirMessage) {
    std::vector<std::wstring> titles;
    ProfileFile profile = KeywordedProfile(titles);
    titles.resize(peekbar::location::kCount);
    TestProgram target = TestProgram::StartTarget(titles);
    ASSERT_TRUE(profile.Write(installation.ProfilePath(1)));  // the same keywords in the profile switched to
    StartPeekbar(profile);

    const auto timeToMessage = [&](WORD id) {
        const Clock::time_point start = Clock::now();
        EXPECT_TRUE(PostMessageW(peekbar.MainWindow(), WM_COMMAND, id, 0));
        std::vector<HWND> boxes;
        EXPECT_TRUE(PollUntil([&] { return !(boxes = FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption)).empty(); }))
            << "no message for command " << id;
        const double elapsed = MillisecondsSince(start);
        for (const HWND box : boxes) DismissMessageBox(box);
        EXPECT_TRUE(PollUntil([&] { return FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty(); }));
        return elapsed;
    };
    // The start may still be finishing (the sound device is tried last), and
    // the first box of a run loads what later ones share: one untimed round.
    timeToMessage(command::kApplyAllKeywords);
    const double applyAll = timeToMessage(command::kApplyAllKeywords);
    const double profileSwitch = timeToMessage(command::kProfileFirst + 1);
    for (const HWND window : target.Windows()) EXPECT_FALSE(IsWindowVisible(window)) << "not registered again";
    std::printf("[ timing   ] 16 windows registered: apply all keywords %.0f ms, profile switch %.0f ms to the message\n",
                applyAll, profileSwitch);
}

}  // namespace
}  // namespace e2e
