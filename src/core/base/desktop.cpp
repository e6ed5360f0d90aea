#include "core/base/desktop.h"

namespace peekbar {

void PlaceSettled(Desktop& desktop, WindowHandle window, bool answers,
                  const std::function<Placement(const Rect& now)>& where) {
  Rect now;
  desktop.WindowRect(window, now);
  Placement p = where(now);
  PlaceWindowSafely(desktop, window, p, answers);
  if (!answers) return;
  const std::int64_t width = p.size ? p.width : now.Width();
  const std::int64_t height = p.size ? p.height : now.Height();
  Rect placed;
  if (!desktop.WindowRect(window, placed) || (placed.Width() == width && placed.Height() == height)) return;
  p = where(placed);
  p.zOrder = ZOrder::Unchanged;
  p.show = false;
  PlaceWindowSafely(desktop, window, p, answers);
}

}  // namespace peekbar
