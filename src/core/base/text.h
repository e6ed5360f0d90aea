// Text helpers of the portable core. The core speaks UTF-16 (char16_t) so that
// lengths, cuts and comparisons are in the same 16-bit units as on Windows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace peekbar {

// A NUL-terminated UTF-16 buffer of a fixed number of units, NUL included.
// Assignments longer than Capacity - 1 units are cut, never overflowed; this is
// the width the settings files and dialogs are bounded by.
template <std::size_t Capacity>
class FixedText {
 public:
  static_assert(Capacity >= 1);
  static constexpr std::size_t kMaxLength = Capacity - 1;

  FixedText() { units_[0] = u'\0'; }
  FixedText(std::u16string_view text) { Assign(text); }  // NOLINT: implicit by design

  void Assign(std::u16string_view text) {
    length_ = text.size() < kMaxLength ? text.size() : kMaxLength;
    text.copy(units_.data(), length_);
    units_[length_] = u'\0';
  }
  FixedText& operator=(std::u16string_view text) {
    Assign(text);
    return *this;
  }

  std::u16string_view View() const { return {units_.data(), length_}; }
  const char16_t* CStr() const { return units_.data(); }
  std::size_t Length() const { return length_; }
  bool Empty() const { return length_ == 0; }

  friend bool operator==(const FixedText& a, std::u16string_view b) { return a.View() == b; }

 private:
  std::array<char16_t, Capacity> units_{};
  std::size_t length_ = 0;
};

// Cuts text to at most maxUnits UTF-16 units.
inline std::u16string_view CutToUnits(std::u16string_view text, std::size_t maxUnits) {
  return text.substr(0, maxUnits);
}

// Signed decimal text, as the settings files store integers.
std::u16string DecimalText(std::int64_t value);

// Decimal text of the form the C library's wcstol accepts at its start:
// leading white space, an optional sign, digits; stops at the first other
// character. Text that does not start with a number gives 0. Values beyond
// 32 bits saturate.
std::int32_t ParseLeadingInt(std::u16string_view text);

// Converts UTF-8 (used by tests and the build's literals) to UTF-16; what
// is not UTF-8 becomes replacement characters.
std::u16string Utf16FromUtf8(std::string_view utf8);
// Only text that is strictly UTF-8 (no overlong forms, no surrogates,
// nothing past U+10FFFF, no sequence cut short) is converted.
std::optional<std::u16string> StrictUtf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

}  // namespace peekbar
