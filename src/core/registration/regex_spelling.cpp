#include "core/registration/regex_spelling.h"

#include <algorithm>
#include <array>

namespace peekbar::regex_spelling {

std::vector<UnitSet::Range> UnitSet::Normalized() const {
  std::vector<Range> sorted = ranges_;
  std::sort(sorted.begin(), sorted.end());
  std::vector<Range> merged;
  for (const Range& r : sorted) {
    if (!merged.empty() && r.first <= merged.back().second + 1) {
      merged.back().second = std::max(merged.back().second, r.second);
    } else {
      merged.push_back(r);
    }
  }
  return merged;
}

UnitSet UnitSet::Complement() const {
  UnitSet rest;
  char32_t next = 0;
  for (const Range& r : Normalized()) {
    if (r.first > next) rest.Add(next, r.first - 1);
    next = r.second + 1;
  }
  if (next <= kLastUnit) rest.Add(next, kLastUnit);
  return rest;
}

const UnitSet kDigits{{u'0', u'9'}};
const UnitSet kWordCharacters{{u'0', u'9'}, {u'A', u'Z'}, {u'_', u'_'}, {u'a', u'z'}};
const UnitSet kWhiteSpace{{0x09, 0x0D},     {0x20, 0x20},     {0xA0, 0xA0},     {0x1680, 0x1680},
                          {0x2000, 0x200A}, {0x2028, 0x2029}, {0x202F, 0x202F}, {0x205F, 0x205F},
                          {0x3000, 0x3000}, {0xFEFF, 0xFEFF}};

namespace {

struct ClassName {
  std::u16string_view name;
  UnitSet units;
};
const std::array<ClassName, 15> kClassNames = {{
    {u"alnum", {{u'0', u'9'}, {u'A', u'Z'}, {u'a', u'z'}}},
    {u"alpha", {{u'A', u'Z'}, {u'a', u'z'}}},
    {u"blank", {{u'\t', u'\t'}, {u' ', u' '}}},
    {u"cntrl", {{0x00, 0x1F}, {0x7F, 0x7F}}},
    {u"d", kDigits},
    {u"digit", kDigits},
    {u"graph", {{0x21, 0x7E}}},
    {u"lower", {{u'a', u'z'}}},
    {u"print", {{0x20, 0x7E}}},
    {u"punct", {{0x21, 0x2F}, {0x3A, 0x40}, {0x5B, 0x60}, {0x7B, 0x7E}}},
    {u"s", kWhiteSpace},
    {u"space", kWhiteSpace},
    {u"upper", {{u'A', u'Z'}}},
    {u"w", kWordCharacters},
    {u"xdigit", {{u'0', u'9'}, {u'A', u'F'}, {u'a', u'f'}}},
}};

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }

}  // namespace

const UnitSet* BracketClass(std::u16string_view name) {
  std::u16string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
  for (const ClassName& known : kClassNames) {
    if (known.name == lower) return &known.units;
  }
  return nullptr;
}

void AppendUnit(std::string& out, char32_t unit) {
  if (unit < 0x80 && (IsAsciiLetter(static_cast<char16_t>(unit)) || IsDigit(static_cast<char16_t>(unit)) ||
                      unit == u'_')) {
    out += static_cast<char>(unit);
    return;
  }
  constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x{";
  bool leading = true;
  for (int shift = 12; shift >= 0; shift -= 4) {
    const char32_t digit = (unit >> shift) & 0xF;
    if (leading && digit == 0 && shift > 0) continue;
    leading = false;
    out += kHex[digit];
  }
  out += '}';
}

void AppendSet(std::string& out, const UnitSet& set) {
  const std::vector<UnitSet::Range> ranges = set.Normalized();
  if (ranges.empty()) {
    out += "(?!)";
    return;
  }
  const std::vector<UnitSet::Range> rest = set.Complement().Normalized();
  const bool negate = !rest.empty() && rest.size() < ranges.size();
  out += negate ? "[^" : "[";
  for (const UnitSet::Range& r : negate ? rest : ranges) {
    AppendUnit(out, r.first);
    if (r.second == r.first) continue;
    if (r.second > r.first + 1) out += '-';
    AppendUnit(out, r.second);
  }
  out += ']';
}

std::string WithPerlDot(const std::string& pattern) {
  std::string single;
  std::size_t from = 0;
  for (std::size_t at = pattern.find(kAnyButLineTerminator); at != std::string::npos;
       at = pattern.find(kAnyButLineTerminator, from)) {
    single.append(pattern, from, at - from);
    single += '.';
    from = at + kAnyButLineTerminator.size();
  }
  if (from == 0) return {};
  single.append(pattern, from);
  return single;
}

}  // namespace peekbar::regex_spelling
