// The overlays' owner: it keeps their state (whether the guides are up, the
// trigger window's place, whether the user sent it away, its tip) and
// decides, each tick, on each key change and on each report from the
// trigger window, what they show. The result is one frame, told to the
// view whenever it changed.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/state.h"
#include "core/engine/full_screen.h"
#include "core/engine/overlay_hooks.h"
#include "core/engine/show_hide.h"
#include "core/overlays/overlay_view.h"
#include "core/overlays/trigger.h"

namespace peekbar {

class Overlays final : public OverlayHooks {
 public:
  Overlays(AppState& state, Desktop& desktop, OverlayView& view, ShowHide& showHide, FullScreenRule& fullScreen,
           std::function<void()> openMenu)
      : state_(state), desktop_(desktop), view_(view), showHide_(showHide), fullScreen_(fullScreen),
        openMenu_(std::move(openMenu)) {}

  // The tick: the trigger window goes when the pointer left it and follows
  // the keys, the guides come up or go, the tip follows the cell under the
  // pointer. Allocates nothing while nothing changes.
  void Follow(Point pointer, bool keysChanged) override;

  // The overlays as the settings and registrations want them now: guides
  // made where they are missing.
  void Refresh() { Publish(); }
  // A tick while paused: nothing follows the pointer or the keys, but the
  // guides still keep off a full-screen program.
  void FollowFullScreen();
  // The guide settings were applied: the guides are made or closed, and
  // hidden until the tick finds their condition (shown with ALWAYS_SHOW).
  void GuideSettingsApplied();
  // Every bar painted anew: its colour, the labels' settings or the opacity changed.
  void RepaintGuides();
  void LabelFontChanged() { view_.LabelFontChanged(state_.settings.labelFont); }
  // Closed, to be made anew by the next Refresh: the monitors moved or
  // another profile is read.
  void CloseGuides();
  // The trigger window and its tip closed; the next key press makes it anew.
  void CloseTrigger();

  // Reports from the trigger window, in its client coordinates.
  void TriggerPointerMoved(Point client);
  void TriggerClicked(Point client, bool rightButton);

  // The monitor-number captions made anew from their settings: one per
  // attached monitor where there are several, none with SHOW -1.
  void RebuildMonitorNumberPopups();
  void ShowMonitorNumberPopups(bool show) { view_.ShowMonitorPopups(show); }

 private:
  void FollowKeys(Point pointer);
  void BringUpTrigger(Point pointer);
  void UpdateTip(Point pointer);
  // A window its cells brought up may be activated by its program after
  // the click, which lifts it over the trigger window.
  void KeepTriggerAboveShownWindows();
  void Publish();
  void ComposeGuides();
  void ComposeGuide(const MonitorSlot& slot, bool labels, GuideView& view);
  void ComposeTrigger();

  AppState& state_;
  Desktop& desktop_;
  OverlayView& view_;
  ShowHide& showHide_;
  FullScreenRule& fullScreen_;
  std::function<void()> openMenu_;

  TriggerState trigger_;
  // The tick's last word on the guides (they stay as they are when it has none).
  bool guidesUp_ = false;
  // Per monitor, the registrations its bars were composed for; the bars are
  // composed again when these differ, when the labels come or go (with the
  // guides, or with their keys), and when told.
  std::vector<std::array<WindowHandle, kLocationCount>> composedFor_;
  bool labelsComposed_ = false;
  bool guidesStale_ = false;
  OverlayFrame frame_;
  OverlayFrame shown_;
  bool mustShow_ = true;
};

}  // namespace peekbar
