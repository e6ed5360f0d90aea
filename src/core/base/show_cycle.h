// A location's show cycle: which window is registered there, and where it
// stands between hidden and shown. It only records: the engine decides when
// a window comes up and goes away, and tells the cycle through the
// transitions below, which are the only way to change it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/journal_store.h"

namespace peekbar {

// In the order of the cycle, which IsShown and IsVisited rely on.
enum class CyclePhase : std::uint8_t {
  Empty,     // no window registered
  Hidden,    // registered and hidden; the pointer off the location at Since()
  Dwelling,  // hidden, the pointer resting on the location; the dwell counts
             // from Since(), the last time it was seen off it
  Shown,     // brought up; the pointer has not been inside it yet
  Visited,   // shown; the pointer inside it, or dragging it, at Since()
  Left,      // shown and visited; the pointer outside it, last inside at Since()
};

class ShowCycle {
 public:
  WindowHandle Window() const { return window_; }
  CyclePhase Phase() const { return phase_; }
  // The time the phase counts from (Hidden, Dwelling, Visited, Left), or
  // when the window was brought up (Shown).
  std::uint32_t Since() const { return since_; }
  // Brought up and not put away yet: Shown, Visited or Left.
  bool IsShown() const { return phase_ >= CyclePhase::Shown; }
  // Shown, and the pointer has been inside it since: Visited or Left.
  bool IsVisited() const { return phase_ >= CyclePhase::Visited; }
  // Shown, and on the screen since: at once when the show was carried out
  // while Peekbar waited; a window shown without waiting for its thread may
  // take a while to appear.
  bool SeenOnScreen() const { return seenOnScreen_; }
  // The windows it owned on the screen when it was put away, hidden with
  // it, as they were then: they come back with it, or are given back with
  // it. Every location holding the window holds the same ones.
  std::span<const JournalWindow> HiddenWith() const { return hiddenWith_; }
  // Put away without waiting for its thread, and not seen off the screen
  // since: until it is, the window on the screen is Peekbar's hide still to
  // come, not its program bringing it back.
  bool HideAwaited() const { return hideAwaited_; }

  // The window is registered here, hidden, and waits for the pointer from now.
  void Register(WindowHandle window, std::uint32_t now);
  // No window here any more.
  void Release();
  // The pointer is on the location: the dwell goes on from the last time it
  // was seen off it.
  void StartDwell();
  // The pointer is off the location, or the window is on the screen anyway:
  // the next dwell counts from now.
  void DropDwell(std::uint32_t now);
  // Brought up at `now`, not yet visited nor seen on the screen.
  void Show(std::uint32_t now);
  void SeeOnScreen();
  // Seen off the screen while hidden: a hide left to its thread is done.
  void SeeOffScreen();
  // The pointer is inside the shown window, or a drag carries it outside.
  void Visit(std::uint32_t now);
  // The pointer is outside the visited window; the hide delay counts from
  // the last visit.
  void Leave();
  // Hidden again, waiting for the pointer from now; the windows it owns
  // that were hidden with it; whether the hide was left to its thread.
  void PutAway(std::uint32_t now, std::span<const JournalWindow> hiddenWith = {}, bool hideAwaited = false);
  // The windows hidden with it are on the screen again: shown with it, or
  // given back.
  void OwnedBack();
  // One of them is no longer Peekbar's to show: closed, or its handle
  // names another window.
  void DropHiddenWith(WindowHandle owned);

 private:
  void Wait(std::uint32_t now);

  WindowHandle window_ = kNoWindow;
  CyclePhase phase_ = CyclePhase::Empty;
  std::uint32_t since_ = 0;
  bool seenOnScreen_ = false;
  bool hideAwaited_ = false;
  std::vector<JournalWindow> hiddenWith_;
};

}  // namespace peekbar
