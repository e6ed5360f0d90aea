// What came up or was renamed on the desktop, for the locations waiting for
// a window: a location takes only a window that changed since it began
// waiting, never one the user had on the screen, unchanged, before.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/state.h"

namespace peekbar {

// Each look compares a listing of the desktop with the last one and marks
// what changed with the look's number: a window new on the screen (first
// shown, or back after a look that did not see it), one the system reported
// shown again since the last look, one whose title changed. A window this
// program registered and then gave back comes back unmarked, as it was.
// A waiting location keeps the number of the last look it has seen; what
// is marked after it is for it to take. Nothing is kept while no location
// waits.
class WindowChanges {
 public:
  // How a window changed since a given look.
  struct Change {
    bool cameUp = false;  // shown since, first or again
    bool renamed = false;
    // Renamed only: its title before the last rename.
    std::u16string_view titleBefore;
  };

  bool Tracking() const { return tracking_; }
  // No location waits any more: everything is forgotten.
  void Stop();

  // The system reported the window shown (a top-level window of another
  // program). Counted at the next look when the last one saw the window on
  // the screen, free: it was hidden and shown again by its program. A
  // window registered here that is shown was given back by this program.
  void ReportShown(WindowHandle window);
  // The system reported a registered window gone (closed by its program):
  // a location that begins waiting at the next tick, when its window is
  // found gone, takes what was reported shown after it.
  void ReportRegisteredGone();
  // The system reports no window gone (Wine): such a location takes what
  // was reported shown during the tick in which its window went.
  void GoneUnreported() { goneUnreported_ = true; }
  // A tick begins: what was reported during the last one is kept for its
  // look, the reports of this one are collected afresh.
  void NextTick();
  // Whether the window was reported shown during the last tick after a
  // registered window went (see above).
  bool ShownAfterAWindowWent(WindowHandle window) const;
  // The window is registered from now on: back on the screen, it comes back
  // as it was, not anew.
  void Registered(WindowHandle window);

  // One look at the listing `list[0, count)` (registered windows and the
  // visible top-level windows, as CollectWindows makes it), with the
  // windows registered now; starts tracking. Returns the look's number.
  // The first look, with nothing tracked before, marks nothing.
  std::uint64_t Look(const std::vector<WindowEntry>& list, std::size_t count,
                     const std::vector<WindowHandle>& registered, Desktop& desktop);
  // What the window (listed at the last look) did after look `seen`.
  Change Since(WindowHandle window, std::uint64_t seen) const;

 private:
  enum class Standing : std::uint8_t {
    Free,  // on the screen and no location's
    Held,  // registered, or given back and not yet seen on the screen
  };
  struct Known {
    std::uint32_t processId = 0;
    Standing standing = Standing::Free;
    bool reportedShown = false;
    // Only known once seen free: a registered window's title is not read.
    bool titleKnown = false;
    std::u16string title;
    std::u16string titleBefore;
    std::uint64_t seenAt = 0;
    std::uint64_t cameUpAt = 0;
    std::uint64_t renamedAt = 0;
  };

  bool tracking_ = false;
  std::uint64_t looks_ = 0;
  std::unordered_map<WindowHandle, Known> known_;
  bool goneUnreported_ = false;
  // The windows reported shown during a tick, and after which of them a
  // registered window was reported gone.
  struct TickReports {
    std::vector<WindowHandle> shown;
    std::size_t shownBeforeGone = 0;
    bool gone = false;
  };
  TickReports thisTick_;
  TickReports lastTick_;
};

}  // namespace peekbar
