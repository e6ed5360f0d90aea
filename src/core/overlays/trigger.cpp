#include "core/overlays/trigger.h"

#include <array>

#include "core/overlays/guides.h"
#include "resource.h"

namespace peekbar {
namespace {

// The locations' cells around the close block in the centre, and gaps
// between them.
constexpr int kCloseBlockSize = 5;
constexpr int kCloseBlockFirst = (kTriggerGridSize - kCloseBlockSize) / 2;
constexpr auto kGrid = [] {
  std::array<std::array<int, kTriggerGridSize>, kTriggerGridSize> grid{};
  for (auto& row : grid) row.fill(kTriggerGap);
  for (int r = kCloseBlockFirst; r < kCloseBlockFirst + kCloseBlockSize; ++r) {
    for (int c = kCloseBlockFirst; c < kCloseBlockFirst + kCloseBlockSize; ++c) {
      grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = kTriggerCloseBlock;
    }
  }
  for (int location = 0; location < kLocationCount; ++location) {
    const LocationRow& row = LocationRowOf(location);
    for (int i = 0; i < row.cellCount; ++i) {
      const GridCell& cell = row.cells[static_cast<std::size_t>(i)];
      grid[static_cast<std::size_t>(cell.row)][static_cast<std::size_t>(cell.column)] = location;
    }
  }
  return grid;
}();

constexpr Color kGapColor = 0x808080;         // RGB(128, 128, 128)
constexpr Color kUnregisteredColor = 0x404040;  // RGB(64, 64, 64)
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

using B = ControlBinding;
constexpr std::array kTriggerSizeAndOpacity = {
    B::Number(IDC_TRIGGER_WIDTH_EDIT, IDC_TRIGGER_WIDTH_SPIN, &Settings::triggerWidth, 1, kLargestTriggerSide),
    B::Number(IDC_TRIGGER_HEIGHT_EDIT, IDC_TRIGGER_HEIGHT_SPIN, &Settings::triggerHeight, 1, kLargestTriggerSide),
    B::Number(IDC_TRIGGER_ALPHA_EDIT, IDC_TRIGGER_ALPHA_SPIN, &Settings::triggerAlpha, 1, 255),
};
constexpr BoundPage kTriggerSettingsPage{IDD_TRIGGER_SETTINGS, kTriggerSizeAndOpacity};

}  // namespace

const BoundPage& TriggerSettingsPage() { return kTriggerSettingsPage; }

int TriggerGridValue(int row, int column) {
  if (row < 0 || row >= kTriggerGridSize || column < 0 || column >= kTriggerGridSize) return kTriggerGap;
  return kGrid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int TriggerCellAt(Point client, std::int32_t width, std::int32_t height) {
  // Left of or above the window is outside too, although a division would
  // round it into the first column or row.
  if (width <= 0 || height <= 0 || client.x < 0 || client.y < 0) return kTriggerGap;
  // The last cell whose painted rectangle starts at or before the point, so
  // that every pixel hits the cell painted on it.
  const auto index = [](std::int32_t v, std::int32_t extent) {
    return static_cast<int>((static_cast<std::int64_t>(v) * kTriggerGridSize + kTriggerGridSize - 1) / extent);
  };
  return TriggerGridValue(index(client.y, height), index(client.x, width));
}

Rect TriggerCellRect(int row, int column, std::int32_t width, std::int32_t height) {
  const auto edge = [](int index, std::int32_t extent) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(index) * extent / kTriggerGridSize);
  };
  return {edge(column, width), edge(row, height), edge(column + 1, width), edge(row + 1, height)};
}

TriggerKeyRequest DecideTriggerKeys(const AppState& state) {
  const Settings& s = state.settings;
  if (s.triggerCtrl == 0 && s.triggerShift == 0 && s.triggerAlt == 0) return TriggerKeyRequest::None;
  return KeysHeld(state, s.triggerCtrl, s.triggerShift, s.triggerAlt) ? TriggerKeyRequest::BringUp
                                                                       : TriggerKeyRequest::HideAndRearm;
}

Color InverseColor(Color color) { return (~color) & 0xFFFFFF; }

TriggerCellLook TriggerCellLookOf(int value, int hovered, const MonitorSlot& monitor) {
  TriggerCellLook look;
  if (value == kTriggerGap) {
    look.fill = kGapColor;
  } else if (value == kTriggerCloseBlock) {
    look.fill = hovered == kTriggerCloseBlock ? kBlack : kWhite;
  } else if (monitor[value].cycle.Window() == kNoWindow) {
    look.fill = kUnregisteredColor;
  } else {
    const Color base = monitor[value].guideColor;
    look.fill = hovered == value ? InverseColor(base) : base;
    look.hatched = monitor[value].cycle.IsShown();
    look.hatch = InverseColor(look.fill);
  }
  return look;
}

int TriggerCellUnder(const TriggerState& trigger, Point screen) {
  if (!trigger.visible) return kTriggerGap;
  const Rect& r = trigger.rect;
  return TriggerCellAt({screen.x - r.left, screen.y - r.top}, static_cast<std::int32_t>(r.Width()),
                       static_cast<std::int32_t>(r.Height()));
}

TriggerClick DecideTriggerClick(const AppState& state, const TriggerState& trigger, int cell) {
  if (!trigger.visible || cell == kTriggerGap || trigger.monitor >= state.MonitorCount()) return TriggerClick::Nothing;
  if (cell == kTriggerCloseBlock) return TriggerClick::Dismiss;
  const LocationSlot& at = state.At(trigger.monitor, cell);
  if (at.cycle.Window() == kNoWindow) return TriggerClick::Nothing;
  return at.cycle.IsShown() ? TriggerClick::PutAway : TriggerClick::BringUp;
}

Point TriggerTipPosition(Point pointer, std::int32_t w, std::int32_t h, std::int32_t halfCursor, const Rect& m) {
  const std::int64_t x = pointer.x;
  const std::int64_t y = pointer.y;
  Point at;
  at.x = x + w > m.right ? m.right - w : pointer.x;
  at.y = y + h + halfCursor > m.bottom ? pointer.y - h : pointer.y + halfCursor;
  return at;
}

}  // namespace peekbar
