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

// Faults the simulation found in the program, each kept as the list that
// found it, shrunk.
TEST(SimulationTest, FaultsItFoundStayMended) {
  const char* lists[] = {
      // A registered window closed and its handle given to a new window before a tick: the new one,
      // picked for a second location, was journalled as the old one, so a kill left it hidden.
      ("popup:8517,19993 new:43994,24269 new:1331,27453 popup:28140,2812 new:51300,45563 new:51979,439 "
       "new:37123,14197 new:57117,65229 close:31713,50008 new:45921,46387 pick:53295,56521 end:23844,40295"),
      // A registered window's process died and a new window got its handle before a tick: show-all
      // then hid that stranger, which no journal named. Closed windows now leave their locations at once.
      ("new:54757,23047 dies:28965,37017 new:21228,30473 new:35317,64241 new:36743,16156 close:16346,65104 "
       "new:20775,56132 new:43190,33847 new:51722,8568 close:2441,42145 new:56686,27485 close:51426,20779 "
       "dies:4767,52320 new:45014,52148 close:64000,55204 close:37434,59119 new:47777,6029 new:24943,52224 "
       "new:59483,41601 new:62765,37041 close:12931,35445 popup:63725,23840 dies:35899,3007 keyword:24155,35093 "
       "new:11575,46581 new:30895,40200 new:61205,33052 new:62705,25779 dies:10607,29580 new:5452,23885 "
       "desktop:12125,33094 dies:49971,32374 new:47536,63179 command:14373,15126"),
  };
  for (const char* text : lists) {
    const auto steps = ParseSteps(text);
    ASSERT_TRUE(steps) << text;
    const auto failure = RunSteps(*steps);
    EXPECT_FALSE(failure) << text << ": " << failure->invariant << ": " << failure->detail;
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
