#include "core/registration/ecmascript_regex.h"

#include "core/registration/regex_spelling.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace peekbar {
namespace {

// Repetition bounds above this are refused: labels are far shorter, and
// counting that far would spend the matcher's complexity budget.
constexpr std::uint32_t kMaxBound = 65535;
// Group numbers are read up to this and no further (no pattern has as many).
constexpr std::uint32_t kMaxGroupNumber = 1000000;
// Groups nested deeper than this are refused, so that reading them
// recursively cannot exhaust the stack.
constexpr int kMaxNesting = 100;

using namespace regex_spelling;

int HexValue(char16_t c) {
  if (IsDigit(c)) return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// What one escape or bracket member stands for: a unit, or a set of them.
struct Member {
  std::optional<char32_t> unit;
  UnitSet set;
};

// Reads a pattern once, writing its Perl spelling as it goes; the first
// fault ends the reading.
class Translator {
 public:
  explicit Translator(std::u16string_view pattern) : p_(pattern) {}

  TranslatedRegex Run() {
    TranslatedRegex result;
    if (Disjunction(0, result.pattern) && at_ < p_.size()) Fail(RegexFault::UnbalancedParenthesis);
    if (fault_ == RegexFault::None && highestReference_ > groups_) Fail(RegexFault::BadBackReference);
    if (fault_ != RegexFault::None) return TranslatedRegex{fault_, {}, {}, {}};
    result.singleLinePattern = regex_spelling::WithPerlDot(result.pattern);
    KeepRun();
    if (!topLevelAlternation_) result.requiredLiteral = std::move(longest_);
    return result;
  }

 private:
  bool More() const { return at_ < p_.size(); }
  char16_t Peek(std::size_t ahead = 0) const { return at_ + ahead < p_.size() ? p_[at_ + ahead] : u'\0'; }
  bool Fail(RegexFault fault) {
    if (fault_ == RegexFault::None) fault_ = fault;
    return false;
  }

  // The literal run of the top level: units in sequence, broken by anything
  // that is not one.
  void KeepRun() {
    if (run_.size() > longest_.size()) longest_ = run_;
    run_.clear();
  }

  bool Disjunction(int depth, std::string& out) {
    if (!Alternative(depth, out)) return false;
    while (More() && Peek() == u'|') {
      ++at_;
      out += '|';
      if (depth == 0) topLevelAlternation_ = true;
      if (!Alternative(depth, out)) return false;
    }
    return true;
  }

  bool Alternative(int depth, std::string& out) {
    while (More() && Peek() != u'|' && Peek() != u')') {
      if (!Term(depth, out)) return false;
    }
    return true;
  }

  bool Term(int depth, std::string& out) {
    if (AtAssertion()) {
      if (!Assertion(depth, out)) return false;
      if (depth == 0) KeepRun();
      if (IsQuantifierStart(Peek())) return Fail(RegexFault::NothingToRepeat);
      return true;
    }
    std::optional<char32_t> literal;
    if (!Atom(depth, out, literal)) return false;
    Repeat repeat;
    if (!Quantifier(out, repeat)) return false;
    if (depth > 0) return true;
    if (!literal) {
      KeepRun();
    } else if (!repeat.present) {
      run_ += static_cast<char16_t>(*literal);
    } else {
      // A repeated unit is in every match only if it must appear at least
      // once; then it ends one run and starts the next.
      if (repeat.min > 0) run_ += static_cast<char16_t>(*literal);
      KeepRun();
      if (repeat.min > 0) run_ += static_cast<char16_t>(*literal);
    }
    return true;
  }

  static bool IsQuantifierStart(char16_t c) { return c == u'*' || c == u'+' || c == u'?' || c == u'{'; }

  bool AtAssertion() const {
    const char16_t c = Peek();
    return c == u'^' || c == u'$' || (c == u'\\' && (Peek(1) == u'b' || Peek(1) == u'B')) ||
           (c == u'(' && Peek(1) == u'?' && (Peek(2) == u'=' || Peek(2) == u'!'));
  }

  // ^ $ \b \B and look-ahead.
  bool Assertion(int depth, std::string& out) {
    const char16_t c = Peek();
    if (c == u'^' || c == u'$') {
      ++at_;
      out += c == u'^' ? "\\A" : "\\z";
      return true;
    }
    if (c == u'\\') {
      out += Peek(1) == u'b' ? kWordBoundary : kNotWordBoundary;
      at_ += 2;
      return true;
    }
    // Perl refuses an empty "(?=)"; an inner group keeps it from being empty.
    out += Peek(2) == u'=' ? "(?=(?:" : "(?!(?:";
    at_ += 3;
    if (!Group(depth, out)) return false;
    out += ')';
    return true;
  }

  // The inside of a group whose opening has been read, and its ")".
  bool Group(int depth, std::string& out) {
    if (depth + 1 > kMaxNesting) return Fail(RegexFault::TooDeep);
    if (!Disjunction(depth + 1, out)) return false;
    if (!More()) return Fail(RegexFault::UnbalancedParenthesis);
    ++at_;
    out += ')';
    return true;
  }

  bool Atom(int depth, std::string& out, std::optional<char32_t>& literal) {
    const char16_t c = p_[at_];
    if (IsQuantifierStart(c)) return Fail(RegexFault::NothingToRepeat);
    if (c == u']') return Fail(RegexFault::BadBracket);
    if (c == u'}') return Fail(RegexFault::BadBraces);
    if (c == u'.') {
      ++at_;
      out += kAnyButLineTerminator;
      return true;
    }
    if (c == u'[') return Bracket(out);
    if (c == u'(') {
      ++at_;
      if (Peek() == u'?') {
        if (Peek(1) != u':') return Fail(RegexFault::UnsupportedGroup);
        at_ += 2;
        out += "(?:";
      } else {
        ++groups_;
        out += '(';
      }
      return Group(depth, out);
    }
    if (c == u'\\') {
      ++at_;
      if (More() && Peek() >= u'1' && Peek() <= u'9') return BackReference(out);
      Member m;
      if (!Escape(false, m)) return false;
      if (m.unit) {
        AppendUnit(out, *m.unit);
        literal = m.unit;
      } else {
        AppendSet(out, m.set);
      }
      return true;
    }
    ++at_;
    AppendUnit(out, c);
    literal = c;
    return true;
  }

  // A group that has not matched (yet, or in this path) matches the empty
  // text, as in ECMAScript; Perl's reference alone would fail.
  bool BackReference(std::string& out) {
    std::uint32_t number = 0;
    while (More() && IsDigit(Peek())) {
      number = std::min(number * 10 + static_cast<std::uint32_t>(p_[at_++] - u'0'), kMaxGroupNumber);
    }
    highestReference_ = std::max(highestReference_, number);
    const std::string n = std::to_string(number);
    out += "(?(";
    out += n;
    out += ")\\g{";
    out += n;
    out += "})";
    return true;
  }

  // The escape after a backslash, other than \b \B and back-references
  // outside brackets.
  bool Escape(bool inBracket, Member& m) {
    if (!More()) return Fail(RegexFault::BadEscape);
    const char16_t e = p_[at_++];
    switch (e) {
      case u'd': m.set = kDigits; return true;
      case u'D': m.set = kDigits.Complement(); return true;
      case u'w': m.set = kWordCharacters; return true;
      case u'W': m.set = kWordCharacters.Complement(); return true;
      case u's': m.set = kWhiteSpace; return true;
      case u'S': m.set = kWhiteSpace.Complement(); return true;
      case u'f': m.unit = 0x0C; return true;
      case u'n': m.unit = 0x0A; return true;
      case u'r': m.unit = 0x0D; return true;
      case u't': m.unit = 0x09; return true;
      case u'v': m.unit = 0x0B; return true;
      case u'b':
        if (!inBracket) break;
        m.unit = 0x08;
        return true;
      case u'c':
        if (!IsAsciiLetter(Peek())) return Fail(RegexFault::BadEscape);
        m.unit = static_cast<char32_t>(p_[at_++] % 32);
        return true;
      case u'x':
      case u'u':
        return HexEscape(e == u'x' ? 2 : 4, m);
      case u'0':
        if (IsDigit(Peek())) return Fail(RegexFault::BadEscape);
        m.unit = 0;
        return true;
      default:
        break;
    }
    if (IsDigit(e)) return Fail(RegexFault::BadBackReference);  // in brackets
    if (IsAsciiLetter(e)) return Fail(RegexFault::BadEscape);
    m.unit = e;  // any other unit stands for itself
    return true;
  }

  bool HexEscape(int digits, Member& m) {
    char32_t value = 0;
    for (int i = 0; i < digits; ++i) {
      const int v = HexValue(Peek());
      if (!More() || v < 0) return Fail(RegexFault::BadEscape);
      value = value * 16 + static_cast<char32_t>(v);
      ++at_;
    }
    m.unit = value;
    return true;
  }

  // [...] and [^...]: members, ranges of two units, escapes and class names,
  // written out as one set.
  bool Bracket(std::string& out) {
    ++at_;
    const bool negated = Peek() == u'^';
    if (negated) ++at_;
    UnitSet set;
    while (true) {
      if (!More()) return Fail(RegexFault::BadBracket);
      if (Peek() == u']') break;
      Member first;
      if (!BracketMember(first)) return false;
      if (Peek() == u'-' && at_ + 1 < p_.size() && p_[at_ + 1] != u']') {
        ++at_;
        Member last;
        if (!BracketMember(last)) return false;
        if (!first.unit || !last.unit || *first.unit > *last.unit) return Fail(RegexFault::BadBracket);
        set.Add(*first.unit, *last.unit);
      } else if (first.unit) {
        set.Add(*first.unit, *first.unit);
      } else {
        set.Add(first.set);
      }
    }
    ++at_;
    AppendSet(out, negated ? set.Complement() : set);
    return true;
  }

  bool BracketMember(Member& m) {
    const char16_t c = p_[at_];
    if (c == u'\\') {
      ++at_;
      return Escape(true, m);
    }
    if (c == u'[' && (Peek(1) == u'.' || Peek(1) == u'=')) return Fail(RegexFault::BadBracket);
    if (c == u'[' && Peek(1) == u':') return ClassNameMember(m);
    ++at_;
    m.unit = c;
    return true;
  }

  // [:name:], the name in any case as the C++ library takes it.
  bool ClassNameMember(Member& m) {
    const std::size_t nameStart = at_ + 2;
    const std::size_t colon = p_.find(u':', nameStart);
    if (colon == std::u16string_view::npos || colon + 1 >= p_.size() || p_[colon + 1] != u']') {
      return Fail(RegexFault::BadBracket);
    }
    const UnitSet* set = regex_spelling::BracketClass(p_.substr(nameStart, colon - nameStart));
    if (set == nullptr) return Fail(RegexFault::BadBracket);
    m.set = *set;
    at_ = colon + 2;
    return true;
  }

  struct Repeat {
    bool present = false;
    std::uint32_t min = 1;
  };

  // An optional quantifier and its lazy mark.
  bool Quantifier(std::string& out, Repeat& repeat) {
    const char16_t c = Peek();
    if (!IsQuantifierStart(c)) return true;
    repeat.present = true;
    if (c == u'{') {
      if (!Bounds(out, repeat.min)) return false;
    } else {
      ++at_;
      out += static_cast<char>(c);
      repeat.min = c == u'+' ? 1 : 0;
    }
    if (Peek() == u'?') {
      ++at_;
      out += '?';
    }
    if (IsQuantifierStart(Peek())) return Fail(RegexFault::NothingToRepeat);
    return true;
  }

  // {n}, {n,} or {n,m}, decimal.
  bool Bounds(std::string& out, std::uint32_t& min) {
    ++at_;
    std::uint32_t low = 0;
    if (!Number(low)) return Fail(RegexFault::BadBraces);
    std::string written(1, '{');
    written += std::to_string(low);
    if (Peek() == u',') {
      ++at_;
      written += ',';
      if (IsDigit(Peek())) {
        std::uint32_t high = 0;
        if (!Number(high) || high < low) return Fail(RegexFault::BadBraces);
        written += std::to_string(high);
      }
    }
    if (Peek() != u'}') return Fail(RegexFault::BadBraces);
    ++at_;
    out += written;
    out += '}';
    min = low;
    return true;
  }

  // Decimal digits up to kMaxBound; false when there are none or too many.
  bool Number(std::uint32_t& value) {
    if (!More() || !IsDigit(Peek())) return false;
    value = 0;
    while (More() && IsDigit(Peek())) {
      value = std::min(value * 10 + static_cast<std::uint32_t>(p_[at_++] - u'0'), kMaxBound + 1);
    }
    return value <= kMaxBound;
  }

  std::u16string_view p_;
  std::size_t at_ = 0;
  RegexFault fault_ = RegexFault::None;
  std::uint32_t groups_ = 0;
  std::uint32_t highestReference_ = 0;
  bool topLevelAlternation_ = false;
  std::u16string run_;
  std::u16string longest_;
};

}  // namespace

TranslatedRegex TranslateEcmaScriptRegex(std::u16string_view pattern) { return Translator(pattern).Run(); }

}  // namespace peekbar
