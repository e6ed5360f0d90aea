// ECMAScript's sets of UTF-16 units and its assertions, spelled in the Perl
// syntax Boost.Regex reads with ECMAScript's meaning: the part of keyword
// translation that knows Perl, apart from the reading of the pattern
// (ecmascript_regex.cpp).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace peekbar::regex_spelling {

// Labels are UTF-16 units; a set of them never needs to look past this one.
inline constexpr char32_t kLastUnit = 0xFFFF;

// A set of units as ranges; Normalized() sorts and merges them.
class UnitSet {
 public:
  using Range = std::pair<char32_t, char32_t>;

  UnitSet() = default;
  UnitSet(std::initializer_list<Range> ranges) : ranges_(ranges) {}

  void Add(char32_t first, char32_t last) { ranges_.emplace_back(first, last); }
  void Add(const UnitSet& other) { ranges_.insert(ranges_.end(), other.ranges_.begin(), other.ranges_.end()); }

  std::vector<Range> Normalized() const;
  UnitSet Complement() const;

 private:
  std::vector<Range> ranges_;
};

// \d, \w and \s: ASCII digits, ASCII word characters, and ECMAScript's
// WhiteSpace (tab, vertical tab, form feed, space, no-break space, byte
// order mark and the space separators) and LineTerminator.
extern const UnitSet kDigits;
extern const UnitSet kWordCharacters;
extern const UnitSet kWhiteSpace;

// The set of a bracket class name ([:alpha:]), the name in any case as the
// C++ library takes it, as the "C" locale classifies (ASCII only), except
// that "space" and "s" are \s; null for a name it does not know.
const UnitSet* BracketClass(std::u16string_view name);

// Perl spellings of what Boost does not mean as ECMAScript does: the word
// boundaries by ASCII word characters (Boost's own follow the locale, all of
// Unicode on Windows), and '.' (Perl's '.' in single-line mode is any unit).
// This '.' is slow to match but quick to compile, unlike a bracket: the
// single-line pattern, which is the one nearly every label meets, has
// Perl's own instead.
inline constexpr const char* kWordBoundary = "(?(?<=[0-9A-Z_a-z])(?![0-9A-Z_a-z])|(?=[0-9A-Z_a-z]))";
inline constexpr const char* kNotWordBoundary = "(?(?<=[0-9A-Z_a-z])(?=[0-9A-Z_a-z])|(?![0-9A-Z_a-z]))";
inline constexpr std::string_view kAnyButLineTerminator = "(?:(?![\\x{A}\\x{D}\\x{2028}\\x{2029}]).)";

inline bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
inline bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Letters, digits and '_' as themselves; every other unit as \x{...}, which
// Perl reads as that unit in and out of brackets.
void AppendUnit(std::string& out, char32_t unit);
// A bracket listing the set, or its complement when that is shorter; the
// empty set is an assertion that always fails.
void AppendSet(std::string& out, const UnitSet& set);
// The pattern with Perl's '.' for ECMAScript's (nothing else is spelled
// "(?:(?!["), the same match on a text without line terminators; empty when
// the pattern has no '.'.
std::string WithPerlDot(const std::string& pattern);

}  // namespace peekbar::regex_spelling
