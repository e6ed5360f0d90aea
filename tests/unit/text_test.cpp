// Number text, fixed-width buffers and UTF conversion.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "core/app/app.h"
#include "core/base/text.h"

namespace peekbar {
namespace {

TEST(StartupDelayTest, LeadingDecimalSecondsAndNothingElseAtMostTheDialogsLongest) {
  struct Case {
    std::u16string_view argument;
    std::uint32_t seconds;
  };
  const Case cases[] = {
      {u"2", 2},   {u"30", 30}, {u"abc", 0}, {u"-5", 0}, {u" 7x", 7},
      {u"", 0},    {u"0", 0},   {u"+3", 3},  {u"\t12", 12}, {u"4.9", 4},
      {u"x5", 0},  {u"32767", 32767},
      // Past what 32 bits of milliseconds hold, or past the longest delay.
      {u"4294968", 32767}, {u"32768", 32767}, {u"99999999999", 32767},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StartupDelayMilliseconds(c.argument), c.seconds * 1000) << Utf8FromUtf16(c.argument);
  }
}

TEST(ParseLeadingIntTest, SignedDecimalPrefix) {
  struct Case {
    std::u16string_view text;
    std::int32_t value;
  };
  const Case cases[] = {
      {u"-19", -19},
      {u"  -19", -19},
      {u"12ms", 12},
      {u"abc", 0},
      {u"", 0},
      {u"-", 0},
      {u"- 5", 0},
      {u"007", 7},
      {u"2147483647", std::numeric_limits<std::int32_t>::max()},
      {u"2147483648", std::numeric_limits<std::int32_t>::max()},
      {u"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {u"-99999999999999999999", std::numeric_limits<std::int32_t>::min()},
      {u"\uff11\uff12", 0},  // full-width digits are not digits here
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseLeadingInt(c.text), c.value) << Utf8FromUtf16(c.text);
  }
}

TEST(DecimalTextTest, SignedValuesIncludingTheExtremes) {
  EXPECT_EQ(DecimalText(0), u"0");
  EXPECT_EQ(DecimalText(-19), u"-19");
  EXPECT_EQ(DecimalText(16711680), u"16711680");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int32_t>::min()), u"-2147483648");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
}

TEST(FixedTextTest, CutsToCapacityLessOne) {
  FixedText<4> text;
  EXPECT_TRUE(text.Empty());
  EXPECT_EQ(text.CStr()[0], u'\0');
  text = u"ab";
  EXPECT_EQ(text.View(), u"ab");
  text = u"abc";
  EXPECT_EQ(text.View(), u"abc");
  text = u"abcdef";
  EXPECT_EQ(text.View(), u"abc");
  EXPECT_EQ(text.CStr()[3], u'\0');
  text = u"x";  // a shorter value after a longer one
  EXPECT_EQ(text.View(), u"x");
  EXPECT_EQ(text.CStr()[1], u'\0');

  const std::u16string keyword(300, u'語');
  FixedText<256> wide(keyword);
  EXPECT_EQ(wide.Length(), 255u);
}

TEST(Utf16ConversionTest, RoundTripsJapaneseAndSupplementaryCharacters) {
  const std::string samples[] = {
      "", "Peekbar", "プロファイル_0", "ＭＳ ゴシック", "a\xF0\x9F\x98\x80z" /* U+1F600 */, "\xC3\xA9t\xC3\xA9"};
  for (const std::string& utf8 : samples) {
    EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(utf8)), utf8);
  }
  EXPECT_EQ(Utf16FromUtf8("\xF0\x9F\x98\x80"), (std::u16string{char16_t(0xD83D), char16_t(0xDE00)}));
  EXPECT_EQ(Utf16FromUtf8("\xE3\x83\x97"), u"プ");
}

}  // namespace
}  // namespace peekbar
