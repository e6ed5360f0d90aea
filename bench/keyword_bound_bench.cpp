// The bound on a keyword's match. The costliest keyword users were seen to
// write, against titles of a hundred to a thousand units: its worst single
// match as Peekbar matches it and as it was matched before (Boost's own
// limit, which grows with the lengths), and a look of a location waiting
// with it over a desktop of 1,000 windows. Then keywords built to hurt in
// other ways, each stopped at the bound.
#include <benchmark/benchmark.h>

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

const std::u16string kEditorKeyword = u"^(\\S+\\s*)*- Visual Studio Code$";

// An editor's title of about `units` units, as its label: the class goes
// on past the title, so the keyword's `$` never holds and it backtracks.
std::u16string EditorTitle(std::size_t units) {
  std::u16string title;
  while (title.size() + 20 < units) title += u"word ";
  return title + u"- Visual Studio Code";
}
std::u16string EditorLabel(std::size_t units) { return EditorTitle(units) + u"（Chrome_WidgetWin_1）"; }

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "Keyword bound: %s\n", what);
  std::abort();
}

void WorstMatch_Core(benchmark::State& state) {
  const KeywordMatcher matcher(kEditorKeyword, true);
  const std::u16string label = EditorLabel(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    const LabelMatch match = matcher.Match(label);
    benchmark::DoNotOptimize(match);
    if (match != LabelMatch::TooCostly) Fail("the editor keyword did not reach the bound");
  }
}
BENCHMARK(WorstMatch_Core)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);

void WorstMatch_Before(benchmark::State& state) {
  const reference::RegexAsBefore matcher(kEditorKeyword);
  const std::u16string label = EditorLabel(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    const std::optional<bool> match = matcher.Match(label);
    benchmark::DoNotOptimize(match);
    if (match.value_or(false)) Fail("the editor keyword matched before");
  }
}
BENCHMARK(WorstMatch_Before)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(2);

// 1,000 windows, five of them editors with titles of 300 units (and the
// desktop's own, short one), and the middle of the top edge waiting with the
// editor keyword.
constexpr std::size_t kWindowCount = 1000;
constexpr std::size_t kEditors = 5;

std::unique_ptr<AppHarness> WaitingScene() {
  auto h = std::make_unique<AppHarness>();
  AddTwoMonitors(*h);
  h->Start();
  std::vector<FakeWindow> windows = DesktopWindows(kWindowCount);
  for (std::size_t i = 0; i < kEditors; ++i) {
    FakeWindow& editor = windows[100 + 180 * i];
    editor.title = EditorTitle(300);
    editor.className = u"Chrome_WidgetWin_1";
  }
  AddInZOrder(h->desktop, windows);
  h->state().At(0, TopMiddle).keyword = kEditorKeyword;
  h->state().At(0, TopMiddle).isRegex = 1;
  h->desktop.SetRecording(false);
  h->app.Registration().RegisterNewWindowsByKeywords();  // begins waiting: sees the desktop
  return h;
}

// Every title on the desktop changed since the last look: each label is
// matched once, the editors' up to the bound.
void WaitingLook_Core_EveryTitleChanged(benchmark::State& state) {
  const auto h = WaitingScene();
  std::vector<FakeWindow*> windows;
  for (const WindowHandle w : h->desktop.ZOrderList()) windows.push_back(h->desktop.Find(w));
  bool marked = false;
  for (auto _ : state) {
    state.PauseTiming();
    marked = !marked;
    for (FakeWindow* w : windows) {
      if (marked) {
        w->title.insert(0, 1, u'*');
      } else {
        w->title.erase(0, 1);
      }
    }
    state.ResumeTiming();
    if (h->app.Registration().RegisterNewWindowsByKeywords()) Fail("a window was taken");
  }
}
BENCHMARK(WaitingLook_Core_EveryTitleChanged)->Unit(benchmark::kMillisecond);

// Nothing changed since the last look: the desktop is listed and compared,
// and no label is matched again.
void WaitingLook_Core_NothingChanged(benchmark::State& state) {
  const auto h = WaitingScene();
  for (auto _ : state) {
    if (h->app.Registration().RegisterNewWindowsByKeywords()) Fail("a window was taken");
  }
}
BENCHMARK(WaitingLook_Core_NothingChanged)->Unit(benchmark::kMillisecond);

// Before: every look matched every free window's label, however often it
// had failed before, and each editor's ran until Boost's own limit.
void WaitingLook_Before(benchmark::State& state) {
  const auto h = WaitingScene();
  std::u16string label;
  for (auto _ : state) {
    const std::size_t count = CollectWindows(h->state(), h->desktop);
    const reference::RegexAsBefore matcher(kEditorKeyword);
    for (std::size_t i = 0; i < count; ++i) {
      const WindowEntry& entry = h->state().windowList[i];
      if (IsShellWindowClass(entry.className) || h->state().IsRegistered(entry.window)) continue;
      KeywordLabel(entry, label);
      if (matcher.Match(label).value_or(false)) Fail("a window matched");
    }
  }
}
BENCHMARK(WaitingLook_Before)->Unit(benchmark::kMillisecond)->Iterations(1);

// Keywords built to hurt other ways, of up to 255 units, against labels of
// 1,000 units: each gives up at the bound (the states of the matcher, or
// its looks at the label).
struct Hurt {
  const char* name;
  std::u16string keyword;
  std::u16string label;
};

std::vector<Hurt> BuiltToHurt() {
  std::u16string widest = u"[^";
  for (char16_t c = u'\u4E00'; widest.size() < 240; c += 4) widest += {c, u'-', static_cast<char16_t>(c + 1)};
  widest += u']';
  const std::u16string high(1000, u'\u9FFF');
  const std::u16string as(1000, u'a');
  const std::u16string tail = u"QZ（C）";
  return {
      {"nested_repetition", u"(x+x+)+y", std::u16string(998, u'x') + u"yz"},
      {"nested_wide_classes", u"^(?:" + widest + u"*" + widest + u"*)*Q$", high + tail},
      {"lookahead_scanning_a_wide_class", u"^(?:(?=" + widest + u"*Z)a)*Q$", as + tail},
      {"back_references", u"^(.*)(.*)\\1\\2Q$", as + tail},
      {"nested_any", u"^(?:.*.*)*Q$", as + tail},
      {"empty_alternatives", u"^(?:|a|){60}(?:|a|){60}Q$", as + tail},
  };
}

void BuiltToHurt_Core(benchmark::State& state) {
  const Hurt hurt = BuiltToHurt()[static_cast<std::size_t>(state.range(0))];
  state.SetLabel(hurt.name);
  const KeywordMatcher matcher(hurt.keyword, true);
  for (auto _ : state) {
    const LabelMatch match = matcher.Match(hurt.label);
    benchmark::DoNotOptimize(match);
    if (match != LabelMatch::TooCostly) Fail("a keyword built to hurt did not reach the bound");
  }
}
BENCHMARK(BuiltToHurt_Core)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace peekbar::bench
