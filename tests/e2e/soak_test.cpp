// A long run with everything happening at random: test windows born and
// closed, registered by keyword, by the menu and given back, shown at the
// edges, and the menu opened hundreds of times. At the end every window is
// on the screen and Peekbar's memory has not grown. It takes minutes, so it
// runs on demand (scripts/soak), not with the other end-to-end tests.

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "test_programs.h"
#include "tray.h"
#include "window_state.h"

namespace e2e {
namespace {

namespace command = peekbar::command;

constexpr int kTimerIntervalMs = 10;
constexpr int kTicks = 10000;
constexpr int kMenuOpens = 500;
constexpr std::size_t kLargestProgramCount = 6;

struct Memory {
    SIZE_T workingSet = 0;
    SIZE_T pagefile = 0;
};

Memory MemoryOf(DWORD processId) {
    Memory memory;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return memory;
    PROCESS_MEMORY_COUNTERS counters{};
    if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        memory.workingSet = counters.WorkingSetSize;
        memory.pagefile = counters.PagefileUsage;
    }
    CloseHandle(process);
    return memory;
}

class Soak : public PeekbarSession {
protected:
    void OpenAndCloseMenu() {
        ASSERT_TRUE(PostTrayMouseMessage(peekbar.MainWindow(), WM_RBUTTONUP));
        ASSERT_TRUE(WaitUntil([&] { return !VisiblePopupMenus(peekbar.Id()).empty(); })) << "no menu";
        ASSERT_TRUE(WaitUntil([&] {
            if (!VisiblePopupMenus(peekbar.Id()).empty()) TapKey(VK_ESCAPE);
            return VisiblePopupMenus(peekbar.Id()).empty();
        })) << "the menu stayed open";
    }

    std::vector<HWND> Windows() const {
        std::vector<HWND> all;
        for (const auto& program : programs) {
            for (HWND window : program->Windows()) all.push_back(window);
        }
        return all;
    }

    std::vector<std::unique_ptr<TestProgram>> programs;
};

TEST_F(Soak, DISABLED_TenThousandTicksOfEverythingLeaveEveryWindowOnScreenAndMemoryFlat) {
    StartPeekbar(QuickProfile()
                     .Option(L"TIMER_INTERVAL", kTimerIntervalMs)
                     .Option(L"SHOWING_DELAY", 0)
                     .Option(L"HIDDEN_DELAY", 50)
                     .Option(L"BALLOON", 1)  // no boxes to answer
                     .Keyword(0, peekbar::location::kTopMiddle, L"Peekbar soak 1*")
                     .Keyword(0, peekbar::location::kLeftMiddle, L"Peekbar soak 2*")
                     .Keyword(0, peekbar::location::kRightMiddle, L".*soak [34].*", true));
    std::mt19937 random(20261207);
    const auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    int serial = 0;
    std::optional<Memory> warmedUp;
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG duration = static_cast<ULONGLONG>(kTicks) * kTimerIntervalMs;
    int menus = 0;
    int steps = 0;
    while (GetTickCount64() - start < duration || menus < kMenuOpens) {
        ++steps;
        if (programs.size() < kLargestProgramCount && chance(30)) {
            const std::wstring title = L"Peekbar soak " + std::to_wstring(1 + random() % 5) + L" #" +
                                       std::to_wstring(++serial);
            programs.push_back(std::make_unique<TestProgram>(TestProgram::StartTarget({title})));
        }
        if (!programs.empty() && chance(15)) {
            const std::size_t i = random() % programs.size();
            programs[i]->Close();
            programs.erase(programs.begin() + static_cast<std::ptrdiff_t>(i));
        }
        if (chance(20)) {
            ASSERT_TRUE(peekbar.PostCommand(command::kApplyAllKeywords));
        }
        if (chance(10)) {
            ASSERT_TRUE(peekbar.PostCommand(command::kUnregisterAll));
        }
        if (chance(10)) {
            ASSERT_TRUE(peekbar.PostCommand(command::PickCandidate(0, random() % peekbar::location::kCount, random() % 4)));
        }
        if (chance(5)) {
            ASSERT_TRUE(peekbar.PostCommand(command::kShowAll));
            ASSERT_TRUE(peekbar.PostCommand(command::kShowAll));
        }
        // The pointer to an edge (where a registered window comes up), into
        // a window, or away.
        const POINT places[] = {kTopEdgeMiddle, {0, kScreenHeight / 2}, {kScreenWidth - 1, kScreenHeight / 2},
                                kRestingPoint, {kScreenWidth / 2, 150}};
        ASSERT_TRUE(MovePointer(places[random() % 5]));
        if (menus < kMenuOpens && (chance(50) || GetTickCount64() - start >= duration)) {
            OpenAndCloseMenu();
            ++menus;
        }
        ASSERT_TRUE(peekbar.Responds()) << "Peekbar stopped answering";
        if (!warmedUp && steps == 50) warmedUp = MemoryOf(peekbar.Id());
    }
    const Memory last = MemoryOf(peekbar.Id());
    const auto kb = [](SIZE_T bytes) { return static_cast<unsigned long long>(bytes / 1024); };
    std::printf("[ soak     ] %d steps, %d menus, %llu s; working set %llu -> %llu KB, page file %llu -> %llu KB\n",
                steps, menus, (GetTickCount64() - start) / 1000, kb(warmedUp->workingSet), kb(last.workingSet),
                kb(warmedUp->pagefile), kb(last.pagefile));
    // Flat: what a leak of a few bytes per tick or per menu would exceed.
    EXPECT_LT(last.workingSet, warmedUp->workingSet + (4u << 20));
    EXPECT_LT(last.pagefile, warmedUp->pagefile + (4u << 20));

    ASSERT_TRUE(MovePointer(kRestingPoint));
    ASSERT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
    for (HWND window : Windows()) {
        EXPECT_TRUE(WaitShown(window)) << "a window stayed hidden";
    }
}

}  // namespace
}  // namespace e2e
