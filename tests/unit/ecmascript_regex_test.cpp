// Keyword regular expressions mean what ECMAScript means, though Boost's Perl
// matches them.
#include <gtest/gtest.h>

#include <string>

#include "core/base/text.h"
#include "core/registration/ecmascript_regex.h"
#include "core/registration/keyword_match.h"

namespace peekbar {
namespace {

const std::u16string kNotepadLabel = u"(無題) - メモ帳（Notepad）";

TEST(EcmaScriptRegex, MeaningsThatPerlDoesNotShare) {
  struct Case {
    std::u16string_view pattern;
    std::u16string_view text;
    bool matches;
  };
  const Case cases[] = {
      // \uXXXX is a character (Perl: an upper-case class, then "30E1").
      {u".*\\u30E1\\u30E2.*", kNotepadLabel, true},
      {u"\\(\\u7121\\u984c\\).*\\uff08Notepad\\uFF09", kNotepadLabel, true},
      {u"\\x41\\cJ\\0[\\b]", std::u16string_view(u"A\n\0\b", 4), true},
      // No line terminator for '.', ends of the text only for ^ and $.
      {u"a.b", u"a\nb", false},
      {u"a.b", u"a\rb", false},
      {u"a.b", u"a\u2028b", false},
      {u"a.b", u"a\u0085b", true},
      {u"a.b", u"a\fb", true},
      {u"a\\n^b", u"a\nb", false},
      {u"a$\\nb", u"a\nb", false},
      {u"[^]", u"\n", true},
      {u"a[]?", u"a", true},
      {u"[]", u"a", false},
      // ASCII digits and word characters; ECMAScript's white space.
      {u"\\d", u"\uff11", false},
      {u"\\w", u"メ", false},
      {u"\\W", u"メ", true},
      {u"メ\\b", u"メ", false},
      {u"a\\Bメ", u"aメ", false},
      {u"a\\sb", u"a\u3000b", true},
      {u"a\\s\\s\\sb", u"a\u00a0\ufeff\u2029b", true},
      {u"[^\\S]", u"\u3000", true},
      {u"[[:digit:]_]+", u"1_2", true},
      {u"[[:Alpha:]]", u"メ", false},
      {u"[[:space:]]", u"\u3000", true},
      // A group that has not matched is the empty text for a back-reference.
      {u"(a)|b\\1", u"b", true},
      {u"\\1(a)", u"a", true},
      {u"(a\\1)", u"a", true},
      {u"(a)\\1", u"aa", true},
      {u"(a)\\1", u"ab", false},
      {u"(?=.*b)a.*", u"acb", true},
      {u"(?!.*b)a.*", u"acb", false},
      {u"a{2,3}?", u"aaa", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RegexMatch(c.pattern, c.text), c.matches) << Utf8FromUtf16(c.pattern) << " against "
                                                        << Utf8FromUtf16(c.text);
  }
}

TEST(EcmaScriptRegex, WhatEcmaScriptRefusesIsRefusedForItsReason) {
  struct Case {
    std::u16string_view pattern;
    RegexFault fault;
  };
  using F = RegexFault;
  const Case cases[] = {
      {u"(?i)abc", F::UnsupportedGroup},   {u"(?<=a)b", F::UnsupportedGroup},  {u"(?<!a)b", F::UnsupportedGroup},
      {u"(?<n>a)", F::UnsupportedGroup},   {u"(?>a)", F::UnsupportedGroup},    {u"(?#x)", F::UnsupportedGroup},
      {u"a(?", F::UnsupportedGroup},       {u"a++", F::NothingToRepeat},       {u"a*+", F::NothingToRepeat},
      {u"a{2}{3}", F::NothingToRepeat},    {u"a???", F::NothingToRepeat},      {u"*a", F::NothingToRepeat},
      {u"a|?b", F::NothingToRepeat},       {u"(+a)", F::NothingToRepeat},      {u"^*a", F::NothingToRepeat},
      {u"\\b+", F::NothingToRepeat},       {u"(?=a)*a", F::NothingToRepeat},   {u"\\Aa", F::BadEscape},
      {u"a\\Z", F::BadEscape},             {u"a\\z", F::BadEscape},            {u"\\Ga", F::BadEscape},
      {u"\\Qa\\E", F::BadEscape},          {u"a\\Kb", F::BadEscape},           {u"\\q", F::BadEscape},
      {u"\\p{L}", F::BadEscape},           {u"\\x4", F::BadEscape},            {u"\\x4G", F::BadEscape},
      {u"\\u30E", F::BadEscape},           {u"\\c1", F::BadEscape},            {u"\\c", F::BadEscape},
      {u"\\01", F::BadEscape},             {u"a\\", F::BadEscape},             {u"[\\B]", F::BadEscape},
      {u"a{", F::BadBraces},               {u"a{2", F::BadBraces},             {u"a{,2}", F::BadBraces},
      {u"a{2,1}", F::BadBraces},           {u"a{x}", F::BadBraces},            {u"a}", F::BadBraces},
      {u"a{65536}", F::BadBraces},         {u"]", F::BadBracket},              {u"[a", F::BadBracket},
      {u"[b-a]", F::BadBracket},           {u"[\\d-z]", F::BadBracket},        {u"[a-\\w]", F::BadBracket},
      {u"[[:word:]]", F::BadBracket},      {u"[[:alpha]", F::BadBracket},      {u"[[.a.]]", F::BadBracket},
      {u"[[=a=]]", F::BadBracket},         {u"(a", F::UnbalancedParenthesis}, {u"a)", F::UnbalancedParenthesis},
      {u"(?:a", F::UnbalancedParenthesis}, {u"\\1", F::BadBackReference},      {u"(a)\\2", F::BadBackReference},
      {u"(a)[\\1]", F::BadBackReference},
  };
  for (const Case& c : cases) {
    const TranslatedRegex translated = TranslateEcmaScriptRegex(c.pattern);
    EXPECT_EQ(translated.fault, c.fault) << Utf8FromUtf16(c.pattern);
    EXPECT_TRUE(translated.pattern.empty()) << Utf8FromUtf16(c.pattern);
  }
  // What Boost's Perl would have matched.
  EXPECT_FALSE(RegexMatch(u"(?i)abc", u"ABC"));
  EXPECT_FALSE(RegexMatch(u"a(?<=a)b", u"ab"));
  EXPECT_FALSE(RegexMatch(u"a++", u"aa"));
  EXPECT_FALSE(RegexMatch(u"\\Aa\\z", u"a"));
}

TEST(EcmaScriptRegex, NestingIsBoundedSoTheReadingCannotOverflowTheStack) {
  const auto nested = [](std::size_t depth) {
    return std::u16string(depth, u'(') + u"a" + std::u16string(depth, u')');
  };
  EXPECT_TRUE(RegexMatch(nested(100), u"a"));
  EXPECT_EQ(TranslateEcmaScriptRegex(nested(101)).fault, RegexFault::TooDeep);
  EXPECT_EQ(TranslateEcmaScriptRegex(std::u16string(100000, u'(')).fault, RegexFault::TooDeep);
}

}  // namespace
}  // namespace peekbar
