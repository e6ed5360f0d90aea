// Decoding the tray menu's command identifiers.
#include <gtest/gtest.h>

#include <set>

#include "core/tray/commands.h"

namespace peekbar {
namespace {

using A = CommandAction;

bool IsLocation(A action) {
  return action == A::LocationKeyword || action == A::LocationUnregister || action == A::LocationGuideColor ||
         action == A::LocationCandidate;
}

TEST(DecodeCommandTest, FixedIdentifiersInUseAndTheGapsBetweenThem) {
  const std::set<int> inUse = {1001, 1002, 1003, 1004, 1005, 1014, 1015, 1016, 1017, 1018, 1037,
                               1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047, 1048};
  for (int id = 1001; id <= 1048; ++id) {
    const Command c = DecodeCommand(static_cast<std::uint16_t>(id), 2);
    EXPECT_EQ(c.action != A::Ignored, inUse.count(id) != 0) << id;
    EXPECT_EQ(c.id, id);
  }
}

TEST(DecodeCommandTest, IdentifiersTheMenuNeverProducesAreIgnored) {
  struct Range {
    int first, last;
  };
  const Range ranges[] = {{0, 359}, {392, 1000}, {1049, 1099}, {1106, 1199}, {1210, 1299}, {1302, 1999}};
  for (const Range& r : ranges) {
    for (int id = r.first; id <= r.last; ++id) {
      ASSERT_EQ(DecodeCommand(static_cast<std::uint16_t>(id), 2).action, A::Ignored) << id;
    }
  }
}

TEST(DecodeCommandTest, MonitorPopPositionsAndProfiles) {
  for (int id = 1100; id <= 1105; ++id) {
    const Command c = DecodeCommand(static_cast<std::uint16_t>(id), 1);
    EXPECT_EQ(c.action, A::MonitorPopPosition) << id;
    EXPECT_EQ(c.value, id - 1101) << id;  // 1100 hides the pop-ups (-1), 1105 is bottom right (4)
  }
  for (int id = 1200; id <= 1209; ++id) {
    const Command c = DecodeCommand(static_cast<std::uint16_t>(id), 1);
    EXPECT_EQ(c.action, A::SelectProfile) << id;
    EXPECT_EQ(c.value, id - 1200) << id;
  }
}

TEST(DecodeCommandTest, RegistrationSheetOnlyForAttachedMonitors) {
  struct Case {
    int id;
    int monitorCount;
    A action;
    int monitor;
  };
  const Case cases[] = {
      {1300, 1, A::RegistrationSheet, 0}, {1301, 1, A::Ignored, 0},
      {1300, 3, A::RegistrationSheet, 0}, {1302, 3, A::RegistrationSheet, 2},
      {1303, 3, A::Ignored, 0},           {1300, 0, A::Ignored, 0},
  };
  for (const Case& c : cases) {
    const Command d = DecodeCommand(static_cast<std::uint16_t>(c.id), c.monitorCount);
    EXPECT_EQ(d.action, c.action) << c.id << " with " << c.monitorCount << " monitors";
    if (c.action == A::RegistrationSheet) {
      EXPECT_EQ(d.monitor, c.monitor) << c.id;
    }
  }
}

TEST(DecodeCommandTest, LocationIdentifiersRoundTrip) {
  struct Case {
    int monitor, location, k;
    int id;  // 2000 + monitor * 4144 + location * 259 + k
    A action;
    int candidate;
  };
  const Case cases[] = {
      {0, 0, 0, 2000, A::LocationKeyword, 0},
      {0, 0, 1, 2001, A::LocationUnregister, 0},
      {0, 0, 2, 2002, A::LocationGuideColor, 0},
      {0, 0, 3, 2003, A::LocationCandidate, 0},
      {0, 0, 258, 2258, A::LocationCandidate, 255},
      {0, 1, 0, 2259, A::LocationKeyword, 0},
      {0, 15, 258, 6143, A::LocationCandidate, 255},
      {1, 0, 0, 6144, A::LocationKeyword, 0},
      {1, 6, 5, 7703, A::LocationCandidate, 2},
      {2, 9, 2, 12621, A::LocationGuideColor, 0},
      {3, 15, 100, 18417, A::LocationCandidate, 97},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LocationCommandId(c.monitor, c.location, c.k), c.id);
    const Command d = DecodeCommand(static_cast<std::uint16_t>(c.id), 4);
    EXPECT_EQ(d.monitor, c.monitor) << c.id;
    EXPECT_EQ(d.location, c.location) << c.id;
    EXPECT_EQ(d.action, c.action) << c.id;
    EXPECT_EQ(d.candidate, c.candidate) << c.id;
  }
}

TEST(DecodeCommandTest, LocationHotkeysBelowTheFixedIdentifiersOneAMonitorLocation) {
  struct Case {
    int id, monitorCount;
    A action;
    int monitor, location;
  };
  const Case cases[] = {{360, 1, A::LocationHotkey, 0, 0}, {375, 1, A::LocationHotkey, 0, 15},
                        {376, 1, A::Ignored, 0, 0},        {376, 2, A::LocationHotkey, 1, 0},
                        {999, 40, A::LocationHotkey, 39, 15}, {999, 39, A::Ignored, 0, 0}};
  for (const Case& c : cases) {
    const Command d = DecodeCommand(static_cast<std::uint16_t>(c.id), c.monitorCount);
    EXPECT_EQ(d.action, c.action) << c.id << " with " << c.monitorCount << " monitors";
    if (c.action != A::LocationHotkey) continue;
    EXPECT_EQ(d.modality, Modality::Dialog);
    EXPECT_EQ(LocationHotkeyCommandId(d.monitor, d.location), c.id);
    EXPECT_EQ(d.location, c.location) << c.id;
  }
}

TEST(DecodeCommandTest, LocationOfAMonitorNotAttachedIsIgnored) {
  EXPECT_EQ(DecodeCommand(7703, 1).action, A::Ignored);
  EXPECT_TRUE(IsLocation(DecodeCommand(6143, 1).action));
  EXPECT_EQ(DecodeCommand(6144, 1).action, A::Ignored);
  EXPECT_EQ(DecodeCommand(2000, 0).action, A::Ignored);
  EXPECT_EQ(DecodeCommand(65535, 2).action, A::Ignored);
}

}  // namespace
}  // namespace peekbar

