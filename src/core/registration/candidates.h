// The candidate windows every registration works from: the registered ones
// first (they are hidden and would not be found otherwise), then the visible
// top-level windows from front to back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/state.h"

namespace peekbar {

inline constexpr std::size_t kWindowListGrowth = 256;

// Refills state.windowList from the front and returns the number of valid
// entries; the list grows in steps of 256 entries and never shrinks.
std::size_t CollectWindows(AppState& state, Desktop& desktop);

// "title（class）" as the user sees it, title and class cut to 127 units each.
std::u16string EntryLabel(const WindowEntry& entry);
void EntryLabel(const WindowEntry& entry, std::u16string& out);
// "title（class）" with the whole title and class: what keywords match.
void KeywordLabel(const WindowEntry& entry, std::u16string& out);
void KeywordLabel(std::u16string_view title, std::u16string_view className, std::u16string& out);

// Elevated windows: after the label of a candidate whose program runs as
// administrator, which this program can neither hide nor move. The user
// sees it offered, and cannot register it.
inline constexpr std::u16string_view kElevatedCandidateNote = u"（管理者として実行中）";

// What the user picks the first `count` candidates by: their entry labels,
// and which of them run as administrator (asked once each), whose labels
// carry the note.
void OfferedLabels(Desktop& desktop, const std::vector<WindowEntry>& candidates, std::size_t count,
                   std::vector<std::u16string>& labels, std::vector<bool>& elevated);

}  // namespace peekbar
