// The four global commands (pause, temporary show-all, unregister all,
// apply all keywords) from the menu and from clicks on the tray icon, with
// their messages in boxes, and the command sound they play.

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "driver_options.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "test_programs.h"
#include "tray.h"
#include "window_state.h"

namespace e2e {
namespace {

namespace command = peekbar::command;
namespace text = peekbar::text;
using peekbar::location::kLeftMiddle;
using peekbar::location::kTopMiddle;

constexpr Rect kNotepadHome = {200, 250, 840, 730};
constexpr wchar_t kTargetTitle[] = L"Peekbar test: left edge";

std::wstring UnregisteredAllText() {
    return ExpectedMonitorCount() > 1 ? text::kUnregisteredAllMonitors : text::kUnregisteredAll;
}

std::wstring AppliedAllText() {
    return ExpectedMonitorCount() > 1 ? text::kAppliedAllMonitors : text::kAppliedAll;
}

// Notepad at the middle of the top edge, a test window at the middle of
// the left edge, both registered by keyword.
class GlobalCommands : public PeekbarSession {
protected:
    void SetUp() override {
        PeekbarSession::SetUp();
        if (HasFatalFailure()) return;
        notepad = TestProgram::StartNotepad();
        target = TestProgram::StartTarget({kTargetTitle});
        ASSERT_NE(notepad.Window(), nullptr);
        ASSERT_NE(target.Window(), nullptr);
        ASSERT_TRUE(PutWindow(notepad.Window(), kNotepadHome));
    }

    ProfileFile Profile() const {
        return QuickProfile()
            .Keyword(0, kTopMiddle, L"*メモ帳*")
            .Keyword(0, kLeftMiddle, std::wstring(kTargetTitle) + L"*");
    }

    void StartRegistered(const ProfileFile& profile) {
        StartPeekbar(profile);
        ASSERT_TRUE(WaitHidden(notepad.Window()));
        ASSERT_TRUE(WaitHidden(target.Window()));
    }

    bool BothShownNotTopmost() const {
        return WaitUntil([&] {
            return IsShown(notepad.Window()) && IsShown(target.Window()) && !IsTopmost(notepad.Window()) &&
                   !IsTopmost(target.Window());
        });
    }

    bool BothHidden() const { return WaitHidden(notepad.Window()) && WaitHidden(target.Window()); }

    // Posts a command whose message comes in a box, and returns the text.
    std::wstring Run(WORD id) {
        if (!peekbar.PostCommand(id)) return L"(not posted)";
        return AnswerMessageBox();
    }

    // Reports a click on the tray icon and returns the text of the box it
    // brings up.
    std::wstring Click(UINT mouseMessage) {
        if (!PostTrayMouseMessage(peekbar.MainWindow(), mouseMessage)) return L"(not posted)";
        return AnswerMessageBox();
    }

