#include "core/engine/show_hide.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/base/planted.h"
#include "core/engine/owned_windows.h"

namespace peekbar {
namespace {

// How long a window given back may take to become visible again.
constexpr std::uint32_t kVisibleWaitStepMs = 50;
constexpr int kVisibleWaitSteps = 40;
// How long a show cycle waits for a window shown without waiting for its
// thread to appear: a program busy for longer gives its edge back.
constexpr std::uint32_t kAsyncShowWaitMs = 2000;

constexpr std::array<VirtualKey, 7> kShowKeys = {
    VirtualKey::LeftButton,  // unused: 0 means no key
    VirtualKey::LeftButton, VirtualKey::RightButton, VirtualKey::MiddleButton,
    VirtualKey::Control,    VirtualKey::Shift,       VirtualKey::Alt,
};

// Shown and raised above everything, then placed. For a window that
// answers, synchronously: an asynchronous raise would reach it after the
// placement that follows and leave it topmost over the trigger window, or
// topmost where TOPMOST is off.
Placement TopmostShown(bool answers) {
  Placement p;
  p.zOrder = ZOrder::Topmost;
  p.show = true;
  p.async = !answers;
  return p;
}

}  // namespace

bool HitTestLocation(const MonitorSlot& monitor, int location, Point point, const Settings& settings) {
  const Rect& m = monitor.monitorRect;
  // Off the monitor's border lines the pointer is on no location: the tick
  // asks this for every registered location, nearly always there.
  if (point.x != m.left && point.x != m.right - 1 && point.y != m.top && point.y != m.bottom - 1) return false;
  const LocationSpan span = LocationSpan::Of(m, settings.cornerLength, settings.middleLength);
  std::array<LocationEdgeSpan, 2> spans;
  const int count = LocationSpans(m, span, location, spans);
  for (int i = 0; i < count; ++i) {
    const LocationEdgeSpan& s = spans[static_cast<std::size_t>(i)];
    switch (s.edge) {
      case Edge::Top: if (point.y == m.top && s.interval.Contains(point.x)) return true; break;
      case Edge::Bottom: if (point.y == m.bottom - 1 && s.interval.Contains(point.x)) return true; break;
      case Edge::Left: if (point.x == m.left && s.interval.Contains(point.y)) return true; break;
      case Edge::Right: if (point.x == m.right - 1 && s.interval.Contains(point.y)) return true; break;
    }
  }
  return false;
}

Edge DockingEdge(const Rect& m, int location, Point pointer) {
  const LocationRow& row = LocationRowOf(location);
  const Edge first = row.dockingEdge;
  if (row.pieceCount < 2) return first;
  // A corner docks against the edge the pointer is on; on the corner pixel,
  // which lies on both, against the row's first choice.
  if (IsOnEdgeLine(m, first, pointer)) return first;
  return row.pieces[0].edge == first ? row.pieces[1].edge : row.pieces[0].edge;
}

Point DockedPosition(const Rect& m, Edge edge, std::int32_t w, std::int32_t h, Point pointer) {
  const auto along = [](std::int32_t centre, std::int32_t extent, std::int32_t low, std::int32_t high) {
    std::int32_t pos = centre - extent / 2;
    if (pos < low) {
      pos = low;
    } else if (centre + extent / 2 >= high) {
      pos = high - extent;
    }
    return pos;
  };
  switch (edge) {
    case Edge::Top: return {along(pointer.x, w, m.left, m.right), m.top};
    case Edge::Bottom: return {along(pointer.x, w, m.left, m.right), m.bottom - h};
    case Edge::Left: return {m.left, along(pointer.y, h, m.top, m.bottom)};
    case Edge::Right: return {m.right - w, along(pointer.y, h, m.top, m.bottom)};
  }
  return {};
}

void ShowHide::TryShowLocation(int monitor, int location, std::uint32_t now, bool& anyShown, Point pointer) {
  ShowCycle& cycle = state_.At(monitor, location).cycle;
  const WindowHandle window = cycle.Window();
  const Settings& s = state_.settings;
  // A window already on screen is never shown by its edge, nor any window
  // over a full-screen program; every tick off the location, or quiet on
  // it, restarts the dwell. One up on another virtual desktop is not on
  // screen: the user cannot see it. The hit test comes first: it costs no
  // call to the system. The full-screen rule comes last, and only where a
  // dwell would start: it asks about the foreground window, and perhaps the
  // shell.
  if (!HitTestLocation(state_.Monitor(monitor), location, pointer, s) || IsOnScreen(desktop_, window) ||
      (cycle.Phase() == CyclePhase::Hidden && fullScreen_.IsQuiet(monitor))) {
    cycle.DropDwell(now);
    return;
  }
  cycle.StartDwell();
  if (s.showingDelay > Elapsed(now, cycle.Since())) return;
  if (s.mustButtonForShow != 0 && !desktop_.IsKeyHeld(kShowKeys[static_cast<std::size_t>(s.mustButtonForShow)])) return;
  BringUp(monitor, location, pointer);
  anyShown = true;
}

void ShowHide::BringUp(int monitor, int location, Point pointer) {
  if (state_.ending) return;
  ShowCycle& cycle = state_.At(monitor, location).cycle;
  const WindowHandle window = cycle.Window();
  const Settings& s = state_.settings;
  if (state_.savedForeground == kNoWindow) {
    const WindowHandle foreground = desktop_.ForegroundWindow();
    state_.savedForeground = foreground != kNoWindow ? foreground : kCapturedNothing;
  }
  if (s.hideTaskbar != 0) taskbar_.HideTaskbar();
  // A window whose thread does not answer gets only calls that do not wait
  // for it: restored, shown and placed asynchronously, and not forced into
  // the foreground.
  const bool answers = desktop_.IsResponding(window);
  Restore(window, answers);

  if (desktop_.ForegroundWindow() == window || !answers) {
    desktop_.PlaceWindow(window, TopmostShown(answers));
  } else {
    ForceForeground(window);
  }
  if (s.keepWindowPos == 0 || !PlaceAtSavedRect(monitor, location, answers)) {
    PlaceAtEdge(monitor, location, pointer, answers);
  }
  if (EndedMeanwhile(window)) return;
  BringBackOwned(monitor, location, answers);
  cycle.Show(desktop_.TickCount());
  // Carried out while Peekbar waited: on the screen now, whatever its
  // program does next.
  if (answers) cycle.SeeOnScreen();
}

bool ShowHide::EndedMeanwhile(WindowHandle window) {
  if (!state_.ending) return false;
  desktop_.PlaceWindow(window, GiveBackPlacement());
  return true;
}

void ShowHide::Restore(WindowHandle window, bool answers) {
  if (IsUpElsewhere(desktop_, window)) ShowWindowSafely(desktop_, window, ShowCommand::Hide, answers);
  // Tested apart: a window minimised from the maximised state is restored twice.
  if (desktop_.IsMinimized(window)) ShowWindowSafely(desktop_, window, ShowCommand::Restore, answers);
  if (desktop_.IsMaximized(window)) ShowWindowSafely(desktop_, window, ShowCommand::Restore, answers);
}

void ShowHide::ForceForeground(WindowHandle window) {
  const WindowHandle foreground = desktop_.ForegroundWindow();
  // Joining the input of a foreground window whose thread does not answer,
  // and setting the focus through it, would wait for that thread.
  const bool joinInput = foreground == kNoWindow || desktop_.IsResponding(foreground);
  if (joinInput) desktop_.AttachInputToForeground(foreground, true);
  taskbar_.SetForegroundUnlocked(window);
  desktop_.PlaceWindow(window, TopmostShown(true));  // forced only when it answers
  desktop_.BringToTop(window);
  desktop_.ShowWindowAsync(window, ShowCommand::Show);
  if (joinInput) desktop_.SetFocus(window);
  if (joinInput) desktop_.AttachInputToForeground(foreground, false);
}

void ShowHide::CheckHideLocation(int monitor, int location, std::uint32_t now, bool& anyShown, Point pointer) {
  ShowCycle& cycle = state_.At(monitor, location).cycle;
  const WindowHandle window = cycle.Window();
  // Shown without waiting for its thread, it may not be on screen yet: the
  // show cycle goes on meanwhile, for a while. Once the show has taken
  // effect, a window off the screen has gone away as if by the rule, and
  // its edge works again, whatever took it away: its own program hiding or
  // minimising it (a program that closes to the tray, even right after the
  // show), or a busy program's show that never came.
  // A window the user switched away from stays up, cloaked, on its own
  // virtual desktop: it goes as if hidden, and the foreground is not given
  // back, which would take the user back there or away from what they
  // turned to.
  const bool up = desktop_.IsWindowVisible(window) && !desktop_.IsMinimized(window);
  const bool onScreen = up && desktop_.IsOnCurrentDesktop(window);
  if (!onScreen && !Planted(Plant::CycleHeldByHiddenWindow)) {
    // Unsigned: right across a wrap of the tick count.
    if (!cycle.SeenOnScreen() && now - cycle.Since() < kAsyncShowWaitMs) {
      anyShown = true;
      return;
    }
    if (up) state_.savedForeground = kCapturedNothing;
    PutAway(monitor, location, now);
    return;
  }
  cycle.SeeOnScreen();
  Rect rect;
  const bool inside = desktop_.WindowRect(window, rect) && rect.Contains(pointer);
  // Dragging or resizing that carries the pointer outside counts as inside,
  // and so does the user working in its menus, dialogs and tool windows.
  if (inside || (cycle.IsVisited() && desktop_.IsKeyHeld(VirtualKey::LeftButton)) ||
      WhatHoldsUp(desktop_, window, pointer) != HeldBy::Nothing) {
    anyShown = true;
    cycle.Visit(now);
    return;
  }
  // A window just shown stays up until the pointer has been inside it once.
  if (!cycle.IsVisited()) {
    anyShown = true;
    return;
  }
  cycle.Leave();
  if (state_.settings.hiddenDelay > Elapsed(now, cycle.Since())) {
    anyShown = true;
    return;
  }
  PutAway(monitor, location, now);
}

void ShowHide::PutAway(int monitor, int location, std::uint32_t now) {
  RememberWindowRect(monitor, location);
  const WindowHandle window = state_.At(monitor, location).cycle.Window();
  HideWithOwned(window, now, desktop_.IsResponding(window));
}

void ShowHide::HideWithOwned(WindowHandle window, std::uint32_t now, bool answers,
                             const OwnedWindowsListing* listing) {
  // A dialog or tool window left behind would float alone over whatever
  // the user turns to.
  std::vector<JournalWindow> owned;
  if (!state_.ending && listing != nullptr) {
    listing->CollectShownOwnedWindows(window, owned);
  } else if (!state_.ending) {
    CollectShownOwnedWindows(desktop_, window, owned);
  }
  // These are on the screen, to be hidden now.
  const std::size_t shown = owned.size();
  // What was hidden with it before stays listed: it is hidden still (the
  // window registered at another location, say).
  ForEachHolding(window, [&](const ShowCycle& cycle) {
    for (const JournalWindow& w : cycle.HiddenWith()) {
      if (std::none_of(owned.begin(), owned.end(), [&](const JournalWindow& o) { return o.window == w.window; })) {
        owned.push_back(w);
      }
    }
  });
  ForEachHolding(window, [&](ShowCycle& cycle) { cycle.PutAway(now, owned, !answers); });
  journal_.Sync();
  if (state_.ending) return;
  ShowWindowSafely(desktop_, window, ShowCommand::Hide, answers);
  for (std::size_t i = 0; i < shown; ++i) ShowWindowSafely(desktop_, owned[i].window, ShowCommand::Hide);
}

void ShowHide::BringBackOwned(int monitor, int location, bool answers) {
  const ShowCycle& cycle = state_.At(monitor, location).cycle;
  if (cycle.HiddenWith().empty()) return;
  // Above their owner as always, without taking the foreground from it.
  Placement p;
  p.show = true;
  p.noActivate = true;
  for (const WindowHandle w : StillTheSameWindows(desktop_, cycle.HiddenWith())) {
    PlaceWindowSafely(desktop_, w, p, answers && desktop_.IsResponding(w));
  }
  ForEachHolding(cycle.Window(), [](ShowCycle& other) { other.OwnedBack(); });
  journal_.Sync();
}

void ShowHide::FollowWindowBroughtBack(int monitor, int location) {
  ShowCycle& cycle = state_.At(monitor, location).cycle;
  const WindowHandle window = cycle.Window();
  if (IsOnScreen(desktop_, window)) {
    // Not while Peekbar's own hide of it is still to come.
    if (!cycle.HideAwaited() && !Planted(Plant::OwnedStrandedWhenWindowComesBack)) {
      BringBackOwned(monitor, location, false);
    }
    return;
  }
  cycle.SeeOffScreen();
  bool dropped = false;
  for (std::size_t i = 0; i < cycle.HiddenWith().size();) {
    const WindowHandle owned = cycle.HiddenWith()[i].window;
    if (desktop_.WindowExists(owned)) {
      ++i;
      continue;
    }
    ForEachHolding(window, [owned](ShowCycle& other) { other.DropHiddenWith(owned); });
    dropped = true;
  }
  // Its handle may soon name another program's window.
  if (dropped) journal_.Sync();
}

void ShowHide::HideEveryRegisteredWindow(std::uint32_t now) {
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    for (int n = 0; n < kLocationCount; ++n) {
      const WindowHandle window = state_.At(m, n).cycle.Window();
      if (window == kNoWindow || state_.ending) continue;
      // Hidden once per location holding it, as ever; what it owns is
      // gathered at the first.
      const bool answers = desktop_.IsResponding(window);
      if (HeldEarlier(window, m, n)) {
        ShowWindowSafely(desktop_, window, ShowCommand::Hide, answers);
      } else {
        HideWithOwned(window, now, answers);
      }
    }
  }
}

