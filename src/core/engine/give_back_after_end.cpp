#include "core/engine/give_back_after_end.h"

#include <algorithm>
#include <limits>

#include "core/base/state.h"
#include "core/base/text.h"
#include "core/engine/recovery_journal.h"
#include "core/engine/taskbar.h"

namespace peekbar {
namespace {

bool Overlaps(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// How far apart two rectangles are, squared; 0 when they touch or overlap.
std::int64_t DistanceSquared(const Rect& a, const Rect& b) {
  const auto gap = [](std::int64_t lowA, std::int64_t highA, std::int64_t lowB, std::int64_t highB) {
    return std::max<std::int64_t>({lowB - highA, lowA - highB, 0});
  };
  const std::int64_t dx = gap(a.left, a.right, b.left, b.right);
  const std::int64_t dy = gap(a.top, a.bottom, b.top, b.bottom);
  return dx * dx + dy * dy;
}

// Gives a window back, moved to position when it has one.
void GiveBackMoved(Desktop& desktop, WindowHandle window, const std::optional<Point>& position) {
  Placement p = GiveBackPlacement();
  if (position) {
    p.move = true;
    p.position = *position;
  }
  desktop.PlaceWindow(window, p);
}

}  // namespace

std::optional<Point> PositionOnNearestMonitor(const Rect& window, std::span<const DisplayMonitor> monitors) {
  const DisplayMonitor* nearest = nullptr;
  std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
  for (const DisplayMonitor& monitor : monitors) {
    if (Overlaps(window, monitor.rect)) return std::nullopt;
    const std::int64_t distance = DistanceSquared(window, monitor.rect);
    if (distance < nearestDistance) {
      nearest = &monitor;
      nearestDistance = distance;
    }
  }
  if (nearest == nullptr) return std::nullopt;
  const Rect& m = nearest->rect;
  const Point centre{static_cast<std::int32_t>(m.left + m.Width() / 2), static_cast<std::int32_t>(m.top + m.Height() / 2)};
  return FitRectAroundPoint(m, window, centre);
}

AfterEnd GiveBackAfterEnd(Desktop& desktop, std::span<const JournalRecord> records) {
  AfterEnd after;
  const std::vector<DisplayMonitor> monitors = desktop.Monitors();
  const auto givenBack = [&after](WindowHandle window) {
    return std::find(after.windows.begin(), after.windows.end(), window) != after.windows.end();
  };
  bool taskbarHidden = false;
  std::optional<std::uint32_t> lockTimeout;
  for (const JournalRecord& record : records) {
    taskbarHidden = taskbarHidden || record.taskbarHidden;
    if (record.lockTimeout.value_or(0) != 0) lockTimeout = record.lockTimeout;
    // How far each registered window moved, for the windows hidden with it.
    std::vector<std::pair<WindowHandle, Point>> moved;
    const auto ownerMovedBy = [&](WindowHandle owned) -> std::optional<Point> {
      for (const HiddenWithOwner& o : record.hiddenWithOwners) {
        if (o.window != owned) continue;
        for (const auto& [window, offset] : moved) {
          if (window == o.with) return offset;
        }
      }
      return std::nullopt;
    };
    // The registered windows first: what was hidden with them follows them.
    for (const auto* list : {&record.windows, &record.hiddenWith}) {
      const bool hiddenWith = list == &record.hiddenWith;
      for (const JournalWindow& w : *list) {
        // A handle value alone may have been given to another window since.
        if (givenBack(w.window) || !IsSameWindow(desktop, w, kTitleUnits)) continue;
        Rect rect;
        std::optional<Point> position;
        if (desktop.WindowRect(w.window, rect)) {
          // Where it was beside the window it was hidden with, else onto a
          // monitor when it lies on none.
          const std::optional<Point> offset = hiddenWith ? ownerMovedBy(w.window) : std::nullopt;
          position = offset ? Point{rect.left + offset->x, rect.top + offset->y} : PositionOnNearestMonitor(rect, monitors);
          if (!hiddenWith && position) moved.push_back({w.window, {position->x - rect.left, position->y - rect.top}});
        }
        GiveBackMoved(desktop, w.window, position);
        after.windows.push_back(w.window);
      }
    }
  }
  if (taskbarHidden) {
    const TaskbarWindows taskbar = FindTaskbarWindows(desktop);
    for (const WindowHandle window : {taskbar.taskbar, taskbar.startButton}) {
      if (window != kNoWindow) desktop.ShowWindowAsync(window, ShowCommand::Show);
    }
  }
  for (const JournalRecord& record : records) {
    for (const JournalWindow& w : record.hiddenTaskbars) {
      // A shell restarted since has made new ones; the handle may name
      // another window by now.
      if (IsSameWindow(desktop, w, kTitleUnits)) desktop.ShowWindowAsync(w.window, ShowCommand::Show);
    }
  }
  if (const auto putBack = LockTimeoutToPutBack(lockTimeout, desktop.ForegroundLockTimeout())) {
    desktop.SetForegroundLockTimeout(*putBack);
    if (desktop.ForegroundLockTimeout() != *putBack) after.lockTimeoutLeft = putBack;
  }
  return after;
}

GuardianOutcome GiveBackForEndedInstance(Desktop& desktop, JournalStore& store, const GuardedInstance& instance,
                                         std::uint32_t exitCode) {
  const std::vector<AbandonedJournal> journals =
      FindSeatJournals(store, instance.folders, instance.userName, instance.seat, instance.processId);
  if (journals.empty()) return exitCode == kNormalExitCode ? GuardianOutcome::Exited : GuardianOutcome::NothingLeft;
  std::vector<JournalRecord> records;
  for (const AbandonedJournal& journal : journals) records.push_back(ParseJournal(journal.text));
  // A journal left where it could no longer be written lists less than the
  // one it moved to, and says nothing of the session's end.
  const bool sessionEnded =
      std::any_of(records.begin(), records.end(), [](const JournalRecord& r) { return r.sessionEnded; });
  const AfterEnd after = sessionEnded ? AfterEnd{} : GiveBackAfterEnd(desktop, records);
  std::size_t kept = journals.size();
  if (after.lockTimeoutLeft) {
    // Left for the next start, and nothing else: the windows are back.
    JournalRecord left;
    left.owner = instance.processId;
    left.lockTimeout = after.lockTimeoutLeft;
    if (store.Write(journals.front().path, left)) kept = 0;
  }
  for (std::size_t i = 0; i < journals.size(); ++i) {
    if (i != kept) store.Delete(journals[i].path);
  }
  return sessionEnded ? GuardianOutcome::SessionEnded : GuardianOutcome::GivenBack;
}

}  // namespace peekbar
