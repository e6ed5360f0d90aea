// The settings store over the private-profile functions.
#pragma once

#include "core/base/settings_store.h"

namespace peekbar::win32 {

class IniStore final : public SettingsStore {
 public:
  std::int32_t ReadInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                       std::int32_t defaultValue) override;
  std::u16string ReadText(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                          std::u16string_view defaultValue, std::size_t capacity) override;
  bool WriteText(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                 std::u16string_view value) override;
  std::optional<std::string> ReadFileBytes(const std::u16string& path) override;
  bool WriteFileBytes(const std::u16string& path, std::string_view bytes) override;
  bool RenameFile(const std::u16string& from, const std::u16string& to) override;
  bool FileExists(const std::u16string& path) override;
  void RemoveFile(const std::u16string& path) override;
};

}  // namespace peekbar::win32
