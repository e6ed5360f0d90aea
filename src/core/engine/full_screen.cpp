#include "core/engine/full_screen.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace peekbar {
namespace {

// The desktop (#32769, and the shell's Progman and WorkerW drawn on it) and
// the taskbars: captionless windows that cover monitors without being a
// program the user watches.
constexpr std::array<std::u16string_view, 5> kShellClasses = {
    u"#32769", u"Progman", u"WorkerW", u"Shell_TrayWnd", u"Shell_SecondaryTrayWnd",
};
// Longer than any of them, so that a longer name is not cut into one.
constexpr std::size_t kClassUnits = 32;

bool Covers(const Rect& window, const Rect& monitor) {
  return window.left <= monitor.left && window.top <= monitor.top && window.right >= monitor.right &&
         window.bottom >= monitor.bottom;
}

std::int64_t OverlapArea(const Rect& a, const Rect& b) {
  const std::int64_t width = static_cast<std::int64_t>(std::min(a.right, b.right)) - std::max(a.left, b.left);
  const std::int64_t height = static_cast<std::int64_t>(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

// The attached monitor holding the largest part of the rectangle, as the
// system assigns a window to a monitor; -1 when it lies on none.
int MonitorHolding(const AppState& state, const Rect& rect) {
  int best = -1;
  std::int64_t bestArea = 0;
  for (int m = 0; m < state.MonitorCount(); ++m) {
    const MonitorSlot& slot = state.Monitor(m);
    const std::int64_t area = slot.active ? OverlapArea(rect, slot.monitorRect) : 0;
    if (area > bestArea) {
      best = m;
      bestArea = area;
    }
  }
  return best;
}

}  // namespace

ForegroundLook& FullScreenRule::LookAtForeground() {
  if (look_) return *look_;
  ForegroundLook& look = look_.emplace();
  look.window = desktop_.ForegroundWindow();
  look.readable = look.window != kNoWindow && desktop_.WindowRect(look.window, look.rect);
  if (!look.readable) return look;
  look.caption = desktop_.HasCaption(look.window);
  look.own = !look.caption && desktop_.WindowProcessId(look.window) == desktop_.OwnProcessId();
  return look;
}

bool FullScreenRule::IsShellWindow(ForegroundLook& look) {
  if (!look.shellClass) {
    const std::u16string className = desktop_.WindowClassName(look.window, kClassUnits);
    look.shellClass = std::find(kShellClasses.begin(), kShellClasses.end(), className) != kShellClasses.end();
  }
  return *look.shellClass;
}

UserNotificationState FullScreenRule::Notification(ForegroundLook& look) {
  if (!look.notification) look.notification = desktop_.UserNotification();
  return *look.notification;
}

FullScreenVerdict FullScreenRule::VerdictFor(int monitor) {
  if (state_.settings.fullscreenQuiet == 0) return FullScreenVerdict::OptionOff;
  ForegroundLook& look = LookAtForeground();
  if (!look.readable) return FullScreenVerdict::NoForeground;
  // What the window in front says of the monitor, by itself.
  FullScreenVerdict verdict = FullScreenVerdict::FullScreenWindow;
  if (look.caption) {
    verdict = FullScreenVerdict::HasCaption;
  } else if (look.own) {
    verdict = FullScreenVerdict::OwnWindow;
  } else if (!Covers(look.rect, state_.Monitor(monitor).monitorRect)) {
    verdict = FullScreenVerdict::NotCovering;
  } else if (IsShellWindow(look)) {
    verdict = FullScreenVerdict::ShellWindow;
  }
  if (KeepsQuiet(verdict)) return verdict;
  // An exclusive Direct3D program may show no window that covers the
  // monitor; the shell knows it is there, not where: the monitor of the
  // window in front is the best guess. Presentation settings quiet it too.
  if (MonitorHolding(state_, look.rect) != monitor) return verdict;
  switch (Notification(look)) {
    case UserNotificationState::Direct3DFullScreen: return FullScreenVerdict::Direct3DFullScreen;
    case UserNotificationState::PresentationMode: return FullScreenVerdict::PresentationMode;
    default: return verdict;
  }
}

}  // namespace peekbar
