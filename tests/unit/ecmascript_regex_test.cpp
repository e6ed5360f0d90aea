// Keyword regular expressions read as ECMAScript, spelled for Boost's Perl.
#include <gtest/gtest.h>

#include <string>

#include "core/base/text.h"
#include "core/registration/ecmascript_regex.h"

namespace peekbar {
namespace {

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
}

TEST(EcmaScriptRegex, NestingIsBoundedSoTheReadingCannotOverflowTheStack) {
  const auto nested = [](std::size_t depth) {
    return std::u16string(depth, u'(') + u"a" + std::u16string(depth, u')');
  };
  EXPECT_EQ(TranslateEcmaScriptRegex(nested(100)).fault, RegexFault::None);
  EXPECT_EQ(TranslateEcmaScriptRegex(nested(101)).fault, RegexFault::TooDeep);
  EXPECT_EQ(TranslateEcmaScriptRegex(std::u16string(100000, u'(')).fault, RegexFault::TooDeep);
}

}  // namespace
}  // namespace peekbar
