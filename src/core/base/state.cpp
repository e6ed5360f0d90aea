#include "core/base/state.h"

#include "core/base/hotkeys.h"

namespace peekbar {
namespace {

using LG = LocationSettingsGroup;

// Beyond any monitor's scaling: a larger value is not a DPI.
constexpr std::int32_t kLargestDpi = 96 * 50;

constexpr std::array<LocationSettingDef, 9> kLocationDefinitions = {{
    {LG::Location, u"KEYWORD_", 0, nullptr, nullptr},
    {LG::Location, u"REG_EXP_", 0, [](const LocationSlot& l) { return l.isRegex; },
     [](LocationSlot& l, std::int32_t v) { l.isRegex = v != 0 ? 1 : 0; }},
    {LG::Location, u"GUIDE_COLOR_", 255, [](const LocationSlot& l) { return static_cast<std::int32_t>(l.guideColor); },
     [](LocationSlot& l, std::int32_t v) { l.guideColor = static_cast<Color>(v); }},
    {LG::WindowRect, u"WIN_LEFT_", 0, [](const LocationSlot& l) { return l.savedRect.left; },
     [](LocationSlot& l, std::int32_t v) { l.savedRect.left = v; }},
    {LG::WindowRect, u"WIN_TOP_", 0, [](const LocationSlot& l) { return l.savedRect.top; },
     [](LocationSlot& l, std::int32_t v) { l.savedRect.top = v; }},
    {LG::WindowRect, u"WIN_RIGHT_", 0, [](const LocationSlot& l) { return l.savedRect.right; },
     [](LocationSlot& l, std::int32_t v) { l.savedRect.right = v; }},
    {LG::WindowRect, u"WIN_BOTTOM_", 0, [](const LocationSlot& l) { return l.savedRect.bottom; },
     [](LocationSlot& l, std::int32_t v) { l.savedRect.bottom = v; }},
    {LG::WindowRect, u"WIN_DPI_", 0, [](const LocationSlot& l) { return static_cast<std::int32_t>(l.savedDpi); },
     [](LocationSlot& l, std::int32_t v) { l.savedDpi = v > 0 && v <= kLargestDpi ? static_cast<std::uint32_t>(v) : 0; }},
    {LG::Hotkey, u"HOTKEY_", 0, [](const LocationSlot& l) { return l.hotkey; },
     [](LocationSlot& l, std::int32_t v) { l.hotkey = v >= 0 && v <= kLargestHotkey ? v : 0; }},
}};

}  // namespace

std::span<const LocationSettingDef> LocationSettingDefinitions() { return kLocationDefinitions; }

std::u16string LocationKey(const LocationSettingDef& def, int location) {
  return std::u16string(def.prefix) + DecimalText(location);
}

std::array<WindowHandle, kLocationCount> MonitorSlot::Windows() const {
  std::array<WindowHandle, kLocationCount> windows{};
  for (std::size_t k = 0; k < kLocationCount; ++k) windows[k] = locations[k].cycle.Window();
  return windows;
}

bool IsShellWindowClass(std::u16string_view className) {
  return className == u"Shell_TrayWnd" || className == u"Shell_SecondaryTrayWnd" || className == u"Progman" ||
         className == u"WorkerW";
}

bool AppState::IsRegistered(WindowHandle window) const {
  for (const MonitorSlot& slot : monitorSlots) {
    for (const LocationSlot& location : slot.locations) {
      if (location.cycle.Window() == window) return true;
    }
  }
  return false;
}

int MonitorIndexFromPoint(const std::vector<MonitorSlot>& monitors, Point point) {
  int firstActive = -1;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    if (!monitors[i].active) continue;
    if (monitors[i].monitorRect.Contains(point)) return static_cast<int>(i);
    if (firstActive < 0) firstActive = static_cast<int>(i);
  }
  return firstActive < 0 ? 0 : firstActive;
}

namespace {

// The active monitor holding the rectangle's centre; null where none does.
const MonitorSlot* MonitorHoldingCentre(const Rect& rect, const std::vector<MonitorSlot>& monitors) {
  const std::int64_t x = rect.left + rect.Width() / 2;
  const std::int64_t y = rect.top + rect.Height() / 2;
  for (const MonitorSlot& monitor : monitors) {
    const Rect& m = monitor.monitorRect;
    if (monitor.active && m.left <= x && x < m.right && m.top <= y && y < m.bottom) return &monitor;
  }
  return nullptr;
}

}  // namespace

bool IsUsableSavedRect(const Rect& rect, const std::vector<MonitorSlot>& monitors) {
  const std::int64_t w = rect.Width();
  const std::int64_t h = rect.Height();
  if (w <= 0 || h <= 0 || w > kLargestWindowExtent || h > kLargestWindowExtent) return false;
  return MonitorHoldingCentre(rect, monitors) != nullptr;
}

std::uint32_t DpiAt(const Rect& rect, const std::vector<MonitorSlot>& monitors, std::uint32_t otherwise) {
  const MonitorSlot* monitor = MonitorHoldingCentre(rect, monitors);
  return monitor != nullptr ? monitor->dpi : otherwise;
}

Rect SavedRectForNow(const LocationSlot& at, const std::vector<MonitorSlot>& monitors) {
  const Rect& saved = at.savedRect;
  const MonitorSlot* monitor = MonitorHoldingCentre(saved, monitors);
  if (at.savedDpi == 0 || monitor == nullptr || monitor->dpi == at.savedDpi) return saved;
  // A usable rectangle is no larger than a window can be: its size fits.
  const Rect& m = monitor->monitorRect;
  Rect now = saved;
  now.right = now.left + ScaleForDpi(static_cast<std::int32_t>(saved.Width()), monitor->dpi, at.savedDpi);
  now.bottom = now.top + ScaleForDpi(static_cast<std::int32_t>(saved.Height()), monitor->dpi, at.savedDpi);
  if (saved.right == m.right) {
    now.left = m.right - (now.right - now.left);
    now.right = m.right;
  }
  if (saved.bottom == m.bottom) {
    now.top = m.bottom - (now.bottom - now.top);
    now.bottom = m.bottom;
  }
  return now;
}

Point FitRectAroundPoint(const Rect& monitor, const Rect& rect, Point point) {
  const auto fit = [](std::int64_t centre, std::int64_t extent, std::int64_t low, std::int64_t high) {
    std::int64_t pos = centre + extent / 2 < high ? centre - extent / 2 : high - extent;
    if (pos < low) pos = low;
    return static_cast<std::int32_t>(pos);
  };
  return {fit(point.x, rect.Width(), monitor.left, monitor.right),
          fit(point.y, rect.Height(), monitor.top, monitor.bottom)};
}

}  // namespace peekbar
