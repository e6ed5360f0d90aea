#include "core/base/state.h"

namespace peekbar {
namespace {

constexpr std::array<std::u16string_view, kLocationCount> kLocationNames = {
    u"左上隅", u"上端左", u"上端中央", u"上端右", u"右上隅", u"右端上", u"右端中央", u"右端下",
    u"右下隅", u"下端右", u"下端中央", u"下端左", u"左下隅", u"左端下", u"左端中央", u"左端上",
};

constexpr std::array<std::u16string_view, kLocationCount> kLocationMenuLabels = {
    u"左上隅(&1)", u"上端左(&1)", u"上端中央(&2)", u"上端右(&3)",
    u"右上隅(&3)", u"右端上(&1)", u"右端中央(&2)", u"右端下(&3)",
    u"右下隅(&4)", u"下端右(&3)", u"下端中央(&2)", u"下端左(&1)",
    u"左下隅(&2)", u"左端下(&3)", u"左端中央(&2)", u"左端上(&1)",
};

using LG = LocationSettingsGroup;

constexpr std::array<LocationSettingDef, 7> kLocationDefinitions = {{
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
}};

}  // namespace

std::span<const LocationSettingDef> LocationSettingDefinitions() { return kLocationDefinitions; }

std::u16string LocationKey(const LocationSettingDef& def, int location) {
  return std::u16string(def.prefix) + DecimalText(location);
}

std::u16string_view LocationName(int location) {
  return kLocationNames[static_cast<std::size_t>(location)];
}

std::u16string_view LocationMenuLabel(int location) {
  return kLocationMenuLabels[static_cast<std::size_t>(location)];
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

LocationSpan LocationSpan::Of(const Rect& monitor, std::int32_t cornerLength, std::int32_t middleLength) {
  const auto w = static_cast<std::int32_t>(monitor.Width());
  const auto h = static_cast<std::int32_t>(monitor.Height());
  LocationSpan s;
  s.cornerX = cornerLength * w / 100;
  s.cornerY = cornerLength * h / 100;
  s.sideX = (w - middleLength * w / 100) / 2;
  s.sideY = (h - middleLength * h / 100) / 2;
  return s;
}

int LocationSpans(const Rect& m, const LocationSpan& s, int location, std::array<LocationEdgeSpan, 2>& out) {
  const auto one = [&](Edge edge, std::int32_t begin, std::int32_t end) {
    out[0] = {edge, {begin, end}};
    return 1;
  };
  const auto two = [&](Edge e1, std::int32_t b1, std::int32_t x1, Edge e2, std::int32_t b2, std::int32_t x2) {
    out[0] = {e1, {b1, x1}};
    out[1] = {e2, {b2, x2}};
    return 2;
  };
  switch (location) {
    case TopLeftCorner: return two(Edge::Top, m.left, m.left + s.cornerX, Edge::Left, m.top, m.top + s.cornerY);
    case TopLeft: return one(Edge::Top, m.left + s.cornerX, m.left + s.sideX);
    case TopMiddle: return one(Edge::Top, m.left + s.sideX, m.right - s.sideX);
    case TopRight: return one(Edge::Top, m.right - s.sideX, m.right - s.cornerX);
    case TopRightCorner: return two(Edge::Top, m.right - s.cornerX, m.right, Edge::Right, m.top, m.top + s.cornerY);
    case RightTop: return one(Edge::Right, m.top + s.cornerY, m.top + s.sideY);
    case RightMiddle: return one(Edge::Right, m.top + s.sideY, m.bottom - s.sideY);
    case RightBottom: return one(Edge::Right, m.bottom - s.sideY, m.bottom - s.cornerY);
    case BottomRightCorner:
      return two(Edge::Right, m.bottom - s.cornerY, m.bottom, Edge::Bottom, m.right - s.cornerX, m.right);
    case BottomRight: return one(Edge::Bottom, m.right - s.sideX, m.right - s.cornerX);
    case BottomMiddle: return one(Edge::Bottom, m.left + s.sideX, m.right - s.sideX);
    case BottomLeft: return one(Edge::Bottom, m.left + s.cornerX, m.left + s.sideX);
    case BottomLeftCorner:
      return two(Edge::Bottom, m.left, m.left + s.cornerX, Edge::Left, m.bottom - s.cornerY, m.bottom);
    case LeftBottom: return one(Edge::Left, m.bottom - s.sideY, m.bottom - s.cornerY);
    case LeftMiddle: return one(Edge::Left, m.top + s.sideY, m.bottom - s.sideY);
    case LeftTop: return one(Edge::Left, m.top + s.cornerY, m.top + s.sideY);
    default: return 0;
  }
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

bool IsUsableSavedRect(const Rect& rect, const std::vector<MonitorSlot>& monitors) {
  const std::int64_t w = rect.Width();
  const std::int64_t h = rect.Height();
  if (w <= 0 || h <= 0 || w > kLargestWindowExtent || h > kLargestWindowExtent) return false;
  const std::int64_t x = rect.left + w / 2;
  const std::int64_t y = rect.top + h / 2;
  for (const MonitorSlot& monitor : monitors) {
    if (!monitor.active) continue;
    const Rect& m = monitor.monitorRect;
    if (m.left <= x && x < m.right && m.top <= y && y < m.bottom) return true;
  }
  return false;
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
