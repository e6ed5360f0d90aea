#include "test_programs.h"

#include <gtest/gtest.h>

#include <utility>

#include "driver_options.h"
#include "process_windows.h"

namespace e2e {
namespace {

std::wstring FolderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? L"." : path.substr(0, separator);
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring NotepadPath() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\notepad.exe";
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM context) {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

}  // namespace

TestProgram TestProgram::StartTarget(const std::vector<std::wstring>& titles) {
    std::wstring arguments;
    for (const std::wstring& title : titles) arguments += (arguments.empty() ? L"" : L" ") + Quoted(title);
    return Start(Options().targetExe, arguments, kTargetClass, titles);
}

TestProgram TestProgram::StartSecondaryTaskbar(int left, int top, int width, int height) {
    const std::wstring title = L"Peekbar test: secondary taskbar";
    const std::wstring rect = std::to_wstring(left) + L"," + std::to_wstring(top) + L"," + std::to_wstring(width) +
                              L"," + std::to_wstring(height);
    return Start(Options().targetExe, L"--taskbar " + rect + L" " + Quoted(title), L"Shell_SecondaryTrayWnd", {title});
}

TestProgram TestProgram::StartNotepad() { return Start(NotepadPath(), L"", kNotepadClass, {kNotepadTitle}); }

TestProgram TestProgram::Start(const std::wstring& exePath, const std::wstring& arguments, const wchar_t* className,
                               const std::vector<std::wstring>& titles) {
    TestProgram program;
    const StartedProcess started = StartOnDriverDesktop(exePath, arguments, FolderOf(exePath));
    if (!started.handle) {
        ADD_FAILURE() << "CreateProcessW failed with error " << started.error << " for " << exePath;
        return program;
    }
    program.process_ = started.handle;
    program.id_ = started.id;
    // The programs show their windows before their message loop first
    // waits. Seen from here a window may never be visible: a keyword of a
    // running Peekbar can take it the moment it is shown.
    const bool settled = WaitForInputIdle(started.handle, kStartTimeoutMs) == 0;
    for (const std::wstring& title : titles) {
        HWND window = nullptr;
        WaitUntil([&] {
            const std::vector<HWND> found = FindTopLevelWindows(program.id_, className, title);
            window = found.empty() || !(settled || IsWindowVisible(found.front())) ? nullptr : found.front();
            return window != nullptr;
        }, kStartTimeoutMs);
        if (!window) ADD_FAILURE() << "no window \"" << title << "\" of " << exePath << " was shown";
        program.windows_.push_back(window);
    }
    return program;
}

TestProgram::TestProgram(TestProgram&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      id_(std::exchange(other.id_, 0)),
      windows_(std::move(other.windows_)) {}

TestProgram& TestProgram::operator=(TestProgram&& other) noexcept {
    if (this != &other) {
        Close();
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
        windows_ = std::move(other.windows_);
    }
    return *this;
}

TestProgram::~TestProgram() { Close(); }

bool TestProgram::HasExited() const {
    return !process_ || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

void TestProgram::Close() {
    if (!process_) return;
    for (HWND window : windows_) {
        if (IsWindow(window)) PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process_, kExitTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kExitTimeoutMs);
    }
    CloseHandle(process_);
    process_ = nullptr;
    windows_.clear();
}

void TestProgram::Kill() {
    if (process_) TerminateProcess(process_, 1);
    Close();
}

bool TestProgram::Hang(size_t i) const { return PostMessageW(Window(i), WM_APP + 1, 0, 0) != FALSE; }

bool TestProgram::KeepBusy(size_t i, DWORD milliseconds) const {
    return PostMessageW(Window(i), WM_APP + 2, milliseconds, 0) != FALSE;
}

HWND TestProgram::OpenOwnedPopUp(size_t i, POINT at) const {
    wchar_t title[256] = {};
    GetWindowTextW(Window(i), title, 200);
    if (!PostMessageW(Window(i), WM_APP + 3, static_cast<WPARAM>(at.x), static_cast<LPARAM>(at.y))) return nullptr;
    HWND popUp = nullptr;
    WaitUntil([&] {
        const std::vector<HWND> found = FindTopLevelWindows(id_, kTargetClass, std::wstring(title) + L" pop-up");
        popUp = found.empty() || !IsWindowVisible(found.front()) ? nullptr : found.front();
        return popUp != nullptr;
    });
    return popUp;
}

HWND TestProgram::OpenPopUpMenu(size_t i, POINT at) const {
    if (!PostMessageW(Window(i), WM_APP + 4, static_cast<WPARAM>(at.x), static_cast<LPARAM>(at.y))) return nullptr;
    const DWORD thread = GetWindowThreadProcessId(Window(i), nullptr);
    HWND menu = nullptr;
    WaitUntil([&] {
        // Menus are found by their class in one call each.
        for (HWND m = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); m;
             m = FindWindowExW(nullptr, m, L"#32768", nullptr)) {
            if (IsWindowVisible(m) && GetWindowThreadProcessId(m, nullptr) == thread) menu = m;
        }
        return menu != nullptr;
    });
    return menu;
}

bool TestProgram::CloseMenu(size_t i) const { return PostMessageW(Window(i), WM_CANCELMODE, 0, 0) != FALSE; }

bool TestProgram::ShowItself(size_t i) const { return PostMessageW(Window(i), WM_APP + 5, 0, 0) != FALSE; }

int TestProgram::HideAfterEachShow(size_t i, bool hide) const {
    DWORD_PTR hidden = 0;
    if (!SendMessageTimeoutW(Window(i), WM_APP + 6, hide ? 1 : 0, 0, SMTO_ABORTIFHUNG, kEventTimeoutMs, &hidden)) {
        return -1;
    }
    return static_cast<int>(hidden);
}

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace e2e
