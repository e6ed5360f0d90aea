// A location's hotkey: its window comes up as the edge brings it up, or goes
// away as the hide rule puts it away, whichever it is not doing now.
#pragma once

#include <cstdint>

#include "core/base/desktop.h"
#include "core/base/state.h"
#include "core/engine/show_hide.h"

namespace peekbar {

// What a press of a location's hotkey did, and why.
enum class HotkeyToggle : std::uint8_t {
  BroughtUp,
  PutAway,
  NothingRegistered,  // no window there, or one its program has closed
  ShowingAll,         // every window is up until show-all ends
  MonitorAway,        // the location's monitor is detached
  Ending,             // everything has been given back
};

// The middle of the location's stretch, on the outermost line of the edge
// its window docks against: where a pointer would dock it centred there.
Point StretchMiddle(const Rect& monitor, int location, const Settings& settings);

// Brings the window up at the middle of its stretch when it is not shown,
// and puts it away when it is. Pause and the dwell play no part. The caller
// ends the show cycle when nothing else is up.
HotkeyToggle ToggleByHotkey(AppState& state, Desktop& desktop, ShowHide& showHide, int monitor, int location);

}  // namespace peekbar
