// Following the monitors while the program runs: which slot each attached
// monitor takes, and which slots its arrival or departure wakes or puts to
// sleep. A slot is a monitor's record (its MONITOR_<n> section, its number
// in the menu); slots are never removed or reordered while the program
// runs, so a number the user sees keeps meaning the same monitor.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/geometry.h"

namespace peekbar {

// The most slots the menu's command identifiers are laid out for.
inline constexpr std::size_t kMaxMonitorSlots = 40;

// What the bookkeeping needs of a slot.
struct SlotLayout {
  std::u16string device;
  Rect rect;
  bool active = true;
  std::uint32_t dpi = kDefaultDpi;

  bool operator==(const SlotLayout&) const = default;
};

struct DisplayPlan {
  // The old slots in their order, then a slot for each device never seen
  // before, in the system's order. An inactive slot keeps its last rectangle.
  std::vector<SlotLayout> slots;
  std::vector<int> gone;     // active before, detached now
  std::vector<int> arrived;  // attached now: back in its old slot, or new
  std::vector<int> moved;    // active before and now, with another rectangle or DPI

  bool Unchanged() const { return gone.empty() && arrived.empty() && moved.empty(); }
};

// A monitor keeps the slot of its device name, whatever its place in the
// system's order. With no monitor reported (a session between two
// displays) nothing changes: windows are not given back to nowhere.
DisplayPlan PlanDisplays(std::span<const SlotLayout> slots, std::span<const DisplayMonitor> present);

// Where a window of a detached monitor goes: the monitor holding the
// virtual screen's origin, else the first one.
const DisplayMonitor& PrimaryMonitor(std::span<const DisplayMonitor> present);

}  // namespace peekbar
