// The settings files, reached through the private-profile functions on
// Windows and through an in-memory store in the tests.
#pragma once

#include <cstddef>
#include <cstdint>
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
  // Before a file is read: a file the private-profile functions would
  // misread (see Utf8SettingsText) is written anew as UTF-16 with a
  // byte-order mark, its text unchanged, through a temporary file that then
  // replaces it, so that a crash midway leaves one of the two whole.
  virtual void NormaliseEncoding(const std::u16string& path) = 0;
  // WritePrivateProfileStringW; creates the file when it does not exist.
  virtual bool WriteText(const std::u16string& path, std::u16string_view section,
                         std::u16string_view key, std::u16string_view value) = 0;
};

}  // namespace peekbar
