// Edge-location spans, the monitor under a point and placing a rectangle
// around a point.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/base/state.h"

namespace peekbar {
namespace {

// The locations whose span on `edge` holds the coordinate `along` that edge.
std::vector<int> LocationsAt(const Rect& monitor, int corner, int middle, Edge edge, std::int32_t along) {
  const LocationSpan span = LocationSpan::Of(monitor, corner, middle);
  std::vector<int> hits;
  for (int location = 0; location < kLocationCount; ++location) {
    std::array<LocationEdgeSpan, 2> spans{};
    const int n = LocationSpans(monitor, span, location, spans);
    for (int i = 0; i < n; ++i) {
      if (spans[static_cast<std::size_t>(i)].edge == edge && spans[static_cast<std::size_t>(i)].interval.Contains(along)) {
        hits.push_back(location);
      }
    }
  }
  return hits;
}

TEST(LocationSpanTest, SizesFromPercentagesTruncate) {
  struct Case {
    Rect monitor;
    int corner, middle;
    std::int32_t cornerX, cornerY, sideX, sideY;
  };
  const Case cases[] = {
      {{0, 0, 1920, 1080}, 10, 10, 192, 108, 864, 486},
      {{0, 0, 1366, 768}, 10, 10, 136, 76, 615, 346},     // 136.6 and 76.8 truncate
      {{-1280, -200, 0, 824}, 10, 10, 128, 102, 576, 461},  // position does not matter
      {{0, 0, 1920, 1080}, 0, 10, 0, 0, 864, 486},
      {{0, 0, 1920, 1080}, 50, 0, 960, 540, 960, 540},
      {{0, 0, 1921, 1081}, 50, 0, 960, 540, 960, 540},
      {{0, 0, 1920, 1080}, 30, 40, 576, 324, 576, 324},
  };
  for (const Case& c : cases) {
    const LocationSpan s = LocationSpan::Of(c.monitor, c.corner, c.middle);
    EXPECT_EQ(s.cornerX, c.cornerX) << c.monitor.right << " " << c.corner << "/" << c.middle;
    EXPECT_EQ(s.cornerY, c.cornerY) << c.monitor.bottom << " " << c.corner << "/" << c.middle;
    EXPECT_EQ(s.sideX, c.sideX) << c.monitor.right << " " << c.corner << "/" << c.middle;
    EXPECT_EQ(s.sideY, c.sideY) << c.monitor.bottom << " " << c.corner << "/" << c.middle;
  }
}

TEST(LocationSpanTest, EdgesOfA1920By1080MonitorSplitAtTheDocumentedPixels) {
  const Rect m{0, 0, 1920, 1080};
  struct Case {
    Edge edge;
    std::int32_t along;
    std::vector<int> locations;
  };
  const std::vector<Case> cases = {
      // Top row: 0 | 1 | 2 | 3 | 4 with cornerX 192 and sideX 864.
      {Edge::Top, 0, {0}}, {Edge::Top, 191, {0}}, {Edge::Top, 192, {1}}, {Edge::Top, 863, {1}},
      {Edge::Top, 864, {2}}, {Edge::Top, 1055, {2}}, {Edge::Top, 1056, {3}}, {Edge::Top, 1727, {3}},
      {Edge::Top, 1728, {4}}, {Edge::Top, 1919, {4}}, {Edge::Top, 1920, {}}, {Edge::Top, -1, {}},
      // Bottom row, right to left: 8 | 9 | 10 | 11 | 12.
      {Edge::Bottom, 0, {12}}, {Edge::Bottom, 191, {12}}, {Edge::Bottom, 192, {11}}, {Edge::Bottom, 864, {10}},
      {Edge::Bottom, 1055, {10}}, {Edge::Bottom, 1056, {9}}, {Edge::Bottom, 1728, {8}}, {Edge::Bottom, 1919, {8}},
      // Left column, bottom to top: 12 | 13 | 14 | 15 | 0 with cornerY 108 and sideY 486.
      {Edge::Left, 0, {0}}, {Edge::Left, 107, {0}}, {Edge::Left, 108, {15}}, {Edge::Left, 485, {15}},
      {Edge::Left, 486, {14}}, {Edge::Left, 593, {14}}, {Edge::Left, 594, {13}}, {Edge::Left, 971, {13}},
      {Edge::Left, 972, {12}}, {Edge::Left, 1079, {12}}, {Edge::Left, 1080, {}},
      // Right column, top to bottom: 4 | 5 | 6 | 7 | 8.
      {Edge::Right, 0, {4}}, {Edge::Right, 108, {5}}, {Edge::Right, 486, {6}}, {Edge::Right, 594, {7}},
      {Edge::Right, 971, {7}}, {Edge::Right, 972, {8}}, {Edge::Right, 1079, {8}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LocationsAt(m, 10, 10, c.edge, c.along), c.locations)
        << "edge " << static_cast<int>(c.edge) << " at " << c.along;
  }
}

TEST(LocationSpanTest, EveryPixelOfEveryEdgeBelongsToExactlyOneLocation) {
  struct Case {
    Rect monitor;
    int corner, middle;
  };
  const Case cases[] = {
      {{0, 0, 1920, 1080}, 10, 10}, {{0, 0, 1366, 768}, 10, 10}, {{-1280, -200, 0, 824}, 25, 33},
      {{1920, 0, 3201, 1025}, 50, 0}, {{0, 0, 1920, 1080}, 0, 0}, {{0, 0, 1920, 1080}, 0, 100},
      {{0, 0, 1919, 1079}, 30, 40}, {{0, 0, 801, 601}, 7, 13},
  };
  for (const Case& c : cases) {
    const Rect& m = c.monitor;
    for (Edge edge : {Edge::Top, Edge::Bottom}) {
      for (std::int32_t x = m.left; x < m.right; ++x) {
        ASSERT_EQ(LocationsAt(m, c.corner, c.middle, edge, x).size(), 1u)
            << "x " << x << " on " << m.left << ".." << m.right << " with " << c.corner << "/" << c.middle;
      }
    }
    for (Edge edge : {Edge::Left, Edge::Right}) {
      for (std::int32_t y = m.top; y < m.bottom; ++y) {
        ASSERT_EQ(LocationsAt(m, c.corner, c.middle, edge, y).size(), 1u)
            << "y " << y << " on " << m.top << ".." << m.bottom << " with " << c.corner << "/" << c.middle;
      }
    }
  }
}

TEST(LocationSpanTest, ZeroPercentagesLeaveCornersOrMiddlesEmpty) {
  const Rect m{0, 0, 1920, 1080};
  // CORNER_LENGTH 0: the corners never match, the start stretches reach the corner pixel.
  EXPECT_EQ(LocationsAt(m, 0, 10, Edge::Top, 0), std::vector<int>{1});
  EXPECT_EQ(LocationsAt(m, 0, 10, Edge::Top, 1919), std::vector<int>{3});
  EXPECT_EQ(LocationsAt(m, 0, 10, Edge::Left, 0), std::vector<int>{15});
  EXPECT_EQ(LocationsAt(m, 0, 10, Edge::Right, 1079), std::vector<int>{7});
  // MIDDLE_LENGTH 0: the start and end stretches meet in the middle.
  EXPECT_EQ(LocationsAt(m, 10, 0, Edge::Top, 959), std::vector<int>{1});
  EXPECT_EQ(LocationsAt(m, 10, 0, Edge::Top, 960), std::vector<int>{3});
  EXPECT_EQ(LocationsAt(m, 10, 0, Edge::Left, 540), std::vector<int>{13});
  // CORNER_LENGTH 50, MIDDLE_LENGTH 0: the corners cover every edge.
  EXPECT_EQ(LocationsAt(m, 50, 0, Edge::Top, 959), std::vector<int>{0});
  EXPECT_EQ(LocationsAt(m, 50, 0, Edge::Top, 960), std::vector<int>{4});
  EXPECT_EQ(LocationsAt(m, 50, 0, Edge::Right, 539), std::vector<int>{4});
  EXPECT_EQ(LocationsAt(m, 50, 0, Edge::Right, 540), std::vector<int>{8});
  EXPECT_EQ(LocationsAt(m, 50, 0, Edge::Bottom, 960), std::vector<int>{8});
  EXPECT_EQ(LocationsAt(m, 50, 0, Edge::Left, 540), std::vector<int>{12});
}

TEST(LocationSpanTest, CornersHaveTwoSpansAndTheOthersOne) {
  const Rect m{0, 0, 1920, 1080};
  const LocationSpan span = LocationSpan::Of(m, 10, 10);
  for (int location = 0; location < kLocationCount; ++location) {
    std::array<LocationEdgeSpan, 2> spans{};
    EXPECT_EQ(LocationSpans(m, span, location, spans), location % 4 == 0 ? 2 : 1) << location;
  }
}

TEST(LocationSpanTest, MonitorLeftOfAndAboveThePrimaryUsesItsOwnCoordinates) {
  const Rect m{-1280, -200, 0, 824};  // cornerX 128, sideX 576, cornerY 102, sideY 461
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Top, -1280), std::vector<int>{0});
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Top, -1153), std::vector<int>{0});
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Top, -1152), std::vector<int>{1});
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Top, -704), std::vector<int>{2});
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Top, -577), std::vector<int>{2});
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Top, -576), std::vector<int>{3});
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Top, -1), std::vector<int>{4});
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Top, 0), std::vector<int>{});
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Left, -200), std::vector<int>{0});
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Left, -98), std::vector<int>{15});
  EXPECT_EQ(LocationsAt(m, 10, 10, Edge::Left, 823), std::vector<int>{12});
}

