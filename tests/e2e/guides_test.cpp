// The guide bars over every monitor: up while the pointer touches an edge of
// its monitor or while Ctrl is held, away otherwise; each registered location
// marked in its colour with its window's title; never in the pointer's way.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop_input.h"
#include "ini_file.h"
#include "driver_options.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "process_windows.h"
#include "screenshot.h"
#include "test_programs.h"

namespace e2e {
namespace {

namespace command = peekbar::command;
using peekbar::location::kLeftMiddle;
using peekbar::location::kRightMiddle;
using peekbar::location::kTopMiddle;
constexpr int kTopRightCorner = 4;

// On the right column of monitor 0, where no window is registered.
constexpr POINT kRightEdge = {kScreenWidth - 1, 300};
// Inside the bar of the middle of the top edge (x 864..1055, 12 deep).
constexpr POINT kTopBar = {960, 3};

COLORREF ScreenPixel(POINT p) {
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

class Guides : public PeekbarSession {
protected:
    std::vector<HWND> GuideWindows() const {
        return FindTopLevelWindows(peekbar.Id(), L"PEEKBAR_GUIDE", L"Peekbarのガイド");
    }
    // Every monitor has its guide, and all are shown (or all hidden).
    bool AllGuides(bool shown) const {
        const std::vector<HWND> guides = GuideWindows();
        if (static_cast<int>(guides.size()) != ExpectedMonitorCount()) return false;
        for (const HWND guide : guides) {
            if ((IsWindowVisible(guide) != FALSE) != shown) return false;
        }
        return true;
    }
};

TEST_F(Guides, UpAtAnEdgeAndWhileCtrlIsHeldWithoutTakingThePointerOrTheFocus) {
    TestProgram top = TestProgram::StartTarget({L"Peekbar test: top bar"});
    TestProgram others = TestProgram::StartTarget(
        {L"Peekbar test: corner", L"Peekbar test: right bar", L"Peekbar test: left bar (縦書き)"});
    ASSERT_NE(others.Window(2), nullptr);
    StartPeekbar(QuickProfile()
                     .Keyword(0, kTopMiddle, L"Peekbar test: top bar*")
                     .Keyword(0, kTopRightCorner, L"Peekbar test: corner*")
                     .Keyword(0, kRightMiddle, L"Peekbar test: right bar*")
                     .Keyword(0, kLeftMiddle, L"Peekbar test: left bar*")
                     .Keyword(1, kTopMiddle, L"Peekbar test: left bar*"));
    ASSERT_TRUE(WaitHidden(top.Window()));
    for (const HWND window : others.Windows()) ASSERT_TRUE(WaitHidden(window));
    ASSERT_TRUE(WaitUntil([&] { return AllGuides(false); })) << "not one hidden guide per monitor";
    const COLORREF desktop = ScreenPixel(kTopBar);

    const HWND foreground = GetForegroundWindow();
    ASSERT_TRUE(MovePointer(kRightEdge));
    ASSERT_TRUE(WaitUntil([&] { return AllGuides(true); })) << "the guides did not come up at the edge";
    for (const HWND guide : GuideWindows()) {
        const LONG_PTR style = GetWindowLongPtrW(guide, GWL_EXSTYLE);
        EXPECT_EQ(style & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
                  WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    }
    EXPECT_EQ(GetForegroundWindow(), foreground) << "a guide took the focus";
    wchar_t className[32] = {};
    GetClassNameW(WindowFromPoint(kRightEdge), className, 32);
    EXPECT_NE(std::wstring(className), L"PEEKBAR_GUIDE") << "the guide is in the pointer's way";
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(kTopBar) != desktop; })) << "no bar at the top edge";
    EXPECT_TRUE(SaveScreenshot(L"guides-at-the-edge"));

    // Its window closed by its program, the location is empty: its bar goes
    // while the guides stay up.
    top.Close();
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(kTopBar) == desktop; })) << "the bar stayed after its window went";
    EXPECT_TRUE(AllGuides(true));

    ASSERT_TRUE(MovePointer(kRestingPoint));
    EXPECT_TRUE(WaitUntil([&] { return AllGuides(false); })) << "the guides stayed after the pointer left the edge";
    {
        HeldKey ctrl(VK_CONTROL);
        EXPECT_TRUE(WaitUntil([&] { return AllGuides(true); })) << "the guides did not come up with Ctrl";
    }
    EXPECT_TRUE(WaitUntil([&] { return AllGuides(false); })) << "the guides stayed after Ctrl was released";
}

constexpr wchar_t kSheetTitle[] = L"ガイド・ラベル設定";

std::vector<std::wstring> KeysOf(const IniEntries& entries) {
    std::vector<std::wstring> keys;
    for (const auto& [key, value] : entries) keys.push_back(key);
    return keys;
}