void ShowHide::BringUpAt(int monitor, int location, Point at) {
  if (state_.ending) return;
  ShowCycle& cycle = state_.At(monitor, location).cycle;
  const WindowHandle window = cycle.Window();
  // Nothing to give the foreground back to: the trigger window never takes it.
  if (state_.savedForeground == kNoWindow) state_.savedForeground = kCapturedNothing;
  if (state_.settings.hideTaskbar != 0) taskbar_.HideTaskbar();
  const bool answers = desktop_.IsResponding(window);
  Restore(window, answers);
  desktop_.PlaceWindow(window, TopmostShown(answers));
  if (state_.settings.keepWindowPos == 0 || !PlaceAtSavedRect(monitor, location, answers)) {
    const Rect& monitorRect = state_.Monitor(monitor).monitorRect;
    PlaceSettled(desktop_, window, answers, [&](const Rect& rect) {
      Placement p;
      p.zOrder = ShownZOrder();
      p.move = true;
      p.position = FitRectAroundPoint(monitorRect, rect, at);
      return p;
    });
  }
  if (EndedMeanwhile(window)) return;
  BringBackOwned(monitor, location, answers);
  cycle.Show(desktop_.TickCount());
  if (answers) cycle.SeeOnScreen();  // as BringUp
}

void ShowHide::BringDown(int monitor, int location) { PutAway(monitor, location, desktop_.TickCount()); }

