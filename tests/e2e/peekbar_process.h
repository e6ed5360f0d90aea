// One running Peekbar.exe, started and observed from outside: its process,
// its hidden main window, its tray icon.
#pragma once

#include <windows.h>

#include <optional>
#include <set>
#include <string>

#include "wait.h"

namespace e2e {

class PeekbarProcess {
public:
    // Starts `exePath` with `arguments` (the text after the program name) on
    // the driver's desktop, in a working folder other than the program's own.
    // Fails the current test and returns an empty object when it can't.
    static PeekbarProcess Start(const std::wstring& exePath, const std::wstring& arguments = L"");

    PeekbarProcess() = default;
    PeekbarProcess(PeekbarProcess&& other) noexcept;
    PeekbarProcess& operator=(PeekbarProcess&& other) noexcept;
    PeekbarProcess(const PeekbarProcess&) = delete;
    PeekbarProcess& operator=(const PeekbarProcess&) = delete;
    // Ends the process if it still runs: exit command first, then its open
    // message boxes answered, killing only as the last resort.
    ~PeekbarProcess();

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    // Tick count taken just before the process was created.
    ULONGLONG StartTick() const { return startTick_; }

    // The process's PEEKBAR_MAIN window titled "Peekbar", or null.
    HWND FindMainWindow() const;
    // Waits for the main window; null when it did not come (or the process ended).
    HWND WaitForMainWindow(DWORD timeoutMs = kStartTimeoutMs);
    // Waits until the program is up: its main window exists and its tray
    // icon has been added. Returns the main window, or null.
    HWND WaitUntilRunning(DWORD timeoutMs = kStartTimeoutMs);
    // Answers the boxes saying that the command sound could not be loaded,
    // which the start shows last, and returns how many were answered so far.
    int AnswerSoundErrorBoxes();
    // The window found by the last successful search.
    HWND MainWindow() const { return mainWindow_; }

    bool HasExited() const;
    // Waits for the process to end and returns its exit code.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = kExitTimeoutMs);
    // Posts the exit command and waits for the end.
    std::optional<DWORD> Exit(DWORD timeoutMs = kExitTimeoutMs);
    // Ends the process at once, as Task Manager does, and waits for the end.
    bool Kill();
    // Makes the process fault, as a crash would: a thread started in it at
    // an address where there is no code. Waits for the end.
    bool RaiseFault();
    // Ends the process and its guardian together, as when a whole process
    // tree is ended: the guardian is stopped first, so that it gives back
    // nothing, then both are ended.
    bool KillWithGuardian();

    // The guardian the process started (a Peekbar.exe it is the parent of)
    // that runs now; 0 when none does.
    DWORD GuardianId() const;
    // Waits until no guardian of the process runs any more.
    bool WaitUntilGuardianEnded(DWORD timeoutMs = kExitTimeoutMs) const;

    // Sends a tray-menu command and waits until the program has taken it.
    // It has run by then unless it came while Peekbar was in the middle of
    // another operation (waiting on another program, its start-up): then it
    // runs once that one is over. Check its effect with a wait, or with
    // AllEarlierMessagesHandled. False when the program did not return in
    // time (for example because it is showing a modal message box).
    bool SendCommand(WORD command, DWORD timeoutMs = kEventTimeoutMs);
    // Posts a tray-menu command without waiting for it.
    bool PostCommand(WORD command);
    // True when the main window handles a message in time (the program is
    // alive and not stuck). It says nothing of the commands still waiting
    // for an operation to end: Peekbar answers while it waits.
    bool Responds(DWORD timeoutMs = kEventTimeoutMs) const;
    // Waits until Peekbar has carried out every command, tray click and
    // other message sent or posted to it before: their effects are there
    // when this returns true. Peekbar runs them in the order they came, so
    // an about box asked for after them comes up only once they are done;
    // it is then closed. Only while Peekbar shows no dialog or message box
    // (the about box would be refused over one).
    bool AllEarlierMessagesHandled();

private:
    void Stop();

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    ULONGLONG startTick_ = 0;
    HWND mainWindow_ = nullptr;
    std::set<HWND> soundErrorBoxes_;
};

// Ends a running Peekbar as its tray menu's exit does, and so gives back
// what it hid and deletes its journal: the exit command as soon as its main
// window is there (it may still be in its start-up delay), its message
// boxes answered meanwhile. True once the process has ended.
bool EndWithExitCommand(HANDLE process, DWORD processId, DWORD timeoutMs);

// The top-level window of class PEEKBAR_MAIN titled "Peekbar" that belongs
// to process `processId`, or null.
HWND FindPeekbarMainWindow(DWORD processId);

// Tray icon probes. A modification that changes nothing (no flags) succeeds
// only while the shell holds an icon with this owner window and identifier.
bool TrayIconExists(HWND owner, UINT id = 1);
bool DeleteTrayIcon(HWND owner, UINT id = 1);

}  // namespace e2e
