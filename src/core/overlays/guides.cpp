#include "core/overlays/guides.h"

namespace peekbar {

GuideBar GuideBarOf(const Rect& m, const LocationSpan& span, std::int32_t g, int location) {
  std::array<LocationEdgeSpan, 2> spans{};
  GuideBar bar;
  bar.count = LocationSpans(m, span, location, spans);
  const auto w = static_cast<std::int32_t>(m.Width());
  const auto h = static_cast<std::int32_t>(m.Height());
  for (int i = 0; i < bar.count; ++i) {
    const LocationEdgeSpan& s = spans[static_cast<std::size_t>(i)];
    const std::int32_t bx = s.interval.begin - m.left;
    const std::int32_t ex = s.interval.end - m.left;
    const std::int32_t by = s.interval.begin - m.top;
    const std::int32_t ey = s.interval.end - m.top;
    Rect& r = bar.parts[static_cast<std::size_t>(i)];
    switch (s.edge) {
      case Edge::Top: r = {bx, 0, ex, g}; break;
      case Edge::Bottom: r = {bx, h - g, ex, h}; break;
      case Edge::Left: r = {0, by, g, ey}; break;
      case Edge::Right: r = {w - g, by, w, ey}; break;
    }
  }
  return bar;
}

bool KeysHeld(const AppState& state, std::int32_t ctrl, std::int32_t shift, std::int32_t alt) {
  if (ctrl == 0 && shift == 0 && alt == 0) return false;
  return (ctrl == 0 || state.ctrlDown) && (shift == 0 || state.shiftDown) && (alt == 0 || state.altDown);
}

bool IsPointerInJudgmentBand(const Rect& m, std::int32_t j, Point p) {
  const bool acrossX = m.left <= p.x && p.x < m.right;
  const bool acrossY = m.top <= p.y && p.y < m.bottom;
  return (acrossX && m.top <= p.y && p.y < m.top + j) || (acrossX && m.bottom - j <= p.y && p.y < m.bottom) ||
         (acrossY && m.left <= p.x && p.x < m.left + j) || (acrossY && m.right - j <= p.x && p.x < m.right);
}

GuideVisibility DecideGuideVisibility(const AppState& state, Point pointer) {
  const Settings& s = state.settings;
  if (s.guideAlwaysShow != 0) return GuideVisibility::Unchanged;  // shown when created
  const bool keysSelected = s.guideCtrl != 0 || s.guideShift != 0 || s.guideAlt != 0;
  if (s.guideEnabledKey != 0 && keysSelected) {
    if (KeysHeld(state, s.guideCtrl, s.guideShift, s.guideAlt)) return GuideVisibility::ShownForKeys;
    if (s.guideEnabled == 0) return GuideVisibility::Hidden;
  } else if (s.guideEnabled == 0) {
    return GuideVisibility::Unchanged;
  }
  if (state.monitorSlots.empty()) return GuideVisibility::Hidden;
  const MonitorSlot& slot = state.Monitor(MonitorIndexFromPoint(state.monitorSlots, pointer));
  return IsPointerInJudgmentBand(slot.monitorRect, AtMonitorDpi(state, slot, s.judgmentWidth), pointer)
             ? GuideVisibility::ShownAtEdge
             : GuideVisibility::Hidden;
}

bool LabelsVisibleNow(const AppState& state) {
  const Settings& s = state.settings;
  switch (s.labelShow) {
    case 0: return true;
    case 1: return KeysHeld(state, s.labelCtrl, s.labelShift, s.labelAlt);
    default: return false;
  }
}

Point LabelOrigin(int location, const Rect& f, std::int32_t g, std::int32_t w, std::int32_t h) {
  const LocationRow& row = LocationRowOf(location);
  const EdgePiece& frame = row.pieces[0];
  const bool secondLine = row.labelPlacement == LabelPlacement::SecondLine;
  std::int32_t acrossX = (f.left + f.right - w) / 2;
  if (row.labelPlacement == LabelPlacement::AtCorner) {
    acrossX = frame.stretch == Stretch::StartCorner ? g : f.right - g - w;
  }
  const std::int32_t alongY = (f.top + f.bottom - w) / 2 - h;
  // One and a half text lines off the bar, truncated once at the end.
  const auto lineAndHalf = [h](std::int32_t from, int sign) {
    return static_cast<std::int32_t>(static_cast<double>(from) + sign * 1.5 * static_cast<double>(h));
  };
  switch (frame.edge) {
    case Edge::Top: return {acrossX, secondLine ? g + h : g};
    case Edge::Bottom: return {acrossX, secondLine ? f.top - 2 * h : f.top - h};
    case Edge::Right: return {secondLine ? lineAndHalf(f.left, -1) : f.left - h / 2, alongY};
    case Edge::Left: return {secondLine ? lineAndHalf(g, 1) : g + h / 2, alongY};
  }
  return {};
}

Rect LabelBox(int location, Point o, std::int32_t w, std::int32_t h, std::int32_t ascent) {
  if (IsVerticalLabel(location)) return {o.x - ascent, o.y - ascent, o.x - ascent + h, o.y + w + h - 2 * ascent};
  return {o.x, o.y, o.x + w, o.y + h};
}

}  // namespace peekbar