// OK on the guide page: the label page, never opened, is written as well.
TEST_F(Guides, SheetOkWritesBothSectionsInKeyOrderAndAlwaysShowsTheGuides) {
    StartPeekbar(QuickProfile());
    const HWND sheet = OpenDialog(command::kGuideLabelSettings, kSheetTitle);
    ASSERT_NE(sheet, nullptr);
    const HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, 0, 0));
    const auto checked = [&](int box) { return IsDlgButtonChecked(page, box) == BST_CHECKED; };
    EXPECT_TRUE(checked(4006) && checked(4007) && !checked(4008));
    SendDlgItemMessageW(page, 4008, BM_CLICK, 0, 0);
    EXPECT_TRUE(!checked(4006) && !checked(4007) && checked(4008)) << "always showing kept the other conditions";
    SetDlgItemTextW(page, 4004, L"128");
    Sleep(300);  // let it paint before the picture is taken
    EXPECT_TRUE(SaveScreenshot(L"guide-label-sheet-guide-page"));
    Close(sheet);

    const IniEntries guide = {{L"ENABLED", L"0"},      {L"ENABLED_KEY", L"0"},   {L"ALWAYS_SHOW", L"1"},
                              {L"TRIGGER_CTRL", L"1"}, {L"TRIGGER_SHIFT", L"0"}, {L"TRIGGER_ALT", L"0"},
                              {L"JUDGMENT_WIDTH", L"1"}, {L"GUIDE_WIDTH", L"12"}, {L"GUIDE_ALPHA", L"128"}};
    EXPECT_TRUE(WaitUntil([&] { return SectionEntries(ProfileText(), L"GUIDE") == guide; }));
    const std::vector<std::wstring> labelKeys = {
        L"SHOW",        L"TRIGGER_CTRL", L"TRIGGER_SHIFT", L"TRIGGER_ALT",    L"FONT_FACE_NAME", L"FONT_HEIGHT",
        L"FONT_WIDTH",  L"FONT_WEIGHT",  L"FONT_ITALIC",   L"FONT_CHARSET", L"FONT_COLOR_IDX", L"FONT_OPT_RGB"};
    EXPECT_TRUE(WaitUntil([&] { return KeysOf(SectionEntries(ProfileText(), L"LABEL")) == labelKeys; }))
        << "the label page was not applied";
    EXPECT_TRUE(WaitUntil([&] { return AllGuides(true); })) << "the guides are not always shown";
}

// A number typed beyond its up-down control's range is taken as the edit
// holds it, read as a signed 16-bit number (40000 is negative), and stored
// by its setting's rule rather than ignored.
TEST_F(Guides, SheetOkStoresNumbersTypedBeyondTheirRangeByTheirRule) {
    StartPeekbar(QuickProfile()
                     .Value(L"GUIDE", L"JUDGMENT_WIDTH", 5)
                     .Value(L"GUIDE", L"GUIDE_WIDTH", 20)
                     .Value(L"GUIDE", L"GUIDE_ALPHA", 100));
    const HWND sheet = OpenDialog(command::kGuideLabelSettings, kSheetTitle);
    ASSERT_NE(sheet, nullptr);
    const HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, 0, 0));
    SetDlgItemTextW(page, 4000, L"0");
    SetDlgItemTextW(page, 4002, L"40000");
    SetDlgItemTextW(page, 4004, L"300");
    Close(sheet);

    // LABEL is written after GUIDE.
    ASSERT_TRUE(WaitUntil([&] { return IniValue(ProfileText(), L"LABEL", L"FONT_OPT_RGB").has_value(); }))
        << "the sheet was not applied";
    const auto guide = [&](const wchar_t* key) { return IniValue(ProfileText(), L"GUIDE", key); };
    EXPECT_EQ(guide(L"JUDGMENT_WIDTH"), std::wstring(L"1"));
    EXPECT_EQ(guide(L"GUIDE_WIDTH"), std::wstring(L"1"));
    EXPECT_EQ(guide(L"GUIDE_ALPHA"), std::wstring(L"255"));
}

// Cancel applies nothing of the pages; what their choosers confirmed stays:
// the font is already written, the custom colour kept for the next write.
TEST_F(Guides, SheetCancelKeepsOnlyWhatItsChoosersChanged) {
    StartPeekbar(QuickProfile());
    const HWND sheet = OpenDialog(command::kGuideLabelSettings, kSheetTitle);
    ASSERT_NE(sheet, nullptr);
    SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
    const HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, 1, 0));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(page) != FALSE; }));
    const auto chooser = [&] {
        HWND found = nullptr;
        EXPECT_TRUE(WaitUntil([&] {
            for (const HWND window : VisibleTopLevelWindows()) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                wchar_t className[16] = {};
                GetClassNameW(window, className, 16);
                if (owner == peekbar.Id() && window != sheet && std::wstring(className) == L"#32770") found = window;
            }
            return found != nullptr;
        })) << "no chooser";
        return found;
    };
    const auto label = [&](const wchar_t* key) { return IniValue(ProfileText(), L"LABEL", key); };

    // The custom colour: red 10, green 20, blue 30.
    PostMessageW(GetDlgItem(page, 10008), BM_CLICK, 0, 0);
    HWND dialog = chooser();
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextW(dialog, 706, L"10");
    SetDlgItemTextW(dialog, 707, L"20");
    SetDlgItemTextW(dialog, 708, L"30");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(label(L"FONT_OPT_RGB"), std::nullopt) << "the colour was written before a font or an OK";

    PostMessageW(GetDlgItem(page, 10009), BM_CLICK, 0, 0);
    dialog = chooser();
    ASSERT_NE(dialog, nullptr);
    Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"guide-label-sheet-font-chooser"));
    SetDlgItemTextW(dialog, 1138, L"20");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(WaitUntil([&] { return label(L"FONT_OPT_RGB").has_value(); })) << "the font was not written at once";
    EXPECT_NE(label(L"FONT_HEIGHT"), std::wstring(L"-19"));
    EXPECT_EQ(label(L"FONT_OPT_RGB"), std::to_wstring(RGB(10, 20, 30)));
    EXPECT_EQ(label(L"FONT_COLOR_IDX"), std::wstring(L"0")) << "the page's unconfirmed rule was written";

    Close(sheet, IDCANCEL);
    EXPECT_TRUE(HoldsFor([&] { return label(L"FONT_COLOR_IDX") == std::wstring(L"0"); }, 500));
    EXPECT_EQ(SectionEntries(ProfileText(), L"GUIDE"), IniEntries{}) << "Cancel wrote the guide page";
}

}  // namespace
}  // namespace e2e
