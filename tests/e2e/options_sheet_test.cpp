// The options sheet from its tray menu item: both pages filled in as a user
// does, or only the first, confirmed with OK, and the OPTION section of the
// profile read back.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ini_file.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "screenshot.h"

namespace e2e {
namespace {

namespace command = peekbar::command;

constexpr wchar_t kSheetTitle[] = L"オプション";

// First page: the flags' check boxes.
constexpr int kEnabledAtEdgeBox = 9002;
constexpr int kKeepPositionBox = 9004;
constexpr int kRestorePositionBox = 9005;
constexpr int kBalloonBox = 9006;
constexpr int kFullscreenQuietBox = 9010;
// Second page: the numbers' edits and the button a show waits for.
constexpr int kCornerEdit = 3000;
constexpr int kMiddleEdit = 3002;
constexpr int kPeriodEdit = 3004;
constexpr int kShowDelayEdit = 3006;
constexpr int kMustButtonList = 3010;

std::wstring ItemText(HWND control, int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(control, id, text, 64);
    return text;
}

std::wstring ListItem(HWND page, int item) {
    wchar_t text[64] = {};
    SendDlgItemMessageW(page, kMustButtonList, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    return text;
}

bool Checked(HWND page, int id) { return SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class OptionsSheet : public PeekbarSession {
protected:
    HWND OpenSheet() { return OpenDialog(command::kOptions, kSheetTitle); }
    std::optional<std::wstring> Option(const wchar_t* key) const {
        return IniValue(ProfileText(), L"OPTION", key);
    }
};

TEST_F(OptionsSheet, BothPagesAreTakenOverOnOkAndTheOptionSectionWritten) {
    StartPeekbar(QuickProfile());
    const HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    const HWND flags = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, 0, 0));
    ASSERT_NE(flags, nullptr);

    EXPECT_TRUE(Checked(flags, kEnabledAtEdgeBox));
    EXPECT_FALSE(Checked(flags, kBalloonBox));
    EXPECT_FALSE(Checked(flags, kKeepPositionBox));
    EXPECT_TRUE(Checked(flags, kFullscreenQuietBox));
    SendDlgItemMessageW(flags, kFullscreenQuietBox, BM_CLICK, 0, 0);
    SendDlgItemMessageW(flags, kRestorePositionBox, BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(flags, kKeepPositionBox)) << "restoring positions ticks keeping them";
    Sleep(300);  // let it paint before the picture is taken
    EXPECT_TRUE(SaveScreenshot(L"options-page-1"));

    SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
    const HWND numbers = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, 1, 0));
    ASSERT_NE(numbers, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(numbers) != FALSE; }));
    EXPECT_EQ(ItemText(numbers, kCornerEdit), L"10");
    EXPECT_EQ(ItemText(numbers, kPeriodEdit), L"100");
    ASSERT_EQ(SendDlgItemMessageW(numbers, kMustButtonList, CB_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(ListItem(numbers, 0), L"無し");
    EXPECT_EQ(ListItem(numbers, 1), L"マウス左ボタン");
    EXPECT_EQ(ListItem(numbers, 6), L"Altキー");
    EXPECT_EQ(SendDlgItemMessageW(numbers, kMustButtonList, CB_GETCURSEL, 0, 0), 0);
    SetDlgItemTextW(numbers, kMiddleEdit, L"30");
    SetDlgItemTextW(numbers, kCornerEdit, L"40");
    EXPECT_EQ(ItemText(numbers, kMiddleEdit), L"20") << "a longer corner shortens the middle";
    SetDlgItemTextW(numbers, kShowDelayEdit, L"400");
    SendDlgItemMessageW(numbers, kMustButtonList, CB_SETCURSEL, 5, 0);
    Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"options-page-2"));

    SendDlgItemMessageW(sheet, IDOK, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }));
    const auto option = [&](const wchar_t* key) { return Option(key); };
    ASSERT_TRUE(WaitUntil([&] { return option(L"FULLSCREEN_QUIET").has_value(); })) << "OPTION was not written in full";
    EXPECT_EQ(option(L"KEEP_WIN_POS"), std::wstring(L"1"));
    EXPECT_EQ(option(L"RESTORE_WIN_POS"), std::wstring(L"1"));
    EXPECT_EQ(option(L"ENABLED_AT_EDGE"), std::wstring(L"1"));
    EXPECT_EQ(option(L"BALLOON"), std::wstring(L"0"));
    EXPECT_EQ(option(L"FULLSCREEN_QUIET"), std::wstring(L"0"));
    EXPECT_EQ(option(L"CORNER_LENGTH"), std::wstring(L"40"));
    EXPECT_EQ(option(L"MIDDLE_LENGTH"), std::wstring(L"20"));
    EXPECT_EQ(option(L"TIMER_INTERVAL"), std::wstring(L"100"));
    EXPECT_EQ(option(L"SHOWING_DELAY"), std::wstring(L"400"));
    EXPECT_EQ(option(L"HIDDEN_DELAY"), std::wstring(L"300"));
    EXPECT_EQ(option(L"MUST_BTN_FOR_SHOW"), std::wstring(L"5"));
    EXPECT_EQ(option(L"TRAY_ICON_COLOR"), std::nullopt) << "the menu's colour is not the sheet's";
}

// OK on the first page: the second, never opened, is taken over as well,
// with its numbers as it shows them (a delay beyond its up-down control's
// range comes back at the range's end).
TEST_F(OptionsSheet, SecondPageNeverOpenedIsTakenOverOnOkAsItShowsItsValues) {
    StartPeekbar(QuickProfile().Option(L"HIDDEN_DELAY", 40000).Option(L"MUST_BTN_FOR_SHOW", 3));
    const HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    const HWND flags = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, 0, 0));
    ASSERT_EQ(reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)), flags);
    SendDlgItemMessageW(flags, kEnabledAtEdgeBox, BM_CLICK, 0, 0);

    SendDlgItemMessageW(sheet, IDOK, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }));
    ASSERT_TRUE(WaitUntil([&] { return Option(L"FULLSCREEN_QUIET").has_value(); })) << "OPTION was not written in full";
    EXPECT_EQ(Option(L"ENABLED_AT_EDGE"), std::wstring(L"0"));
    EXPECT_EQ(Option(L"HIDDEN_DELAY"), std::wstring(L"32767")) << "the second page was not taken over";
    EXPECT_EQ(Option(L"SHOWING_DELAY"), std::wstring(L"250"));
    EXPECT_EQ(Option(L"MUST_BTN_FOR_SHOW"), std::wstring(L"3"));
}

}  // namespace
}  // namespace e2e
