// Settings files of any bytes: the conversion to UTF-16 takes only UTF-8,
// and gives back exactly the text the bytes hold.
#include <cstdlib>
#include <string_view>

#include "core/base/text.h"
#include "core/settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace peekbar;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<std::u16string> text = Utf8SettingsText(bytes);
  if (!text) return 0;
  const std::string_view body = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
  if (Utf8FromUtf16(*text) != body) std::abort();
  return 0;
}
