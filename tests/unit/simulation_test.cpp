// The seeded simulation itself: one seed, one list of steps; a list reads
// back from its text; the lists it shrank while it was being built replay
// clean (each broke a promise the simulation had stated wrongly), and so do
// the lists that found each fault put back by --plant.
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
      // A hung program shows nothing of its own; a cancelled keyword dialog applies nothing; choosing the
      // profile in use applies nothing; a window that came up in the tick its location's window closed
      // counts as come up since.
      ("close:30230,19760 close:24127,39274 close:47906,60662 new:60436,45987 new:64492,20819 rename:34632,20664 "
       "popup:29748,47697 popup:19116,63223 close:61526,23994 new:11037,21988 show:10550,64212 hang:13724,32314 "
       "close:26541,54419 command:18096,4695 show:13779,46798 tick:15662,41540"),
      ("command:14893,708 hide:39698,62744 hide:7105,20643 rename:23949,34 new:46320,32434 command:35441,3580 "
       "popup:3399,4676 new:11839,28641 show:20819,8737 keyword:54001,33780 tick:63437,54731"),
      "close:17635,6800 new:39336,5552 command:31708,65081 tick:16007,36896",
      // The faults put back by --plant, each found by its list, are mended.
      ("keyword:65033,3476 close:17502,52147 new:3729,249 rename:50954,62138 options:29755,24874 "
       "popup:59013,56588 close:47981,56472 tick:47627,29989"),
      ("command:44527,42457 new:8398,22733 popup:53837,37182 command:25350,31538 new:12558,8138 "
       "show:39649,23898 tick:18567,17573"),
      "options:29755,24874",
      ("command:52565,1962 new:56703,19111 new:47591,62086 close:16027,9601 popup:62217,39301 new:3915,11505 "
       "rename:14477,62733 command:6514,32650 new:4593,5251 new:40171,60634 pointer:55685,17946 tick:7249,22742 "
       "tick:22517,33696 minimize:2685,1996 tick:48038,46768 tick:14855,51175"),
      "pointer:35074,11756",
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