    TestProgram notepad;
    TestProgram target;
};

TEST_F(GlobalCommands, PauseLeavesTheEdgesIdleUntilItIsLifted) {
    StartRegistered(Profile());

    Command(command::kPause);
    ASSERT_TRUE(peekbar.AllEarlierMessagesHandled()) << "pausing told something";
    EXPECT_TRUE(FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty()) << "pausing told something";
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(StaysHidden(notepad.Window(), 2000)) << "shown while paused";

    Command(command::kPause);
    EXPECT_TRUE(WaitShown(notepad.Window())) << "not shown once the pause was lifted";
    EXPECT_TRUE(EnterAndLeave(notepad.Window()));
}

TEST_F(GlobalCommands, ShowAllBringsEveryRegisteredWindowUpUntilItIsTurnedOff) {
    StartRegistered(Profile().Option(L"TOPMOST", 1));
    // Once shown at its edge, notepad keeps the topmost flag while hidden.
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    ASSERT_TRUE(WaitShown(notepad.Window()));
    ASSERT_TRUE(EnterAndLeave(notepad.Window()));
    ASSERT_TRUE(IsTopmost(notepad.Window()));

    ASSERT_TRUE(peekbar.PostCommand(command::kShowAll));
    const HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message";
    // Up while the message is still being read.
    EXPECT_TRUE(BothShownNotTopmost());
    EXPECT_EQ(Answer(box), text::kShowAllOn);

    // The edges rest meanwhile: the windows stay where they are.
    const Rect notepadAt = WindowRect(notepad.Window());
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(HoldsFor([&] { return IsShown(notepad.Window()) && WindowRect(notepad.Window()) == notepadAt; }, 1500));
    ASSERT_TRUE(MovePointer(kRestingPoint));

    EXPECT_EQ(Run(command::kShowAll), text::kShowAllOff);
    EXPECT_TRUE(BothHidden());
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(WaitShown(notepad.Window())) << "the edge does not work after show-all";
    EXPECT_TRUE(EnterAndLeave(notepad.Window()));
}

TEST_F(GlobalCommands, UnregisterAllGivesTheWindowsBackAndApplyingTheKeywordsTakesThemAgain) {
    StartRegistered(Profile());

    EXPECT_EQ(Run(command::kUnregisterAll), UnregisteredAllText());
    EXPECT_TRUE(BothShownNotTopmost());

    EXPECT_EQ(Run(command::kApplyAllKeywords), AppliedAllText());
    EXPECT_TRUE(BothHidden());
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(WaitShown(notepad.Window())) << "not registered at its edge again";
    EXPECT_TRUE(EnterAndLeave(notepad.Window()));
}

TEST_F(GlobalCommands, TrayIconClicksRunApplyAllAndShowAllOrTheOtherWayRound) {
    for (const int reverse : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "TRAY_OPR_REVERSE=" << reverse);
        StartRegistered(Profile().Option(L"TRAY_OPR_REVERSE", reverse));
        const UINT applyClick = reverse ? WM_MBUTTONUP : WM_LBUTTONDBLCLK;
        const UINT showAllClick = reverse ? WM_LBUTTONDBLCLK : WM_MBUTTONUP;

        // Pressing buttons does nothing by itself.
        for (const UINT press : {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN}) {
            ASSERT_TRUE(PostTrayMouseMessage(peekbar.MainWindow(), press));
        }
        ASSERT_TRUE(peekbar.AllEarlierMessagesHandled());
        EXPECT_TRUE(FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty());

        EXPECT_EQ(Click(applyClick), AppliedAllText());
        EXPECT_TRUE(BothHidden());
        EXPECT_EQ(Click(showAllClick), text::kShowAllOn);
        EXPECT_TRUE(BothShownNotTopmost());
        EXPECT_EQ(Click(showAllClick), text::kShowAllOff);
        EXPECT_TRUE(BothHidden());

        ASSERT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
        ASSERT_TRUE(BothShownNotTopmost());
    }
}

using CommandSound = PeekbarSession;

// The CPU time of a process so far, in 100 ns units, summed over its
// threads (Wine answers GetProcessTimes only for the caller).
ULONGLONG CpuTimeOf(DWORD process) {
    ULONGLONG cpu = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return cpu;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != process) continue;
        const HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID);
        FILETIME created, exited, kernel, user;
        if (thread != nullptr && GetThreadTimes(thread, &created, &exited, &kernel, &user)) {
            cpu += (ULARGE_INTEGER{{kernel.dwLowDateTime, kernel.dwHighDateTime}}).QuadPart +
                         (ULARGE_INTEGER{{user.dwLowDateTime, user.dwHighDateTime}}).QuadPart;
        }
        if (thread != nullptr) CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return cpu;
}

// Peekbar's share of one core over `seconds`, all its threads together.
double IdleShare(DWORD process, DWORD seconds) {
    const ULONGLONG before = CpuTimeOf(process);
    Sleep(seconds * 1000);
    return static_cast<double>(CpuTimeOf(process) - before) / (seconds * 1e7) * 100.0;
}

