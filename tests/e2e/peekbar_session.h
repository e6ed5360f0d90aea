// The common frame of the tests that drive Peekbar together with windows of
// other programs: a private installation with a prepared profile, the
// pointer parked away from every edge, and the moves a user makes to bring
// a window up at an edge and send it away again.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "installation.h"
#include "peekbar_process.h"
#include "profile_file.h"
#include "wait.h"
#include "window_state.h"

namespace e2e {

// Both layouts begin with a 1920 x 1080 monitor at (0, 0), Peekbar's
// monitor 0.
inline constexpr int kScreenWidth = 1920;
inline constexpr int kScreenHeight = 1080;
// Away from every edge and below the windows the tests dock at the top.
inline constexpr POINT kRestingPoint = {960, 700};
// The middle of the top edge, in the middle stretch (location 2).
inline constexpr POINT kTopEdgeMiddle = {960, 0};

class PeekbarSession : public testing::Test {
protected:
    void SetUp() override;

    // Writes `profile` as profile 0 and starts Peekbar with it; returns once
    // its start-up (keywords included) is over. Fails fatally otherwise.
    void StartPeekbar(const ProfileFile& profile);
    // Sends a tray-menu command. It may still wait for an operation under way
    // when this returns: wait for the effect it has.
    void Command(WORD id);
    // Posts a menu command that opens a modal dialog or sheet titled
    // `title` and waits until it shows; null (with a failure) when it did not.
    HWND OpenDialog(WORD command, const std::wstring& title);
    // Presses the dialog's button (OK by default) and waits until it closed.
    void Close(HWND dialog, int button = IDOK);
    // Waits for a message box of Peekbar; null when none came.
    HWND WaitForMessageBox();
    // Answers the box and returns its text.
    std::wstring Answer(HWND box);
    // Both: the text of the next message box ("" when none came).
    std::wstring AnswerMessageBox();
    // Profile 0 as Peekbar left it.
    std::wstring ProfileText() const;
    // The rectangle remembered for a location in profile 0, when all four
    // of its keys are there.
    std::optional<Rect> RememberedRect(int monitor, int location) const;

    Installation installation;
    PeekbarProcess peekbar;  // ends before the installation goes
};

bool WaitShown(HWND window, DWORD timeoutMs = kEventTimeoutMs);
bool WaitHidden(HWND window, DWORD timeoutMs = kEventTimeoutMs);
// Watches `window` for `durationMs`; false as soon as it is seen shown.
bool StaysHidden(HWND window, DWORD durationMs);

// Moves the pointer into the shown window, lets it rest there, moves it to
// `outside` and waits until the window is hidden.
bool EnterAndLeave(HWND window, POINT outside = kRestingPoint);

}  // namespace e2e
