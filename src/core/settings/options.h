// The options sheet's decisions: which settings its two pages show, how the
// values of their controls are kept consistent while the user edits, what
// is taken over when the sheet is confirmed, and how the confirmed options
// come into effect.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/base/shell.h"
#include "core/base/state.h"
#include "core/base/settings.h"
#include "core/settings/settings_file.h"

namespace peekbar {

using SettingField = std::int32_t Settings::*;

// First page: one check box per flag, top to bottom.
inline constexpr std::size_t kOptionFlagCount = 10;
using OptionFlagBoxes = std::array<bool, kOptionFlagCount>;

std::span<const SettingField, kOptionFlagCount> OptionFlagFields();
OptionFlagBoxes OptionFlagsOf(const Settings& settings);
void TakeOptionFlags(Settings& settings, const OptionFlagBoxes& boxes);
// After a click on box `clicked`: remembered positions are restored at
// start-up only for windows that are shown where they were, so unticking
// the one unticks the other and ticking the other ticks the one.
void CoupleOptionFlags(OptionFlagBoxes& boxes, std::size_t clicked);

// Second page: a number with an up-down control per row, top to bottom,
// and the button or key a show waits for.
struct OptionNumberRow {
  SettingField field;
  std::int32_t low;   // the up-down control's range
  std::int32_t high;
};
inline constexpr std::size_t kOptionNumberCount = 5;
using OptionNumbers = std::array<std::int32_t, kOptionNumberCount>;

std::span<const OptionNumberRow, kOptionNumberCount> OptionNumberRows();
// The drop-down's items; an item's index is the value of MUST_BTN_FOR_SHOW.
std::span<const std::u16string_view> MustButtonForShowItems();

// The corner and middle lengths as the up-down controls hold them. After
// either is edited it is brought into its row's range and the other is
// lowered so that the corners and half the middle fit into half an edge.
struct EdgeLengths {
  std::int32_t corner;
  std::int32_t middle;
  friend bool operator==(const EdgeLengths&, const EdgeLengths&) = default;
};
EdgeLengths CornerLengthEdited(EdgeLengths lengths);
EdgeLengths MiddleLengthEdited(EdgeLengths lengths);

// The second page confirmed: the up-down positions (in row order) and the
// selected item (−1 for none) become settings, normalised as the file's
// values are when read.
void TakeOptionNumbers(Settings& settings, const OptionNumbers& positions, int mustButtonItem);

// Copies the settings the sheet edits from `edited`; the others (such as the
// tray icon's colour, changed from the menu while the sheet was open) stay.
void TakeOptionSettings(Settings& settings, const Settings& edited);

}  // namespace peekbar
