// The journals as files beside the settings files (or in the user's own
// folder when those cannot be written), and the last resort of a crash: the
// windows the journal lists given back before the process ends.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/base/journal_store.h"

namespace peekbar::win32 {

// What a crash needs, copied at every journal write whatever became of the
// file: the windows with their process and class, whether the taskbar is
// hidden, the user's foreground lock time-out and the journal to delete. The
// exception filter may run on any thread while the GUI thread goes on: a lock
// keeps it from reading a half-made copy.
class CrashSnapshot {
 public:
  CrashSnapshot();
  ~CrashSnapshot();
  CrashSnapshot(const CrashSnapshot&) = delete;
  CrashSnapshot& operator=(const CrashSnapshot&) = delete;

  // journalPath: the file this instance holds, empty when it holds none.
  void Take(const JournalRecord& record, const std::u16string& journalPath);
  void Clear();
  // Shows every listed window that is still the window it was (same
  // process, same class), not topmost; the taskbars when they are hidden; puts
  // the lock time-out back when it was left lowered; deletes the journal.
  // Only calls that never wait for another program, and no allocation: the
  // heap may be what failed. Once: a fault while giving back ends it.
  void GiveBack();

 private:
  struct Window {
    HWND window = nullptr;
    DWORD processId = 0;
    std::wstring className;
  };

  CRITICAL_SECTION lock_;
  std::vector<Window> windows_;
  bool taskbarHidden_ = false;
  std::vector<Window> taskbars_;  // the other monitors' taskbars that were hidden
  std::optional<std::uint32_t> lockTimeout_;
  std::wstring path_;
  LONG entered_ = 0;
};

// The snapshot the crash filter gives back.
CrashSnapshot& ProcessCrashSnapshot();

// This instance's journal is held open for writing from its first write to
// Remove: another instance that cannot open it for reading without sharing
// writes knows its owner runs. The system closes it however the process ends.
class JournalFiles final : public JournalStore {
 public:
  explicit JournalFiles(CrashSnapshot& crash = ProcessCrashSnapshot()) : crash_(crash) {}
  ~JournalFiles() override;

  bool Write(const std::u16string& path, const JournalRecord& record) override;
  void Remove() override;
  std::vector<AbandonedJournal> FindAbandoned(const std::u16string& directory, const std::u16string& namePrefix,
                                              const std::u16string& extension) override;
  void Delete(const std::u16string& path) override;
  // "%LOCALAPPDATA%\Peekbar\".
  std::u16string UserFolder() override;
  // "<computer name>_<session id>".
  std::u16string Seat() override;

 private:
  // Creates the journal at path, and its folder when missing.
  bool Create(const std::u16string& path);
  // Closes the journal and opens it again, emptied.
  bool Reopen();
  bool Save(const JournalRecord& record);

  CrashSnapshot& crash_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::u16string path_;
};

// From here on an unhandled exception or a call to std::terminate gives back
// what the process's snapshot lists, then lets the process end.
void InstallCrashGiveBack();

}  // namespace peekbar::win32
