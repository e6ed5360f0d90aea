// The journals as files beside the settings files, and the last resort of a
// crash: the windows the journal lists given back before the process ends.
#pragma once

#include <windows.h>

#include <string>

#include "core/base/journal_store.h"

namespace peekbar::win32 {

// This instance's journal is held open for writing from its first write to
// Remove: another instance that cannot open it for reading without sharing
// writes knows its owner runs. The system closes it however the process ends.
class JournalFiles final : public JournalStore {
 public:
  JournalFiles() = default;
  ~JournalFiles() override;

  bool Write(const std::u16string& path, const JournalRecord& record) override;
  void Remove() override;
  std::vector<AbandonedJournal> FindAbandoned(const std::u16string& directory, const std::u16string& namePrefix,
                                              const std::u16string& extension) override;
  void Delete(const std::u16string& path) override;

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::u16string path_;
};

// From here on an unhandled exception or a call to std::terminate gives the
// windows of this instance's journal back, and shows the taskbar when the
// journal says it is hidden, with calls that never wait for another program,
// then lets the process end.
void InstallCrashGiveBack();

}  // namespace peekbar::win32
