#include "win32/app/journal_files.h"

#include <cstdlib>
#include <exception>
#include <vector>

#include "core/engine/recovery_journal.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

constexpr wchar_t kByteOrderMark = 0xFEFF;
// A journal is a few lines per registered window; anything larger is not one.
constexpr DWORD kLargestJournalBytes = 4u << 20;

// What a crash needs, copied at every write. The exception filter may run on
// any thread, while the GUI thread goes on: the lock keeps it from reading a
// half-made copy. Nothing else reads it, so it lives here alone.
struct CrashSnapshot {
  CRITICAL_SECTION lock;
  std::vector<HWND> windows;
  bool taskbarHidden = false;
  std::wstring path;

  CrashSnapshot() { InitializeCriticalSection(&lock); }
};

CrashSnapshot& Snapshot() {
  static CrashSnapshot snapshot;
  return snapshot;
}

void ShowAsync(HWND window) {
  if (window != nullptr) ShowWindowAsync(window, SW_SHOW);
}

void GiveBackFromSnapshot() {
  static LONG entered = 0;
  if (InterlockedExchange(&entered, 1) != 0) return;  // a second fault while giving back
  CrashSnapshot& s = Snapshot();
  EnterCriticalSection(&s.lock);
  for (const HWND window : s.windows) {
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS);
  }
  if (s.taskbarHidden) {
    ShowAsync(FindWindowW(L"Shell_TrayWnd", nullptr));
    HWND start = FindWindowW(L"Button", L"スタート");
    ShowAsync(start != nullptr ? start : FindWindowW(L"Button", L"Start"));
  }
  // Given back: the next start has nothing left to recover.
  if (!s.path.empty()) DeleteFileW(s.path.c_str());
  LeaveCriticalSection(&s.lock);
}

LONG WINAPI GiveBackOnUnhandledException(EXCEPTION_POINTERS*) {
  GiveBackFromSnapshot();
  return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void GiveBackOnTerminate() {
  GiveBackFromSnapshot();
  std::abort();
}

std::u16string ReadJournalText(HANDLE file) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart > kLargestJournalBytes) return {};
  std::vector<wchar_t> units(static_cast<std::size_t>(size.QuadPart) / sizeof(wchar_t));
  DWORD read = 0;
  if (!units.empty() && !ReadFile(file, units.data(), static_cast<DWORD>(units.size() * sizeof(wchar_t)), &read, nullptr)) {
    return {};
  }
  std::size_t count = read / sizeof(wchar_t);
  std::size_t first = count > 0 && units[0] == kByteOrderMark ? 1 : 0;
  return Utf16(units.data() + first, count - first);
}

}  // namespace

JournalFiles::~JournalFiles() {
  // Not removed: the process is ending without its exit, and the journal
  // stays for the next start.
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool JournalFiles::Write(const std::u16string& path, const JournalRecord& record) {
  if (file_ == INVALID_HANDLE_VALUE) {
    // Reading and deleting stay open to others: the crash filter deletes it
    // while this handle is open.
    file_ = CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return false;
    path_ = path;
  }
  std::wstring text(1, kByteOrderMark);
  text += WideString(FormatJournal(record));
  const auto bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  DWORD written = 0;
  const bool saved = SetFilePointer(file_, 0, nullptr, FILE_BEGIN) == 0 &&
                     WriteFile(file_, text.data(), bytes, &written, nullptr) && written == bytes &&
                     SetEndOfFile(file_);

  CrashSnapshot& s = Snapshot();
  EnterCriticalSection(&s.lock);
  s.windows.clear();
  for (const JournalWindow& w : record.windows) s.windows.push_back(ToHwnd(w.window));
  s.taskbarHidden = record.taskbarHidden;
  s.path = WideString(path_);
  LeaveCriticalSection(&s.lock);
  return saved;
}

void JournalFiles::Remove() {
  CrashSnapshot& s = Snapshot();
  EnterCriticalSection(&s.lock);
  s.windows.clear();
  s.taskbarHidden = false;
  s.path.clear();
  LeaveCriticalSection(&s.lock);
  if (file_ == INVALID_HANDLE_VALUE) return;
  CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  DeleteFileW(Wide(path_));
}

std::vector<AbandonedJournal> JournalFiles::FindAbandoned(const std::u16string& directory,
                                                          const std::u16string& namePrefix,
                                                          const std::u16string& extension) {
  std::vector<AbandonedJournal> found;
  const std::u16string pattern = directory + namePrefix + u"*" + extension;
  WIN32_FIND_DATAW entry{};
  HANDLE search = FindFirstFileW(Wide(pattern), &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::u16string path = directory + Utf16(entry.cFileName);
    // Not sharing writes: a journal whose owner still runs (and holds it
    // open for writing) refuses this open.
    HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    found.push_back({path, ReadJournalText(file)});
    CloseHandle(file);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return found;
}

void JournalFiles::Delete(const std::u16string& path) { DeleteFileW(Wide(path)); }

void InstallCrashGiveBack() {
  Snapshot();  // made now, not in the middle of a crash
  SetUnhandledExceptionFilter(&GiveBackOnUnhandledException);
  std::set_terminate(&GiveBackOnTerminate);
}

}  // namespace peekbar::win32
