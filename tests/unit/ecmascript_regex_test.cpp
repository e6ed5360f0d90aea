// Keyword regular expressions mean what ECMAScript means, though Boost's Perl
// matches them; std::wregex is the reference on generated patterns.
#include <gtest/gtest.h>

#include <boost/regex.hpp>

#include <array>
#include <initializer_list>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <vector>

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
      // Character escapes are characters (Perl: \u is an upper-case class).
      {u".*\\u30E1\\u30E2.*", kNotepadLabel, true},
      {u"\\(\\u7121\\u984c\\).*\\uff08Notepad\\uFF09", kNotepadLabel, true},
      {u"\\x41\\cJ\\0[\\b]", std::u16string_view(u"A\n\0\b", 4), true},
      // '.' stops at line terminators only; ^ and $ hold at the ends of the text only.
      {u"a.b", u"a\nb", false}, {u"a.b", u"a\rb", false}, {u"a.b", u"a\u2028b", false},
      {u"a.b", u"a\u0085b", true}, {u"a.b", u"a\fb", true}, {u"a\\n^b", u"a\nb", false},
      {u"a$\\nb", u"a\nb", false}, {u"[^]", u"\n", true}, {u"a[]?", u"a", true}, {u"[]", u"a", false},
      // ASCII digits and word characters; ECMAScript's white space.
      {u"\\d", u"\uff11", false}, {u"\\w", u"メ", false}, {u"\\W", u"メ", true}, {u"メ\\b", u"メ", false},
      {u"a\\Bメ", u"aメ", false}, {u"a\\sb", u"a\u3000b", true}, {u"a\\s\\s\\sb", u"a\u00a0\ufeff\u2029b", true},
      {u"[^\\S]", u"\u3000", true}, {u"[[:digit:]_]+", u"1_2", true}, {u"[[:Alpha:]]", u"メ", false},
      {u"[[:space:]]", u"\u3000", true},
      // A back-reference to a group that has not matched is the empty text.
      {u"(a)|b\\1", u"b", true}, {u"\\1(a)", u"a", true}, {u"(a\\1)", u"a", true}, {u"(a)\\1", u"aa", true},
      {u"(a)\\1", u"ab", false}, {u"(?=.*b)a.*", u"acb", true}, {u"(?!.*b)a.*", u"acb", false},
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

// Where libstdc++'s std::wregex departs from ECMAScript; the generator below
// keeps to what it reads faithfully, and these cases hold the translation to
// ECMAScript where the two part (nullopt: refused).
struct StdDeviation {
  std::u16string_view pattern;
  std::u16string_view text;
  std::optional<bool> ecmaScript;
  const char* std;
};
const StdDeviation kStdDeviations[] = {
    {u"a++", u"aa", std::nullopt, "accepts a quantifier after a quantifier (a**, a{2}{3} too)"},
    {u"a]}", u"a]}", std::nullopt, "reads a lone ] or } as itself"},
    {u"\\q", u"q", std::nullopt, "reads an unknown letter escape as the letter (\\A, \\z too)"},
    {u"\\cJ", u"\n", true, "reads \\cX as X itself, any X"},
    {u"\\01", std::u16string_view(u"\0" u"1", 2), std::nullopt, "reads \\0 before a digit as NUL"},
    {u"\\1(a)", u"a", true, "refuses a reference to a group that comes later or is open"},
    {u"(a)|b\\1", u"b", true, "fails a reference to a group that has not matched"},
    {u"\\s", u"\u3000", true, "classifies by the locale: the \"C\" locale has no white space beyond ASCII"},
    {u"a{0,99999}", u"a", std::nullopt, "refuses big counts by its state limit (here: above 65535)"},
    {u"[[.a.]]", u"a", std::nullopt, "knows collating elements and equivalence classes"},
    {u"a(?=\\b)", u"a", true, "takes the place of a look-ahead for the start of the text (^ \\b \\B within)"},
};

TEST(EcmaScriptRegex, DeparturesOfTheStandardLibraryFollowEcmaScript) {
  for (const StdDeviation& d : kStdDeviations) {
    const bool refused = TranslateEcmaScriptRegex(d.pattern).fault != RegexFault::None;
    EXPECT_EQ(refused, !d.ecmaScript.has_value()) << Utf8FromUtf16(d.pattern) << ": std " << d.std;
    if (d.ecmaScript) {
      EXPECT_EQ(RegexMatch(d.pattern, d.text), *d.ecmaScript) << Utf8FromUtf16(d.pattern);
    }
  }
}

