// The overlay windows on Windows: the guide bars with their labels and the
// monitor-number captions, made, changed and told about every tick as the
// core asks.
#pragma once

#include <windows.h>

#include "core/base/state.h"
#include "core/engine/overlay_hooks.h"
#include "core/overlays/overlay_windows.h"
#include "win32/overlays/guide_window.h"
#include "win32/overlays/trigger_window.h"

namespace peekbar::win32 {

class Win32Overlays final : public OverlayWindows, public OverlayHooks {
 public:
  // The state the overlays show, and what the trigger window's clicks ask
  // of; set once the program exists.
  void Attach(AppState& state, TriggerActions& triggerActions) {
    state_ = &state;
    guides_.Attach(state);
    trigger_.Attach(state, triggerActions);
  }

  void CreateGuideWindows() override { guides_.Create(); }
  void CloseGuideWindows() override { guides_.Close(); }
  void HideGuideWindows() override { guides_.HideAll(); }
  void RefreshGuideWindows() override { guides_.Refresh(); }
  void InvalidateGuide(int monitor) override { guides_.Invalidate(monitor); }
  void RebuildLabelFonts() override { guides_.RebuildLabelFonts(); }
  void RebuildMonitorNumberPopups() override;
  void ShowMonitorNumberPopups(bool show) override;

  void DismissTriggerWhenLeft(Point pointer) override { trigger_.DismissWhenLeft(pointer); }
  void UpdateGuideVisibility(Point pointer) override { guides_.UpdateVisibility(pointer); }
  void UpdateTriggerTip(Point pointer) override {
    trigger_.StayAboveShownWindows();
    trigger_.UpdateTip(pointer);
  }
  void UpdateTriggerWindowForKeys() override { trigger_.FollowKeys(); }
  void InvalidateVisibleGuides() override { guides_.InvalidateVisible(); }
  void CloseTriggerWindowAndTip() override { trigger_.Close(); }

 private:
  AppState* state_ = nullptr;
  GuideWindows guides_;
  TriggerWindow trigger_;
};

}  // namespace peekbar::win32
