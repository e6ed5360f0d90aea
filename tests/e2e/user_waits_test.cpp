// How long a user waits for the start and for the commands that rebuild
// every registration. Reported, not asserted: the figures go into the
// README; the tests only prove that each wait ends.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "driver_options.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_process.h"
#include "peekbar_session.h"
#include "test_programs.h"
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
        for (int location = 0; location < 16; ++location) {
            titles.push_back(L"Peekbar wait " + std::to_wstring(monitor) + L"-" + std::to_wstring(location) + L" ");
            profile.Keyword(monitor, location, titles.back() + L"*");
        }
    }
    return profile;
}

using UserWaits = PeekbarSession;

TEST_F(UserWaits, StartToTheTrayIconWithAKeywordAtEveryLocation) {
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
}

TEST_F(UserWaits, ApplyAllAndProfileSwitchReachTheirMessage) {
    std::vector<std::wstring> titles;
    ProfileFile profile = KeywordedProfile(titles);
    titles.resize(16);
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
    const double applyAll = timeToMessage(command::kApplyAllKeywords);
    const double profileSwitch = timeToMessage(command::kFirstProfile + 1);
    for (const HWND window : target.Windows()) EXPECT_FALSE(IsWindowVisible(window)) << "not registered again";
    std::printf("[ timing   ] 16 windows registered: apply all keywords %.0f ms, profile switch %.0f ms to the message\n",
                applyAll, profileSwitch);
}

}  // namespace
}  // namespace e2e
