#include "peekbar_process.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "message_box.h"
#include "peekbar_interface.h"
#include "process_windows.h"

namespace e2e {
namespace {

std::wstring FolderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? L"." : path.substr(0, separator);
}

// The running processes of Peekbar.exe started by parentId.
std::vector<DWORD> PeekbarChildren(DWORD parentId) {
    std::vector<DWORD> children;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return children;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parentId || _wcsicmp(entry.szExeFile, L"Peekbar.exe") != 0) continue;
        // Listed a moment after its end: only one that still runs counts.
        const HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!child) continue;
        if (WaitForSingleObject(child, 0) == WAIT_TIMEOUT) children.push_back(entry.th32ProcessID);
        CloseHandle(child);
    }
    CloseHandle(snapshot);
    return children;
}

// Stops every thread of the process where it is.
void SuspendProcess(DWORD processId) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        if (const HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
            SuspendThread(thread);
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
}

NOTIFYICONDATAW IconRecord(HWND owner, UINT id) {
    NOTIFYICONDATAW record = {};
    record.cbSize = sizeof record;
    record.hWnd = owner;
    record.uID = id;
    record.uFlags = 0;
    return record;
}

}  // namespace

PeekbarProcess PeekbarProcess::Start(const std::wstring& exePath, const std::wstring& arguments) {
    PeekbarProcess peekbar;
    peekbar.startTick_ = GetTickCount64();
    // The working folder is the one above the program's: settings must be
    // found next to the executable, not in the current folder.
    const StartedProcess started = StartOnDriverDesktop(exePath, arguments, FolderOf(FolderOf(exePath)));
    if (!started.handle) {
        ADD_FAILURE() << "CreateProcessW failed with error " << started.error << " for " << exePath;
        return peekbar;
    }
    peekbar.process_ = started.handle;
    peekbar.id_ = started.id;
    return peekbar;
}

PeekbarProcess::PeekbarProcess(PeekbarProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      id_(std::exchange(other.id_, 0)),
      startTick_(other.startTick_),
      mainWindow_(std::exchange(other.mainWindow_, nullptr)),
      soundErrorBoxes_(std::move(other.soundErrorBoxes_)) {}

PeekbarProcess& PeekbarProcess::operator=(PeekbarProcess&& other) noexcept {
    if (this != &other) {
        Stop();
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
        startTick_ = other.startTick_;
        mainWindow_ = std::exchange(other.mainWindow_, nullptr);
        soundErrorBoxes_ = std::move(other.soundErrorBoxes_);
    }
    return *this;
}

PeekbarProcess::~PeekbarProcess() { Stop(); }

void PeekbarProcess::Stop() {
    if (!process_) return;
    if (!HasExited()) {
        if (!EndWithExitCommand(process_, id_, kStartTimeoutMs)) {
            ADD_FAILURE() << "Peekbar (process " << id_ << ") did not end; killing it";
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, kExitTimeoutMs);
        }
    }
    // The guardian ends once Peekbar has: nothing of the program may hold
    // its folder after the test.
    if (!WaitUntilGuardianEnded()) ADD_FAILURE() << "the guardian of Peekbar (process " << id_ << ") still runs";
    CloseHandle(process_);
    process_ = nullptr;
}

HWND PeekbarProcess::FindMainWindow() const { return FindPeekbarMainWindow(id_); }

HWND PeekbarProcess::WaitForMainWindow(DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] {
        window = FindMainWindow();
        return window != nullptr || HasExited();
    }, timeoutMs);
    if (window) mainWindow_ = window;
    return window;
}

HWND PeekbarProcess::WaitUntilRunning(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND window = WaitForMainWindow(timeoutMs);
    if (!window) return nullptr;
    const ULONGLONG now = GetTickCount64();
    const DWORD remaining = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    const bool iconAdded = WaitUntil([&] { return TrayIconExists(window) || HasExited(); }, remaining);
    return iconAdded && !HasExited() ? window : nullptr;
}

int PeekbarProcess::AnswerSoundErrorBoxes() {
    for (HWND box : FindDialogs(id_, peekbar::kMessageBoxCaption)) {
        if (soundErrorBoxes_.count(box) == 0 && MessageBoxText(box) == peekbar::text::kSoundLoadFailed) {
            soundErrorBoxes_.insert(box);
            DismissMessageBox(box);
        }
    }
    return static_cast<int>(soundErrorBoxes_.size());
}

