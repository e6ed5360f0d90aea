// Settings files kept in memory: files hold sections, sections hold keys in
// the order they were first written, as the private-profile functions keep
// them in an INI file. Section and key names match without regard to ASCII
// case, as on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/settings_store.h"

namespace peekbar {

class FakeSettingsStore final : public SettingsStore {
 public:
  // One WriteText call as the core made it.
  struct Write {
    std::u16string path;
    std::u16string section;
    std::u16string key;
    std::u16string value;
    bool succeeded = false;
  };

  // ---- Setting the scene (not recorded) ----
  void Set(const std::u16string& path, std::u16string_view section, std::u16string_view key,
           std::u16string_view value);
  void SetInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
              std::int64_t value);
  // The file as bytes on the disk. Bytes that start with a UTF-16LE
  // byte-order mark are read as UTF-16; others one character per byte, as
  // the system's ANSI code page reads ASCII.
  void SetBytes(const std::u16string& path, std::string_view bytes);
  // Every write into this file fails from now on (or succeeds again), as
  // while another program holds it open without sharing writes: it can be
  // neither written, nor replaced, nor renamed.
  void FailWritesTo(const std::u16string& path, bool fail = true);
  // Every write of a key of this name fails, into any file.
  void FailWritesOfKey(std::u16string_view key) { failingKeys_.emplace(key); }

  // ---- Reading the files back ----
  bool HasFile(const std::u16string& path) const { return files_.count(path) != 0; }
  // The file's bytes as ReadFileBytes gives them; nothing without the file.
  std::optional<std::string> Bytes(const std::u16string& path) const;
  std::optional<std::u16string> Get(const std::u16string& path, std::u16string_view section,
                                    std::u16string_view key) const;
  // The keys of a section in file order.
  std::vector<std::u16string> Keys(const std::u16string& path, std::u16string_view section) const;
  std::size_t FileCount() const { return files_.size(); }

  // ---- What the core did ----
  const std::vector<Write>& Writes() const { return writes_; }
  // "SECTION/KEY=value" (UTF-8) for every write attempt, failed ones marked "!".
  std::vector<std::string> WriteLog() const;
  void ClearWrites() { writes_.clear(); }
  int ReadCount() const { return reads_; }
  // Each file whose bytes were read whole, and each read of a key, in
  // order: the path's name for the one, "read <name>" for the other.
  const std::vector<std::string>& AccessLog() const { return accesses_; }

  // ---- SettingsStore ----
  std::int32_t ReadInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                       std::int32_t defaultValue) override;
  std::u16string ReadText(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                          std::u16string_view defaultValue, std::size_t capacity) override;
  bool WriteText(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                 std::u16string_view value) override;
  std::optional<std::string> ReadFileBytes(const std::u16string& path) override;
  bool WriteFileBytes(const std::u16string& path, std::string_view bytes) override;
  bool RenameFile(const std::u16string& from, const std::u16string& to) override;
  bool FileExists(const std::u16string& path) override { return HasFile(path); }
  void RemoveFile(const std::u16string& path) override;

 private:
  void NoteRead(const std::u16string& path);
  struct Section {
    std::u16string name;
    std::vector<std::pair<std::u16string, std::u16string>> entries;
  };
  using File = std::vector<Section>;

  const std::u16string* Lookup(const std::u16string& path, std::u16string_view section,
                               std::u16string_view key) const;
  void Store(const std::u16string& path, std::u16string_view section, std::u16string_view key,
             std::u16string_view value);

  std::map<std::u16string, File> files_;
  // The bytes of the files last written whole; a file written by key is
  // kept by its keys alone.
  std::map<std::u16string, std::string> bytes_;
  std::set<std::u16string> failingPaths_;
  std::set<std::u16string, std::less<>> failingKeys_;
  std::vector<Write> writes_;
  int reads_ = 0;
  std::vector<std::string> accesses_;
};

}  // namespace peekbar
