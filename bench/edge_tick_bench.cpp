// One watcher tick with every location of two monitors holding a hidden
// window and the pointer away from the edges: the cost that is paid five
// times a second all day.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "allocation_count.h"
#include "scene.h"

namespace peekbar::bench {
namespace {

enum class Keys { None, GuideKeys, Trigger };

std::unique_ptr<AppHarness> TickScene(Keys keys) {
  auto h = std::make_unique<AppHarness>();
  AddTwoMonitors(*h);
  h->Start();
  Settings& s = h->settings();
  s.guideEnabledKey = keys == Keys::GuideKeys ? 1 : 0;
  s.labelShow = 0;
  s.triggerEnabled = keys == Keys::Trigger ? 1 : 0;
  for (int m = 0; m < 2; ++m) {
    for (int l = 0; l < kLocationCount; ++l) {
      std::string name = "m";
      name += std::to_string(m);
      name += 'l';
      name += std::to_string(l);
      const WindowHandle w = h->desktop.AddWindow(std::move(name), Rect{200, 200, 800, 600});
      h->app.Registration().Register(m, l, w);
    }
  }
  h->desktop.SetPointer(960, 540);
  h->desktop.SetRecording(false);
  return h;
}

// Runs `tick` for the benchmark, the clock 200 ms on after each, once first
// to settle the stamps: the ticks run and the heap allocations they made,
// both also among the counters with the desktop calls per tick.
struct TickRun {
  const FakeDesktop* desktop = nullptr;
  double ticks = 0;
  std::uint64_t allocations = 0;

