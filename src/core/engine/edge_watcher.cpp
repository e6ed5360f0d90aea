#include "core/engine/edge_watcher.h"

namespace peekbar {

void EdgeWatcher::EdgeTick() {
  const std::uint32_t now = desktop_.TickCount();
  Point pointer;
  if (!desktop_.PointerPosition(pointer)) return;  // another desktop is active
  bool anyShown = false;
  fullScreen_.NewTick();

  overlays_.Follow(pointer, UpdateModifierKeys());

  const bool atEdges = state_.settings.enabledAtEdge != 0;
  bool dropped = false;
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    for (int k = 0; k < kLocationCount; ++k) {
      if (state_.ending) return;  // everything was given back meanwhile
      ShowCycle& cycle = state_.At(m, k).cycle;
      if (cycle.Window() == kNoWindow) continue;
      if (!desktop_.WindowExists(cycle.Window())) {
        cycle.Release();  // closed by its program: dropped silently
        dropped = true;
        continue;
      }
      // The tray menu keeps the foreground while it is open: the edges wait,
      // a dwell starts afresh and a window up stays up until it closes.
      if (state_.trayMenuOpen) {
        if (cycle.IsShown()) {
          anyShown = true;
        } else {
          cycle.DropDwell(now);
        }
        continue;
      }
      // Hiding runs whatever ENABLED_AT_EDGE says, so a window shown from the
      // trigger window goes away by the same rule.
      if (cycle.IsShown()) {
        showHide_.CheckHideLocation(m, k, now, anyShown, pointer);
      } else if (atEdges) {
        showHide_.TryShowLocation(m, k, now, anyShown, pointer);
      }
    }
  }
  // Its handle may soon name another program's window, which neither the
  // next start nor a crash must show.
  if (dropped) journal_.Sync();
  if (!anyShown) taskbar_.RestoreAfterShowCycle();
}

void EdgeWatcher::FollowWindowsBroughtBack() {
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    for (int k = 0; k < kLocationCount; ++k) {
      if (state_.ending) return;
      if (!state_.At(m, k).cycle.HiddenWith().empty()) showHide_.FollowWindowBroughtBack(m, k);
    }
  }
}

bool EdgeWatcher::UpdateModifierKeys() {
  const Settings& s = state_.settings;
  if (s.triggerEnabled == 0 && s.guideEnabledKey == 0 && s.labelShow != 1) return false;
  bool changed = false;
  const auto poll = [&](VirtualKey key, bool& flag) {
    const bool down = desktop_.IsKeyDown(key);
    if (down != flag) {
      flag = down;
      changed = true;
    }
  };
  poll(VirtualKey::Control, state_.ctrlDown);
  poll(VirtualKey::Shift, state_.shiftDown);
  poll(VirtualKey::Alt, state_.altDown);
  return changed;
}

}  // namespace peekbar
