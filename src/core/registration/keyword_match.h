// Matching keywords against entry labels ("title（class）"), as a whole.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace peekbar {

// Wildcard patterns: '*' for any run of characters and '?' for one, UTF-16
// units compared exactly, no escape. A '*' (or run of them) at the very end
// of the pattern needs at least one character, so a pattern of stars alone
// never matches the empty text. Runs in time proportional to
// pattern x text at worst.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view text);

// ECMAScript regular expressions as the C++ standard library reads them
// (see ecmascript_regex.h), case-sensitive, matched against the whole text.
// An invalid pattern, or a match that exceeds the matcher's bound, is a
// failed match.
bool RegexMatch(std::u16string_view pattern, std::u16string_view text);

// How a label fares against a keyword.
enum class LabelMatch : std::uint8_t {
  Fails,
  Matches,
  // The regular expression would take longer than any match may (it
  // backtracks without end over this label): counted as failing, and worth
  // telling the user, whose keyword it is.
  TooCostly,
};

// A run of characters that every text matching the keyword must contain,
// found conservatively (empty when none can be proven, and for an invalid
// regular expression). A label without it cannot match, which spares the full
// match for most labels.
std::u16string RequiredLiteral(std::u16string_view keyword, bool isRegex);

// A keyword prepared once for matching many labels: a regular expression is
// compiled once, not once per candidate.
// How many labels have been matched against a keyword in this process: the
// work the keywords cost, counted where it is spent.
std::uint64_t KeywordMatchesMade();

class KeywordMatcher {
 public:
  KeywordMatcher(std::u16string_view keyword, bool isRegex);
  ~KeywordMatcher();
  KeywordMatcher(KeywordMatcher&&) noexcept;
  KeywordMatcher& operator=(KeywordMatcher&&) noexcept;

  LabelMatch Match(std::u16string_view label) const;
  bool Matches(std::u16string_view label) const { return Match(label) == LabelMatch::Matches; }

 private:
  struct CompiledRegex;
  std::u16string wildcard_;
  std::u16string required_;
  bool isRegex_ = false;
  std::unique_ptr<CompiledRegex> regex_;  // null when invalid or not a regex
};

}  // namespace peekbar