void ShowHide::RememberWindowRect(int monitor, int location) {
  LocationSlot& at = state_.At(monitor, location);
  const WindowHandle window = at.cycle.Window();
  if (desktop_.IsMinimized(window) || desktop_.IsMaximized(window)) return;
  Rect rect;
  if (!desktop_.WindowRect(window, rect)) return;
  at.savedRect = rect;
  at.savedDpi = DpiAt(rect, state_.monitorSlots, state_.Monitor(monitor).dpi);
  rects_.WindowRectTaken(monitor, location);
}

void ShowHide::PlaceAtEdge(int monitor, int location, Point pointer, bool answers) {
  const Rect& monitorRect = state_.Monitor(monitor).monitorRect;
  const WindowHandle window = state_.At(monitor, location).cycle.Window();
  const Edge edge = DockingEdge(monitorRect, location, pointer);
  PlaceSettled(desktop_, window, answers, [&](const Rect& rect) {
    Placement p;
    p.zOrder = ShownZOrder();
    p.move = true;
    p.position = DockedPosition(monitorRect, edge, static_cast<std::int32_t>(rect.Width()),
                                static_cast<std::int32_t>(rect.Height()), pointer);
    return p;
  });
}

bool ShowHide::PlaceAtSavedRect(int monitor, int location, bool answers) {
  const LocationSlot& at = state_.At(monitor, location);
  const Rect& saved = at.savedRect;
  // A rectangle without a positive size is nothing remembered: the window
  // comes up where it is, and only its z-order changes.
  if (saved.Width() <= 0 || saved.Height() <= 0) {
    Placement p;
    p.zOrder = ShownZOrder();
    PlaceWindowSafely(desktop_, at.cycle.Window(), p, answers);
    return true;
  }
  if (!IsUsableSavedRect(saved, state_.monitorSlots)) return false;  // docked instead
  const Rect rect = SavedRectForNow(at, state_.monitorSlots);
  PlaceSettled(desktop_, at.cycle.Window(), answers, [&](const Rect&) {
    Placement p = PlacementAt(rect);
    p.zOrder = ShownZOrder();
    return p;
  });
  return true;
}