// A piece of pattern, with texts it matches when nothing around it objects.
constexpr std::size_t kSamples = 4;
struct Piece {
  std::u16string pattern;
  std::array<std::u16string, kSamples> samples;
  bool zeroWidth = false;  // holds an assertion, a look-ahead or a back-reference

  void Append(const Piece& next) {
    pattern += next.pattern;
    zeroWidth = zeroWidth || next.zeroWidth;
    for (std::size_t i = 0; i < kSamples; ++i) samples[i] += next.samples[i];
  }
};

// A token and the units it may match.
struct Token {
  std::u16string_view pattern;
  std::u16string_view units;
};

// Patterns of bounded size from the grammar std::wregex reads faithfully (no
// ^ \b \B in look-aheads, back-references only to groups sure to have matched,
// no lower bound of 2 on a piece with zero-width parts (ecmascript_regex.h),
// nothing of kStdDeviations), with now and then a piece both must refuse.
class PatternGenerator {
 public:
  explicit PatternGenerator(std::mt19937& random) : random_(random) {}

  Piece Next() {
    groups_.clear();
    definite_.clear();
    Piece piece = Disjunction(0);
    if (Pick(30) == 0) piece.pattern += OneOf<std::u16string_view>({u"(", u"\\", u"[a"});
    if (Pick(30) == 0) piece.pattern.insert(0, u")");
    return piece;
  }

 private:
  std::size_t Pick(std::size_t n) { return random_() % n; }
  template <typename T>
  const T& OneOf(std::initializer_list<T> options) {
    return options.begin()[Pick(options.size())];
  }
  std::u16string AnyOf(std::u16string_view units) { return std::u16string(1, units[Pick(units.size())]); }
  Piece FromTokens(std::initializer_list<Token> tokens) {
    const Token& token = OneOf(tokens);
    Piece piece{std::u16string(token.pattern), {}};
    for (std::u16string& sample : piece.samples) sample = AnyOf(token.units);
    return piece;
  }

  // A group set in one alternative is not set after the alternation.
  Piece Disjunction(int depth) {
    const std::vector<std::size_t> before = definite_;
    Piece piece = Alternative(depth);
    if (Pick(4) != 0) return piece;
    definite_ = before;
    const Piece other = Alternative(depth);
    definite_ = before;
    piece.pattern += u"|" + other.pattern;
    piece.zeroWidth = piece.zeroWidth || other.zeroWidth;
    for (std::size_t i = 0; i < kSamples; ++i) {
      if (Pick(2) == 0) piece.samples[i] = other.samples[i];
    }
    return piece;
  }

  Piece Alternative(int depth) {
    Piece piece;
    for (std::size_t n = Pick(4); n > 0; --n) piece.Append(Term(depth));
    return piece;
  }