namespace peekbar {
namespace {

// Identifiers travel in 16 bits: with many monitors every location command
// must still fit and decode to the location and item it was made for.
TEST(ManyMonitorCommands, EveryLocationIdentifierFitsAndDecodesBack) {
  for (int monitors : {1, 2, 15, 16, 17, 24, 40}) {
    const int block = LocationBlockSize(monitors);
    EXPECT_EQ(MaxMenuCandidates(monitors), block - 3);
    if (monitors <= 15) {
      EXPECT_EQ(block, 259) << "up to 15 monitors the identifiers keep their layout";
    }
    for (int m = 0; m < monitors; ++m) {
      for (int l = 0; l < 16; ++l) {
        for (int k : {0, 1, 2, 3, block - 1}) {
          const int id = LocationCommandId(m, l, k, monitors);
          ASSERT_LT(id, 65536) << monitors << " monitors, monitor " << m;
          const Command c = DecodeCommand(static_cast<std::uint16_t>(id), monitors);
          ASSERT_TRUE(IsLocation(c.action));
          EXPECT_EQ(c.monitor, m);
          EXPECT_EQ(c.location, l);
          const int item = static_cast<int>(c.action) - static_cast<int>(A::LocationKeyword);
          EXPECT_EQ(k >= 3 ? c.candidate + 3 : item, k);
        }
      }
    }
  }
}

}  // namespace
}  // namespace peekbar

namespace peekbar {
namespace {

// Every 16-bit identifier, for as few and as many monitors as the menu
// serves: each decodes to nothing, or to a command that encodes back to it.
TEST(DecodeCommandTest, EveryIdentifierDecodesToNothingOrToWhatEncodesBackToIt) {
  for (const int monitors : {1, 2, 16, 40}) {
    for (int id = 0; id <= 0xFFFF; ++id) {
      const Command c = DecodeCommand(static_cast<std::uint16_t>(id), monitors);
      ASSERT_EQ(c.id, id);
      if (c.action == CommandAction::Ignored) continue;
      if (c.action >= CommandAction::LocationKeyword) {
        ASSERT_LT(c.monitor, monitors) << id;
        const int item = c.action == CommandAction::LocationCandidate
                             ? 3 + c.candidate
                             : static_cast<int>(c.action) - static_cast<int>(CommandAction::LocationKeyword);
        ASSERT_EQ(LocationCommandId(c.monitor, c.location, item, monitors), id) << monitors << " monitors";
        ASSERT_LT(c.candidate, MaxMenuCandidates(monitors));
      } else {
        const CommandSpec& spec = SpecOf(c.action);
        ASSERT_GE(id, spec.first);
        ASSERT_LE(id, spec.last);
        if (c.action == CommandAction::RegistrationSheet || c.action == CommandAction::LocationHotkey) {
          ASSERT_LT(c.monitor, monitors) << id;
        }
        if (c.action == CommandAction::LocationHotkey) {
          ASSERT_EQ(LocationHotkeyCommandId(c.monitor, c.location), id);
        }
      }
    }
  }
}

}  // namespace
}  // namespace peekbar
