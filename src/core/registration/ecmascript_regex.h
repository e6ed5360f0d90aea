// Keyword regular expressions are ECMAScript as the C++ standard library reads
// it (std::regex_constants::ECMAScript, case-sensitive). Boost.Regex matches
// them, for its complexity limit, but its own "ECMAScript" is Perl: `\u30E1`
// would be an upper-case class, `.` would cross line breaks and `(?i)` would be
// accepted. So a keyword is translated first: every construct is spelled out
// in Perl syntax with ECMAScript's meaning, and what ECMAScript refuses is
// refused.
//
// Meanings, over UTF-16 units:
// - `.` is any unit but a line terminator (\n, \r, U+2028, U+2029);
// - `^` and `$` hold at the start and end of the text only;
// - `\d` `\w` and `\b` know ASCII digits and word characters only; `\s` is
//   ECMAScript's white space and line terminators (U+00A0, U+3000, U+FEFF
//   and the other space separators included);
// - `\u` with four hex digits, `\x` with two, `\c` with a letter, `\0`, and
//   `\f \n \r \t \v` are characters, inside
//   brackets too, where `\b` is a backspace;
// - a back-reference to a group that has not matched matches the empty text,
//   and may name a group that comes later;
// - bracket class names ([[:alpha:]], as the C++ grammar adds them) mean what
//   they mean in the "C" locale, ASCII only, except that [:space:] and [:s:]
//   are `\s`.
// Known differences from ECMAScript, Boost's rules for repetition:
// - a repeated group keeps its capture from an earlier iteration into one
//   that does not match it again, which only a back-reference can tell;
// - an iteration that matches the empty text ends the repetition as if it
//   were all the iterations still due, where ECMAScript may go on with one
//   that matches text: only a lower bound of 2 or more on a group that matches
//   the empty text in some places and not in others (through ^ $ \b \B, a
//   look-ahead or a back-reference) can tell, as "(?:^|b){2}" against "b".
// Bounds above 65535 and groups nested deeper than 100 are refused.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace peekbar {

// Why a pattern is refused; a refused keyword matches nothing.
enum class RegexFault : std::uint8_t {
  None,
  UnbalancedParenthesis,  // "(" never closed, or ")" with no group open
  UnsupportedGroup,       // "(?" other than "(?:" "(?=" "(?!": look-behind, named, atomic, inline modifiers
  NothingToRepeat,        // a quantifier first, after an assertion, or after a quantifier ("a++")
  BadBraces,              // "{" that is not a whole bound, a lone "}", bounds out of order or too large
  BadEscape,              // unknown letters (\A \z \Q \K ...), malformed \x \u \c, \0 before a digit, trailing "\"
  BadBackReference,       // a group number beyond the pattern's groups, or in brackets
  BadBracket,             // "[" never closed, a lone "]", a bad range, an unknown class name, [. .] and [= =]
  TooDeep,                // groups nested more than 100 deep
};

struct TranslatedRegex {
  RegexFault fault = RegexFault::None;
  // Perl syntax for Boost.Regex, to compile with boost::regex_constants::perl
  // | mod_s; ASCII only, every group it adds non-capturing so that group
  // numbers stay the pattern's; empty when refused.
  std::string pattern;
  // The same match on texts without line terminators, which Boost runs
  // faster (Perl's own '.'); empty when the pattern has no '.'.
  std::string singleLinePattern;
  // A run of units every text matching the pattern contains (empty when
  // none can be proven): plain characters and character escapes in sequence
  // at the top level of a pattern without top-level alternation.
  std::u16string requiredLiteral;
};

// A pure function of the pattern, safe on any input: it never throws for a
// malformed pattern and runs in time linear in its length (brackets: n log n).
TranslatedRegex TranslateEcmaScriptRegex(std::u16string_view pattern);

}  // namespace peekbar
