// The options sheet's decisions: the tables that bind its two pages to the
// OPTION settings, how the values of their controls are kept consistent
// while the user edits, and what is taken over when the sheet is confirmed.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/base/settings.h"
#include "core/settings/bound_pages.h"

namespace peekbar {

// First page: a check box per flag. Remembered positions are restored at
// start-up only for windows that are shown where they were, so unticking
// the one unticks the other and ticking the other ticks the one.
const BoundPage& OptionsFlagsPage();

// Second page: the edge lengths and the timing, each a number with an
// up-down control, and the button or key a show waits for. While the
// corner or middle length is edited, the other follows (see below).
const BoundPage& OptionsNumbersPage();

// The drop-down's items; an item's index is the value of MUST_BTN_FOR_SHOW.
std::span<const std::u16string_view> MustButtonForShowItems();

// The corner and middle lengths as the up-down controls hold them. After
// either is edited it is brought into its control's range and the other is
// lowered so that the corners and half the middle fit into half an edge.
struct EdgeLengths {
  std::int32_t corner;
  std::int32_t middle;
  friend bool operator==(const EdgeLengths&, const EdgeLengths&) = default;
};
EdgeLengths CornerLengthEdited(EdgeLengths lengths);
EdgeLengths MiddleLengthEdited(EdgeLengths lengths);

}  // namespace peekbar
