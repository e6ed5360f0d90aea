#include "core/overlays/label_colors.h"

#include <algorithm>

namespace peekbar {
namespace {

Color Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | (g << 8) | (b << 16); }

}  // namespace

Color LabelColorFor(Color guideColor, const Settings& settings) {
  const std::uint32_t r = guideColor & 0xFF;
  const std::uint32_t g = (guideColor >> 8) & 0xFF;
  const std::uint32_t b = (guideColor >> 16) & 0xFF;
  switch (settings.labelFontColorIndex) {
    case 1: {  // complementary: the same lightness, opposite hue
      const std::uint32_t s = std::max({r, g, b}) + std::min({r, g, b});
      return Rgb(s - r, s - g, s - b);
    }
    case 2:
      return static_cast<Color>(settings.labelFontCustomColor);
    default:  // inverted
      return Rgb(255 - r, 255 - g, 255 - b);
  }
}

void ComputeLabelColors(AppState& state) {
  for (MonitorSlot& slot : state.monitorSlots) {
    for (LocationSlot& at : slot.locations) at.labelColor = LabelColorFor(at.guideColor, state.settings);
  }
}

}  // namespace peekbar
