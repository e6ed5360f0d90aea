// The guide bars: one translucent overlay per monitor marks every location
// that holds a registered window with a bar of its colour, labelled with the
// window's title. Here are the decisions; the Windows side only paints them.
#pragma once

#include <array>
#include <cstdint>

#include "core/base/geometry.h"
#include "core/base/state.h"

namespace peekbar {

// Pixels painted in this colour are fully transparent on a guide.
inline constexpr Color kGuideColorKey = 0x080808;

// The bars are painted layer by layer, each layer in the locations' order.
inline constexpr std::array<int, kLocationCount> kGuidePaintOrder =
    LocationsOrderedBy([](const LocationRow& row) { return row.paintLayer; }).items;

// A location's bar in the guide's client coordinates (the monitor's top-left
// corner is 0, 0), GUIDE_WIDTH thick and as long as the location's span.
// Corners have a second, vertical arm; the first rectangle is always the one
// along the top or bottom edge, the frame of the label. An empty or inverted
// rectangle fills nothing.
struct GuideBar {
  std::array<Rect, 2> parts{};
  int count = 0;
  friend bool operator==(const GuideBar&, const GuideBar&) = default;
};
GuideBar GuideBarOf(const Rect& monitor, const LocationSpan& span, std::int32_t guideWidth, int location);

inline bool FillsSomething(const Rect& r) { return r.left < r.right && r.top < r.bottom; }

// A size the user chose, meant at the system's DPI, on the slot's monitor:
// in proportion to its DPI, never under one pixel.
inline std::int32_t AtMonitorDpi(const AppState& state, const MonitorSlot& slot, std::int32_t pixels) {
  return ScaleForDpi(pixels, slot.dpi, state.systemDpi);
}

// Some condition (at an edge, with a key, always) wants the guides made.
inline bool AnyGuideWanted(const Settings& s) {
  return s.guideEnabled != 0 || s.guideEnabledKey != 0 || s.guideAlwaysShow != 0;
}

// Every selected key is down; never true when no key is selected.
bool KeysHeld(const AppState& state, std::int32_t ctrl, std::int32_t shift, std::int32_t alt);

// The pointer lies within `judgmentWidth` pixels of one of the monitor's
// sides (JUDGMENT_WIDTH at the monitor's DPI).
bool IsPointerInJudgmentBand(const Rect& monitor, std::int32_t judgmentWidth, Point pointer);

// What the tick does with the guides of all monitors together, and why
// they come up: a monitor under a full-screen program keeps its own guide
// down either way, and its edges bring up no monitor's.
enum class GuideVisibility : std::uint8_t {
  Unchanged,
  ShownForKeys,  // the guide keys are held
  ShownAtEdge,   // the pointer is in the judgement band of its monitor
  Hidden,
};
GuideVisibility DecideGuideVisibility(const AppState& state, Point pointer);

// LABEL SHOW: 0 with the guides, 1 while the label keys are held, 2 never.
bool LabelsVisibleNow(const AppState& state);

// The label runs top to bottom, in full-width characters.
inline bool IsVerticalLabel(int location) { return LocationRowOf(location).labelRun == LabelRun::Down; }

// Top-left corner of a label's text cell measured w x h, beside the bar
// `frame` (client coordinates) inside the monitor. Side pieces sit one text
// line further from the edge than the middle piece, so neighbours on one
// edge do not collide.
Point LabelOrigin(int location, const Rect& frame, std::int32_t guideWidth, std::int32_t w, std::int32_t h);

// The box painted in the bar's colour under a label whose w x h cell starts
// at `origin`. Across, it is the cell. Downward, the cell is turned a quarter
// clockwise, so the baseline runs down `ascent` to the left of the origin,
// and the upright characters stand on it reaching `ascent` above it; the
// last one reaches its descent past the end.
Rect LabelBox(int location, Point origin, std::int32_t w, std::int32_t h, std::int32_t ascent);

}  // namespace peekbar
