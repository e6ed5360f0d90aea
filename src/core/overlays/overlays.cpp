#include "core/overlays/overlays.h"

#include <algorithm>

#include "core/overlays/guides.h"
#include "core/overlays/monitor_popups.h"

namespace peekbar {
namespace {

// As much of a title as a label or a tip writes.
constexpr std::size_t kOverlayTitleUnits = 256;
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

}  // namespace

void Overlays::Follow(Point pointer, bool keysChanged) {
  const Settings& s = state_.settings;
  if (s.triggerEnabled != 0 && trigger_.visible && !trigger_.rect.Contains(pointer)) {
    trigger_.dismissed = true;  // the pointer left it
    trigger_.visible = false;
  }
  if (keysChanged && s.triggerEnabled != 0) FollowKeys(pointer);
  switch (DecideGuideVisibility(state_, pointer)) {
    case GuideVisibility::ShownForKeys: guidesUp_ = true; break;
    case GuideVisibility::ShownAtEdge:
      // The edges of a monitor under a full-screen program are the program's.
      guidesUp_ = !fullScreen_.IsQuiet(MonitorIndexFromPoint(state_.monitorSlots, pointer));
      break;
    case GuideVisibility::Hidden: guidesUp_ = false; break;
    case GuideVisibility::Unchanged: break;
  }
  trigger_.hovered = TriggerCellUnder(trigger_, pointer);
  UpdateTip(pointer);
  Publish();
  KeepTriggerAboveShownWindows();
}

void Overlays::FollowKeys(Point pointer) {
  switch (DecideTriggerKeys(state_)) {
    case TriggerKeyRequest::None: break;
    case TriggerKeyRequest::BringUp: BringUpTrigger(pointer); break;
    case TriggerKeyRequest::HideAndRearm:
      trigger_.dismissed = false;
      trigger_.visible = false;
      break;
  }
}

void Overlays::BringUpTrigger(Point pointer) {
  if (trigger_.dismissed || trigger_.visible || state_.monitorSlots.empty()) return;
  const int monitor = MonitorIndexFromPoint(state_.monitorSlots, pointer);
  // Over a full-screen program the keys are the program's: a game's Ctrl
  // brings nothing up. The next press asks again.
  if (fullScreen_.IsQuiet(monitor)) return;
  const Settings& s = state_.settings;
  const MonitorSlot& slot = state_.Monitor(monitor);
  // No larger than its monitor: every cell stays within reach, and its
  // sides, on the monitor, within what the system's coordinates hold.
  const Rect& m = slot.monitorRect;
  const auto side = [&](std::int32_t chosen, std::int64_t room) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(AtMonitorDpi(state_, slot, chosen), 0, room));
  };
  const std::int32_t w = side(s.triggerWidth, m.Width());
  const std::int32_t h = side(s.triggerHeight, m.Height());
  const Point at = FitRectAroundPoint(m, {0, 0, w, h}, pointer);
  trigger_.monitor = monitor;
  trigger_.rect = {at.x, at.y, at.x + w, at.y + h};
  trigger_.visible = true;
}

// Made again only when the cell under the pointer (or the monitor) changes.
void Overlays::UpdateTip(Point pointer) {
  TriggerTipView& tip = frame_.trigger.tip;
  if (!trigger_.visible) {
    if (!tip.text.empty()) tip = {};
    trigger_.tipCell = -1;
    return;
  }
  const int cell = TriggerCellUnder(trigger_, pointer);
  if (trigger_.monitor == trigger_.tipMonitor && cell == trigger_.tipCell) return;
  tip = {};
  trigger_.tipMonitor = trigger_.monitor;
  trigger_.tipCell = cell;
  if (cell == kTriggerCloseBlock) {
    tip.text = kTriggerCloseTip;
    tip.textColor = kBlack;
    tip.background = kWhite;
  } else if (cell != kTriggerGap) {
    const LocationSlot& at = state_.At(trigger_.monitor, cell);
    if (at.cycle.Window() == kNoWindow) return;
    tip.text = desktop_.WindowTitle(at.cycle.Window(), kOverlayTitleUnits);
    tip.textColor = at.labelColor;
    tip.background = at.guideColor;
  }
  if (tip.text.empty()) return;  // a window without a title gets no tip
  const MonitorSlot& slot = state_.Monitor(trigger_.monitor);
  const Extent size = view_.MeasureText(tip.text, state_.settings.labelFont, slot.dpi);
  tip.at = TriggerTipPosition(pointer, size.width, size.height, view_.CursorHeight(slot.dpi) / 2, slot.monitorRect);
}

void Overlays::KeepTriggerAboveShownWindows() {
  if (!trigger_.visible) return;
  for (const LocationSlot& at : state_.Monitor(trigger_.monitor).locations) {
    if (at.cycle.IsShown() && view_.IsAboveTrigger(at.cycle.Window())) {
      view_.RaiseTrigger(false);
      return;
    }
  }
}

void Overlays::FollowFullScreen() {
  fullScreen_.NewTick();
  Publish();
}

void Overlays::GuideSettingsApplied() {
  guidesUp_ = false;
  Publish();
}

void Overlays::RepaintGuides() {
  guidesStale_ = true;
  Publish();
}

void Overlays::CloseGuides() {
  view_.CloseGuides();
  frame_.guides.monitors.clear();
  guidesUp_ = false;
  mustShow_ = true;
}

void Overlays::CloseTrigger() {
  view_.CloseTrigger();
  trigger_.visible = false;
  frame_.trigger.tip = {};
  mustShow_ = true;
}

