// Keywords built to hurt: a wildcard pattern of alternating stars, and a
// regular expression with nested repetition against a label it cannot match.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/registration/keyword_match.h"
#include "reference_registration.h"

namespace peekbar::bench {
namespace {

// "*a*a...*ab" of the given length (odd).
std::u16string AlternatingStars(std::size_t length) {
  std::u16string pattern;
  while (pattern.size() + 1 < length) pattern += u"*a";
  pattern += u'b';
  return pattern;
}

void Wildcard_Core_Alternating255(benchmark::State& state) {
  const std::u16string pattern = AlternatingStars(255);
  const std::u16string text(255, u'a');
  for (auto _ : state) {
    bool match = WildcardMatch(pattern, text);
    benchmark::DoNotOptimize(match);
    if (match) std::abort();
  }
}
BENCHMARK(Wildcard_Core_Alternating255)->Unit(benchmark::kMicrosecond);

// Pattern length as the argument; the text is `textUnits` times 'a'.
void Wildcard_Reference_Growth(benchmark::State& state, std::size_t textUnits) {
  const std::u16string pattern = AlternatingStars(static_cast<std::size_t>(state.range(0)));
  const std::u16string text(textUnits, u'a');
  for (auto _ : state) {
    bool match = reference::RecursiveWildcard(pattern.c_str(), text.c_str());
    benchmark::DoNotOptimize(match);
    if (match) std::abort();
  }
}
void Wildcard_Core_Growth(benchmark::State& state, std::size_t textUnits) {
  const std::u16string pattern = AlternatingStars(static_cast<std::size_t>(state.range(0)));
  const std::u16string text(textUnits, u'a');
  for (auto _ : state) {
    bool match = WildcardMatch(pattern, text);
    benchmark::DoNotOptimize(match);
    if (match) std::abort();
  }
}
// A 40-unit text (the length of an ordinary label): lengths 9 to 19.
BENCHMARK_CAPTURE(Wildcard_Reference_Growth, text40, 40)->DenseRange(9, 19, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Wildcard_Core_Growth, text40, 40)->DenseRange(9, 19, 2)->Unit(benchmark::kMicrosecond);
// The longest text, 255 units: each pair of pattern units multiplies the
// reference's time by about 40 to 60; 11 units would take over half a minute.
BENCHMARK_CAPTURE(Wildcard_Reference_Growth, text255, 255)->DenseRange(3, 9, 2)->Unit(benchmark::kMillisecond);

// Both runaway labels: all 'x' (turned away by the required 'y' before the
// regular expression runs) and 'x's with "yz" at the end, which gets past
// that and makes the matcher backtrack until its complexity limit stops it.
void Regex_Core_NestedRepetition255(benchmark::State& state, std::u16string label) {
  const std::u16string pattern = u"(x+x+)+y";
  for (auto _ : state) {
    bool match = RegexMatch(pattern, label);
    benchmark::DoNotOptimize(match);
    if (match) std::abort();
  }
}
BENCHMARK_CAPTURE(Regex_Core_NestedRepetition255, all_x, std::u16string(255, u'x'))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Regex_Core_NestedRepetition255, x_then_yz, std::u16string(253, u'x') + u"yz")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace peekbar::bench
