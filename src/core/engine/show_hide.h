// Bringing a registered window up at its edge and putting it away again.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/state.h"
#include "core/engine/full_screen.h"
#include "core/engine/recovery_journal.h"
#include "core/engine/taskbar.h"

namespace peekbar {

class OwnedWindowsListing;

// True when the point lies on the location's one-pixel line of that
// monitor's edge, within the location's span.
bool HitTestLocation(const MonitorSlot& monitor, int location, Point point, const Settings& settings);

// Milliseconds from `since` to now, negative when `since` lies ahead of now
// (the tick count wrapped): a negative time never satisfies a delay.
inline double Elapsed(std::uint32_t now, std::uint32_t since) {
  return static_cast<double>(now) - static_cast<double>(since);
}

// The side a location docks its window against.
Edge DockingEdge(const Rect& monitor, int location, Point pointer);
// Top-left corner of a w x h window docked at the edge, centred on the
// pointer along it and kept on the monitor (the near bound wins).
Point DockedPosition(const Rect& monitor, Edge edge, std::int32_t width, std::int32_t height, Point pointer);

// Every location's window shown, not topmost, once per location holding it,
// with the windows hidden with it; the registrations stay.
void ShowEveryRegisteredWindow(AppState& state, Desktop& desktop);

// Gives the windows back (shown, not topmost, without waiting for their
// threads), then waits until each whose thread answers is visible or gone,
// in steps of 50 ms and 2 s at most for all of them together: only a
// visible window is found among the candidates. Meanwhile only messages
// sent by other threads are answered.
void GiveBackAndWait(Desktop& desktop, std::span<const WindowHandle> windows);
// The two halves, for a caller with other work to do while the windows'
// programs show them.
void GiveBack(Desktop& desktop, std::span<const WindowHandle> windows);
void WaitUntilGivenBack(Desktop& desktop, std::span<const WindowHandle> windows);
// Of the windows hidden with a registered one, those that are still the
// same windows (the same process and class: a handle closed meanwhile may
// name another program's window by now), asked without waiting for their
// programs: only those are shown or given back.
std::vector<WindowHandle> StillTheSameWindows(Desktop& desktop, std::span<const JournalWindow> hiddenWith);

// Told when the rectangle of a window going away was taken, so that the
// profile remembers it.
class WindowRectListener {
 public:
  virtual ~WindowRectListener() = default;
  virtual void WindowRectTaken(int monitor, int location) = 0;
};

class ShowHide {
 public:
  ShowHide(AppState& state, Desktop& desktop, Taskbar& taskbar, WindowRectListener& rects, RecoveryJournal& journal,
           FullScreenRule& fullScreen)
      : state_(state), desktop_(desktop), taskbar_(taskbar), rects_(rects), journal_(journal),
        fullScreen_(fullScreen) {}

  void TryShowLocation(int monitor, int location, std::uint32_t now, bool& anyShown, Point pointer);
  void CheckHideLocation(int monitor, int location, std::uint32_t now, bool& anyShown, Point pointer);
  // The location's window comes up as its edge brings it up with the
  // pointer at `pointer`: restored, in front, docked there (or at its
  // remembered rectangle), topmost by TOPMOST, the taskbar hidden by
  // HIDE_TASKBAR; then it is shown and goes by the hide rule.
  void BringUp(int monitor, int location, Point pointer);
  // `answers`: whether the window's thread answers; when it does not, the
  // placement does not wait for it.
  void PlaceAtEdge(int monitor, int location, Point pointer, bool answers);
  // The remembered rectangle, when it lies on a present monitor; with
  // nothing remembered only the z-order changes. False, and nothing done,
  // for a rectangle remembered where no monitor is: the caller places the
  // window itself.
  bool PlaceAtSavedRect(int monitor, int location, bool answers);
  // Gives the location's window back to the user (visible, not topmost),
  // with the windows hidden with it, unless another location still holds
  // it. The caller then changes it.
  void ReleaseWindow(int monitor, int location);
  // Brings the window to the front over another program's foreground.
  void ForceForeground(WindowHandle window);
  // The location's window is going away: its rectangle is kept in the slot
  // and told, unless it is minimised, maximised or cannot be read.
  void RememberWindowRect(int monitor, int location);
  // From the trigger window: the location's window comes up around `at`
  // (screen) inside the monitor, without taking the foreground from
  // anyone, and is hidden from then on by the usual rule; or it goes away
  // as the rule would put it away.
  void BringUpAt(int monitor, int location, Point at);
  void BringDown(int monitor, int location);
  // Every registered window hidden again with the windows it owns on the
  // screen, and waiting for the pointer; nothing remembered.
  void HideEveryRegisteredWindow(std::uint32_t now);
  // The window and the windows it owns on the screen hidden, written down
  // first; every location holding it waits for the pointer again from
  // `now`. `answers`: whether the window's thread answers; when it does
  // not, the hide does not wait for it. What it owns is read from
  // `listing` when there is one, else from the desktop.
  void HideWithOwned(WindowHandle window, std::uint32_t now, bool answers,
                     const OwnedWindowsListing* listing = nullptr);
  // For a location whose window was put away with windows it owns: once its
  // program has brought it back on the screen itself (started a second
  // time, from its notification or its own tray icon), they come back too,
  // without waiting for it; a modal dialog left hidden would leave the
  // program disabled, looking frozen. Meanwhile those closed are dropped.
  void FollowWindowBroughtBack(int monitor, int location);

 private:
  bool HeldElsewhere(WindowHandle window, int monitor, int location) const;
  // Whether a location before this one holds the window.
  bool HeldEarlier(WindowHandle window, int monitor, int location) const;
  // Out of the minimised or maximised state, into its normal size.
  void Restore(WindowHandle window, bool answers);
  // Hidden at every location holding it, each waiting for the pointer
  // again; the rectangle remembered for this one.
  void PutAway(int monitor, int location, std::uint32_t now);
  // The windows hidden with the location's window come back with it.
  void BringBackOwned(int monitor, int location, bool answers);
  // The session ended while the window's program was waited for during its
  // show: everything was given back then, and this window is given back
  // again over what the show did since. True when it did.
  bool EndedMeanwhile(WindowHandle window);
  // The cycle of every location holding the window.
  template <typename Visit>
  void ForEachHolding(WindowHandle window, Visit visit) {
    for (MonitorSlot& slot : state_.monitorSlots) {
      for (LocationSlot& at : slot.locations) {
        if (at.cycle.Window() == window) visit(at.cycle);
      }
    }
  }
  ZOrder ShownZOrder() const { return state_.settings.topmost != 0 ? ZOrder::Topmost : ZOrder::NotTopmost; }

  AppState& state_;
  Desktop& desktop_;
  Taskbar& taskbar_;
  WindowRectListener& rects_;
  RecoveryJournal& journal_;
  FullScreenRule& fullScreen_;
};

}  // namespace peekbar
