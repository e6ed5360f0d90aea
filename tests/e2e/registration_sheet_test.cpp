// The registration sheet of a monitor, opened with its tray menu item
// "一括登録(&I)" and filled in as a user does: a window picked in a row's
// list and a keyword typed there take effect with OK, and every row of every
// page is written into the profile.

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "driver_options.h"
#include "ini_file.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "screenshot.h"
#include "test_programs.h"
#include "window_state.h"

namespace e2e {
namespace {

namespace command = peekbar::command;

constexpr int kCornersPage = 4;
// Controls of row r of a page: these + 100 r.
constexpr int kRowFrame = 11000;
constexpr int kKeywordEdit = 11001;
constexpr int kWindowList = 11004;
constexpr int kSwatch = 11008;

std::wstring ItemText(HWND page, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(page, id, text, 512);
    return text;
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

class RegistrationSheet : public PeekbarSession {};

TEST_F(RegistrationSheet, WindowPickedInARowIsRegisteredAndEveryRowIsSavedWithOk) {
    TestProgram notepad = TestProgram::StartNotepad();
    ASSERT_NE(notepad.Window(), nullptr);
    StartPeekbar(QuickProfile());
    ASSERT_TRUE(IsShown(notepad.Window()));

    ASSERT_TRUE(PostMessageW(peekbar.MainWindow(), WM_COMMAND, command::kRegistrationSheetFirst, 0));
    const HWND sheet =
        WaitForDialog(peekbar.Id(), TwoMonitorLayout() ? L"ウィンドウ登録（モニター1）" : L"ウィンドウ登録");
    ASSERT_NE(sheet, nullptr) << "no registration sheet";
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(sheet) != FALSE; }));

    // The top edge comes first; its middle row is location 2.
    const HWND top = CurrentPage(sheet);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(ItemText(top, kRowFrame), L"上端左");
    EXPECT_EQ(ItemText(top, kRowFrame + 100), L"上端中央");
    EXPECT_EQ(ItemText(top, kWindowList + 100), L" - 未登録 - ");
    const LRESULT item = SendDlgItemMessageW(top, kWindowList + 100, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(kNotepadLabel));
    ASSERT_GT(item, 0) << "notepad is not offered";
    SendDlgItemMessageW(top, kWindowList + 100, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    ASSERT_TRUE(SetDlgItemTextW(top, kKeywordEdit + 100, L"*メモ帳*"));

    // The swatch around the colour button shows the guide colour (red by default).
    RECT swatch{};
    GetWindowRect(GetDlgItem(top, kSwatch + 100), &swatch);
    EXPECT_TRUE(WaitUntil([&] {
        HDC screen = GetDC(nullptr);
        const COLORREF pixel = GetPixel(screen, swatch.left + 2, swatch.top + 2);
        ReleaseDC(nullptr, screen);
        return pixel == RGB(255, 0, 0);
    })) << "the swatch is not painted in the guide colour";
    Sleep(300);  // let it paint before the picture is taken
    EXPECT_TRUE(SaveScreenshot(L"registration-sheet-top"));

    SendMessageW(sheet, PSM_SETCURSEL, kCornersPage, 0);
    const HWND corners = CurrentPage(sheet);
    ASSERT_NE(corners, top);
    EXPECT_EQ(ItemText(corners, kRowFrame + 300), L"右下隅");
    Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"registration-sheet-corners"));

    SendDlgItemMessageW(sheet, IDOK, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }));
    EXPECT_TRUE(WaitHidden(notepad.Window())) << "the picked window was not registered";

    const std::wstring profile = ProfileText();
    EXPECT_EQ(IniValue(profile, L"MONITOR_0", L"KEYWORD_2"), std::optional<std::wstring>(L"*メモ帳*"));
    EXPECT_EQ(IniValue(profile, L"MONITOR_0", L"REG_EXP_2"), std::optional<std::wstring>(L"0"));
    // Pages never looked at are saved too (the left edge, its middle row).
    EXPECT_EQ(IniValue(profile, L"MONITOR_0", L"REG_EXP_14"), std::optional<std::wstring>(L"0"));
    EXPECT_EQ(IniValue(profile, L"MONITOR_0", L"GUIDE_COLOR_14"), std::optional<std::wstring>(L"255"));
}

// Another profile chosen while the sheet is open would have its sixteen
// rows overwritten by the sheet's OK: the choice is refused until the sheet
// is closed, and what the sheet confirms goes into the profile it showed.
TEST_F(RegistrationSheet, ProfileChosenWhileItIsOpenIsRefusedAndOkWritesTheProfileItShowed) {
    ASSERT_TRUE(QuickProfile().Keyword(0, peekbar::location::kTopMiddle, L"*メモ帳*").Write(installation.ProfilePath(1)));
    StartPeekbar(QuickProfile());
    const WORD secondProfile = command::kProfileFirst + 1;

    const HWND sheet = OpenDialog(command::kRegistrationSheetFirst,
                                  TwoMonitorLayout() ? L"ウィンドウ登録（モニター1）" : L"ウィンドウ登録");
    ASSERT_NE(sheet, nullptr);
    const HWND top = CurrentPage(sheet);
    ASSERT_TRUE(SetDlgItemTextW(top, kKeywordEdit + 100, L"*シート*"));
    Command(secondProfile);
    Close(sheet);
    // Commands run in the order they came: once the sheet's rows are
    // written, the profile command has been dealt with.
    const auto sheetKeyword = [&] { return IniValue(ProfileText(), L"MONITOR_0", L"KEYWORD_2"); };
    EXPECT_TRUE(WaitUntil([&] { return sheetKeyword() == std::optional<std::wstring>(L"*シート*"); }))
        << "the sheet's rows did not go into the profile it showed";
    const auto secondKeyword = [&] {
        return IniValue(ReadTextFile(installation.ProfilePath(1)).text, L"MONITOR_0", L"KEYWORD_2");
    };
    EXPECT_EQ(secondKeyword(), std::optional<std::wstring>(L"*メモ帳*"));
    const auto selected = [&] {
        return IniValue(ReadTextFile(installation.MainSettingsPath()).text, L"PROFILE", L"INDEX");
    };
    EXPECT_NE(selected(), std::optional<std::wstring>(L"1")) << "switched under the sheet";
    EXPECT_TRUE(FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty()) << "a message for the refused switch";

    // The sheet closed, the same command selects the profile, keywords
    // intact. (Posted: the message box it ends with holds a sent one.)
    ASSERT_TRUE(peekbar.PostCommand(secondProfile));
    EXPECT_NE(AnswerMessageBox().find(L"を選択しました"), std::wstring::npos);
    EXPECT_TRUE(WaitUntil([&] { return selected() == std::optional<std::wstring>(L"1"); }));
    EXPECT_EQ(secondKeyword(), std::optional<std::wstring>(L"*メモ帳*"));
}

}  // namespace
}  // namespace e2e
