// Where a running instance keeps its journal: the windows it has taken from
// other programs and those it hid with them, whether it hid the taskbar and the user's foreground lock
// time-out, so that an instance that ends without its exit (a crash, a kill)
// loses nothing for good. Files beside the settings files on Windows, or in
// a folder of the user's own where those cannot be written; memory in the
// tests.
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

// Whether the handle still names the window written down, its class read
// up to `classUnits` as it was then.
inline bool IsSameWindow(Desktop& desktop, const JournalWindow& w, std::size_t classUnits) {
  return IsSameWindow(desktop, w.window, w.processId, w.className, classUnits);
}

struct HiddenWithOwner {
  WindowHandle window = kNoWindow;
  WindowHandle with = kNoWindow;
  friend bool operator==(const HiddenWithOwner&, const HiddenWithOwner&) = default;
};

struct JournalRecord {
  std::uint32_t owner = 0;  // the process that keeps the journal
  bool taskbarHidden = false;
  std::vector<JournalWindow> windows;
  // The user's foreground lock time-out as it was before Peekbar lowered
  // it; none in the journal of an older build.
  std::optional<std::uint32_t> lockTimeout;
  // Windows hidden with one of those windows (its dialogs, tool windows),
  // given back like them; none in the journal of an older build.
  std::vector<JournalWindow> hiddenWith;
  // The other monitors' taskbars Peekbar hid, shown again as the main one
  // is; none in the journal of an older build.
  std::vector<JournalWindow> hiddenTaskbars;
  // For each window hidden with another, the registered window it was
  // hidden with: it travels with that one when it is moved onto a monitor
  // present now. None in the journal of an older build.
  std::vector<HiddenWithOwner> hiddenWithOwners;
  // Peekbar gave everything back itself at the end of the session: nothing
  // is left to give back.
  bool sessionEnded = false;
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

  // Replaces this instance's journal with the record. The first write that
  // succeeds creates it at path (and its folder when missing); until then
  // every write tries path again, and a failed one leaves no file behind.
  // A write to the journal that fails (a full disk, a dropped share) is
  // tried once more on the file opened anew. A path other than the
  // journal's moves it there: the old file is deleted once the new one is
  // saved, and kept otherwise. Whatever becomes of the file, what a crash
  // gives back follows the record. The journal stays held by this process until Remove or the
  // process's end, however it ends: that is how other instances tell a
  // running owner from a gone one. False when the journal was not saved.
  virtual bool Write(const std::u16string& path, const JournalRecord& record) = 0;
  // This instance's journal is deleted (a clean end).
  virtual void Remove() = 0;
  // The journals in directory whose names start with namePrefix and end
  // with extension, and that no running process holds, with their text.
  virtual std::vector<AbandonedJournal> FindAbandoned(const std::u16string& directory,
                                                      const std::u16string& namePrefix,
                                                      const std::u16string& extension) = 0;
  virtual void Delete(const std::u16string& path) = 0;
  // The user's own folder for journals that cannot be kept beside the
  // settings files (a folder the user may not write), ending in a
  // separator; empty when the system names none.
  virtual std::u16string UserFolder() = 0;
  // This computer and session as journals' names carry them
  // ("<computer>_<session>"): the same account may run Peekbar on two
  // computers from one share, or in two sessions at once, and a journal is
  // only for the seat that wrote it.
  virtual std::u16string Seat() = 0;
};

}  // namespace peekbar
