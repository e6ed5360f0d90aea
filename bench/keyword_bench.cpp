// Applying 32 keywords (mixed wildcard and regular expressions) to a desktop
// of 1,000 visible windows: the core against the plain reference.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/registration/candidates.h"
#include "core/registration/keyword_match.h"
#include "reference_registration.h"
#include "scene.h"

namespace peekbar::bench {
namespace {

constexpr std::size_t kWindowCount = 1000;

struct CoreScene {
  AppHarness h;
  CoreScene() {
    AddTwoMonitors(h);
    h.Start();
    AddInZOrder(h.desktop, DesktopWindows(kWindowCount));
    const auto& keywords = KeywordSet();
    for (std::size_t i = 0; i < keywords.size(); ++i) {
      MonitorSlot& slot = h.state().monitorSlots[i / kLocationCount];
      slot[i % kLocationCount].keyword = keywords[i].text;
      slot[i % kLocationCount].isRegex = keywords[i].isRegex ? 1 : 0;
    }
    h.desktop.SetRecording(false);
  }
};

struct ReferenceScene {
  FakeDesktop desktop;
  reference::Registration registration{desktop, 2};
  ReferenceScene() {
    // The same desktop as the core's, handle for handle: the core's hidden
    // main window comes first there.
    desktop.AddWindow("main", Rect{0, 0, 0, 0}, false);
    AddInZOrder(desktop, DesktopWindows(kWindowCount));
    const auto& keywords = KeywordSet();
    for (std::size_t i = 0; i < keywords.size(); ++i) {
      reference::Location& location = registration.Monitors()[i / kLocationCount][i % kLocationCount];
      location.keyword = keywords[i].text;
      location.isRegex = keywords[i].isRegex;
    }
    desktop.SetRecording(false);
  }
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "Keyword application: %s\n", what);
  std::abort();
}

// Both apply the keywords twice from the same desktop; they must register the
// same windows at the same locations. (The core lists the desktop once per
// application, the reference once per keyword, so their calls differ.)
void CheckSameResults(CoreScene& core, ReferenceScene& ref) {
  core.h.desktop.ResetCalls();
  ref.desktop.ResetCalls();
  for (int round = 0; round < 2; ++round) {
    core.h.app.Registration().RegisterAllByKeywords();
    ref.registration.RegisterAllByKeywords();
  }
  int registered = 0;
  for (std::size_t m = 0; m < 2; ++m) {
    for (std::size_t l = 0; l < kLocationCount; ++l) {
      const WindowHandle a = core.h.state().At(m, l).cycle.Window();
      const WindowHandle b = ref.registration.Monitors()[m][l].window;
      if (a != b) {
        std::fprintf(stderr, "monitor %zu location %zu: core %s, reference %s\n", m, l,
                     core.h.desktop.NameOf(a).c_str(), ref.desktop.NameOf(b).c_str());
        Fail("the core and the reference registered different windows");
      }
      registered += a != kNoWindow ? 1 : 0;
    }
  }
  if (registered == 0) Fail("no keyword matched anything");
}

// Milliseconds per application of the reference, best of three; measured
// once and shared by the runs that report the ratio.
double ReferenceMilliseconds() {
  static const double ms = [] {
    ReferenceScene ref;
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
      const auto start = std::chrono::steady_clock::now();
      ref.registration.RegisterAllByKeywords();
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
      best = std::min(best, took.count());
    }
    return best;
  }();
  return ms;
}

int RegisteredLocations(const AppState& state) {
  int n = 0;
  for (const MonitorSlot& slot : state.monitorSlots) {
    for (WindowHandle w : slot.Windows()) n += w != kNoWindow ? 1 : 0;
  }
  return n;
}

void RegisterAllByKeywords_Core(benchmark::State& state) {
  auto core = std::make_unique<CoreScene>();
  {
    auto ref = std::make_unique<ReferenceScene>();
    CheckSameResults(*core, *ref);
  }
  const double referenceMs = ReferenceMilliseconds();
  AutoRegistration& registration = core->h.app.Registration();
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    registration.RegisterAllByKeywords();
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double coreMs = seconds * 1000 / static_cast<double>(state.iterations());
  state.counters["registered"] = RegisteredLocations(core->h.state());
  state.counters["reference_ms"] = referenceMs;
  state.counters["speedup"] = referenceMs / coreMs;
}

void RegisterAllByKeywords_Reference(benchmark::State& state) {
  auto ref = std::make_unique<ReferenceScene>();
  for (auto _ : state) ref->registration.RegisterAllByKeywords();
}

// Where the time of an application goes: one refill of the candidate list,
// and the 32 keywords matched against the 1,000 labels with nothing else.
void CollectWindows_1000(benchmark::State& state) {
  auto core = std::make_unique<CoreScene>();
  for (auto _ : state) benchmark::DoNotOptimize(CollectWindows(core->h.state(), core->h.desktop));
}

void MatchOnly_Core(benchmark::State& state) {
  auto core = std::make_unique<CoreScene>();
  const std::size_t n = CollectWindows(core->h.state(), core->h.desktop);
  std::vector<std::u16string> labels;
  for (std::size_t i = 0; i < n; ++i) labels.push_back(EntryLabel(core->h.state().windowList[i]));
  std::vector<KeywordMatcher> matchers;
  for (const Keyword& k : KeywordSet()) matchers.emplace_back(k.text, k.isRegex);
  for (auto _ : state) {
    for (const KeywordMatcher& matcher : matchers) {
      for (const std::u16string& label : labels) {
        if (matcher.Matches(label)) break;
      }
    }
  }
}

void MatchOnly_Reference(benchmark::State& state) {
  auto core = std::make_unique<CoreScene>();
  const std::size_t n = CollectWindows(core->h.state(), core->h.desktop);
  std::vector<std::u16string> labels;
  for (std::size_t i = 0; i < n; ++i) labels.push_back(EntryLabel(core->h.state().windowList[i]));
  for (auto _ : state) {
    for (const Keyword& k : KeywordSet()) {
      for (const std::u16string& label : labels) {
        const bool match = k.isRegex ? reference::PerCandidateRegex(k.text, label)
                                     : reference::RecursiveWildcard(k.text.c_str(), label.c_str());
        if (match) break;
      }
    }
  }
}

BENCHMARK(CollectWindows_1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(MatchOnly_Core)->Unit(benchmark::kMillisecond);
BENCHMARK(MatchOnly_Reference)->Unit(benchmark::kMillisecond);
BENCHMARK(RegisterAllByKeywords_Core)->Unit(benchmark::kMillisecond);
BENCHMARK(RegisterAllByKeywords_Reference)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace peekbar::bench
