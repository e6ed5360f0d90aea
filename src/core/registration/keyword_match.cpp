#include "core/registration/keyword_match.h"

#include <boost/regex.hpp>

#include <optional>
#include <string>

#include "core/registration/ecmascript_regex.h"

namespace peekbar {
namespace {

// The regex engine works on wchar_t; each UTF-16 unit becomes one character,
// so a label is matched unit by unit as on Windows, where the two are the same.
std::wstring WideUnits(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

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

bool KeywordMatcher::Matches(std::u16string_view label) const {
  if (!required_.empty() && label.find(required_) == std::u16string_view::npos) return false;
  if (!isRegex_) return WildcardMatch(wildcard_, label);
  if (!regex_) return false;
  const boost::wregex& expression =
      regex_->singleLine && !HasLineTerminator(label) ? *regex_->singleLine : regex_->expression;
  try {
    if constexpr (sizeof(wchar_t) == sizeof(char16_t)) {
      const auto* first = reinterpret_cast<const wchar_t*>(label.data());
      return boost::regex_match(first, first + label.size(), expression, boost::match_default);
    }
    return boost::regex_match(WideUnits(label), expression, boost::match_default);
  } catch (...) {
    return false;  // complexity or stack limit reached
  }
}

bool RegexMatch(std::u16string_view pattern, std::u16string_view text) {
  return KeywordMatcher(pattern, true).Matches(text);
}

}  // namespace peekbar