  Piece Term(int depth) {
    const std::size_t kind = Pick(depth < 3 ? 40 : 32);
    if (kind < 3) {
      const std::u16string_view assertion = OneOf<std::u16string_view>({u"^", u"$", u"\\b", u"\\B"});
      return {std::u16string(lookAheads_ > 0 ? u"$" : assertion), {}, true};
    }
    if (kind < 4) {
      return {std::u16string(OneOf<std::u16string_view>(
          {u"\\9", u"[b-a]", u"[\\d-a]", u"[a-\\w]", u"\\x6-", u"\\u30E-", u"(?<=a)", u"(?<!a)", u"(?i)", u"(?<n>a)",
           u"a{2,1}", u"a{,2}", u"a{2", u"^*", u"$+", u"\\b?", u"(?=a)*", u"(?!a){2}", u"(*a)", u"(|+)",
           u"[[:word:]]"})),
            {}};
    }
    const std::vector<std::size_t> before = definite_;
    Piece piece;
    if (kind >= 32 && Pick(2) == 0) {
      ++lookAheads_;
      piece = {OneOf<std::u16string>({u"(?=", u"(?!"}) + Disjunction(depth + 1).pattern + u")", {}, true};
      --lookAheads_;
      definite_ = before;
      return piece;
    }
    if (kind >= 32) {
      const bool capturing = Pick(2) == 0 && groups_.size() < 8;  // \9 stays beyond the groups
      if (capturing) groups_.emplace_back();
      const std::size_t number = groups_.size();
      piece = Disjunction(depth + 1);
      piece.pattern = (capturing ? u"(" : u"(?:") + piece.pattern + u")";
      if (capturing) {
        groups_[number - 1] = piece.samples;
        definite_.push_back(number);
      }
    } else if (kind < 6 && !definite_.empty()) {
      const std::size_t number = definite_[Pick(definite_.size())];
      piece = {u"\\" + std::u16string(1, static_cast<char16_t>(u'0' + number)), groups_[number - 1], true};
    } else if (kind < 16) {
      piece = FromTokens({{u"a", u"a"}, {u"b", u"b"}, {u"0", u"0"}, {u"_", u"_"}, {u" ", u" "}, {u"-", u"-"},
                          {u"メ", u"メ"}, {u"\n", u"\n"}, {u"\\.", u"."}, {u"\\*", u"*"}, {u"\\(", u"("},
                          {u"\\]", u"]"}, {u"\\{", u"{"}, {u"\\}", u"}"}, {u"\\|", u"|"}, {u"\\\\", u"\\"},
                          {u"\\^", u"^"}, {u"\\$", u"$"}, {u"\\-", u"-"}, {u"\\メ", u"メ"}});
    } else if (kind < 24) {
      piece = FromTokens({{u".", u"ab0_ -メ\t"}, {u"\\d", u"0"}, {u"\\D", u"a_ -メ\n"}, {u"\\w", u"ab0_"},
                          {u"\\W", u" -メ\n\r"}, {u"\\s", u" \n\r\t"}, {u"\\S", u"a0_-メ"}, {u"\\n", u"\n"},
                          {u"\\r", u"\r"}, {u"\\t", u"\t"}, {u"\\u30E1", u"メ"}, {u"\\u0061", u"a"},
                          {u"\\x62", u"b"}, {u"\\x0A", u"\n"}, {u"\\f", u"\f"}, {u"\\v", u"\v"}});
    } else {
      piece = Bracket();
    }
    if (Pick(3) == 0) {
      Repeat(piece);
      definite_ = before;
    }
    return piece;
  }

  void Repeat(Piece& piece) {
    struct Quantifier {
      std::u16string_view pattern;
      std::size_t min;
      std::size_t max;  // in samples
    };
    const std::initializer_list<Quantifier> all = {
        {u"*", 0, 2},     {u"+", 1, 2},     {u"?", 0, 1},     {u"{0}", 0, 0},   {u"{1}", 1, 1}, {u"{0,}", 0, 2},
        {u"{1,}", 1, 3},  {u"{0,1}", 0, 1}, {u"{1,2}", 1, 2}, {u"{0,2}", 0, 2}, {u"{2}", 2, 2}, {u"{2,3}", 2, 3}};
    const Quantifier& q = all.begin()[Pick(piece.zeroWidth ? all.size() - 2 : all.size())];
    piece.pattern += q.pattern;
    if (Pick(3) == 0) piece.pattern += u'?';
    for (std::u16string& sample : piece.samples) {
      const std::u16string once = sample;
      sample.clear();
      for (std::size_t n = q.min + Pick(q.max - q.min + 1); n > 0; --n) sample += once;
    }
  }

  Piece Bracket() {
    const bool negated = Pick(3) == 0;
    Piece piece{negated ? u"[^" : u"[", {}};
    for (std::size_t n = Pick(4); n > 0; --n) {
      const Piece member = FromTokens(
          {{u"a", u"a"}, {u"b", u"b"}, {u"0", u"0"}, {u"_", u"_"}, {u" ", u" "}, {u"メ", u"メ"}, {u"\n", u"\n"},
           {u"-", u"-"}, {u"\\-", u"-"}, {u"\\]", u"]"}, {u"\\\\", u"\\"}, {u"\\^", u"^"}, {u"\\b", u"\b"},
           {u"\\n", u"\n"}, {u"\\u30E1", u"メ"}, {u"\\x61", u"a"}, {u"a-b", u"ab"}, {u"0-a", u"0A_a"},
           {u" -_", u" -0_"}, {u"a-\\u30E1", u"abメ"}, {u"\\n-\\r", u"\n\r"}, {u"\\d", u"0"}, {u"\\D", u"a-"},
           {u"\\s", u" \n"}, {u"\\S", u"a_"}, {u"\\w", u"a_0"}, {u"\\W", u" -メ"}, {u"[:alpha:]", u"ab"},
           {u"[:Digit:]", u"0"}, {u"[:space:]", u" \t"}, {u"[:punct:]", u"-_"}, {u"[:w:]", u"a_0"}, {u"[", u"["}});
      piece.pattern += member.pattern;
      for (std::size_t i = 0; i < kSamples; ++i) {
        if (piece.samples[i].empty() || Pick(2) == 0) piece.samples[i] = member.samples[i];
      }
    }
    piece.pattern += u']';
    if (negated) {
      for (std::u16string& sample : piece.samples) sample = AnyOf(u"ab0_ -メ\n");
    }
    return piece;
  }

