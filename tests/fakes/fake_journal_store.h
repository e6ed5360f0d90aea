// Journals in memory: files with their text and whether a running process
// still holds them. Ending this process without its exit leaves its journal
// behind, unheld, as a crash or a kill does.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/base/journal_store.h"
#include "core/engine/recovery_journal.h"

namespace peekbar {

class FakeJournalStore final : public JournalStore {
 public:
  struct File {
    std::u16string text;
    bool held = false;  // by a running process
  };

  // ---- Setting the scene ----
  void AddFile(const std::u16string& path, const JournalRecord& record, bool held) {
    files_[path] = {FormatJournal(record), held};
  }
  // Runs at every write, before it is stored: lets a test look at the
  // desktop at that moment.
  void OnWrite(std::function<void()> action) { onWrite_ = std::move(action); }
  // Nothing can be written in folder from now on (a folder the user may not
  // write, a share dropped, a disk full): a journal there keeps what it
  // last held.
  void RefuseFolder(std::u16string folder) { refused_.push_back(std::move(folder)); }
  void AcceptEveryFolder() { refused_.clear(); }
  void SetUserFolder(std::u16string folder) { userFolder_ = std::move(folder); }
  // This process ends without its exit: its journal stays, held by no one.
  void EndWithoutExit() {
    if (const auto it = files_.find(ownPath_); it != files_.end()) it->second.held = false;
    ownPath_.clear();
  }

  // ---- What the core did ----
  const std::map<std::u16string, File>& Files() const { return files_; }
  // This process's journal as it stands, read back; empty when there is none.
  JournalRecord Own() const {
    const auto it = files_.find(ownPath_);
    return it == files_.end() ? JournalRecord{} : ParseJournal(it->second.text);
  }
  const std::u16string& OwnPath() const { return ownPath_; }
  int Writes() const { return writes_; }
  // What the last write carried, saved or not: what a crash gives back.
  const JournalRecord& LastWritten() const { return lastWritten_; }
  bool LastWriteSaved() const { return lastSaved_; }

  // ---- JournalStore ----
  bool Write(const std::u16string& path, const JournalRecord& record) override {
    ++writes_;
    if (onWrite_) onWrite_();
    lastWritten_ = record;
    // A journal moved to another path stays where it was when it cannot be
    // saved there.
    lastSaved_ = !Refused(path);
    if (!lastSaved_) return false;
    if (!ownPath_.empty() && path != ownPath_) files_.erase(ownPath_);
    ownPath_ = path;
    files_[ownPath_] = {FormatJournal(record), true};
    return true;
  }
  bool Refused(const std::u16string& path) const {
    for (const std::u16string& folder : refused_) {
      if (path.rfind(folder, 0) == 0) return true;
    }
    return false;
  }
  void Remove() override {
    files_.erase(ownPath_);
    ownPath_.clear();
  }
  std::vector<AbandonedJournal> FindAbandoned(const std::u16string& directory, const std::u16string& namePrefix,
                                              const std::u16string& extension) override {
    std::vector<AbandonedJournal> found;
    const std::u16string start = directory + namePrefix;
    for (const auto& [path, file] : files_) {
      if (file.held || path.rfind(start, 0) != 0 || path.size() < start.size() + extension.size() ||
          path.compare(path.size() - extension.size(), extension.size(), extension) != 0) {
        continue;
      }
      found.push_back({path, file.text});
    }
    return found;
  }
  void Delete(const std::u16string& path) override { files_.erase(path); }
  std::u16string UserFolder() override { return userFolder_; }
  std::u16string Seat() override { return u"DESK_1"; }

 private:
  std::map<std::u16string, File> files_;
  std::u16string ownPath_;
  std::vector<std::u16string> refused_;
  std::u16string userFolder_ = u"C:\\Users\\tester\\AppData\\Local\\Peekbar\\";
  JournalRecord lastWritten_;
  bool lastSaved_ = false;
  int writes_ = 0;
  std::function<void()> onWrite_;
};

}  // namespace peekbar
