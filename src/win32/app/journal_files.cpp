#include "win32/app/journal_files.h"

#include <shlobj.h>

#include <cstdlib>
#include <exception>
#include <utility>

#include "core/base/state.h"
#include "core/base/text.h"
#include "core/engine/recovery_journal.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

constexpr wchar_t kByteOrderMark = 0xFEFF;
// A journal is a few lines per registered window; anything larger is not one.
constexpr DWORD kLargestJournalBytes = 4u << 20;

void ShowAsync(HWND window) {
  if (window != nullptr) ShowWindowAsync(window, SW_SHOW);
}

// The same question as IsSameWindow, asked with a buffer on the stack, and
// of the class as many units as the journal took of it.
bool StillTheSameWindow(HWND window, DWORD processId, const std::wstring& className) {
  if (!IsWindow(window)) return false;
  DWORD process = 0;
  if (GetWindowThreadProcessId(window, &process) == 0 || process != processId) return false;
  wchar_t name[kTitleUnits + 1] = {};
  const int length = GetClassNameW(window, name, static_cast<int>(kTitleUnits));
  return className.compare(0, className.size(), name, length > 0 ? static_cast<std::size_t>(length) : 0) == 0;
}

LONG WINAPI GiveBackOnUnhandledException(EXCEPTION_POINTERS*) {
  ProcessCrashSnapshot().GiveBack();
  return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void GiveBackOnTerminate() {
  ProcessCrashSnapshot().GiveBack();
  std::abort();
}

// Reading and deleting stay open to others: the crash filter deletes the
// journal while this handle is open.
HANDLE OpenForWriting(const std::u16string& path) {
  return CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
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

CrashSnapshot::CrashSnapshot() { InitializeCriticalSection(&lock_); }

CrashSnapshot::~CrashSnapshot() { DeleteCriticalSection(&lock_); }

void CrashSnapshot::Take(const JournalRecord& record, const std::u16string& journalPath) {
  // Made aside and swapped in: the copy the filter may read any moment is
  // whole, the old one until the new one is ready.
  std::vector<Window> windows;
  // What was hidden with a window comes back as the window does.
  for (const auto* listed : {&record.windows, &record.hiddenWith}) {
    for (const JournalWindow& w : *listed) windows.push_back({ToHwnd(w.window), w.processId, WideString(w.className)});
  }
  std::vector<Window> taskbars;
  for (const JournalWindow& w : record.hiddenTaskbars) {
    taskbars.push_back({ToHwnd(w.window), w.processId, WideString(w.className)});
  }
  std::wstring path = WideString(journalPath);
  EnterCriticalSection(&lock_);
  windows_.swap(windows);
  taskbars_.swap(taskbars);
  path_.swap(path);
  taskbarHidden_ = record.taskbarHidden;
  lockTimeout_ = record.lockTimeout;
  LeaveCriticalSection(&lock_);
  // The old copies are freed here, outside the lock.
}

void CrashSnapshot::Clear() { Take(JournalRecord{}, u""); }

void CrashSnapshot::GiveBack() {
  if (InterlockedExchange(&entered_, 1) != 0) return;  // a second fault while giving back
  EnterCriticalSection(&lock_);
  for (const Window& w : windows_) {
    // A window closed since may have left its handle to another program's.
    if (!StillTheSameWindow(w.window, w.processId, w.className)) continue;
    SetWindowPos(w.window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS);
  }
  if (taskbarHidden_) {
    ShowAsync(FindWindowW(L"Shell_TrayWnd", nullptr));
    HWND start = FindWindowW(L"Button", L"スタート");
    ShowAsync(start != nullptr ? start : FindWindowW(L"Button", L"Start"));
  }
  for (const Window& w : taskbars_) {
    if (StillTheSameWindow(w.window, w.processId, w.className)) ShowAsync(w.window);
  }
  if (lockTimeout_) {
    DWORD now = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &now, 0);
    if (const auto putBack = LockTimeoutToPutBack(lockTimeout_, now)) {
      SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(*putBack)),
                            0);
    }
  }
  // Given back: the next start has nothing left to recover.
  if (!path_.empty()) DeleteFileW(path_.c_str());
  LeaveCriticalSection(&lock_);
}

CrashSnapshot& ProcessCrashSnapshot() {
  static CrashSnapshot snapshot;
  return snapshot;
}

JournalFiles::~JournalFiles() {
  // Not removed: the process is ending without its exit, and the journal
  // stays for the next start.
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool JournalFiles::Write(const std::u16string& path, const JournalRecord& record) {
  bool saved = false;
  if (file_ != INVALID_HANDLE_VALUE && path == path_) {
    // A write that failed (a full disk, a share dropped and back) is tried
    // once more on the file opened anew.
    saved = Save(record) || (Reopen() && Save(record));
  } else {
    // The first write, or the journal moves: the old file stays until the
    // new one is saved.
    const HANDLE old = std::exchange(file_, INVALID_HANDLE_VALUE);
    const std::u16string oldPath = std::exchange(path_, std::u16string());
    saved = Create(path) && Save(record);
    if (saved) {
      if (old != INVALID_HANDLE_VALUE) CloseHandle(old);
      if (!oldPath.empty() && oldPath != path) DeleteFileW(Wide(oldPath));
    } else {
      // Nothing half made stays behind: another folder may be tried.
      if (file_ != INVALID_HANDLE_VALUE) {
        CloseHandle(file_);
        DeleteFileW(Wide(path));
      }
      file_ = old;
      path_ = oldPath;
    }
  }
  // Whatever became of the file: a crash gives back what the record lists.
  crash_.Take(record, path_);
  return saved;
}

bool JournalFiles::Reopen() {
  CloseHandle(file_);
  file_ = OpenForWriting(path_);
  return file_ != INVALID_HANDLE_VALUE;
}

bool JournalFiles::Create(const std::u16string& path) {
  file_ = OpenForWriting(path);
  if (file_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PATH_NOT_FOUND) {
    // The user's own folder is made on first need.
    const std::size_t separator = path.find_last_of(u"\\/");
    if (separator != std::u16string::npos) CreateDirectoryW(Wide(path.substr(0, separator)), nullptr);
    file_ = OpenForWriting(path);
  }
  if (file_ == INVALID_HANDLE_VALUE) return false;
  path_ = path;
  return true;
}

bool JournalFiles::Save(const JournalRecord& record) {
  std::wstring text(1, kByteOrderMark);
  text += WideString(FormatJournal(record));
  const auto bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  DWORD written = 0;
  return SetFilePointer(file_, 0, nullptr, FILE_BEGIN) == 0 &&
         WriteFile(file_, text.data(), bytes, &written, nullptr) && written == bytes && SetEndOfFile(file_);
}

void JournalFiles::Remove() {
  crash_.Clear();
  if (file_ == INVALID_HANDLE_VALUE) return;
  CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  DeleteFileW(Wide(path_));
  path_.clear();
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

std::u16string JournalFiles::UserFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return Utf16(folder) + u"\\Peekbar\\";
}

std::u16string JournalFiles::Seat() {
  wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(computer, &length)) length = 0;
  DWORD session = 0;
  ProcessIdToSessionId(GetCurrentProcessId(), &session);
  return Utf16(computer, length) + u"_" + DecimalText(session);
}

void InstallCrashGiveBack() {
  ProcessCrashSnapshot();  // made now, not in the middle of a crash
  SetUnhandledExceptionFilter(&GiveBackOnUnhandledException);
  std::set_terminate(&GiveBackOnTerminate);
}

}  // namespace peekbar::win32