bool PeekbarProcess::HasExited() const {
    return !process_ || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

std::optional<DWORD> PeekbarProcess::WaitForExit(DWORD timeoutMs) {
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

std::optional<DWORD> PeekbarProcess::Exit(DWORD timeoutMs) {
    if (!PostCommand(peekbar::command::kExit)) return std::nullopt;
    return WaitForExit(timeoutMs);
}

bool PeekbarProcess::Kill() {
    return process_ && TerminateProcess(process_, 1) && WaitForExit().has_value();
}

bool PeekbarProcess::RaiseFault() {
    if (!process_) return false;
    const auto nowhere = reinterpret_cast<LPTHREAD_START_ROUTINE>(static_cast<ULONG_PTR>(1));
    HANDLE thread = CreateRemoteThread(process_, nullptr, 0, nowhere, nullptr, 0, nullptr);
    if (!thread) return false;
    CloseHandle(thread);
    return WaitForExit().has_value();
}

bool PeekbarProcess::KillWithGuardian() {
    if (!process_) return false;
    const DWORD guardianId = GuardianId();
    const HANDLE guardian = guardianId ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, guardianId) : nullptr;
    if (guardian) SuspendProcess(guardianId);
    const bool killed = Kill();
    if (guardian) {
        TerminateProcess(guardian, 1);
        WaitForSingleObject(guardian, kExitTimeoutMs);
        CloseHandle(guardian);
    }
    return killed && guardian != nullptr;
}

DWORD PeekbarProcess::GuardianId() const {
    const std::vector<DWORD> guardians = PeekbarChildren(id_);
    return guardians.empty() ? 0 : guardians.front();
}

bool PeekbarProcess::WaitUntilGuardianEnded(DWORD timeoutMs) const {
    return WaitUntil([&] { return PeekbarChildren(id_).empty(); }, timeoutMs);
}

bool PeekbarProcess::SendCommand(WORD command, DWORD timeoutMs) {
    HWND window = mainWindow_ ? mainWindow_ : FindMainWindow();
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutW(window, WM_COMMAND, command, 0, SMTO_ABORTIFHUNG, timeoutMs, &result);
}

bool PeekbarProcess::PostCommand(WORD command) {
    HWND window = mainWindow_ ? mainWindow_ : FindMainWindow();
    return window && PostMessageW(window, WM_COMMAND, command, 0);
}

bool PeekbarProcess::AllEarlierMessagesHandled() {
    if (!PostCommand(peekbar::command::kAbout)) return false;
    const HWND about = WaitForDialog(id_, peekbar::text::kAboutTitle);
    if (about == nullptr) {
        ADD_FAILURE() << "the about box asked for after the earlier messages did not come";
        return false;
    }
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    return WaitUntil([&] { return !IsWindow(about); });
}

bool PeekbarProcess::Responds(DWORD timeoutMs) const {
    HWND window = mainWindow_ ? mainWindow_ : FindMainWindow();
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result);
}

bool EndWithExitCommand(HANDLE process, DWORD processId, DWORD timeoutMs) {
    bool exitRequested = false;
    return WaitUntil([&] {
        if (!exitRequested) {
            if (HWND window = FindPeekbarMainWindow(processId)) {
                exitRequested = PostMessageW(window, WM_COMMAND, peekbar::command::kExit, 0);
            }
        }
        for (HWND box : FindDialogs(processId, peekbar::kMessageBoxCaption)) DismissMessageBox(box);
        return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    }, timeoutMs);
}

HWND FindPeekbarMainWindow(DWORD processId) {
    const std::vector<HWND> windows =
        FindTopLevelWindows(processId, peekbar::kMainWindowClass, peekbar::kMainWindowTitle);
    return windows.empty() ? nullptr : windows.front();
}

bool TrayIconExists(HWND owner, UINT id) {
    NOTIFYICONDATAW record = IconRecord(owner, id);
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

bool DeleteTrayIcon(HWND owner, UINT id) {
    NOTIFYICONDATAW record = IconRecord(owner, id);
    return Shell_NotifyIconW(NIM_DELETE, &record) != FALSE;
}

}  // namespace e2e
