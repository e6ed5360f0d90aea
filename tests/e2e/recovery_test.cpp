// However Peekbar ends, no window it hid stays lost: killed, its guardian
// gives everything back at once; crashed, the crash itself does; ended with
// its guardian, the next start does; also when Peekbar sits in a folder it
// cannot write. The guardian costs nothing while it waits, and ended, it is
// started again. The end of the session gives everything
// back at once, with or without a box open; a close while the tray menu is
// open still ends the program; and an instance that runs is never robbed of
// its windows by another start.

#include <windows.h>
#include <psapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "driver_options.h"
#include "installation.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "screenshot.h"
#include "test_programs.h"
#include "tray.h"
#include "window_state.h"

namespace e2e {
namespace {

namespace command = peekbar::command;
using peekbar::location::kLeftMiddle;
using peekbar::location::kRightMiddle;
using peekbar::location::kTopMiddle;

constexpr Rect kNotepadHome = {200, 250, 840, 730};
constexpr wchar_t kByHandTitle[] = L"Peekbar test: registered by hand";
constexpr wchar_t kUpTitle[] = L"Peekbar test: up at its edge";
constexpr POINT kLeftEdgeMiddle = {0, kScreenHeight / 2};
// How soon the guardian gives everything back once Peekbar is killed.
constexpr DWORD kGivenBackByGuardianMs = 2000;

HWND Taskbar() { return FindWindowW(L"Shell_TrayWnd", nullptr); }

struct WindowCount {
    DWORD process;
    int windows;
};

BOOL CALLBACK CountWindowOfProcess(HWND window, LPARAM count) {
    auto& c = *reinterpret_cast<WindowCount*>(count);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == c.process) ++c.windows;
    return TRUE;
}

// How many top-level windows, hidden ones too, the process has.
int WindowsOf(DWORD processId) {
    WindowCount count{processId, 0};
    EnumWindows(CountWindowOfProcess, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

// The journals in a folder.
std::vector<std::wstring> Journals(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\*.journal").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(entry.cFileName);
    while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

// Where Peekbar keeps its journal when its own folder cannot be written.
std::wstring UsersJournalFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return L"";
    return std::wstring(folder) + L"\\Peekbar";
}

std::wstring AppliedAllText() {
    return ExpectedMonitorCount() > 1 ? peekbar::text::kAppliedAllMonitors : peekbar::text::kAppliedAll;
}

// Notepad hidden by its keyword at the top edge, a test window registered
// by hand at the right edge, and another one up at the left edge, topmost,
// with the taskbar hidden while it is up.
class Recovery : public PeekbarSession {
protected:
    void SetUp() override {
        PeekbarSession::SetUp();
        if (HasFatalFailure()) return;
        if (!Taskbar() || !IsWindowVisible(Taskbar())) GTEST_SKIP() << "no visible taskbar on this desktop";
        notepad = TestProgram::StartNotepad();
        target = TestProgram::StartTarget({kByHandTitle, kUpTitle});
        ASSERT_NE(notepad.Window(), nullptr);
        ASSERT_NE(target.Window(1), nullptr);
        ASSERT_TRUE(PutWindow(notepad.Window(), kNotepadHome));
    }

    HWND Notepad() const { return notepad.Window(); }
    HWND ByHand() const { return target.Window(0); }
    HWND Up() const { return target.Window(1); }

    ProfileFile Profile() const {
        return QuickProfile()
            .Option(L"HIDE_TASKBAR", 1)
            .Option(L"TOPMOST", 1)
            .Keyword(0, kTopMiddle, L"*メモ帳*")
            .Keyword(0, kLeftMiddle, std::wstring(kUpTitle) + L"*");
    }

    void StartWithKeywords() {
        StartPeekbar(Profile());
        ASSERT_TRUE(WaitHidden(Notepad()));
        ASSERT_TRUE(WaitHidden(Up()));
    }

    // Everything in place for a bad end: the menu lists the candidates,
    // the two registered windows first; then the left edge is touched.
    void TakeEverything() {
        StartWithKeywords();
        const std::vector<HWND> visible = VisibleTopLevelWindows();
        const int index = static_cast<int>(std::find(visible.begin(), visible.end(), ByHand()) - visible.begin());
        ASSERT_LT(index, static_cast<int>(visible.size()));
        ASSERT_TRUE(PostTrayMouseMessage(peekbar.MainWindow(), WM_RBUTTONUP));
        ASSERT_TRUE(WaitUntil([&] { return !VisiblePopupMenus(peekbar.Id()).empty(); }));
        ASSERT_TRUE(WaitUntil([&] {
            if (!VisiblePopupMenus(peekbar.Id()).empty()) TapKey(VK_ESCAPE);
            return VisiblePopupMenus(peekbar.Id()).empty();
        }));
        Command(command::PickCandidate(0, kRightMiddle, 2 + index));
        ASSERT_TRUE(WaitHidden(ByHand())) << "not registered by its menu command";

        ASSERT_TRUE(MovePointer(kLeftEdgeMiddle));
        ASSERT_TRUE(WaitShown(Up()));
        ASSERT_TRUE(WaitUntil([&] { return IsTopmost(Up()) && !IsWindowVisible(Taskbar()); }));
        ASSERT_EQ(Journals(installation.Folder()).size(), 1u);
    }

    // Every window back on the screen as an ordinary window, the taskbar too.
    bool EverythingGivenBack(DWORD timeoutMs = kEventTimeoutMs) const {
        return WaitUntil([&] {
            for (const HWND window : {Notepad(), ByHand(), Up()}) {
                if (!IsShown(window) || IsTopmost(window)) return false;
            }
            return IsWindowVisible(Taskbar()) != FALSE;
        }, timeoutMs);
    }

    TestProgram notepad;
    TestProgram target;
};

TEST_F(Recovery, KilledOrCrashedInstanceLosesNoWindow) {
    enum class End { Killed, KilledWithItsGuardian, Fault };
    for (const End end : {End::Killed, End::KilledWithItsGuardian, End::Fault}) {
        SCOPED_TRACE(end == End::Killed ? "killed" : end == End::Fault ? "a fault" : "killed with its guardian");
        TakeEverything();
        if (HasFatalFailure()) return;
        switch (end) {
        case End::Killed:
            // The guardian gives everything back at once, with nothing for
            // the user to do, and leaves nothing to recover.
            ASSERT_TRUE(peekbar.Kill());
            EXPECT_TRUE(EverythingGivenBack(kGivenBackByGuardianMs)) << "not given back by the guardian";
            // Wine's virtual desktop keeps the pixels of the killed
            // program's guide windows in the picture; the windows are gone.
            EXPECT_TRUE(SaveScreenshot(L"given-back-by-the-guardian"));
            EXPECT_TRUE(peekbar.WaitUntilGuardianEnded());
            EXPECT_TRUE(Journals(installation.Folder()).empty());
            break;
        case End::KilledWithItsGuardian:
            // A whole process tree ended at once: the next start recovers.
            ASSERT_TRUE(peekbar.KillWithGuardian());
            ASSERT_TRUE(HoldsFor([&] { return !IsShown(Notepad()) && !IsShown(ByHand()); }, 500));
            break;
        case End::Fault:
            // The crash itself gives everything back, and leaves nothing to
            // recover.
            ASSERT_TRUE(peekbar.RaiseFault());
            EXPECT_TRUE(EverythingGivenBack()) << "not given back by the crash";
            EXPECT_TRUE(Journals(installation.Folder()).empty());
            break;
        }
        ASSERT_TRUE(MovePointer(kRestingPoint));

        StartPeekbar(Profile());
        EXPECT_TRUE(IsShown(ByHand()) && !IsTopmost(ByHand())) << "the window registered by hand stays lost";
        if (end == End::KilledWithItsGuardian) {
            EXPECT_TRUE(SaveScreenshot(L"restarted-after-a-kill"));
        }
        EXPECT_TRUE(WaitHidden(Notepad())) << "not taken again by its keyword";
        EXPECT_TRUE(WaitHidden(Up()));
        EXPECT_FALSE(IsTopmost(Up()));
        EXPECT_TRUE(IsWindowVisible(Taskbar()));
        EXPECT_EQ(Journals(installation.Folder()).size(), 1u) << "the old journal was not deleted";
        ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
        EXPECT_TRUE(WaitShown(Notepad())) << "the edge does not work after the recovery";
        EXPECT_TRUE(EnterAndLeave(Notepad()));

        ASSERT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
        EXPECT_TRUE(EverythingGivenBack());
        EXPECT_TRUE(Journals(installation.Folder()).empty()) << "a clean exit left its journal";
        EXPECT_TRUE(peekbar.WaitUntilGuardianEnded()) << "a clean exit left the guardian running";
        ASSERT_TRUE(PutWindow(Notepad(), kNotepadHome));
    }
}

// The guardian waits with no window and no processor time; ended, Peekbar
// starts it again without a word, and a later kill still gives everything
// back.
TEST_F(Recovery, GuardianEndedIsStartedAgain) {
    StartWithKeywords();
    const DWORD first = peekbar.GuardianId();
    ASSERT_NE(first, 0u) << "no guardian";
    const HANDLE guardian =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, first);
    ASSERT_NE(guardian, nullptr);
    EXPECT_EQ(WindowsOf(first), 0) << "the guardian has windows";
    const auto cpuMs = [&] {
        FILETIME created{}, exited{}, kernel{}, user{};
        GetProcessTimes(guardian, &created, &exited, &kernel, &user);
        const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        return (ticks(kernel) + ticks(user)) / 10000;
    };
    const ULONGLONG cpuBefore = cpuMs();
    Sleep(2000);
    const ULONGLONG cpuWhileWaiting = cpuMs() - cpuBefore;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ASSERT_TRUE(GetProcessMemoryInfo(guardian, &memory, sizeof memory));
    std::printf("[ guardian ] working set %lu KB (peak %lu KB), private %lu KB, %lu ms of processor in 2 s\n",
                static_cast<unsigned long>(memory.WorkingSetSize / 1024),
                static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024),
                static_cast<unsigned long>(memory.PagefileUsage / 1024), static_cast<unsigned long>(cpuWhileWaiting));
    EXPECT_EQ(cpuWhileWaiting, 0u) << "the guardian works while it waits";

    ASSERT_TRUE(TerminateProcess(guardian, 1));
    WaitForSingleObject(guardian, kExitTimeoutMs);
    CloseHandle(guardian);
    EXPECT_TRUE(WaitUntil([&] { return peekbar.GuardianId() != 0 && peekbar.GuardianId() != first; }))
        << "not started again";
    EXPECT_EQ(FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).size(), 0u) << "the user was told";
    ASSERT_TRUE(peekbar.Kill());
    EXPECT_TRUE(WaitUntil([&] { return IsShown(Notepad()) && IsShown(Up()); }, kGivenBackByGuardianMs))
        << "not given back by the guardian started again";
    EXPECT_TRUE(peekbar.WaitUntilGuardianEnded());
}

