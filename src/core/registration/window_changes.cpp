#include "core/registration/window_changes.h"

#include <algorithm>

namespace peekbar {

void WindowChanges::Stop() {
  tracking_ = false;
  known_.clear();
}

void WindowChanges::ReportShown(WindowHandle window) {
  if (std::find(thisTick_.shown.begin(), thisTick_.shown.end(), window) == thisTick_.shown.end()) {
    thisTick_.shown.push_back(window);
  }
  if (!tracking_) return;
  const auto found = known_.find(window);
  // Not known: new at the next look anyway, if it is still up then.
  if (found != known_.end() && found->second.standing == Standing::Free) found->second.reportedShown = true;
}

void WindowChanges::ReportRegisteredGone() {
  if (thisTick_.gone) return;
  thisTick_.gone = true;
  thisTick_.shownBeforeGone = thisTick_.shown.size();
}

void WindowChanges::NextTick() {
  std::swap(lastTick_, thisTick_);
  thisTick_.shown.clear();
  thisTick_.gone = false;
  thisTick_.shownBeforeGone = 0;
}

bool WindowChanges::ShownAfterAWindowWent(WindowHandle window) const {
  if (!lastTick_.gone && !goneUnreported_) return false;
  const std::size_t first = lastTick_.gone ? lastTick_.shownBeforeGone : 0;
  const auto after = lastTick_.shown.begin() + static_cast<std::ptrdiff_t>(first);
  return std::find(after, lastTick_.shown.end(), window) != lastTick_.shown.end();
}

void WindowChanges::Registered(WindowHandle window) {
  if (!tracking_) return;
  Known& known = known_[window];
  known.standing = Standing::Held;
  known.reportedShown = false;
}

std::uint64_t WindowChanges::Look(const std::vector<WindowEntry>& list, std::size_t count,
                                  const std::vector<WindowHandle>& registered, Desktop& desktop) {
  const bool first = !tracking_;
  tracking_ = true;
  const std::uint64_t look = ++looks_;
  for (std::size_t i = 0; i < count; ++i) {
    const WindowEntry& entry = list[i];
    const auto [at, isNew] = known_.try_emplace(entry.window);
    Known& known = at->second;
    known.seenAt = look;
    if (std::find(registered.begin(), registered.end(), entry.window) != registered.end()) {
      known.standing = Standing::Held;
      known.processId = entry.processId;
      known.reportedShown = false;
      continue;
    }
    // A window registered before it was ever seen has no process yet.
    if (isNew || (known.processId != 0 && known.processId != entry.processId)) {
      // New on the screen, or a handle the system gave to another window.
      known = Known{};
      known.seenAt = look;
      if (!first) known.cameUpAt = look;
    } else if (known.standing == Standing::Held) {
      // Given back by this program: as it was, its title read afresh.
      known.standing = Standing::Free;
      known.titleKnown = false;
    } else if (known.reportedShown) {
      known.cameUpAt = look;  // hidden and shown again since the last look
    }
    known.processId = entry.processId;
    known.reportedShown = false;
    if (known.titleKnown && known.title != entry.title) {
      known.titleBefore.swap(known.title);
      known.renamedAt = look;
    }
    if (!known.titleKnown || known.renamedAt == look) {
      known.title = entry.title;
      known.titleKnown = true;
    }
  }
  // Off the screen now. A free window is forgotten: back on the screen it
  // is new. A window given back stays known until it is seen up, as long
  // as it exists: its program may take a while to show it.
  std::erase_if(known_, [&](const auto& item) {
    const Known& known = item.second;
    if (known.seenAt == look) return false;
    return known.standing == Standing::Free || !desktop.WindowExists(item.first);
  });
  return look;
}

WindowChanges::Change WindowChanges::Since(WindowHandle window, std::uint64_t seen) const {
  const auto found = known_.find(window);
  if (found == known_.end()) return {};
  const Known& known = found->second;
  Change change;
  change.cameUp = known.cameUpAt > seen;
  change.renamed = known.renamedAt > seen;
  if (change.renamed) change.titleBefore = known.titleBefore;
  return change;
}

}  // namespace peekbar
