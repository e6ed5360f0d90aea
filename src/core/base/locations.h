// The sixteen edge locations of a monitor, one row each. A row says all
// that sets one location apart from the others: its name and its place in
// the tray menu and the registration sheet, the stretch of which edges it
// owns, the edge its window docks against, its cells on the trigger
// window's grid, how its guide label runs and sits, and when its bar is
// painted. The menu's groups, the sheet's pages, the paint order and the
// grid are made from the rows; nothing else lists the locations.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/base/geometry.h"

namespace peekbar {

// Edge locations, numbered clockwise from the top-left corner. The number
// is also the n of the location's keys in a profile (KEYWORD_n, ...).
inline constexpr int kLocationCount = 16;
enum EdgeLocation : int {
  TopLeftCorner = 0,
  TopLeft, TopMiddle, TopRight,
  TopRightCorner,
  RightTop, RightMiddle, RightBottom,
  BottomRightCorner,
  BottomRight, BottomMiddle, BottomLeft,
  BottomLeftCorner,
  LeftBottom, LeftMiddle, LeftTop,
};

enum class Edge : std::uint8_t { Top, Right, Bottom, Left };

// The point lies on the monitor's outermost line of pixels along the edge
// (right and bottom are exclusive).
constexpr bool IsOnEdgeLine(const Rect& m, Edge edge, Point p) {
  switch (edge) {
    case Edge::Top: return p.y == m.top;
    case Edge::Right: return p.x == m.right - 1;
    case Edge::Bottom: return p.y == m.bottom - 1;
    case Edge::Left: return p.x == m.left;
  }
  return false;
}

// Where along an edge a location's stretch lies, from the edge's left or top
// end: a corner takes CORNER_LENGTH percent at either end, the middle
// MIDDLE_LENGTH percent around the centre, and the start and end pieces
// share what is left between them.
enum class Stretch : std::uint8_t { StartCorner, Start, Middle, End, EndCorner };

struct EdgePiece {
  Edge edge = Edge::Top;
  Stretch stretch = Stretch::Middle;
};

// The submenus of a monitor's registration menu, in menu order; each is
// also one page of the registration sheet.
enum class LocationGroup : std::uint8_t { Corners, TopEdge, BottomEdge, LeftEdge, RightEdge };
inline constexpr int kLocationGroupCount = 5;
struct LocationGroupRow {
  std::u16string_view caption;  // the sheet page's tab; with the mnemonic, the submenu's text
  char16_t mnemonic = 0;
  int sheetPage = 0;            // the edges first, the top edge's shown first; the corners last
};
inline constexpr std::array<LocationGroupRow, kLocationGroupCount> kLocationGroups = {{
    {u"四隅", u'Y', 4},
    {u"上端", u'U', 0},
    {u"下端", u'S', 1},
    {u"左端", u'L', 2},
    {u"右端", u'M', 3},
}};

// Labels along the top and bottom bars are written across; those beside the
// left and right bars run down, in full-width characters.
enum class LabelRun : std::uint8_t { Across, Down };

// Where a label sits beside its bar, inside the monitor.
enum class LabelPlacement : std::uint8_t {
  AtCorner,    // at the corner's end of its top or bottom arm, just inside the other arm
  FirstLine,   // centred on the bar, the first text line off it
  SecondLine,  // centred, one line further off, clear of its neighbour on the first line
};

// A cell of the trigger window's 9 x 9 grid.
struct GridCell {
  int row = 0;
  int column = 0;
};

struct LocationRow {
  EdgeLocation location = TopLeftCorner;
  std::u16string_view name;  // as the registration sheet and keyword dialog show it
  char16_t mnemonic = 0;     // of its item in the menu group
  LocationGroup group = LocationGroup::Corners;
  int groupRow = 0;          // its item in the menu group and its row on the sheet page
  // A corner owns a piece of each edge that meets there, the one along the
  // top or bottom first: that one frames its label.
  std::array<EdgePiece, 2> pieces{};
  int pieceCount = 0;
  // A corner docks against this edge when the pointer is on the edge's
  // outermost line of pixels, and against its other edge otherwise.
  Edge dockingEdge = Edge::Top;
  std::array<GridCell, 3> cells{};
  int cellCount = 0;
  LabelRun labelRun = LabelRun::Across;
  LabelPlacement labelPlacement = LabelPlacement::FirstLine;
  // Lower layers are painted first: the corners, so that the edge pieces lie
  // over their ends.
  int paintLayer = 0;
};

namespace location_rows {

constexpr LocationRow Row(EdgeLocation location, std::u16string_view name, char16_t mnemonic, LocationGroup group,
                          int groupRow, std::initializer_list<EdgePiece> pieces, Edge dockingEdge,
                          std::initializer_list<GridCell> cells, LabelRun run, LabelPlacement placement,
                          int paintLayer) {
  LocationRow row;
  row.location = location;
  row.name = name;
  row.mnemonic = mnemonic;
  row.group = group;
  row.groupRow = groupRow;
  for (const EdgePiece& piece : pieces) row.pieces[static_cast<std::size_t>(row.pieceCount++)] = piece;
  row.dockingEdge = dockingEdge;
  for (const GridCell& cell : cells) row.cells[static_cast<std::size_t>(row.cellCount++)] = cell;
  row.labelRun = run;
  row.labelPlacement = placement;
  row.paintLayer = paintLayer;
  return row;
}

}  // namespace location_rows

// Row n is location n.
inline constexpr std::array<LocationRow, kLocationCount> kLocationRows = [] {
  using location_rows::Row;
  using enum Edge;
  using enum Stretch;
  using enum LocationGroup;
  using enum LabelRun;
  using enum LabelPlacement;
  return std::array<LocationRow, kLocationCount>{{
      // Row(location, name, mnemonic, group, row in the group, pieces of edges,
      //     docking edge, trigger-grid cells (row, column), label run and placement, paint layer)
      Row(TopLeftCorner,     u"左上隅",   u'1', Corners,    0, {{Top, StartCorner}, {Left, StartCorner}},
          Left,   {{0, 0}, {0, 1}, {1, 0}}, Across, AtCorner,   0),
      Row(TopLeft,           u"上端左",   u'1', TopEdge,    0, {{Top, Start}},
          Top,    {{1, 2}, {1, 3}},         Across, SecondLine, 1),
      Row(TopMiddle,         u"上端中央", u'2', TopEdge,    1, {{Top, Middle}},
          Top,    {{0, 3}, {0, 4}, {0, 5}}, Across, FirstLine,  1),
      Row(TopRight,          u"上端右",   u'3', TopEdge,    2, {{Top, End}},
          Top,    {{1, 5}, {1, 6}},         Across, SecondLine, 1),
      Row(TopRightCorner,    u"右上隅",   u'3', Corners,    2, {{Top, EndCorner}, {Right, StartCorner}},
          Top,    {{0, 7}, {0, 8}, {1, 8}}, Across, AtCorner,   0),
      Row(RightTop,          u"右端上",   u'1', RightEdge,  0, {{Right, Start}},
          Right,  {{2, 7}, {3, 7}},         Down,   SecondLine, 1),
      Row(RightMiddle,       u"右端中央", u'2', RightEdge,  1, {{Right, Middle}},
          Right,  {{3, 8}, {4, 8}, {5, 8}}, Down,   FirstLine,  1),
      Row(RightBottom,       u"右端下",   u'3', RightEdge,  2, {{Right, End}},
          Right,  {{5, 7}, {6, 7}},         Down,   SecondLine, 1),
      Row(BottomRightCorner, u"右下隅",   u'4', Corners,    3, {{Bottom, EndCorner}, {Right, EndCorner}},
          Right,  {{7, 8}, {8, 7}, {8, 8}}, Across, AtCorner,   0),
      Row(BottomRight,       u"下端右",   u'3', BottomEdge, 2, {{Bottom, End}},
          Bottom, {{7, 5}, {7, 6}},         Across, SecondLine, 1),
      Row(BottomMiddle,      u"下端中央", u'2', BottomEdge, 1, {{Bottom, Middle}},
          Bottom, {{8, 3}, {8, 4}, {8, 5}}, Across, FirstLine,  1),
      Row(BottomLeft,        u"下端左",   u'1', BottomEdge, 0, {{Bottom, Start}},
          Bottom, {{7, 2}, {7, 3}},         Across, SecondLine, 1),
      Row(BottomLeftCorner,  u"左下隅",   u'2', Corners,    1, {{Bottom, StartCorner}, {Left, EndCorner}},
          Left,   {{7, 0}, {8, 0}, {8, 1}}, Across, AtCorner,   0),
      Row(LeftBottom,        u"左端下",   u'3', LeftEdge,   2, {{Left, End}},
          Left,   {{5, 1}, {6, 1}},         Down,   SecondLine, 1),
      Row(LeftMiddle,        u"左端中央", u'2', LeftEdge,   1, {{Left, Middle}},
          Left,   {{3, 0}, {4, 0}, {5, 0}}, Down,   FirstLine,  1),
      Row(LeftTop,           u"左端上",   u'1', LeftEdge,   0, {{Left, Start}},
          Left,   {{2, 1}, {3, 1}},         Down,   SecondLine, 1),
  }};
}();

inline constexpr const LocationRow& LocationRowOf(int location) {
  return kLocationRows[static_cast<std::size_t>(location)];
}

// Some of the locations, in an order of their own.
struct LocationList {
  std::array<int, kLocationCount> items{};
  int count = 0;

