// What the edge watcher tells the overlay windows on every tick.
#pragma once

#include "core/base/geometry.h"

namespace peekbar {

class OverlayHooks {
 public:
  virtual ~OverlayHooks() = default;
  // The trigger window goes away once the pointer has left it.
  virtual void DismissTriggerWhenLeft(Point pointer) = 0;
  virtual void UpdateGuideVisibility(Point pointer) = 0;
  virtual void UpdateTriggerTip(Point pointer) = 0;
  // The modifier keys changed.
  virtual void UpdateTriggerWindowForKeys() = 0;
  virtual void InvalidateVisibleGuides() = 0;
  // Pause and show-all put the trigger window and its tip away.
  virtual void CloseTriggerWindowAndTip() = 0;
};

}  // namespace peekbar
