// Building the whole tray menu for two monitors and 256 candidate windows:
// 32 location submenus of 256 window items each.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "scene.h"

namespace peekbar::bench {
namespace {

std::size_t CountItems(const MenuItem& menu) {
  std::size_t n = 0;
  for (const MenuItem& item : menu.items) n += 1 + CountItems(item);
  return n;
}

void BuildTrayMenu_TwoMonitors256(benchmark::State& state) {
  auto h = std::make_unique<AppHarness>();
  AddTwoMonitors(*h);
  h->Start();
  AddInZOrder(h->desktop, DesktopWindows(256));
  // A few locations in use, with keywords and registered windows.
  const auto& keywords = KeywordSet();
  for (int l = 0; l < kLocationCount; l += 3) {
    MonitorSlot& slot = h->state().monitorSlots[0];
    slot[l].keyword = keywords[static_cast<std::size_t>(l)].text;
    slot[l].isRegex = keywords[static_cast<std::size_t>(l)].isRegex ? 1 : 0;
  }
  h->app.Registration().RegisterAllByKeywords();
  h->desktop.SetRecording(false);

  std::size_t items = 0;
  std::size_t candidates = 0;
  for (auto _ : state) {
    MenuItem menu = BuildTrayMenu(h->state(), h->desktop, false);
    items = CountItems(menu);
    benchmark::DoNotOptimize(menu);
  }
  candidates = CollectWindows(h->state(), h->desktop);
  if (candidates < 256 || items < 8000) {
    std::fprintf(stderr, "BuildTrayMenu: %zu candidates, %zu items\n", candidates, items);
    std::abort();
  }
  state.counters["items"] = static_cast<double>(items);
  state.counters["candidates"] = static_cast<double>(candidates < 256 ? candidates : 256);
}
BENCHMARK(BuildTrayMenu_TwoMonitors256)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace peekbar::bench