// Started from a folder it cannot write, Peekbar keeps its journal in the
// user's own folder and says so once a run; a kill or a crash there loses no
// window either.
TEST_F(Recovery, UnwritableFolderKeepsTheJournalInTheUsersFolder) {
    if (Options().unwritableDir.empty()) GTEST_SKIP() << "no unwritable folder (the session could not mount one)";
    const Installation locked(Options().unwritableSourceDir);
    const std::wstring name = locked.Folder().substr(locked.Folder().find_last_of(L'\\') + 1);
    const std::wstring exe = Options().unwritableDir + L"\\" + name + L"\\Peekbar.exe";
    const std::wstring usersFolder = UsersJournalFolder();
    const std::wstring told = peekbar::text::kJournalMoved + usersFolder;
    for (const bool crash : {false, true}) {
        SCOPED_TRACE(crash ? "a fault" : "killed");
        ASSERT_TRUE(QuickProfile().Keyword(0, kTopMiddle, L"*メモ帳*").Write(locked.ProfilePath(0)));
        peekbar = PeekbarProcess::Start(exe);
        ASSERT_NE(peekbar.WaitUntilRunning(), nullptr);
        const HWND box = WaitForMessageBox();
        if (!crash && box && WaitUntil([&] { return IsWindowVisible(box) != FALSE; })) {
            EXPECT_TRUE(SaveScreenshot(L"journal-in-the-users-folder"));
        }
        EXPECT_EQ(AnswerMessageBox(), told);
        ASSERT_TRUE(WaitHidden(Notepad()));
        EXPECT_EQ(Journals(usersFolder).size(), 1u);
        EXPECT_TRUE(Journals(locked.Folder()).empty());

        if (crash) {
            ASSERT_TRUE(peekbar.RaiseFault());
            EXPECT_TRUE(WaitShown(Notepad())) << "not given back by the crash";
            EXPECT_TRUE(Journals(usersFolder).empty());
        } else {
            ASSERT_TRUE(peekbar.Kill());
            EXPECT_TRUE(WaitShown(Notepad())) << "not given back by the guardian";
            EXPECT_TRUE(peekbar.WaitUntilGuardianEnded());
            EXPECT_TRUE(Journals(usersFolder).empty());
        }
        ASSERT_TRUE(QuickProfile().Write(locked.ProfilePath(0)));
        peekbar = PeekbarProcess::Start(exe);
        ASSERT_NE(peekbar.WaitUntilRunning(), nullptr);
        EXPECT_EQ(AnswerMessageBox(), told) << "a new run is told again";
        EXPECT_EQ(Journals(usersFolder).size(), 1u);
        // Told once: the next box is the command's own.
        ASSERT_TRUE(peekbar.PostCommand(command::kApplyAllKeywords));
        EXPECT_EQ(AnswerMessageBox(), AppliedAllText());
        ASSERT_EQ(peekbar.Exit(), std::optional<DWORD>(0));
        EXPECT_TRUE(Journals(usersFolder).empty()) << "a clean exit left its journal";
        ASSERT_TRUE(PutWindow(Notepad(), kNotepadHome));
    }
}

