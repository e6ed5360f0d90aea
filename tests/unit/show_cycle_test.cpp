// A location's show cycle walked through its phases: each transition moves
// only from the phases it belongs to, and keeps or restarts the time the
// delays count from.
#include <gtest/gtest.h>

#include <cstdint>

#include "fakes/cycle_assertions.h"

namespace peekbar {
namespace {

TEST(ShowCyclePhaseTest, EachTransitionMovesOnlyFromItsPhasesAndKeepsOrRestartsTheTime) {
  using P = CyclePhase;
  constexpr WindowHandle A = 0x10;
  constexpr WindowHandle B = 0x20;
  struct Step {
    const char* what;
    void (*act)(ShowCycle&);
    WindowHandle window;
    P phase;
    std::uint32_t since;  // where the phase counts from a time
    bool seen;
  };
  const Step steps[] = {
      {"registered", [](ShowCycle& c) { c.Register(A, 100); }, A, P::Hidden, 100, false},
      {"on the location", [](ShowCycle& c) { c.StartDwell(); }, A, P::Dwelling, 100, false},
      {"still on it: from the last tick off", [](ShowCycle& c) { c.StartDwell(); }, A, P::Dwelling, 100, false},
      {"no visit while hidden", [](ShowCycle& c) { c.Visit(150); }, A, P::Dwelling, 100, false},
      {"off the location", [](ShowCycle& c) { c.DropDwell(200); }, A, P::Hidden, 200, false},
      {"not on the screen while hidden", [](ShowCycle& c) { c.SeeOnScreen(); }, A, P::Hidden, 200, false},
      {"shown: from the show", [](ShowCycle& c) { c.StartDwell(); c.Show(250); }, A, P::Shown, 250, false},
      {"the edge leaves it alone", [](ShowCycle& c) { c.StartDwell(); c.DropDwell(300); }, A, P::Shown, 250, false},
      {"not left before a visit", [](ShowCycle& c) { c.Leave(); }, A, P::Shown, 250, false},
      {"on the screen", [](ShowCycle& c) { c.SeeOnScreen(); }, A, P::Shown, 250, true},
      {"visited", [](ShowCycle& c) { c.Visit(400); }, A, P::Visited, 400, true},
      {"left: from the last visit", [](ShowCycle& c) { c.Leave(); c.Leave(); }, A, P::Left, 400, true},
      {"entered again", [](ShowCycle& c) { c.Visit(500); }, A, P::Visited, 500, true},
      {"put away", [](ShowCycle& c) { c.PutAway(600); }, A, P::Hidden, 600, false},
      {"another window while shown", [](ShowCycle& c) { c.Show(650); c.Register(B, 700); }, B, P::Hidden, 700, false},
      {"released", [](ShowCycle& c) { c.Release(); }, kNoWindow, P::Empty, 0, false},
      {"nothing to show or put away", [](ShowCycle& c) { c.Show(800); c.SeeOnScreen(); c.Visit(800); c.PutAway(800); },
       kNoWindow, P::Empty, 0, false},
      {"no window is no registration", [](ShowCycle& c) { c.Register(kNoWindow, 900); }, kNoWindow, P::Empty, 0, false},
  };
  ShowCycle cycle;
  for (const Step& step : steps) {
    step.act(cycle);
    EXPECT_EQ(cycle.Window(), step.window) << step.what;
    EXPECT_EQ(cycle.Phase(), step.phase) << step.what;
    if (step.phase != P::Empty) {
      EXPECT_EQ(cycle.Since(), step.since) << step.what;
    }
    EXPECT_EQ(cycle.SeenOnScreen(), step.seen) << step.what;
  }
}

}  // namespace
}  // namespace peekbar