bool ShowHide::HeldElsewhere(WindowHandle window, int monitor, int location) const {
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    for (int n = 0; n < kLocationCount; ++n) {
      if (state_.At(m, n).cycle.Window() == window && !(m == monitor && n == location)) return true;
    }
  }
  return false;
}

bool ShowHide::HeldEarlier(WindowHandle window, int monitor, int location) const {
  for (int m = 0; m <= monitor; ++m) {
    for (int n = 0; n < (m == monitor ? location : kLocationCount); ++n) {
      if (state_.At(m, n).cycle.Window() == window) return true;
    }
  }
  return false;
}

void ShowHide::ReleaseWindow(int monitor, int location) {
  const ShowCycle& cycle = state_.At(monitor, location).cycle;
  const WindowHandle window = cycle.Window();
  if (window == kNoWindow || HeldElsewhere(window, monitor, location)) return;
  desktop_.PlaceWindow(window, GiveBackPlacement());
  GiveBack(desktop_, StillTheSameWindows(desktop_, cycle.HiddenWith()));
}

void ShowEveryRegisteredWindow(AppState& state, Desktop& desktop) {
  for (MonitorSlot& slot : state.monitorSlots) {
    for (LocationSlot& location : slot.locations) {
      const WindowHandle window = location.cycle.Window();
      if (window == kNoWindow) continue;
      desktop.PlaceWindow(window, GiveBackPlacement());
      GiveBack(desktop, StillTheSameWindows(desktop, location.cycle.HiddenWith()));
      location.cycle.OwnedBack();
    }
  }
}

