// The trigger window's decisions: a small map of the pointer's monitor that
// comes up at the pointer while the trigger keys are held. Its 9 x 9 grid
// stands for the sixteen locations around a close block; a click brings a
// location's window up at the click point or puts it away again. The
// Windows side owns the window and paints what is decided here.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/base/geometry.h"
#include "core/base/state.h"
#include "core/settings/bound_pages.h"

namespace peekbar {

inline constexpr int kTriggerGridSize = 9;
inline constexpr int kTriggerGap = -1;
inline constexpr int kTriggerCloseBlock = kLocationCount;  // past every location
inline constexpr std::u16string_view kTriggerCloseTip = u"トリガーウィンドウを消す";

// The grid value of a cell: a location 0..15, the close block, or a gap.
int TriggerGridValue(int row, int column);
// The grid value under a point of a width x height client area; a gap for
// a point outside it.
int TriggerCellAt(Point client, std::int32_t width, std::int32_t height);
// The cell's rectangle in client coordinates.
Rect TriggerCellRect(int row, int column, std::int32_t width, std::int32_t height);

// What the trigger keys ask for when one of the modifier keys changed.
enum class TriggerKeyRequest : std::uint8_t {
  None,          // no key selected: the window never comes up
  BringUp,       // every selected key is down
  HideAndRearm,  // a selected key is up: hidden, and allowed to come up again
};
TriggerKeyRequest DecideTriggerKeys(const AppState& state);

// How a cell is painted. `hovered` is the grid value under the pointer.
struct TriggerCellLook {
  Color fill = 0;
  bool hatched = false;  // crossed diagonally in `hatch` over `fill`
  Color hatch = 0;
  friend bool operator==(const TriggerCellLook&, const TriggerCellLook&) = default;
};
TriggerCellLook TriggerCellLookOf(int value, int hovered, const MonitorSlot& monitor);

// The inverse of a colour: each of red, green and blue taken from 255.
Color InverseColor(Color color);

// Top-left corner of a w x h tip for the pointer: beside it and half a
// cursor (`halfCursor`) below, or moved left or above where it would leave
// the monitor.
Point TriggerTipPosition(Point pointer, std::int32_t w, std::int32_t h, std::int32_t halfCursor, const Rect& monitor);

// The trigger settings dialog: the window's width, height and opacity.
const BoundPage& TriggerSettingsPage();

// What a left click on a cell means.
enum class TriggerClick : std::uint8_t {
  Nothing,  // a gap, an empty location, or the window is not up
  Dismiss,  // the close block: away until a selected key is released
  BringUp,  // the location's window comes up around the click point
  PutAway,  // the location's window, up already, goes away
};

// What the trigger window keeps between ticks.
struct TriggerState {
  bool visible = false;
  // The user sent the window away while the keys are still held: it stays
  // away until a selected key is released.
  bool dismissed = false;
  // The monitor the grid stands for, and where the window stands on the
  // screen; both set whenever the window comes up.
  int monitor = 0;
  Rect rect;
  // The grid value under the pointer, as last seen.
  int hovered = kTriggerGap;
  // The monitor and grid value the current tip was made for; -1 for none.
  int tipMonitor = 0;
  int tipCell = -1;
};

// The grid value under a screen point, or a gap while the window is not up.
int TriggerCellUnder(const TriggerState& trigger, Point screen);
// The meaning of a left click on the grid value `cell`.
TriggerClick DecideTriggerClick(const AppState& state, const TriggerState& trigger, int cell);

}  // namespace peekbar
