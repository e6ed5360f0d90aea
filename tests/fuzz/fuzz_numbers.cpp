// The number read rules over any text: what the settings files give is
// parsed as the platform parses it and every rule leaves a value that it
// would leave as it is.
#include <cstdlib>

#include "core/base/settings.h"
#include "core/base/text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace peekbar;
  fuzz::Input input(data, size);
  const std::int32_t corner = input.Take<std::int32_t>();
  const std::u16string text = input.Text(64);
  const std::int32_t raw = ParseLeadingInt(text);
  Settings settings;
  settings.cornerLength = NormaliseSetting(DefinitionOf(&Settings::cornerLength), corner, settings);
  for (const SettingDef& def : SettingDefinitions()) {
    if (def.IsText()) continue;
    const std::int32_t value = NormaliseSetting(def, raw, settings);
    if (NormaliseSetting(def, value, settings) != value) std::abort();
    const bool bounded =
        def.rule == ReadRule::Clamp || def.rule == ReadRule::ResetOutside || def.rule == ReadRule::ResetBelow;
    if (bounded && (value < def.low || value > def.high) && value != def.replacement) std::abort();
  }
  return 0;
}
