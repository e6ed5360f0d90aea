#include "core/engine/hotkey_toggle.h"

#include <array>

namespace peekbar {

Point StretchMiddle(const Rect& m, int location, const Settings& settings) {
  const LocationSpan span = LocationSpan::Of(m, settings.cornerLength, settings.middleLength);
  std::array<LocationEdgeSpan, 2> spans;
  const int count = LocationSpans(m, span, location, spans);
  const Edge docking = LocationRowOf(location).dockingEdge;
  EdgeInterval along = spans[0].interval;
  for (int i = 0; i < count; ++i) {
    if (spans[static_cast<std::size_t>(i)].edge == docking) along = spans[static_cast<std::size_t>(i)].interval;
  }
  const std::int32_t middle = along.begin + (along.end - along.begin) / 2;
  switch (docking) {
    case Edge::Top: return {middle, m.top};
    case Edge::Bottom: return {middle, m.bottom - 1};
    case Edge::Left: return {m.left, middle};
    case Edge::Right: return {m.right - 1, middle};
  }
  return {};
}

HotkeyToggle ToggleByHotkey(AppState& state, Desktop& desktop, ShowHide& showHide, int monitor, int location) {
  if (state.ending) return HotkeyToggle::Ending;
  if (state.showAllActive) return HotkeyToggle::ShowingAll;
  if (monitor >= state.MonitorCount() || !state.Monitor(monitor).active) return HotkeyToggle::MonitorAway;
  const ShowCycle& cycle = state.At(monitor, location).cycle;
  // A closed window is left for the tick to drop, with the journal.
  if (cycle.Window() == kNoWindow || !desktop.WindowExists(cycle.Window())) return HotkeyToggle::NothingRegistered;
  if (cycle.IsShown()) {
    showHide.BringDown(monitor, location);
    return HotkeyToggle::PutAway;
  }
  showHide.BringUp(monitor, location, StretchMiddle(state.Monitor(monitor).monitorRect, location, state.settings));
  return HotkeyToggle::BroughtUp;
}

}  // namespace peekbar