void Overlays::TriggerPointerMoved(Point client) {
  if (!trigger_.visible) return;
  trigger_.hovered = TriggerCellUnder(trigger_, {trigger_.rect.left + client.x, trigger_.rect.top + client.y});
  Publish();
}

void Overlays::TriggerClicked(Point client, bool rightButton) {
  if (rightButton) {
    openMenu_();
    return;
  }
  const Point screen{trigger_.rect.left + client.x, trigger_.rect.top + client.y};
  const int cell = TriggerCellUnder(trigger_, screen);
  switch (DecideTriggerClick(state_, trigger_, cell)) {
    case TriggerClick::Nothing: return;
    case TriggerClick::Dismiss:
      trigger_.dismissed = true;
      trigger_.visible = false;
      break;
    case TriggerClick::PutAway: showHide_.BringDown(trigger_.monitor, cell); break;
    case TriggerClick::BringUp:
      showHide_.BringUpAt(trigger_.monitor, cell, screen);
      // It came up on top; the trigger window and its tip go over it again.
      view_.RaiseTrigger(true);
      break;
  }
  Publish();
}

void Overlays::RebuildMonitorNumberPopups() {
  const Settings& s = state_.settings;
  MonitorPopupsView made;
  made.font = s.monitorPopFont;
  made.alpha = s.monitorPopAlpha;
  if (state_.MonitorCount() >= 2 && s.monitorPopShow >= 0) {
    for (int m = 0; m < state_.MonitorCount(); ++m) {
      const MonitorSlot& slot = state_.Monitor(m);
      if (!slot.active) continue;
      MonitorPopupView& popup = made.popups.emplace_back();
      popup.text = MonitorPopupText(m);
      popup.dpi = slot.dpi;
      const Extent size = view_.MeasureText(popup.text, made.font, slot.dpi);
      popup.at = MonitorPopupPosition(slot.monitorRect, size.width, size.height, s.monitorPopShow);
    }
  }
  view_.MakeMonitorPopups(made);
}

void Overlays::Publish() {
  ComposeGuides();
  ComposeTrigger();
  if (!mustShow_ && frame_ == shown_) return;
  mustShow_ = false;
  shown_ = frame_;
  view_.Show(frame_);
}

void Overlays::ComposeGuides() {
  const Settings& s = state_.settings;
  GuidesView& guides = frame_.guides;
  const bool visible = s.guideAlwaysShow != 0 || guidesUp_;
  // Labels are written, and their titles read, only while the guides are
  // up: each time they come up the titles are read again.
  const bool labels = visible && LabelsVisibleNow(state_);
  const bool stale = guidesStale_ || labels != labelsComposed_;
  guidesStale_ = false;
  labelsComposed_ = labels;
  const bool wanted = AnyGuideWanted(s);
  guides.monitors.resize(state_.monitorSlots.size());
  composedFor_.resize(state_.monitorSlots.size());
  for (std::size_t m = 0; m < state_.monitorSlots.size(); ++m) {
    const MonitorSlot& slot = state_.monitorSlots[m];
    std::optional<GuideView>& guide = guides.monitors[m];
    if (!wanted || !slot.active) {
      guide.reset();
      continue;
    }
    const std::array<WindowHandle, kLocationCount> windows = slot.Windows();
    if (!guide || stale || composedFor_[m] != windows) {
      if (!guide) guide.emplace();
      ComposeGuide(slot, labels, *guide);
      composedFor_[m] = windows;
    }
    // Asked only while the guides are up: an idle tick asks the system nothing.
    guide->quiet = visible && fullScreen_.IsQuiet(static_cast<int>(m));
  }
  guides.visible = visible;
  guides.alpha = s.guideAlpha;
}

void Overlays::ComposeGuide(const MonitorSlot& slot, bool labels, GuideView& view) {
  const Settings& s = state_.settings;
  view.monitor = slot.monitorRect;
  view.dpi = slot.dpi;
  view.width = AtMonitorDpi(state_, slot, s.guideWidth);
  view.bars.clear();
  const LocationSpan span = LocationSpan::Of(slot.monitorRect, s.cornerLength, s.middleLength);
  for (const int location : kGuidePaintOrder) {
    const LocationSlot& at = slot[location];
    if (at.cycle.Window() == kNoWindow) continue;
    GuideBarView& bar = view.bars.emplace_back();
    bar.location = location;
    bar.bar = GuideBarOf(slot.monitorRect, span, view.width, location);
    bar.color = at.guideColor;
    bar.labelColor = at.labelColor;
    if (labels) bar.label = desktop_.WindowTitle(at.cycle.Window(), kOverlayTitleUnits);
  }
}

void Overlays::ComposeTrigger() {
  TriggerView& view = frame_.trigger;
  view.visible = trigger_.visible;
  view.rect = trigger_.rect;
  view.alpha = state_.settings.triggerAlpha;
  if (!trigger_.visible) return;  // its cells are those it had when it went
  const MonitorSlot& monitor = state_.Monitor(trigger_.monitor);
  view.dpi = monitor.dpi;
  for (int row = 0; row < kTriggerGridSize; ++row) {
    for (int column = 0; column < kTriggerGridSize; ++column) {
      view.cells[static_cast<std::size_t>(row * kTriggerGridSize + column)] =
          TriggerCellLookOf(TriggerGridValue(row, column), trigger_.hovered, monitor);
    }
  }
}

}  // namespace peekbar
