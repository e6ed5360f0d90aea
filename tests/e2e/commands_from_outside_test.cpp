// Commands come from other programs at any moment, sent as well as posted,
// as automation tools and scripts send them. Whatever Peekbar is doing when
// they arrive, each runs whole and in its turn: one sent during the start
// runs after the start, and however Peekbar is then killed, the next start
// finds every window it had hidden.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "desktop_input.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "test_programs.h"
#include "window_state.h"

namespace e2e {
namespace {

namespace command = peekbar::command;
using peekbar::location::kBottomMiddle;
using peekbar::location::kLeftMiddle;
using peekbar::location::kTopMiddle;

constexpr int kRounds = 4;
constexpr DWORD kBusyMs = 4000;
const std::vector<std::wstring> kTitles = {L"Peekbar test: busy top", L"Peekbar test: busy left",
                                           L"Peekbar test: busy bottom"};

// Sends and posts apply-all and unregister-all at random, a few
// milliseconds apart, from a thread of its own until it is stopped.
class CommandSender {
public:
    CommandSender(HWND mainWindow, unsigned seed)
        : thread_([this, mainWindow, seed] {
              std::mt19937 random(seed);
              while (!stop_) {
                  Sleep(random() % 40);
                  const WORD id = random() % 2 == 0 ? command::kApplyAllKeywords : command::kUnregisterAll;
                  if (random() % 2 == 0) {
                      DWORD_PTR ignored = 0;
                      SendMessageTimeoutW(mainWindow, WM_COMMAND, id, 0, SMTO_ABORTIFHUNG, kEventTimeoutMs, &ignored);
                  } else {
                      PostMessageW(mainWindow, WM_COMMAND, id, 0);
                  }
                  ++sent_;
              }
          }) {}
    ~CommandSender() { Stop(); }
    CommandSender(const CommandSender&) = delete;
    CommandSender& operator=(const CommandSender&) = delete;

    int Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return sent_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> sent_{0};
    std::thread thread_;
};

class CommandsFromOutside : public PeekbarSession {
protected:
    ProfileFile Profile() const {
        // Balloons: a box per command would hold the commands back.
        return QuickProfile()
            .Option(L"BALLOON", 1)
            .Keyword(0, kTopMiddle, kTitles[0] + L"*")
            .Keyword(0, kLeftMiddle, kTitles[1] + L"*")
            .Keyword(0, kBottomMiddle, kTitles[2] + L"*");
    }

    bool AllShown() const {
        for (const HWND window : target.Windows()) {
            if (!IsShown(window)) return false;
        }
        return true;
    }

    TestProgram target;
};

TEST_F(CommandsFromOutside, SentAndPostedAtRandomWhileTheEdgesWorkLoseNoWindowWhenPeekbarIsKilled) {
    target = TestProgram::StartTarget(kTitles);
    ASSERT_EQ(target.Windows().size(), kTitles.size());
    const POINT spots[] = {kTopEdgeMiddle, {0, kScreenHeight / 2}, {kScreenWidth / 2, kScreenHeight - 1},
                           kRestingPoint, {500, 300}};
    std::mt19937 random(18);
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Unregister-all sent while the start registers the windows runs
        // after it: every window is back once the start is over.
        ASSERT_TRUE(Profile().Write(installation.ProfilePath(0)));
        peekbar = PeekbarProcess::Start(installation.ExePath());
        const HWND main = peekbar.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(main, WM_COMMAND, command::kUnregisterAll, 0, SMTO_ABORTIFHUNG, kEventTimeoutMs,
                            &ignored);
        ASSERT_NE(peekbar.WaitUntilRunning(), nullptr);
        ASSERT_TRUE(peekbar.Responds());
        EXPECT_TRUE(WaitUntil([&] { return AllShown(); })) << "the start's registration outlived an unregister-all";

        // Commands from outside while the pointer works the edges.
        CommandSender sender(main, static_cast<unsigned>(round));
        const ULONGLONG end = GetTickCount64() + kBusyMs;
        while (GetTickCount64() < end) {
            ASSERT_TRUE(MovePointer(spots[random() % 5]));
            Sleep(150 + random() % 300);
        }
        EXPECT_GT(sender.Stop(), 20);
        // Killed: the guardian gives back everything the journal lists.
        ASSERT_TRUE(peekbar.Kill());
        EXPECT_TRUE(WaitUntil([&] { return AllShown(); })) << "a window stayed hidden after the kill";
        ASSERT_TRUE(peekbar.WaitUntilGuardianEnded());
        ASSERT_TRUE(MovePointer(kRestingPoint));
    }
}

}  // namespace
}  // namespace e2e
