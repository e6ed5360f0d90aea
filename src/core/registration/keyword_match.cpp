#include "registration/keyword_match.h"

#include <boost/regex.hpp>

#include <string>

namespace peekbar {
namespace {

// The regex engine works on wchar_t; each UTF-16 unit becomes one character,
// so a label is matched unit by unit as on Windows, where the two are the same.
std::wstring WideUnits(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

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

struct KeywordMatcher::CompiledRegex {
  boost::wregex expression;
};

KeywordMatcher::KeywordMatcher(std::u16string_view keyword, bool isRegex) : wildcard_(keyword), isRegex_(isRegex) {
  if (!isRegex_) return;
  try {
    regex_ = std::make_unique<CompiledRegex>(
        CompiledRegex{boost::wregex(WideUnits(keyword), boost::regex_constants::ECMAScript)});
  } catch (...) {
    regex_.reset();  // an invalid expression matches nothing
  }
}

KeywordMatcher::~KeywordMatcher() = default;
KeywordMatcher::KeywordMatcher(KeywordMatcher&&) noexcept = default;
KeywordMatcher& KeywordMatcher::operator=(KeywordMatcher&&) noexcept = default;

bool KeywordMatcher::Matches(std::u16string_view label) const {
  if (!isRegex_) return WildcardMatch(wildcard_, label);
  if (!regex_) return false;
  try {
    return boost::regex_match(WideUnits(label), regex_->expression, boost::match_default);
  } catch (...) {
    return false;  // complexity or stack limit reached
  }
}

bool RegexMatch(std::u16string_view pattern, std::u16string_view text) {
  return KeywordMatcher(pattern, true).Matches(text);
}

}  // namespace peekbar
