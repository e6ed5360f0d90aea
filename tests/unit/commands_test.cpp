// Decoding the tray menu's command identifiers.
#include <gtest/gtest.h>

#include <set>

#include "core/tray/commands.h"

namespace peekbar {
namespace {

TEST(DecodeCommandTest, FixedIdentifiersInUseAndTheGapsBetweenThem) {
  const std::set<int> inUse = {1001, 1002, 1003, 1004, 1005, 1014, 1015, 1016, 1017, 1018,
                               1037, 1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047};
  for (int id = 1001; id <= 1047; ++id) {
    const Command c = DecodeCommand(static_cast<std::uint16_t>(id), 2);
    EXPECT_EQ(c.kind, inUse.count(id) != 0 ? CommandKind::Fixed : CommandKind::Ignored) << id;
    EXPECT_EQ(c.id, id);
  }
}

TEST(DecodeCommandTest, IdentifiersTheMenuNeverProducesAreIgnored) {
  struct Range {
    int first, last;
  };
  const Range ranges[] = {{0, 1000}, {1048, 1099}, {1106, 1199}, {1210, 1299}, {1302, 1999}};
  for (const Range& r : ranges) {
    for (int id = r.first; id <= r.last; ++id) {
      ASSERT_EQ(DecodeCommand(static_cast<std::uint16_t>(id), 2).kind, CommandKind::Ignored) << id;
    }
  }
}

TEST(DecodeCommandTest, MonitorPopPositionsAndProfiles) {
  for (int id = 1100; id <= 1105; ++id) {
    const Command c = DecodeCommand(static_cast<std::uint16_t>(id), 1);
    EXPECT_EQ(c.kind, CommandKind::MonitorPopPosition) << id;
    EXPECT_EQ(c.value, id - 1101) << id;  // 1100 hides the pop-ups (-1), 1105 is bottom right (4)
  }
  for (int id = 1200; id <= 1209; ++id) {
    const Command c = DecodeCommand(static_cast<std::uint16_t>(id), 1);
    EXPECT_EQ(c.kind, CommandKind::SelectProfile) << id;
    EXPECT_EQ(c.value, id - 1200) << id;
  }
}

TEST(DecodeCommandTest, RegistrationSheetOnlyForAttachedMonitors) {
  struct Case {
    int id;
    int monitorCount;
    CommandKind kind;
    int monitor;
  };
  const Case cases[] = {
      {1300, 1, CommandKind::RegistrationSheet, 0}, {1301, 1, CommandKind::Ignored, 0},
      {1300, 3, CommandKind::RegistrationSheet, 0}, {1302, 3, CommandKind::RegistrationSheet, 2},
      {1303, 3, CommandKind::Ignored, 0},           {1300, 0, CommandKind::Ignored, 0},
  };
  for (const Case& c : cases) {
    const Command d = DecodeCommand(static_cast<std::uint16_t>(c.id), c.monitorCount);
    EXPECT_EQ(d.kind, c.kind) << c.id << " with " << c.monitorCount << " monitors";
    if (c.kind == CommandKind::RegistrationSheet) {
      EXPECT_EQ(d.monitor, c.monitor) << c.id;
    }
  }
}

TEST(DecodeCommandTest, LocationIdentifiersRoundTrip) {
  struct Case {
    int monitor, location, k;
    int id;  // 2000 + monitor * 4144 + location * 259 + k
    LocationItem item;
    int candidate;
  };
  const Case cases[] = {
      {0, 0, 0, 2000, LocationItem::Keyword, 0},
      {0, 0, 1, 2001, LocationItem::Unregister, 0},
      {0, 0, 2, 2002, LocationItem::GuideColor, 0},
      {0, 0, 3, 2003, LocationItem::Candidate, 0},
      {0, 0, 258, 2258, LocationItem::Candidate, 255},
      {0, 1, 0, 2259, LocationItem::Keyword, 0},
      {0, 15, 258, 6143, LocationItem::Candidate, 255},
      {1, 0, 0, 6144, LocationItem::Keyword, 0},
      {1, 6, 5, 7703, LocationItem::Candidate, 2},
      {2, 9, 2, 12621, LocationItem::GuideColor, 0},
      {3, 15, 100, 18417, LocationItem::Candidate, 97},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LocationCommandId(c.monitor, c.location, c.k), c.id);
    const Command d = DecodeCommand(static_cast<std::uint16_t>(c.id), 4);
    EXPECT_EQ(d.kind, CommandKind::Location) << c.id;
    EXPECT_EQ(d.monitor, c.monitor) << c.id;
    EXPECT_EQ(d.location, c.location) << c.id;
    EXPECT_EQ(d.item, c.item) << c.id;
    EXPECT_EQ(d.candidate, c.candidate) << c.id;
  }
}

TEST(DecodeCommandTest, LocationOfAMonitorNotAttachedIsIgnored) {
  EXPECT_EQ(DecodeCommand(7703, 1).kind, CommandKind::Ignored);
  EXPECT_EQ(DecodeCommand(6143, 1).kind, CommandKind::Location);
  EXPECT_EQ(DecodeCommand(6144, 1).kind, CommandKind::Ignored);
  EXPECT_EQ(DecodeCommand(2000, 0).kind, CommandKind::Ignored);
  EXPECT_EQ(DecodeCommand(65535, 2).kind, CommandKind::Ignored);
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
          ASSERT_EQ(c.kind, CommandKind::Location);
          EXPECT_EQ(c.monitor, m);
          EXPECT_EQ(c.location, l);
          EXPECT_EQ(k >= 3 ? c.candidate + 3 : static_cast<int>(c.item), k);
        }
      }
    }
  }
}

}  // namespace
}  // namespace peekbar
