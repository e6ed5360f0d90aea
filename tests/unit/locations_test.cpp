// The lists made from the locations' rows: the registration sheet's pages,
// the guides' paint order and the trigger window's grid. Each holds every
// location exactly once, in its own order.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/overlays/guides.h"
#include "core/overlays/trigger.h"
#include "core/registration/registration_sheet.h"
#include "fakes/app_harness.h"

namespace peekbar {
namespace {

TEST(LocationListsTest, SheetPagesHoldTheMenuGroupsEdgesFirstCornersLast) {
  struct Page {
    std::string caption;
    std::vector<int> rows;
  };
  const std::vector<Page> expected = {
      {"上端", {1, 2, 3}},    {"下端", {11, 10, 9}}, {"左端", {15, 14, 13}},
      {"右端", {5, 6, 7}},    {"四隅", {0, 12, 4, 8}},
  };
  ASSERT_EQ(kRegistrationPages.size(), expected.size());
  for (std::size_t p = 0; p < expected.size(); ++p) {
    const RegistrationPage& page = kRegistrationPages[p];
    EXPECT_EQ(U8(page.caption), expected[p].caption);
    const std::vector<int> rows(page.locations.begin(), page.locations.begin() + page.rowCount);
    EXPECT_EQ(rows, expected[p].rows) << expected[p].caption;
  }
}

TEST(LocationListsTest, GuidesPaintTheCornersFirstThenTheEdgePiecesOverTheirEnds) {
  EXPECT_EQ(kGuidePaintOrder,
            (std::array<int, kLocationCount>{0, 4, 8, 12, 1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15}));
}

TEST(LocationListsTest, TriggerGridIsTheMonitorInMiniatureAroundTheCloseBlock) {
  constexpr int G = kTriggerGap;
  constexpr int X = kTriggerCloseBlock;
  const int expected[kTriggerGridSize][kTriggerGridSize] = {
      {0, 0, G, 2, 2, 2, G, 4, 4},
      {0, G, 1, 1, G, 3, 3, G, 4},
      {G, 15, X, X, X, X, X, 5, G},
      {14, 15, X, X, X, X, X, 5, 6},
      {14, G, X, X, X, X, X, G, 6},
      {14, 13, X, X, X, X, X, 7, 6},
      {G, 13, X, X, X, X, X, 7, G},
      {12, G, 11, 11, G, 9, 9, G, 8},
      {12, 12, G, 10, 10, 10, G, 8, 8},
  };
  for (int row = 0; row < kTriggerGridSize; ++row) {
    for (int column = 0; column < kTriggerGridSize; ++column) {
      EXPECT_EQ(TriggerGridValue(row, column), expected[row][column]) << "row " << row << ", column " << column;
    }
  }
}

}  // namespace
}  // namespace peekbar
