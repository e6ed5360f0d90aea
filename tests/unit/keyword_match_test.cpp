#include <gtest/gtest.h>

#include <boost/regex.hpp>

#include <random>
#include <string>
#include <vector>

#include "core/base/text.h"
#include "core/registration/ecmascript_regex.h"
#include "core/registration/keyword_match.h"

namespace peekbar {
namespace {

// The wildcard rule written as its plain recursive definition: slow, but
// obviously what users' keywords have always meant.
bool ReferenceWildcard(const char16_t* p, const char16_t* s) {
  while (true) {
    if (*s == u'\0') return *p == u'\0';
    if (*p == u'\0') return false;
    if (*p == u'*') {
      if (p[1] == u'\0') return true;
      if (ReferenceWildcard(p, s + 1)) return true;
      return ReferenceWildcard(p + 1, s);
    }
    if (*p != u'?' && *p != *s) return false;
    ++p;
    ++s;
  }
}

const std::u16string kNotepadLabel = u"(無題) - メモ帳（Notepad）";

TEST(WildcardMatch, KeywordExamplesOfTheDialogs) {
  EXPECT_TRUE(WildcardMatch(u"*メモ帳*", kNotepadLabel));
  EXPECT_TRUE(WildcardMatch(u"* - メモ帳（Notepad）", kNotepadLabel));
  EXPECT_TRUE(WildcardMatch(u"*メ?帳*", kNotepadLabel));
  EXPECT_FALSE(WildcardMatch(u"* - メモ帳(Notepad)", kNotepadLabel));  // half-width parentheses
  EXPECT_FALSE(WildcardMatch(u"*notepad*", kNotepadLabel));            // case-sensitive
}

TEST(WildcardMatch, TrailingStarNeedsACharacter) {
  EXPECT_FALSE(WildcardMatch(u"abc*", u"abc"));
  EXPECT_TRUE(WildcardMatch(u"abc*", u"abcd"));
  EXPECT_FALSE(WildcardMatch(u"*", u""));
  EXPECT_FALSE(WildcardMatch(u"***", u""));
  EXPECT_TRUE(WildcardMatch(u"**", u"x"));
  EXPECT_TRUE(WildcardMatch(u"", u""));
  EXPECT_FALSE(WildcardMatch(u"", u"a"));
}

TEST(WildcardMatch, AgreesWithTheRecursiveDefinitionOnRandomInputs) {
  std::mt19937 random(20261207);
  const std::u16string alphabet = u"ab*?";
  const std::u16string textAlphabet = u"ab*?";
  for (int round = 0; round < 200000; ++round) {
    std::u16string pattern;
    std::u16string text;
    const int patternLength = static_cast<int>(random() % 8);
    const int textLength = static_cast<int>(random() % 9);
    for (int i = 0; i < patternLength; ++i) pattern += alphabet[random() % alphabet.size()];
    for (int i = 0; i < textLength; ++i) text += textAlphabet[random() % 2 == 0 ? 0 : random() % textAlphabet.size()];
    ASSERT_EQ(WildcardMatch(pattern, text), ReferenceWildcard(pattern.c_str(), text.c_str()))
        << Utf8FromUtf16(pattern) << " against " << Utf8FromUtf16(text);
  }
}

TEST(WildcardMatch, AlternatingStarsAgainstALongTextFinishes) {
  std::u16string pattern;
  while (pattern.size() < 254) pattern += u"*a";
  pattern += u'b';
  EXPECT_FALSE(WildcardMatch(pattern, std::u16string(255, u'a')));
}

TEST(RegexMatch, WholeLabelCaseSensitive) {
  EXPECT_TRUE(RegexMatch(u".*Notepad.*", kNotepadLabel));
  EXPECT_FALSE(RegexMatch(u"Notepad", kNotepadLabel));
  EXPECT_FALSE(RegexMatch(u".*notepad.*", kNotepadLabel));
  EXPECT_TRUE(RegexMatch(u".*メモ帳.*", kNotepadLabel));
}

TEST(RegexMatch, InvalidOrRunawayExpressionsFailQuietly) {
  EXPECT_FALSE(RegexMatch(u"[abc", kNotepadLabel));
  EXPECT_FALSE(RegexMatch(u"(x+x+)+y", std::u16string(255, u'x')));
  // Past the required 'y', the matcher itself must give up.
  EXPECT_FALSE(RegexMatch(u"(x+x+)+y", std::u16string(253, u'x') + u"yz"));
}

// A title of a few hundred characters, and a window of the program the
// keyword was written for, whose label goes on past the title.
std::u16string EditorLabel(std::size_t titleUnits) {
  std::u16string title;
  while (title.size() < titleUnits) title += u"word ";
  return title + u"- Visual Studio Code（Chrome_WidgetWin_1）";
}

// Every match is bounded: one that would backtrack for seconds gives up and
// says so, whether it runs out of the matcher's states or of looks at the
// label; ordinary keywords against the longest labels stay exact.
TEST(KeywordMatcher, AMatchThatWouldRunAwayGivesUpAndSaysSo) {
  const KeywordMatcher editor(u"^(\\S+\\s*)*- Visual Studio Code$", true);
  EXPECT_EQ(editor.Match(EditorLabel(300)), LabelMatch::TooCostly);
  EXPECT_FALSE(editor.Matches(EditorLabel(300)));
  EXPECT_EQ(editor.Match(u"a b - Visual Studio Code"), LabelMatch::Matches);

  std::u16string widestClass = u"[^";
  for (char16_t c = u'\u4E00'; widestClass.size() < 200; c += 4) widestClass += {c, u'-', static_cast<char16_t>(c + 1)};
  widestClass += u']';
  const KeywordMatcher lookingAhead(u"^(?:(?=" + widestClass + u"*Z)a)*Q$", true);
  EXPECT_EQ(lookingAhead.Match(std::u16string(1000, u'a') + u"QZ（C）"), LabelMatch::TooCostly);

  const std::u16string longLabel = EditorLabel(1000);
  EXPECT_EQ(KeywordMatcher(u".*a.*b.*c.*", true).Match(longLabel), LabelMatch::Fails);
  EXPECT_EQ(KeywordMatcher(u"^.*\\b[Ww]ord\\b.*$", true).Match(longLabel), LabelMatch::Matches);
  EXPECT_EQ(KeywordMatcher(u"(\\w+ )+- Visual Studio Code（.*）", true).Match(longLabel), LabelMatch::Matches);
  EXPECT_EQ(KeywordMatcher(u"*Code*", false).Match(longLabel), LabelMatch::Matches);
}

TEST(KeywordMatcher, CompiledOnceServesManyLabels) {
  const KeywordMatcher regex(u"^\\(無題\\).*", true);
  EXPECT_TRUE(regex.Matches(kNotepadLabel));
  EXPECT_FALSE(regex.Matches(u"other（Notepad）"));
  const KeywordMatcher invalid(u"(", true);
  EXPECT_FALSE(invalid.Matches(kNotepadLabel));
  const KeywordMatcher wildcard(u"*（Notepad）", false);
  EXPECT_TRUE(wildcard.Matches(kNotepadLabel));
}

}  // namespace
}  // namespace peekbar

