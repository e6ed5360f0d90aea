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
  void NormaliseEncoding(const std::u16string& path) override;
};

}  // namespace peekbar::win32
