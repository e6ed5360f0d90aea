// Guide labels beside the left and right bars run top to bottom: their
// titles are written in full-width characters, the others as they are.

#include <gtest/gtest.h>

#include <string>

#include "win32/overlays/label_text.h"

namespace peekbar::win32 {
namespace {

constexpr int kTopMiddle = 2;
constexpr int kRightMiddle = 6;
constexpr int kLeftTop = 15;

TEST(LabelTextTest, SideLabelsAreFullWidthOthersUnchanged) {
  const std::wstring title = L"Memo 1 - ﾒﾓ帳";
  EXPECT_EQ(LabelText(kRightMiddle, title), L"Ｍｅｍｏ　１　－　メモ帳");
  EXPECT_EQ(LabelText(kLeftTop, L"ｶﾞｲﾄﾞ"), L"ガイド") << "voiced marks join their kana";
  EXPECT_EQ(LabelText(kTopMiddle, title), title);
  EXPECT_EQ(LabelText(kRightMiddle, std::wstring(300, L'a')).size(), kLabelTextUnits);
}

}  // namespace
}  // namespace peekbar::win32
