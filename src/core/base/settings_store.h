// The settings files, reached through the private-profile functions on
// Windows and through an in-memory store in the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace peekbar {

class SettingsStore {
 public:
  SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  virtual ~SettingsStore() = default;

  // GetPrivateProfileIntW: a missing key gives the default; present text is
  // read as a leading signed decimal number (0 when it does not start with one).
  virtual std::int32_t ReadInt(const std::u16string& path, std::u16string_view section,
                               std::u16string_view key, std::int32_t defaultValue) = 0;
  // GetPrivateProfileStringW into a buffer of capacity units (NUL included):
  // a missing key gives the default; longer text is cut.
  virtual std::u16string ReadText(const std::u16string& path, std::u16string_view section,
                                  std::u16string_view key, std::u16string_view defaultValue,
                                  std::size_t capacity) = 0;
  // WritePrivateProfileStringW; creates the file when it does not exist.
  virtual bool WriteText(const std::u16string& path, std::u16string_view section,
                         std::u16string_view key, std::u16string_view value) = 0;

  // ---- Whole files, for a settings file written anew in another encoding ----
  // The file's bytes; nothing when it does not exist or cannot be read.
  virtual std::optional<std::string> ReadFileBytes(const std::u16string& path) = 0;
  // The file made anew holding exactly `bytes`; true only once all of them
  // are on the disk.
  virtual bool WriteFileBytes(const std::u16string& path, std::string_view bytes) = 0;
  // `from` renamed as `to`, replacing a file of that name; true once the
  // change is on the disk. Not atomic everywhere: on FAT and exFAT the file
  // replaced is removed first, and a crash between the two steps leaves
  // only `from`.
  virtual bool RenameFile(const std::u16string& from, const std::u16string& to) = 0;
  virtual bool FileExists(const std::u16string& path) = 0;
  virtual void RemoveFile(const std::u16string& path) = 0;
};

}  // namespace peekbar
