// Any keyword translates without fault or a clean refusal; what the
// translation accepts Boost compiles, its single-line form matches exactly
// where the full one does on a label without line breaks, every match
// contains the literal the prefilter will ask for, and the keyword matcher,
// bounded, says what Boost unbounded says wherever it does not give up.
#include <cstdlib>
#include <optional>
#include <string>

#include <boost/regex.hpp>

#include "core/registration/ecmascript_regex.h"
#include "core/registration/keyword_match.h"
#include "fuzz_input.h"

namespace {

boost::wregex Compile(const std::string& perl) {
  for (const char c : perl) {
    if (static_cast<unsigned char>(c) > 0x7F) std::abort();  // the translation promises ASCII
  }
  try {
    return boost::wregex(std::wstring(perl.begin(), perl.end()),
                         boost::regex_constants::perl | boost::regex_constants::mod_s);
  } catch (const std::exception&) {
    std::abort();  // accepted by the translation, refused by Boost
  }
}

// Nothing when Boost gave up on the label (too complex): not a verdict.
std::optional<bool> Matches(const boost::wregex& expression, const std::u16string& label) {
  const std::wstring wide(label.begin(), label.end());
  try {
    return boost::regex_match(wide, expression);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace peekbar;
  fuzz::Input input(data, size);
  const std::u16string pattern = input.TextOf(u"ab.*+?|()[]{}^$\\-:=!,0123uxcbBdDwWsSk\n\u2028メ", 24);
  const std::u16string label = input.TextOf(u"ab01 _-メ\n", 10);

  const TranslatedRegex translated = TranslateEcmaScriptRegex(pattern);
  if (translated.fault != RegexFault::None) {
    if (!translated.pattern.empty()) std::abort();
    return 0;
  }
  const boost::wregex full = Compile(translated.pattern);
  const std::optional<bool> matched = Matches(full, label);
  if (!matched) return 0;
  if (*matched && label.find(translated.requiredLiteral) == std::u16string::npos) std::abort();
  const LabelMatch bounded = KeywordMatcher(pattern, true).Match(label);
  if (bounded != LabelMatch::TooCostly && (bounded == LabelMatch::Matches) != *matched) std::abort();
  if (!translated.singleLinePattern.empty() && label.find_first_of(u"\n\r\u2028\u2029") == std::u16string::npos) {
    const std::optional<bool> singleLine = Matches(Compile(translated.singleLinePattern), label);
    if (singleLine && *singleLine != *matched) std::abort();
  }
  return 0;
}
