// What the edge watcher tells the overlays on every tick.
#pragma once

#include "core/base/geometry.h"

namespace peekbar {

class OverlayHooks {
 public:
  virtual ~OverlayHooks() = default;
  // The tick's pointer, and whether a modifier key changed since the last
  // tick: the trigger window, the guides and their labels follow.
  virtual void Follow(Point pointer, bool keysChanged) = 0;
};

}  // namespace peekbar
