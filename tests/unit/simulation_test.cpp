// The seeded simulation itself: one seed, one list of steps; a list reads
// back from its text; and the lists it shrank while it was being built
// replay clean (each broke a promise the simulation had stated wrongly).
#include <gtest/gtest.h>

#include "sim/simulation.h"

namespace peekbar::sim {
namespace {

TEST(SimulationTest, OneSeedGivesTheSameStepsAndTheirTextReadsBack) {
  const std::vector<Step> steps = GenerateSteps(42, 500);
  EXPECT_EQ(GenerateSteps(42, 500), steps);
  EXPECT_NE(GenerateSteps(43, 500), steps);
  EXPECT_EQ(ParseSteps(StepsText(steps)), steps);
  EXPECT_EQ(ParseSteps("tick:1"), std::nullopt);
  EXPECT_EQ(ParseSteps("fly:1,2"), std::nullopt);
}

TEST(SimulationTest, EpisodesKeepEveryPromise) {
  for (std::uint64_t seed = 1; seed <= 4; ++seed) {
    const auto failure = RunSteps(GenerateSteps(seed, 400));
    EXPECT_FALSE(failure) << "seed " << seed << ": " << failure->invariant << ": " << failure->detail;
  }
}

TEST(SimulationTest, ListsShrunkWhileItWasBuiltReplayClean) {
  const char* lists[] = {
      // The taskbar picked from the menu is registered like any window.
      "shell:206,24307 pick:3923,22394",
      // A kill while no journal can be written loses what the file lacks, as the user was told.
      "journalfails:8270,64661 unregister:54228,1262 pick:45005,5947 end:1987,16015",
      // A window closed by its program takes the dialogs it owns with it.
      ("popup:41326,35949 new:14820,29370 new:64289,41134 new:11247,32381 popup:26691,40875 new:11088,17788 "
       "popup:41033,40330 keyword:32149,60839 popup:10742,50858 new:2170,64182 close:60230,3055 tick:22898,33403"),
      // A window held at two locations is up at one while the other waits.
      "pick:26726,33607 pointer:38858,8379 keyword:11901,39245 tick:57001,22317",
  };
  for (const char* text : lists) {
    const auto steps = ParseSteps(text);
    ASSERT_TRUE(steps) << text;
    const auto failure = RunSteps(*steps);
    EXPECT_FALSE(failure) << text << ": " << failure->invariant << ": " << failure->detail;
  }
}

}  // namespace
}  // namespace peekbar::sim