std::vector<WindowHandle> StillTheSameWindows(Desktop& desktop, std::span<const JournalWindow> hiddenWith) {
  std::vector<WindowHandle> windows;
  for (const JournalWindow& w : hiddenWith) {
    if (IsSameWindow(desktop, w, kTitleUnits)) windows.push_back(w.window);
  }
  return windows;
}

void GiveBackAndWait(Desktop& desktop, std::span<const WindowHandle> windows) {
  // All of them first: their programs show them while the next ones are
  // asked, instead of one after the other.
  GiveBack(desktop, windows);
  WaitUntilGivenBack(desktop, windows);
}

void GiveBack(Desktop& desktop, std::span<const WindowHandle> windows) {
  for (const WindowHandle window : windows) desktop.PlaceWindow(window, GiveBackPlacement());
}

void WaitUntilGivenBack(Desktop& desktop, std::span<const WindowHandle> windows) {
  std::vector<WindowHandle> awaited;
  for (const WindowHandle window : windows) {
    // A window whose thread does not answer will not come up soon: it is
    // not waited for.
    if (desktop.IsResponding(window)) awaited.push_back(window);
  }
  const auto allUp = [&] {
    for (const WindowHandle window : awaited) {
      if (desktop.WindowExists(window) && !desktop.IsWindowVisible(window)) return false;
    }
    return true;
  };
  for (int step = 0; step < kVisibleWaitSteps && !allUp(); ++step) desktop.Pause(kVisibleWaitStepMs);
}

}  // namespace peekbar
