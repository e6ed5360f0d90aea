#include "core/registration/keyword_match.h"

#include <boost/regex.hpp>

#include <string>

namespace peekbar {
namespace {

// The regex engine works on wchar_t; each UTF-16 unit becomes one character,
// so a label is matched unit by unit as on Windows, where the two are the same.
std::wstring WideUnits(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

bool IsRegexSyntax(char16_t c) {
  return std::u16string_view(u"\\^$.|?*+()[]{}").find(c) != std::u16string_view::npos;
}

void KeepLonger(std::u16string& best, const std::u16string& run) {
  if (run.size() > best.size()) best = run;
}

// Escapes that stand for a class of characters or a position, with nothing
// after them that belongs to the escape.
bool IsSimpleEscape(char16_t c) { return std::u16string_view(u"bBdDwWsS").find(c) != std::u16string_view::npos; }

// Literal runs of a regular expression outside groups and classes. Anything
// that could make a literal optional or change how it matches (alternation at
// the top level, inline modifiers, escapes with a payload or back-references)
// gives up: an empty result only costs the prefilter, a wrong one would lose
// a match.
std::u16string RegexRequiredLiteral(std::u16string_view p) {
  std::u16string best;
  std::u16string run;
  int depth = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const char16_t c = p[i];
    if (c == u'\\') {
      if (i + 1 >= p.size()) return {};
      const char16_t escaped = p[++i];
      if (IsRegexSyntax(escaped)) {
        if (depth == 0) run += escaped;
        continue;
      }
      if (!IsSimpleEscape(escaped)) return {};
      KeepLonger(best, run);
      run.clear();
      continue;
    }
    if (c == u'|' && depth == 0) return {};
    if (c == u'(' && i + 1 < p.size() && p[i + 1] == u'?') {
      // Groups that only group or look ahead are skipped like any group;
      // anything else (inline modifiers, named groups) gives up.
      if (i + 2 >= p.size() || std::u16string_view(u":=!").find(p[i + 2]) == std::u16string_view::npos) return {};
    }
    if (c == u'[') {  // skip the class, escapes included; ']' first is a member
      std::size_t j = i + 1;
      if (j < p.size() && p[j] == u'^') ++j;
      if (j < p.size() && p[j] == u']') ++j;
      while (j < p.size() && p[j] != u']') j += (p[j] == u'\\') ? 2 : 1;
      i = j;
      KeepLonger(best, run);
      run.clear();
      continue;
    }
    if (c == u'*' || c == u'+' || c == u'?' || c == u'{') {
      if (!run.empty()) run.pop_back();  // the quantified character is optional
      if (c == u'{') {  // the bounds are no text; a brace that is not a bound gives up
        const std::size_t close = p.find(u'}', i);
        if (close == std::u16string_view::npos ||
            p.substr(i + 1, close - i - 1).find_first_not_of(u"0123456789,") != std::u16string_view::npos) {
          return {};
        }
        i = close;
      }
      KeepLonger(best, run);
      run.clear();
      continue;
    }
    if (c == u'(') ++depth;
    if (c == u')' && depth > 0) --depth;
    if (depth > 0 || IsRegexSyntax(c)) {
      KeepLonger(best, run);
      run.clear();
      continue;
    }
    run += c;
  }
  KeepLonger(best, run);
  return best;
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
  if (isRegex) return RegexRequiredLiteral(keyword);
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
};

KeywordMatcher::KeywordMatcher(std::u16string_view keyword, bool isRegex)
    : wildcard_(keyword), required_(RequiredLiteral(keyword, isRegex)), isRegex_(isRegex) {
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
  if (!required_.empty() && label.find(required_) == std::u16string_view::npos) return false;
  if (!isRegex_) return WildcardMatch(wildcard_, label);
  if (!regex_) return false;
  try {
    if constexpr (sizeof(wchar_t) == sizeof(char16_t)) {
      const auto* first = reinterpret_cast<const wchar_t*>(label.data());
      return boost::regex_match(first, first + label.size(), regex_->expression, boost::match_default);
    }
    return boost::regex_match(WideUnits(label), regex_->expression, boost::match_default);
  } catch (...) {
    return false;  // complexity or stack limit reached
  }
}

bool RegexMatch(std::u16string_view pattern, std::u16string_view text) {
  return KeywordMatcher(pattern, true).Matches(text);
}

}  // namespace peekbar