  std::mt19937& random_;
  std::vector<std::array<std::u16string, kSamples>> groups_;  // samples of each group, by number - 1
  std::vector<std::size_t> definite_;
  int lookAheads_ = 0;  // how many look-aheads the term is in
};

TEST(EcmaScriptRegex, AgreesWithTheStandardLibraryOnGeneratedPatterns) {
#if defined(_WIN32)
  // MinGW's std::wregex classifies by the Windows C runtime, which counts
  // Japanese letters as word characters and letters: \w \W \b and [[:alpha:]]
  // part from ECMAScript's ASCII there, so the reference is the native one.
  GTEST_SKIP() << "std::wregex is the reference natively only";
#else
  const auto wide = [](std::u16string_view text) { return std::wstring(text.begin(), text.end()); };
  std::mt19937 random(20240611);
  PatternGenerator generator(random);
  const std::u16string_view alphabet = u"ab0_ -メ\n\r\t";
  constexpr int kRounds = 6000;
  int valid = 0;
  int matched = 0;
  int compared = 0;
  for (int round = 0; round < kRounds; ++round) {
    const Piece piece = generator.Next();
    const std::u16string& pattern = piece.pattern;
    std::optional<std::wregex> reference;
    try {
      reference.emplace(wide(pattern), std::regex_constants::ECMAScript);
    } catch (const std::regex_error&) {
    }
    const TranslatedRegex translated = TranslateEcmaScriptRegex(pattern);
    ASSERT_EQ(translated.fault == RegexFault::None, reference.has_value()) << Utf8FromUtf16(pattern);
    if (!reference) continue;
    ++valid;
    for (const std::string& perl : {translated.pattern, translated.singleLinePattern}) {
      std::string boostError;
      try {
        boost::wregex(std::wstring(perl.begin(), perl.end()),
                      boost::regex_constants::perl | boost::regex_constants::mod_s);
      } catch (const std::exception& e) {
        boostError = e.what();
      }
      ASSERT_EQ(boostError, "") << Utf8FromUtf16(pattern) << " as " << perl;
    }
    // The samples, each once more with a unit added, removed or changed, and random texts.
    std::vector<std::u16string> texts(piece.samples.begin(), piece.samples.end());
    for (std::u16string text : piece.samples) {
      const std::size_t at = text.empty() ? 0 : random() % text.size();
      const std::size_t edit = text.empty() ? 0 : random() % 3;
      if (edit == 0) text.insert(at, 1, alphabet[random() % alphabet.size()]);
      if (edit == 1) text.erase(at, 1);
      if (edit == 2) text[at] = alphabet[random() % alphabet.size()];
      texts.push_back(text);
      text.clear();
      for (std::size_t n = random() % 7; n > 0; --n) text += alphabet[random() % alphabet.size()];
      texts.push_back(text);
    }
    const KeywordMatcher matcher(pattern, true);
    for (const std::u16string& text : texts) {
      const bool expected = std::regex_match(wide(text), *reference);
      ASSERT_EQ(matcher.Matches(text), expected)
          << Utf8FromUtf16(pattern) << " against " << Utf8FromUtf16(text) << " as " << translated.pattern;
      matched += expected ? 1 : 0;
      ++compared;
    }
  }
  // The generator must stay interesting: mostly valid, often matching.
  EXPECT_GT(valid, kRounds * 3 / 4);
  EXPECT_GT(matched, compared / 4);
#endif
}

}  // namespace
}  // namespace peekbar
