// Where a running instance keeps its journal: the windows it has taken from
// other programs, whether it hid the taskbar and the user's foreground lock
// time-out, so that an instance that ends without its exit (a crash, a kill)
// loses nothing for good. Files beside the settings files on Windows; memory
// in the tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/base/desktop.h"

namespace peekbar {

// A window as it was when it was taken: a handle alone could name another
// program's window by the time it is read back.
struct JournalWindow {
  WindowHandle window = kNoWindow;
  std::uint32_t processId = 0;
  std::u16string className;
  friend bool operator==(const JournalWindow&, const JournalWindow&) = default;
};

struct JournalRecord {
  std::uint32_t owner = 0;  // the process that keeps the journal
  bool taskbarHidden = false;
  std::vector<JournalWindow> windows;
  // The user's foreground lock time-out as it was before Peekbar lowered
  // it; none in the journal of an older build.
  std::optional<std::uint32_t> lockTimeout;
  friend bool operator==(const JournalRecord&, const JournalRecord&) = default;
};

// A journal left by an instance that has ended.
struct AbandonedJournal {
  std::u16string path;
  std::u16string text;
};

class JournalStore {
 public:
  JournalStore() = default;
  JournalStore(const JournalStore&) = delete;
  JournalStore& operator=(const JournalStore&) = delete;
  virtual ~JournalStore() = default;

  // Replaces this instance's journal at path with the record. The journal
  // stays held by this process until Remove or the process's end, however
  // it ends: that is how other instances tell a running owner from a gone one.
  virtual bool Write(const std::u16string& path, const JournalRecord& record) = 0;
  // This instance's journal is deleted (a clean end).
  virtual void Remove() = 0;
  // The journals in directory whose names start with namePrefix and end
  // with extension, and that no running process holds, with their text.
  virtual std::vector<AbandonedJournal> FindAbandoned(const std::u16string& directory,
                                                      const std::u16string& namePrefix,
                                                      const std::u16string& extension) = 0;
  virtual void Delete(const std::u16string& path) = 0;
};

}  // namespace peekbar