// The system asks whether the session may end, then ends it; Peekbar
// agrees, gives everything back while it handles the end (a box of its own
// open or not) and closes.
TEST_F(Recovery, EndOfTheSessionGivesEverythingBack) {
    for (const bool boxOpen : {false, true}) {
        SCOPED_TRACE(boxOpen ? "with a message box open" : "with nothing open");
        StartWithKeywords();
        HWND box = nullptr;
        if (boxOpen) {
            ASSERT_TRUE(peekbar.PostCommand(command::kApplyAllKeywords));
            ASSERT_NE(box = WaitForMessageBox(), nullptr);
        }
        ASSERT_TRUE(MovePointer(kLeftEdgeMiddle));
        ASSERT_TRUE(WaitShown(Up()));
        ASSERT_TRUE(WaitUntil([&] { return IsTopmost(Up()) && !IsWindowVisible(Taskbar()); }));

        DWORD_PTR agreed = 0;
        ASSERT_TRUE(SendMessageTimeoutW(peekbar.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                        SMTO_ABORTIFHUNG, kEventTimeoutMs, &agreed));
        EXPECT_EQ(agreed, static_cast<DWORD_PTR>(TRUE));
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutW(peekbar.MainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                        SMTO_ABORTIFHUNG, kEventTimeoutMs, &ignored));
        // Asked back while the message was handled, without waiting for
        // their programs: the system may end the process right after, and
        // the windows still come back, each when its program gets to it.
        EXPECT_EQ(peekbar.WaitForExit(), std::optional<DWORD>(0));
        for (const HWND window : {Notepad(), Up()}) {
            EXPECT_TRUE(WaitUntil([&] { return IsShown(window) && !IsTopmost(window); })) << window;
        }
        EXPECT_TRUE(IsWindowVisible(Taskbar()));
        EXPECT_TRUE(Journals(installation.Folder()).empty());
        ASSERT_TRUE(MovePointer(kRestingPoint));
        ASSERT_TRUE(PutWindow(Notepad(), kNotepadHome));
    }
}

