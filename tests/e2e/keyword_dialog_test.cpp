// The keyword dialog of a location, opened from its tray menu item: what is
// confirmed there is saved into the profile and applied at once; what is
// cancelled changes nothing.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "driver_options.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "screenshot.h"
#include "test_programs.h"
#include "window_state.h"

namespace e2e {
namespace {

namespace command = peekbar::command;
using peekbar::location::kTopMiddle;

constexpr int kKeywordEdit = 2000;
constexpr int kWildcardButton = 2001;
constexpr int kRegexButton = 2002;

std::wstring DialogTitle(bool twoMonitors) {
    return twoMonitors ? L"ウィンドウ自動登録キーワード設定（モニター1、上端中央）"
                       : L"ウィンドウ自動登録キーワード設定（上端中央）";
}

class KeywordDialog : public PeekbarSession {
protected:
    // Chooses the location's keyword item; the dialog is modal, so the
    // command is posted and the dialog looked for.
    HWND Open() {
        EXPECT_TRUE(PostMessageW(peekbar.MainWindow(), WM_COMMAND, command::LocationCommand(0, kTopMiddle, 0), 0));
        return WaitForDialog(peekbar.Id(), DialogTitle(TwoMonitorLayout()));
    }
};

TEST_F(KeywordDialog, ConfirmedKeywordIsSavedAndRegistersTheWindowAtOnce) {
    TestProgram notepad = TestProgram::StartNotepad();
    ASSERT_NE(notepad.Window(), nullptr);
    StartPeekbar(QuickProfile());
    ASSERT_TRUE(IsShown(notepad.Window()));

    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr) << "no keyword dialog";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }));
    RECT rect{};
    GetWindowRect(dialog, &rect);
    std::printf("[ dialog   ] keyword dialog at (%ld, %ld)-(%ld, %ld)\n", rect.left, rect.top, rect.right, rect.bottom);
    Sleep(300);  // let it paint before the picture is taken
    EXPECT_TRUE(SaveScreenshot(L"keyword-dialog"));
    EXPECT_EQ(SendDlgItemMessageW(dialog, kWildcardButton, BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_TRUE(SetDlgItemTextW(dialog, kKeywordEdit, L"*メモ帳*"));
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);

    EXPECT_TRUE(WaitHidden(notepad.Window())) << "the confirmed keyword did not register notepad";
    const std::wstring profile = ProfileText();
    EXPECT_NE(profile.find(L"KEYWORD_2=*メモ帳*"), std::wstring::npos) << "keyword not saved";
    EXPECT_NE(profile.find(L"REG_EXP_2=0"), std::wstring::npos);
    EXPECT_NE(profile.find(L"GUIDE_COLOR_2=255"), std::wstring::npos);
}

TEST_F(KeywordDialog, CancelChangesNothingAndARegexChoiceIsKept) {
    TestProgram notepad = TestProgram::StartNotepad();
    ASSERT_NE(notepad.Window(), nullptr);
    StartPeekbar(QuickProfile().Keyword(0, kTopMiddle, L".*Notepad.*", true));
    ASSERT_TRUE(WaitHidden(notepad.Window()));

    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, kKeywordEdit, text, 256);
    EXPECT_EQ(std::wstring(text), L".*Notepad.*");
    EXPECT_EQ(SendDlgItemMessageW(dialog, kRegexButton, BM_GETCHECK, 0, 0), BST_CHECKED);
    SetDlgItemTextW(dialog, kKeywordEdit, L"");
    SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(StaysHidden(notepad.Window(), 1500)) << "cancel released the window";

    // An emptied keyword confirmed with OK gives the window back.
    dialog = Open();
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextW(dialog, kKeywordEdit, L"");
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitShown(notepad.Window())) << "an empty keyword kept the registration";
}

// A chooser opened over the keyword dialog and closed again leaves the
// dialog guarded: the about box does not open over it.
TEST_F(KeywordDialog, ChooserClosedOverItLeavesNoRoomForASecondDialog) {
    StartPeekbar(QuickProfile());
    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PostMessageW(peekbar.MainWindow(), WM_COMMAND, command::kMonitorPopAlpha, 0));  // the captions' opacity
    const HWND chooser = WaitForDialog(peekbar.Id(), L"モニター番号表示透明度設定");
    ASSERT_NE(chooser, nullptr);
    SendDlgItemMessageW(chooser, IDCANCEL, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }));

    ASSERT_TRUE(PostMessageW(peekbar.MainWindow(), WM_COMMAND, command::kAbout, 0));  // the about box
    EXPECT_TRUE(HoldsFor([&] { return FindDialogs(peekbar.Id(), L"バージョン情報").empty(); }, 1500))
        << "a second dialog opened over the keyword dialog";
    SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
}

// The colour chooser of a location's guide, from its "ガイド色設定(&G)" item:
// confirming saves the location's section, cancelling writes nothing.
TEST_F(KeywordDialog, GuideColourChooserSavesTheLocationWhenConfirmed) {
    StartPeekbar(QuickProfile());
    const WORD guideColourItem = command::LocationCommand(0, kTopMiddle, 2);
    const auto chooser = [&] {
        HWND found = nullptr;
        EXPECT_TRUE(WaitUntil([&] {
            for (HWND window : VisibleTopLevelWindows()) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                wchar_t className[32] = {};
                GetClassNameW(window, className, 32);
                if (owner == peekbar.Id() && std::wstring(className) == L"#32770") found = window;
            }
            return found != nullptr;
        })) << "no colour chooser";
        return found;
    };

    ASSERT_TRUE(PostMessageW(peekbar.MainWindow(), WM_COMMAND, guideColourItem, 0));
    HWND dialog = chooser();
    ASSERT_NE(dialog, nullptr);
    Sleep(300);  // let it paint before the picture is taken
    EXPECT_TRUE(SaveScreenshot(L"guide-colour-chooser"));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(ProfileText().find(L"GUIDE_COLOR_2"), std::wstring::npos) << "a cancelled choice was saved";

    ASSERT_TRUE(PostMessageW(peekbar.MainWindow(), WM_COMMAND, guideColourItem, 0));
    dialog = chooser();
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(WaitUntil([&] { return ProfileText().find(L"GUIDE_COLOR_2=255") != std::wstring::npos; }))
        << "the confirmed colour was not saved";
}

}  // namespace
}  // namespace e2e
