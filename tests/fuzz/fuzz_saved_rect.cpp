// Remembered rectangles of any numbers on any monitors: one is used only
// when a window could be there, and nothing overflows on the way.
#include <cstdlib>
#include <vector>

#include "core/base/state.h"
#include "core/engine/show_hide.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace peekbar;
  fuzz::Input input(data, size);
  const auto rect = [&] {
    Rect r;
    r.left = input.Take<std::int32_t>();
    r.top = input.Take<std::int32_t>();
    r.right = input.Take<std::int32_t>();
    r.bottom = input.Take<std::int32_t>();
    return r;
  };
  const Rect saved = rect();
  const Point pointer{input.Take<std::int32_t>(), input.Take<std::int32_t>()};
  std::vector<MonitorSlot> monitors(1 + input.Take<std::uint8_t>() % 3);
  for (MonitorSlot& m : monitors) m.monitorRect = rect();
  if (IsUsableSavedRect(saved, monitors)) {
    const std::int64_t x = saved.left + saved.Width() / 2;
    const std::int64_t y = saved.top + saved.Height() / 2;
    bool onAMonitor = false;
    for (const MonitorSlot& m : monitors) {
      onAMonitor = onAMonitor || (m.monitorRect.left <= x && x < m.monitorRect.right && m.monitorRect.top <= y &&
                                  y < m.monitorRect.bottom);
    }
    if (saved.Width() <= 0 || saved.Height() <= 0 || !onAMonitor) std::abort();
  }
  FitRectAroundPoint(monitors[0].monitorRect, saved, pointer);
  return 0;
}
