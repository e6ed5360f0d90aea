// Other programs whose windows the tests register with Peekbar: the test
// program (one window per title it is given) and Wine's own notepad.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "wait.h"

namespace e2e {

inline constexpr wchar_t kTargetClass[] = L"PEEKBAR_TEST_TARGET";
inline constexpr wchar_t kNotepadClass[] = L"Notepad";
// Notepad's title under a Japanese locale, and its entry label in
// Peekbar's window lists (title, class in full-width parentheses).
inline constexpr wchar_t kNotepadTitle[] = L"(無題) - メモ帳";
inline constexpr wchar_t kNotepadLabel[] = L"(無題) - メモ帳（Notepad）";

// One running program with its top-level windows, ended when the object
// goes: its windows are asked to close, and it is killed only if it stays.
class TestProgram {
public:
    // The test program (--target), with one window per title; waits until
    // every window has been shown (a keyword may have taken it since).
    // Fails the current test when it can't.
    static TestProgram StartTarget(const std::vector<std::wstring>& titles);
    // The test program as a second monitor's taskbar: one window of class
    // Shell_SecondaryTrayWnd at the rectangle (left, top, width, height).
    static TestProgram StartSecondaryTaskbar(int left, int top, int width, int height);
    // Wine's notepad, waiting for its window.
    static TestProgram StartNotepad();

    TestProgram() = default;
    TestProgram(TestProgram&& other) noexcept;
    TestProgram& operator=(TestProgram&& other) noexcept;
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;
    ~TestProgram();

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    bool HasExited() const;
    // Its windows in the order of the titles (one for notepad).
    const std::vector<HWND>& Windows() const { return windows_; }
    HWND Window(size_t i = 0) const { return i < windows_.size() ? windows_[i] : nullptr; }

    // Ends the program now (see above).
    void Close();
    // Ends it at once, as a user ends a program that does not answer.
    void Kill();

    // The test program's window `i` stops answering for good, or is busy
    // for `milliseconds`.
    bool Hang(size_t i) const;
    bool KeepBusy(size_t i, DWORD milliseconds) const;

    // What belongs to the test program's window `i`: a pop-up window it
    // owns, opened with its top-left corner at `at` without taking the
    // foreground, once it is on the screen (null when it does not come);
    // and a pop-up menu it opens at `at`, visible, until CloseMenu.
    HWND OpenOwnedPopUp(size_t i, POINT at) const;
    HWND OpenPopUpMenu(size_t i, POINT at) const;
    bool CloseMenu(size_t i) const;
    // The test program's window `i` shows itself and takes the foreground,
    // as a program started a second time shows its window.
    bool ShowItself(size_t i) const;
    // From now on its window `i` hides itself right after each show (or no
    // longer); how many shows it has hidden so far, -1 when it did not answer.
    int HideAfterEachShow(size_t i, bool hide) const;

private:
    static TestProgram Start(const std::wstring& exePath, const std::wstring& arguments, const wchar_t* className,
                             const std::vector<std::wstring>& titles);

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    std::vector<HWND> windows_;
};

// The visible top-level windows of the desktop, front to back, as a window
// enumeration lists them.
std::vector<HWND> VisibleTopLevelWindows();

}  // namespace e2e
