#include "core/registration/keyword_match.h"

#include <boost/regex.hpp>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>

#include "core/registration/ecmascript_regex.h"

namespace peekbar {
namespace {

// Every match of a regular expression is bounded, so that no keyword can
// hold the program up: at most this many looks at or steps through the
// label, and at most BOOST_REGEX_MAX_STATE_COUNT states of the matcher (set
// for the whole build, beside the core's sources). Ordinary keywords need a
// few thousand of either against the longest titles; a match that needs
// more gives up (the bench's worst keywords, at the bound: README,
// Performance).
constexpr std::int64_t kLabelWorkPerMatch = 1'000'000;

// Thrown by a label iterator when the match has used up its work.
struct LabelWorkSpent {};

// A label as the regular-expression matcher walks it: each UTF-16 unit one
// wchar_t, as on Windows, where the two are the same. Each look at a
// character and each step counts against the match's work.
//
// It offers bidirectional steps only, on purpose: over such an iterator
// Boost gives up a match after BOOST_REGEX_MAX_STATE_COUNT states, whatever
// the lengths of label and expression, where over a random-access one it
// allows the label's length times the square of the expression's (for a
// long title and an expression whose classes spell out many ranges, tens of
// millions of states: seconds).
class LabelIterator {
 public:
  using iterator_category = std::bidirectional_iterator_tag;
  using value_type = wchar_t;
  using difference_type = std::ptrdiff_t;
  using pointer = const wchar_t*;
  using reference = wchar_t;

  LabelIterator() = default;
  LabelIterator(const char16_t* unit, std::int64_t* work) : unit_(unit), work_(work) {}

  wchar_t operator*() const {
    Spend();
    return static_cast<wchar_t>(*unit_);
  }
  LabelIterator& operator++() {
    Spend();
    ++unit_;
    return *this;
  }
  LabelIterator operator++(int) {
    const LabelIterator before = *this;
    ++*this;
    return before;
  }
  LabelIterator& operator--() {
    Spend();
    --unit_;
    return *this;
  }
  LabelIterator operator--(int) {
    const LabelIterator before = *this;
    --*this;
    return before;
  }
  friend bool operator==(const LabelIterator& a, const LabelIterator& b) { return a.unit_ == b.unit_; }

 private:
  // Thrown once, when the work runs out: the matcher may still step while
  // it unwinds what it had begun, and must be let finish.
  void Spend() const {
    if (--*work_ == 0) throw LabelWorkSpent();
  }