std::vector<MonitorSlot> Monitors(std::initializer_list<Rect> rects) {
  std::vector<MonitorSlot> slots;
  for (const Rect& r : rects) slots.emplace_back().monitorRect = r;
  return slots;
}

TEST(MonitorIndexFromPointTest, FirstMonitorInArrayOrderHoldingThePoint) {
  // A 1920x1080 primary and a smaller monitor to its right.
  const auto two = Monitors({{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}});
  struct Case {
    Point p;
    int index;
  };
  const Case cases[] = {
      {{0, 0}, 0},       {{1919, 1079}, 0}, {{1920, 0}, 1},   {{3199, 1023}, 1},
      {{2500, 1050}, 0},  // below the smaller monitor: on no monitor
      {{3200, 0}, 0},    {{-1, 500}, 0},    {{500, -1}, 0},   {{1920, 1024}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MonitorIndexFromPoint(two, c.p), c.index) << c.p.x << "," << c.p.y;
  }

  // Overlapping (mirrored) monitors: the first one in the array wins.
  const auto mirrored = Monitors({{1920, 0, 3840, 1080}, {0, 0, 1920, 1080}, {0, 0, 1280, 1024}});
  EXPECT_EQ(MonitorIndexFromPoint(mirrored, {5, 5}), 1);
  EXPECT_EQ(MonitorIndexFromPoint(mirrored, {1500, 5}), 1);
  EXPECT_EQ(MonitorIndexFromPoint(mirrored, {1920, 5}), 0);

  EXPECT_EQ(MonitorIndexFromPoint({}, {0, 0}), 0);
}

