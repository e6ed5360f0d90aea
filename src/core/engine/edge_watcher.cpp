#include "engine/edge_watcher.h"

namespace peekbar {

void EdgeWatcher::EdgeTick() {
  bool anyShown = false;
  for (MonitorSlot& slot : state_.monitorSlots) {
    for (std::size_t k = 0; k < kLocationCount; ++k) {
      const WindowHandle window = slot.window[k];
      if (window == kNoWindow) continue;
      // A window closed by its program is dropped silently.
      if (!desktop_.WindowExists(window)) {
        slot.window[k] = kNoWindow;
        continue;
      }
      if (slot.shown[k] != 0) anyShown = true;
    }
  }
  if (!anyShown) taskbar_.RestoreAfterShowCycle();
}

}  // namespace peekbar
