#include "core/app/displays.h"

namespace peekbar {

DisplayPlan PlanDisplays(std::span<const SlotLayout> slots, std::span<const DisplayMonitor> present) {
  DisplayPlan plan;
  plan.slots.assign(slots.begin(), slots.end());
  if (present.empty()) return plan;

  const std::size_t known = slots.size();
  std::vector<bool> attached(known, false);
  std::vector<const DisplayMonitor*> unknown;
  for (const DisplayMonitor& monitor : present) {
    std::size_t slot = 0;
    while (slot < known && (attached[slot] || plan.slots[slot].device != monitor.device)) ++slot;
    if (slot == known) {
      unknown.push_back(&monitor);
      continue;
    }
    attached[slot] = true;
    SlotLayout& layout = plan.slots[slot];
    if (!layout.active) {
      plan.arrived.push_back(static_cast<int>(slot));
    } else if (layout.rect != monitor.rect || layout.dpi != monitor.dpi) {
      plan.moved.push_back(static_cast<int>(slot));
    }
    layout.rect = monitor.rect;
    layout.dpi = monitor.dpi;
    layout.active = true;
  }
  // A device never seen takes a new slot; at the limit, the first slot of a
  // device still away (which is forgotten); with none, it is left out.
  std::size_t reused = 0;
  for (const DisplayMonitor* monitor : unknown) {
    std::size_t slot = plan.slots.size();
    if (slot >= kMaxMonitorSlots) {
      while (reused < known && (attached[reused] || plan.slots[reused].active)) ++reused;
      if (reused == known) break;
      slot = reused;
      attached[slot] = true;
      plan.slots[slot] = {monitor->device, monitor->rect, true, monitor->dpi};
    } else {
      plan.slots.push_back({monitor->device, monitor->rect, true, monitor->dpi});
    }
    plan.arrived.push_back(static_cast<int>(slot));
  }
  for (std::size_t slot = 0; slot < known; ++slot) {
    if (attached[slot] || !plan.slots[slot].active) continue;
    plan.slots[slot].active = false;
    plan.gone.push_back(static_cast<int>(slot));
  }
  return plan;
}

const DisplayMonitor& PrimaryMonitor(std::span<const DisplayMonitor> present) {
  for (const DisplayMonitor& monitor : present) {
    if (monitor.rect.Contains({0, 0})) return monitor;
  }
  return present.front();
}

}  // namespace peekbar