// The sound plays on each command and the device closes when it ends: idle,
// Peekbar costs next to nothing, with 16 windows registered or none.
TEST_F(CommandSound, PlaysOnCommandsAndLeavesNothingRunningAfterwards) {
    std::vector<std::wstring> titles;
    // The watch timer at its default period, as a user has it.
    ProfileFile profile = QuickProfile().Option(L"SOUND_ON_COMMAND", 1).Option(L"TIMER_INTERVAL", 200);
    for (int location = 0; location < peekbar::location::kCount; ++location) {
        titles.push_back(L"Peekbar test: idle " + std::to_wstring(location) + L" ");
        profile.Keyword(0, location, titles.back() + L"*");
    }
    TestProgram target = TestProgram::StartTarget(titles);
    ASSERT_TRUE(MovePointer(kRestingPoint));
    StartPeekbar(QuickProfile().Option(L"SOUND_ON_COMMAND", 1).Option(L"TIMER_INTERVAL", 200));
    std::cout << "[ measured ] idle, nothing registered: " << IdleShare(peekbar.Id(), 5) << " % of one core\n";
    EXPECT_EQ(peekbar.AnswerSoundErrorBoxes(), 0) << "the sound file was reported unreadable";
    ASSERT_EQ(peekbar.Exit(), std::optional<DWORD>(0));

    StartPeekbar(profile);
    for (const HWND window : target.Windows()) ASSERT_TRUE(WaitHidden(window));
    Command(command::kPause);
    Command(command::kPause);
    ASSERT_TRUE(peekbar.AllEarlierMessagesHandled());
    EXPECT_TRUE(FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty());
    Sleep(2000);  // the sound is over
    // An audio device left open keeps mixing threads busy: 1.3 % and more.
    const double share = IdleShare(peekbar.Id(), 5);
    std::cout << "[ measured ] idle after a command, 16 windows registered: " << share << " % of one core\n";
    EXPECT_LT(share, 0.75) << "something keeps running while nothing happens";
}

TEST_F(CommandSound, MissingFileIsReportedAtStartAndTheCommandsRunSilently) {
    ASSERT_TRUE(DeleteFileW((installation.Folder() + L"\\Command.mp3").c_str()));
    StartPeekbar(QuickProfile().Option(L"SOUND_ON_COMMAND", 1));
    EXPECT_TRUE(WaitUntil([&] { return peekbar.AnswerSoundErrorBoxes() == 1; }))
        << "the missing sound file was not reported";
    ASSERT_TRUE(WaitUntil([&] { return FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty(); }))
        << "the answered box stayed";

    Command(command::kPause);
    Command(command::kPause);
    ASSERT_TRUE(peekbar.AllEarlierMessagesHandled());
    EXPECT_TRUE(FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty());

    // Reported again at the next start.
    ASSERT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
    StartPeekbar(QuickProfile());
    EXPECT_TRUE(WaitUntil([&] { return peekbar.AnswerSoundErrorBoxes() == 1; }));
}

using HelpCommand = PeekbarSession;

BOOL CALLBACK FindReadmeViewer(HWND window, LPARAM found) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (IsWindowVisible(window) && std::wstring(title).find(L"Readme.txt") != std::wstring::npos) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// A visible window showing Readme.txt on this desktop or, where Wine starts
// the shell's programs there, on the default one.
HWND ReadmeViewer() {
    HWND found = nullptr;
    EnumWindows(FindReadmeViewer, reinterpret_cast<LPARAM>(&found));
    if (found != nullptr) return found;
    if (HDESK desktop = OpenDesktopW(L"Default", 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE)) {
        EnumDesktopWindows(desktop, FindReadmeViewer, reinterpret_cast<LPARAM>(&found));
        CloseDesktop(desktop);
    }
    return found;
}

// The user guide beside the executable opens in the program the shell
// associates with text files.
TEST_F(HelpCommand, ReadmeOpensWithTheShell) {
    StartPeekbar(QuickProfile());
    ASSERT_EQ(ReadmeViewer(), nullptr);
    Command(command::kReadme);
    HWND viewer = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (viewer = ReadmeViewer()) != nullptr; })) << "no window shows Readme.txt";
    if (viewer != nullptr) PostMessageW(viewer, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace e2e