TEST(FitRectAroundPointTest, CentresAndKeepsInsideTheMonitor) {
  struct Case {
    const char* what;
    Rect monitor;
    Rect rect;
    Point point;
    Point expected;
  };
  const Rect primary{0, 0, 1920, 1080};
  const Case cases[] = {
      {"centred", primary, {0, 0, 200, 100}, {960, 540}, {860, 490}},
      {"only the size of the rectangle counts", primary, {700, 900, 900, 1000}, {960, 540}, {860, 490}},
      {"near the right and bottom", primary, {0, 0, 200, 100}, {1850, 1050}, {1720, 980}},
      {"half width reaches the right edge", primary, {0, 0, 200, 100}, {1820, 1030}, {1720, 980}},
      {"one short of the right edge", primary, {0, 0, 200, 100}, {1819, 1029}, {1719, 979}},
      {"near the left and top", primary, {0, 0, 200, 100}, {30, 10}, {0, 0}},
      {"odd sizes truncate the half", primary, {0, 0, 201, 101}, {960, 540}, {860, 490}},
      {"odd width whose half reaches the right edge", primary, {0, 0, 201, 101}, {1820, 1030}, {1719, 979}},
      {"odd sizes against the far edges", primary, {0, 0, 201, 101}, {1900, 1070}, {1719, 979}},
      {"larger than the monitor: left and top win", primary, {0, 0, 2000, 1200}, {960, 540}, {0, 0}},
      {"second monitor", {1920, 0, 3200, 1024}, {0, 0, 200, 100}, {1925, 500}, {1920, 450}},
      {"negative coordinates", {-1280, -200, 0, 824}, {0, 0, 200, 100}, {-10, -190}, {-200, -200}},
      {"larger than a monitor at negative coordinates", {-1280, -200, 0, 824}, {0, 0, 1400, 1100}, {-600, 300},
       {-1280, -200}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitRectAroundPoint(c.monitor, c.rect, c.point), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace peekbar
