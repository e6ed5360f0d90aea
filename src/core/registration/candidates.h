// The candidate windows every registration works from: the registered ones
// first (they are hidden and would not be found otherwise), then the visible
// top-level windows from front to back.
#pragma once

#include <string>

#include "core/base/desktop.h"
#include "core/base/state.h"

namespace peekbar {

inline constexpr std::size_t kWindowListGrowth = 256;

// Refills state.windowList from the front and returns the number of valid
// entries; the list grows in steps of 256 entries and never shrinks.
std::size_t CollectWindows(AppState& state, Desktop& desktop);

// "title（class）" as the user sees it, the title cut to 127 units.
std::u16string EntryLabel(const WindowEntry& entry);
void EntryLabel(const WindowEntry& entry, std::u16string& out);
// "title（class）" with the whole title: what keywords match.
void KeywordLabel(const WindowEntry& entry, std::u16string& out);

}  // namespace peekbar
