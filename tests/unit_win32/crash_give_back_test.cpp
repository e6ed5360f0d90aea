// A crash gives back what the last journal write listed (the windows, what
// was hidden with them, the taskbars), whether or not the
// journal could be created, and only windows that are still the ones listed;
// it puts back the foreground lock time-out the crash left lowered.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win32/app/journal_files.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

constexpr wchar_t kClass[] = L"PeekbarCrashTestWindow";

std::uint32_t LockTimeout() {
  DWORD timeout = 0;
  SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
  return timeout;
}

void SetLockTimeout(std::uint32_t timeout) {
  SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)), 0);
}

// Message-only: the tests run without a display, where other windows cannot
// be made. Shown, it carries the visible style all the same.
HWND HiddenWindow() {
  return CreateWindowExW(0, kClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, HWND_MESSAGE, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

bool Shown(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

TEST(CrashGiveBackTest, GivesBackOnlyTheWindowsListedAndTheLockLeftLoweredWhateverTheFileDid) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClass;
  RegisterClassW(&windowClass);
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring folder = std::wstring(temp) + L"peekbar-crash-test-" + std::to_wstring(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::uint32_t user = LockTimeout();
  const DWORD own = GetCurrentProcessId();

  for (const bool created : {true, false}) {
    const HWND same = HiddenWindow();
    const HWND otherClass = HiddenWindow();
    const HWND otherProcess = HiddenWindow();
    const HWND closed = HiddenWindow();
    const HWND hiddenWith = HiddenWindow();  // a dialog hidden with `same`
    const HWND taskbar = HiddenWindow();     // another monitor's taskbar
    const HWND reusedTaskbar = HiddenWindow();
    ASSERT_NE(closed, nullptr);
    DestroyWindow(closed);
    const std::u16string className = Utf16(kClass);
    const JournalRecord record{own,
                               false,
                               {{FromHwnd(same), own, className},
                                {FromHwnd(otherClass), own, u"Another"},
                                {FromHwnd(otherProcess), own + 4, className},
                                {FromHwnd(closed), own, className}},
                               150000,
                               {{FromHwnd(hiddenWith), own, className}},
                               {{FromHwnd(taskbar), own, className}, {FromHwnd(reusedTaskbar), own, u"Shell_SecondaryTrayWnd"}},
                               {},
                               false};
    // A name the journal cannot be created under: a folder holds it.
    const std::wstring path = created ? folder + L"\\tester_Peekbar_1.journal" : folder;
    SetLockTimeout(0);
    {
      CrashSnapshot crash;
      JournalFiles files(crash);
      EXPECT_EQ(files.Write(Utf16(path.c_str()), record), created);
      crash.GiveBack();
    }
    EXPECT_TRUE(Shown(same)) << created;
    EXPECT_TRUE(Shown(hiddenWith)) << created;
    EXPECT_TRUE(Shown(taskbar)) << created;
    EXPECT_FALSE(Shown(reusedTaskbar)) << created;
    EXPECT_FALSE(Shown(otherClass)) << created;
    EXPECT_FALSE(Shown(otherProcess)) << created;
    EXPECT_EQ(LockTimeout(), 150000u) << created;
    if (created) {
      EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "the journal was left";
    }
    for (const HWND window : {same, otherClass, otherProcess, hiddenWith, taskbar, reusedTaskbar}) DestroyWindow(window);
  }
  SetLockTimeout(user);
  RemoveDirectoryW(folder.c_str());
  UnregisterClassW(kClass, GetModuleHandleW(nullptr));
}

// The journal moves: the old file goes once the new one is saved, and stays
// while it cannot be.
TEST(JournalFilesTest, MovedJournalLeavesTheOldFileOnlyOnceTheNewOneIsSaved) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring folder = std::wstring(temp) + L"peekbar-move-test-" + std::to_wstring(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring first = folder + L"\\first.journal";
  const std::wstring second = folder + L"\\second.journal";
  const auto exists = [](const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
  {
    CrashSnapshot crash;
    JournalFiles files(crash);
    JournalRecord record;
    record.owner = 7;
    ASSERT_TRUE(files.Write(Utf16(first.c_str()), record));
    // A folder holds the name: the journal stays where it is, and is still written there.
    EXPECT_FALSE(files.Write(Utf16(folder.c_str()), record));
    EXPECT_TRUE(exists(first));
    record.taskbarHidden = true;
    EXPECT_TRUE(files.Write(Utf16(first.c_str()), record));
    EXPECT_TRUE(files.Write(Utf16(second.c_str()), record));
    EXPECT_FALSE(exists(first));
    EXPECT_TRUE(exists(second));
    files.Remove();
  }
  EXPECT_FALSE(exists(second));
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace peekbar::win32