  constexpr const int* begin() const { return items.data(); }
  constexpr const int* end() const { return items.data() + count; }
};

// The locations for which `key` (of a row) is not negative, in the order of
// their keys; equal keys keep the locations' order.
template <typename Key>
constexpr LocationList LocationsOrderedBy(Key key) {
  LocationList list;
  for (int location = 0; location < kLocationCount; ++location) {
    const int k = key(LocationRowOf(location));
    if (k < 0) continue;
    int at = list.count++;
    for (; at > 0 && key(LocationRowOf(list.items[static_cast<std::size_t>(at - 1)])) > k; --at) {
      list.items[static_cast<std::size_t>(at)] = list.items[static_cast<std::size_t>(at - 1)];
    }
    list.items[static_cast<std::size_t>(at)] = location;
  }
  return list;
}

// A group's locations, in the order of its items and rows.
constexpr LocationList LocationsIn(LocationGroup group) {
  return LocationsOrderedBy([group](const LocationRow& row) { return row.group == group ? row.groupRow : -1; });
}

inline std::u16string_view LocationName(int location) { return LocationRowOf(location).name; }
// The location's item text in the tray menu, and its group's, with their
// mnemonics.
std::u16string LocationMenuLabel(int location);
std::u16string LocationGroupMenuLabel(LocationGroup group);

// The stretch of one monitor's edges that belongs to each location, from
// CORNER_LENGTH and MIDDLE_LENGTH (percentages), in 32-bit integers with every
// division truncating toward zero.
struct LocationSpan {
  std::int32_t cornerX = 0;
  std::int32_t cornerY = 0;
  std::int32_t sideX = 0;
  std::int32_t sideY = 0;

  static LocationSpan Of(const Rect& monitor, std::int32_t cornerLength, std::int32_t middleLength);
};

// A half-open interval [begin, end) along one edge.
struct EdgeInterval {
  std::int32_t begin = 0;
  std::int32_t end = 0;
  bool Contains(std::int32_t v) const { return begin <= v && v < end; }
};

// The spans of a location, one per piece of its row: corners have two (the
// one along the top or bottom first), the others one. Returns the number
// filled.
struct LocationEdgeSpan {
  Edge edge = Edge::Top;
  EdgeInterval interval;
};
int LocationSpans(const Rect& monitor, const LocationSpan& span, int location,
                  std::array<LocationEdgeSpan, 2>& out);

}  // namespace peekbar