  double PerTick(DesktopMethod m) const { return desktop->Calls(m) / ticks; }
  double CallsPerTick() const { return desktop->TotalCalls() / ticks; }
  // A benchmark that also guards a budget stops the run when it is broken.
  void Require(bool withinBudget, const char* name) const {
    if (withinBudget) return;
    std::fprintf(stderr, "%s: outside the budget (%g desktop calls per tick, %llu allocations)\n", name,
                 CallsPerTick(), static_cast<unsigned long long>(allocations));
    std::abort();
  }
};
template <class Tick>
TickRun RunTicks(benchmark::State& state, FakeDesktop& d, Tick tick) {
  tick();
  d.ResetCalls();
  const std::uint64_t allocationsBefore = AllocationCount();
  for (auto _ : state) {
    tick();
    d.Advance(200);
  }
  const TickRun run{&d, static_cast<double>(state.iterations()), AllocationCount() - allocationsBefore};
  state.counters["allocations"] = static_cast<double>(run.allocations) / run.ticks;
  state.counters["total"] = run.CallsPerTick();
  return run;
}

void EdgeTick(benchmark::State& state, Keys keys) {
  const auto h = TickScene(keys);
  FakeDesktop& d = h->desktop;
  EdgeWatcher& watcher = h->app.Watcher();
  const TickRun run = RunTicks(state, d, [&] { watcher.EdgeTick(); });
  for (const auto& [name, method] : {std::pair{"PointerPosition", DesktopMethod::PointerPosition},
                                     std::pair{"IsKeyDown", DesktopMethod::IsKeyDown},
                                     std::pair{"WindowExists", DesktopMethod::WindowExists},
                                     std::pair{"WindowRect", DesktopMethod::WindowRect},
                                     std::pair{"TickCount", DesktopMethod::TickCount}}) {
    state.counters[name] = run.PerTick(method);
  }

  // The budget of a tick, exactly.
  const int expectedKeys = keys == Keys::None ? 0 : 3;
  run.Require(run.PerTick(DesktopMethod::PointerPosition) == 1 && run.PerTick(DesktopMethod::IsKeyDown) == expectedKeys &&
                  run.PerTick(DesktopMethod::WindowExists) == 32 && run.PerTick(DesktopMethod::WindowRect) == 0 &&
                  run.PerTick(DesktopMethod::TickCount) == 1 && run.CallsPerTick() == 34 + expectedKeys &&
                  run.allocations == 0,
              "EdgeTick");
}

BENCHMARK_CAPTURE(EdgeTick, no_key_conditions, Keys::None);
BENCHMARK_CAPTURE(EdgeTick, guide_keys, Keys::GuideKeys);
BENCHMARK_CAPTURE(EdgeTick, trigger_enabled, Keys::Trigger);

// Guides always shown, an ordinary window in front: while something is up,
// each tick looks at the window in front once for every monitor (its
// handle, rectangle and title bar) and asks the shell once, for the
// monitor holding it, whether a full-screen program runs.
void EdgeTickGuidesAlwaysShown(benchmark::State& state) {
  const auto h = TickScene(Keys::None);
  FakeDesktop& d = h->desktop;
  h->settings().guideAlwaysShow = 1;
  d.SetForeground(d.AddWindow("editor", Rect{100, 100, 900, 700}));
  EdgeWatcher& watcher = h->app.Watcher();
  const TickRun run = RunTicks(state, d, [&] { watcher.EdgeTick(); });
  state.counters["ForegroundWindow"] = run.PerTick(DesktopMethod::ForegroundWindow);
  state.counters["UserNotification"] = run.PerTick(DesktopMethod::UserNotification);
  run.Require(run.PerTick(DesktopMethod::ForegroundWindow) == 1 && run.PerTick(DesktopMethod::WindowRect) == 1 &&
                  run.PerTick(DesktopMethod::HasCaption) == 1 && run.PerTick(DesktopMethod::UserNotification) == 1 &&
                  run.CallsPerTick() == 34 + 4 && run.allocations == 0,
              "EdgeTickGuidesAlwaysShown");
}
BENCHMARK(EdgeTickGuidesAlwaysShown);

// The whole tick of the program, the watcher's and the rest, with nothing
// reported about other programs' windows: with the system's reports it
// costs what the watcher's does; where the system reports nothing, one
// clock reading more. Neither allocates.
void AppTick(benchmark::State& state, bool withoutEvents) {
  const auto h = TickScene(Keys::None);
  FakeDesktop& d = h->desktop;
  if (withoutEvents) h->app.LookForWindowsWithoutEvents();
  const TickRun run = RunTicks(state, d, [&] { h->app.OnTimer(); });
  const double expected = withoutEvents ? 35 : 34;
  run.Require(run.CallsPerTick() == expected && run.allocations == 0, "AppTick");
}
BENCHMARK_CAPTURE(AppTick, with_reports, false);
BENCHMARK_CAPTURE(AppTick, without_reports, true);


// One of the windows shown and visited, the pointer outside it on another
// program's window: the tick also asks what belongs to the shown window.
void EdgeTickShownPointerOutside(benchmark::State& state) {
  const auto h = TickScene(Keys::None);
  FakeDesktop& d = h->desktop;
  const WindowHandle shown = h->RegisteredAt(0, TopMiddle);
  d.Find(shown)->visible = true;
  d.Find(shown)->rect = {760, 0, 1160, 300};
  d.AddWindow("other", Rect{0, 400, 1920, 1080});
  ShowCycle& cycle = h->state().At(0, TopMiddle).cycle;
  cycle.Show(d.Tick());
  cycle.Visit(d.Tick());
  h->settings().hiddenDelay = 0x7FFFFFFF;  // stays up however long the run
  EdgeWatcher& watcher = h->app.Watcher();
  const TickRun run = RunTicks(state, d, [&] { watcher.EdgeTick(); });
  // Whether the user switched to another virtual desktop is asked only while a window is up.
  state.counters["IsOnCurrentDesktop"] = run.PerTick(DesktopMethod::IsOnCurrentDesktop);
}
BENCHMARK(EdgeTickShownPointerOutside);

}  // namespace
}  // namespace peekbar::bench