  const char16_t* unit_ = nullptr;
  std::int64_t* work_ = nullptr;
};

void KeepLonger(std::u16string& best, const std::u16string& run) {
  if (run.size() > best.size()) best = run;
}

}  // namespace

bool WildcardMatch(std::u16string_view pattern, std::u16string_view text) {
  // A run of stars ending the pattern must swallow at least one character:
  // match it as "?*" and everything else as an ordinary glob.
  std::size_t patternEnd = pattern.size();
  bool trailingStars = false;
  while (patternEnd > 0 && pattern[patternEnd - 1] == u'*') {
    --patternEnd;
    trailingStars = true;
  }
  const std::u16string_view body = pattern.substr(0, patternEnd);
  const std::size_t tailMin = trailingStars ? 1 : 0;

  // Greedy glob over the body with backtracking to the last star; the body
  // may leave a tail of text for the trailing stars.
  std::size_t p = 0;
  std::size_t t = 0;
  std::size_t starPattern = std::u16string_view::npos;
  std::size_t starText = 0;
  while (true) {
    if (p == body.size()) {
      const std::size_t rest = text.size() - t;
      if (trailingStars ? rest >= tailMin : rest == 0) return true;
    } else if (t < text.size() && body[p] == u'*') {
      starPattern = p++;
      starText = t;
      continue;
    } else if (t < text.size() && (body[p] == u'?' || body[p] == text[t])) {
      ++p;
      ++t;
      continue;
    }
    // Mismatch (or the body is used up too early): let the last star take
    // one more character.
    if (starPattern == std::u16string_view::npos || starText >= text.size()) return false;
    p = starPattern + 1;
    t = ++starText;
  }
}

std::u16string RequiredLiteral(std::u16string_view keyword, bool isRegex) {
  if (isRegex) return TranslateEcmaScriptRegex(keyword).requiredLiteral;
  // Every character of a wildcard pattern other than '*' and '?' stands for
  // itself, and a run of them for a run of the text.
  std::u16string best;
  std::u16string run;
  for (const char16_t c : keyword) {
    if (c == u'*' || c == u'?') {
      KeepLonger(best, run);
      run.clear();
    } else {
      run += c;
    }
  }
  KeepLonger(best, run);
  return best;
}

struct KeywordMatcher::CompiledRegex {
  boost::wregex expression;
  std::optional<boost::wregex> singleLine;  // for labels without line terminators, when it differs
};

namespace {

boost::wregex Compile(const std::string& perl) {
  return boost::wregex(std::wstring(perl.begin(), perl.end()),
                       boost::regex_constants::perl | boost::regex_constants::mod_s);
}

bool HasLineTerminator(std::u16string_view label) {
  return label.find_first_of(u"\n\r\u2028\u2029") != std::u16string_view::npos;
}

}  // namespace

KeywordMatcher::KeywordMatcher(std::u16string_view keyword, bool isRegex) : isRegex_(isRegex) {
  if (!isRegex_) {
    wildcard_ = keyword;
    required_ = RequiredLiteral(keyword, false);
    return;
  }
  const TranslatedRegex translated = TranslateEcmaScriptRegex(keyword);
  if (translated.fault != RegexFault::None) return;  // an invalid expression matches nothing
  required_ = translated.requiredLiteral;
  try {
    auto compiled = std::make_unique<CompiledRegex>();
    compiled->expression = Compile(translated.pattern);
    if (!translated.singleLinePattern.empty()) compiled->singleLine = Compile(translated.singleLinePattern);
    regex_ = std::move(compiled);
  } catch (...) {
    // beyond what the matcher can hold: matches nothing
  }
}

KeywordMatcher::~KeywordMatcher() = default;
KeywordMatcher::KeywordMatcher(KeywordMatcher&&) noexcept = default;
KeywordMatcher& KeywordMatcher::operator=(KeywordMatcher&&) noexcept = default;

namespace {
std::uint64_t matchesMade = 0;
}  // namespace

std::uint64_t KeywordMatchesMade() { return matchesMade; }

LabelMatch KeywordMatcher::Match(std::u16string_view label) const {
  ++matchesMade;
  if (!required_.empty() && label.find(required_) == std::u16string_view::npos) return LabelMatch::Fails;
  if (!isRegex_) return WildcardMatch(wildcard_, label) ? LabelMatch::Matches : LabelMatch::Fails;
  if (!regex_) return LabelMatch::Fails;
  const boost::wregex& expression =
      regex_->singleLine && !HasLineTerminator(label) ? *regex_->singleLine : regex_->expression;
  std::int64_t work = kLabelWorkPerMatch;
  try {
    const LabelIterator first(label.data(), &work);
    const LabelIterator last(label.data() + label.size(), &work);
    return boost::regex_match(first, last, expression, boost::match_default) ? LabelMatch::Matches
                                                                             : LabelMatch::Fails;
  } catch (const LabelWorkSpent&) {
    return LabelMatch::TooCostly;
  } catch (const boost::regex_error& e) {
    // The bound on states, or on the matcher's memory, was reached.
    const bool gaveUp = e.code() == boost::regex_constants::error_complexity ||
                        e.code() == boost::regex_constants::error_stack;
    return gaveUp ? LabelMatch::TooCostly : LabelMatch::Fails;
  } catch (...) {
    return LabelMatch::Fails;
  }
}

bool RegexMatch(std::u16string_view pattern, std::u16string_view text) {
  return KeywordMatcher(pattern, true).Matches(text);
}

}  // namespace peekbar