namespace peekbar {
namespace {

// The translated expression matched without any prefilter.
bool PlainRegexMatch(const std::u16string& pattern, const std::u16string& text) {
  const TranslatedRegex translated = TranslateEcmaScriptRegex(pattern);
  if (translated.fault != RegexFault::None) return false;
  try {
    const boost::wregex expression(std::wstring(translated.pattern.begin(), translated.pattern.end()),
                                   boost::regex_constants::perl | boost::regex_constants::mod_s);
    return boost::regex_match(std::wstring(text.begin(), text.end()), expression);
  } catch (...) {
    return false;
  }
}

TEST(RequiredLiteral, ProvenRunsOnly) {
  EXPECT_EQ(RequiredLiteral(u"*メモ帳*", false), u"メモ帳");
  EXPECT_EQ(RequiredLiteral(u"*a?bcd*", false), u"bcd");
  EXPECT_EQ(RequiredLiteral(u".*Notepad.*", true), u"Notepad");
  EXPECT_EQ(RequiredLiteral(u"^\\(無題\\) - .*", true), u"(無題) - ");
  EXPECT_EQ(RequiredLiteral(u"ab{2}c", true), u"ab");       // at least one b, right after a and before c
  EXPECT_EQ(RequiredLiteral(u"abc?d", true), u"ab");
  EXPECT_EQ(RequiredLiteral(u"Note|Word", true), u"");      // alternation
  EXPECT_EQ(RequiredLiteral(u"(?i)notepad", true), u"");    // invalid: matches nothing anyway
  EXPECT_EQ(RequiredLiteral(u"\\x41bc", true), u"Abc");      // character escapes are characters
  EXPECT_EQ(RequiredLiteral(u".*\\u30E1\\u30E2.*", true), u"メモ");
  EXPECT_EQ(RequiredLiteral(u"a\\nb\\.", true), u"a\nb.");
  EXPECT_EQ(RequiredLiteral(u"(a)bc\\1", true), u"bc");      // a back-reference is no literal
  EXPECT_EQ(RequiredLiteral(u".*(Zoom|Webex) Meeting.*", true), u" Meeting");
  EXPECT_EQ(RequiredLiteral(u"(?:.* - )?Obsidian.*", true), u"Obsidian");
  EXPECT_EQ(RequiredLiteral(u"^.*\\b[Ss]potify\\b.*$", true), u"potify");
  EXPECT_EQ(RequiredLiteral(u"[abc]xyz(def)+", true), u"xyz");
}

// Patterns and texts over a small alphabet with the syntax that matters:
// the prefilter must never turn a match into a failure.
TEST(RequiredLiteral, NeverRejectsAMatchOnRandomInputs) {
  std::mt19937 random(7);
  const std::vector<std::u16string_view> regexAlphabet = {
      u"a", u"b", u".", u"*", u"+", u"?", u"(", u")", u"[", u"]", u"{", u"}", u"|", u"^", u"$", u"\\", u"1",
      u",", u"2", u":", u"=", u"!", u"i", u"b", u"d", u"x", u"\\u0061", u"\\x62", u"\\n", u"\\cJ"};
  const std::vector<std::u16string_view> wildcardAlphabet = {u"a", u"b", u"*", u"?"};
  for (int round = 0; round < 60000; ++round) {
    const bool isRegex = round % 2 == 0;
    const std::vector<std::u16string_view>& alphabet = isRegex ? regexAlphabet : wildcardAlphabet;
    std::u16string pattern;
    std::u16string text;
    for (int i = static_cast<int>(random() % 7); i > 0; --i) pattern += alphabet[random() % alphabet.size()];
    for (int i = static_cast<int>(random() % 7); i > 0; --i) text += u"ab12{},\n"[random() % 8];
    const bool full = isRegex ? KeywordMatcher(pattern, true).Matches(text) : WildcardMatch(pattern, text);
    bool plain = false;
    if (isRegex) {
      plain = PlainRegexMatch(pattern, text);
    } else {
      plain = ReferenceWildcard(pattern.c_str(), text.c_str());
    }
    ASSERT_EQ(full, plain) << (isRegex ? "regex " : "wildcard ") << Utf8FromUtf16(pattern) << " against "
                           << Utf8FromUtf16(text);
  }
}

}  // namespace
}  // namespace peekbar