// A close that arrives while the tray menu is open ends the program.
TEST_F(Recovery, CloseWhileTheMenuIsOpenEndsTheProgram) {
    StartWithKeywords();
    ASSERT_TRUE(PostTrayMouseMessage(peekbar.MainWindow(), WM_RBUTTONUP));
    ASSERT_TRUE(WaitUntil([&] { return !VisiblePopupMenus(peekbar.Id()).empty(); }));
    ASSERT_TRUE(PostMessageW(peekbar.MainWindow(), WM_CLOSE, 0, 0));
    EXPECT_EQ(peekbar.WaitForExit(), std::optional<DWORD>(0)) << "still running, or ended badly";
    EXPECT_TRUE(WaitShown(Notepad()) && WaitShown(Up()));
    EXPECT_TRUE(Journals(installation.Folder()).empty());
}

// The journal of an instance that runs is not another start's to recover:
// neither a refused start nor one running alongside gives its windows back.
TEST_F(Recovery, RunningInstanceKeepsItsWindows) {
    StartWithKeywords();

    PeekbarProcess refused = PeekbarProcess::Start(installation.ExePath());
    const HWND box = WaitForDialog(refused.Id(), peekbar::kMessageBoxCaption, kStartTimeoutMs);
    ASSERT_NE(box, nullptr) << "no refusal";
    DismissMessageBox(box);
    EXPECT_EQ(refused.WaitForExit(), std::optional<DWORD>(peekbar::kFailedExitCode));
    EXPECT_TRUE(StaysHidden(Notepad(), 500)) << "the refused start gave a running instance's window back";

    // Side by side, with no keywords of its own that could take the windows
    // again: both journals stay while both run.
    ASSERT_TRUE(QuickProfile().Option(L"MULTIPLE_STARTUP", 0).Write(installation.ProfilePath(0)));
    PeekbarProcess second = PeekbarProcess::Start(installation.ExePath());
    ASSERT_NE(second.WaitUntilRunning(), nullptr);
    ASSERT_TRUE(second.AllEarlierMessagesHandled());
    EXPECT_TRUE(HoldsFor([&] { return !IsShown(Notepad()) && !IsShown(Up()); }, 500))
        << "the second instance gave the first one's windows back";
    EXPECT_EQ(Journals(installation.Folder()).size(), 2u);
    EXPECT_EQ(second.Exit(), std::optional<DWORD>(0));
    EXPECT_TRUE(peekbar.Responds());
}

}  // namespace
}  // namespace e2e
