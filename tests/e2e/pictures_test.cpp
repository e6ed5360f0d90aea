// The pictures of the README, made again by scripts/pictures: each test sets
// up one scene with real windows, checks that the screen shows what its
// picture claims, and saves the screen together with the part of it the
// picture keeps. Disabled in ordinary runs; --gtest_also_run_disabled_tests
// runs them.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "driver_options.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "process_windows.h"
#include "screenshot.h"
#include "test_programs.h"
#include "tray.h"
#include "window_state.h"

namespace e2e {
namespace {

namespace command = peekbar::command;
using peekbar::location::kLeftMiddle;
using peekbar::location::kTopMiddle;
constexpr int kTopLeftCorner = 0;
constexpr int kTopRightCorner = 4;
constexpr int kBottomRightCorner = 8;

// Windows of the test program with titles a reader can take for their own.
constexpr wchar_t kTasksTitle[] = L"タスク一覧";
constexpr wchar_t kSumsTitle[] = L"計算メモ";
constexpr Rect kNotepadHome = {240, 220, 880, 700};
// By the tray icon, at the right end of the taskbar: the menu opens there.
constexpr POINT kTrayPoint = {kScreenWidth - 20, kScreenHeight - 12};

COLORREF ScreenPixel(POINT p) {
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

Rect Grown(const Rect& r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

Rect Union(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// Saves the screen as "<name>.bmp" and beside it "<name>.crop": the part of
// the screen the picture keeps, clipped to the screen, as ImageMagick writes
// a geometry (WxH+X+Y).
bool SavePicture(const std::wstring& name, const Rect& area) {
    Sleep(300);  // let everything paint
    if (Options().shotsDir.empty()) return true;
    const Rect kept = {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, kScreenWidth),
                       std::min(area.bottom, kScreenHeight)};
    if (kept.Width() <= 0 || kept.Height() <= 0 || !SaveScreenshot(name)) return false;
    FILE* file = _wfopen((Options().shotsDir + L"\\" + name + L".crop").c_str(), L"wb");
    if (file == nullptr) return false;
    const bool written = std::fprintf(file, "%dx%d+%d+%d\n", kept.Width(), kept.Height(), kept.left, kept.top) > 0;
    return std::fclose(file) == 0 && written;
}

class Pictures : public PeekbarSession {
protected:
    void SetUp() override {
        if (TwoMonitorLayout()) GTEST_SKIP() << "the pictures show one monitor";
        PeekbarSession::SetUp();
    }

    // Notepad where the pictures keep it, and two windows of the test program.
    void StartWindows() {
        notepad = TestProgram::StartNotepad();
        ASSERT_NE(notepad.Window(), nullptr);
        ASSERT_TRUE(PutWindow(notepad.Window(), kNotepadHome));
        others = TestProgram::StartTarget({kTasksTitle, kSumsTitle});
        ASSERT_NE(others.Window(1), nullptr);
    }
    size_t OpenMenus() const { return VisiblePopupMenus(peekbar.Id()).size(); }

    TestProgram notepad;
    TestProgram others;
};

// The tray menu, opened at the icon and walked to the middle of the top edge:
// the keyword and colour items, then the windows it can register there.
TEST_F(Pictures, DISABLED_TrayMenuListsTheWindowsALocationCanTake) {
    StartWindows();
    StartPeekbar(QuickProfile());
    const std::vector<HWND> windows = VisibleTopLevelWindows();
    const int notepadIndex =
        static_cast<int>(std::find(windows.begin(), windows.end(), notepad.Window()) - windows.begin());
    ASSERT_LT(notepadIndex, static_cast<int>(windows.size()));

    ASSERT_TRUE(MovePointer(kTrayPoint));
    ASSERT_TRUE(PostTrayMouseMessage(peekbar.MainWindow(), WM_RBUTTONUP));
    ASSERT_TRUE(WaitUntil([&] { return OpenMenus() == 1; })) << "no menu at the right click";
    for (const WORD key : {WORD{'U'}, WORD{'2'}}) {  // "上端(&U)", "上端中央(&2)"
        const size_t before = OpenMenus();
        TapKey(key);
        ASSERT_TRUE(WaitUntil([&] { return OpenMenus() > before; })) << "key " << key << " opened no submenu";
    }
    for (int i = 0; i < 2 + notepadIndex; ++i) TapKey(VK_DOWN);  // to notepad's item

    Rect menus = WindowRect(VisiblePopupMenus(peekbar.Id()).front());
    for (const HWND menu : VisiblePopupMenus(peekbar.Id())) menus = Union(menus, WindowRect(menu));
    EXPECT_TRUE(SavePicture(L"tray-menu", Union(Grown(menus, 24), {menus.left, menus.top, kScreenWidth, kScreenHeight})));
    EXPECT_TRUE(WaitUntil([&] {
        if (OpenMenus() > 0) TapKey(VK_ESCAPE);
        return OpenMenus() == 0;
    })) << "the menu did not close";
    EXPECT_TRUE(IsShown(notepad.Window())) << "closing the menu registered a window";
}

// Three windows registered at the top edge, notepad by its keyword at the
// middle: first all hidden, the guides (always shown) marking each location
// with its window's title; then notepad docked at the middle, brought there
// by the pointer touching the edge.
TEST_F(Pictures, DISABLED_GuidesMarkTheTopEdgeAndAWindowDocksThere) {
    StartWindows();
    StartPeekbar(QuickProfile()
                     .Value(L"GUIDE", L"ALWAYS_SHOW", 1)
                     .Keyword(0, kTopMiddle, L"*メモ帳*")
                     .Keyword(0, kTopLeftCorner, std::wstring(kSumsTitle) + L"*")
                     .Keyword(0, kTopRightCorner, std::wstring(kTasksTitle) + L"*"));
    ASSERT_TRUE(WaitHidden(notepad.Window()));
    for (const HWND window : others.Windows()) ASSERT_TRUE(WaitHidden(window));
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<HWND> guides = FindTopLevelWindows(peekbar.Id(), L"PEEKBAR_GUIDE", L"Peekbarのガイド");
        return guides.size() == 1 && IsWindowVisible(guides.front());
    })) << "not one guide, shown";
    // Below the bars and labels the desktop shows: the bar of the middle
    // stretch must differ from it.
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel({960, 3}) != ScreenPixel({960, 200}); })) << "no bar for notepad";
    EXPECT_TRUE(SavePicture(L"guides", {0, 0, kScreenWidth, 90}));

    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    ASSERT_TRUE(WaitShown(notepad.Window())) << "notepad did not come to the edge";
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(notepad.Window()).top == 0; })) << WindowRect(notepad.Window());
    const Rect docked = WindowRect(notepad.Window());
    EXPECT_EQ(docked.Width(), kNotepadHome.Width());
    EXPECT_EQ(docked.left + docked.right, kScreenWidth) << "not centred on the edge";
    EXPECT_FALSE(IsShown(others.Window(0)) || IsShown(others.Window(1))) << "another location came up";
    EXPECT_TRUE(SavePicture(L"docked-window", {0, 0, kScreenWidth, docked.bottom + 40}));
    EXPECT_TRUE(EnterAndLeave(notepad.Window()));
}

// The trigger window up at the pointer while Ctrl is held: a map of the
// monitor's locations, the pointer on the cell of the top edge's middle and
// the tip naming the window registered there.
TEST_F(Pictures, DISABLED_TriggerWindowNamesTheWindowOfTheCellUnderThePointer) {
    StartWindows();
    constexpr int kSide = 360;  // cells of 40 pixels, centred on the resting point
    StartPeekbar(QuickProfile()
                     .Option(L"TIMER_INTERVAL", 300)  // fewer ticks see Wine let go of the held key
                     .Keyword(0, kTopMiddle, L"*メモ帳*")
                     .Keyword(0, kLeftMiddle, std::wstring(kTasksTitle) + L"*")
                     .Keyword(0, kBottomRightCorner, std::wstring(kSumsTitle) + L"*")
                     .Value(L"TRIGGER", L"ENABLED", 1)
                     .Value(L"TRIGGER", L"WND_WIDTH", kSide)
                     .Value(L"TRIGGER", L"WND_HEIGHT", kSide));
    ASSERT_TRUE(WaitHidden(notepad.Window()));
    const auto shown = [&](const wchar_t* className, const wchar_t* title) -> HWND {
        for (const HWND window : FindTopLevelWindows(peekbar.Id(), className, title)) {
            if (IsShown(window)) return window;
        }
        return nullptr;
    };

    HeldKey ctrl(VK_CONTROL);
    HWND trigger = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (trigger = shown(L"PEEKBAR_TRIGGER", L"Peekbarのトリガーウィンドウ")) != nullptr; }))
        << "Ctrl did not bring the trigger window up";
    const Rect map = WindowRect(trigger);
    ASSERT_EQ(map.Width(), kSide);
    ASSERT_TRUE(MovePointer(map.left + 4 * kSide / 9 + kSide / 18, map.top + kSide / 18));  // row 0, column 4
    HWND tip = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (tip = shown(L"PEEKBAR_TIP", kNotepadTitle)) != nullptr; }))
        << "no tip naming notepad";
    EXPECT_FALSE(IsShown(notepad.Window())) << "hovering over the cell brought the window up";
    EXPECT_TRUE(SavePicture(L"trigger-window", Grown(Union(map, WindowRect(tip)), 40)));
}

// The options sheet as it opens, on its first page.
TEST_F(Pictures, DISABLED_OptionsSheet) {
    StartPeekbar(QuickProfile());
    const HWND sheet = OpenDialog(command::kOptions, L"オプション");
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0), 0);
    EXPECT_TRUE(SavePicture(L"options-sheet", Grown(WindowRect(sheet), 8)));
    Close(sheet, IDCANCEL);
}

// The registration sheet of the monitor on its top-edge page, with notepad
// picked for the middle row and a keyword typed for it.
TEST_F(Pictures, DISABLED_RegistrationSheetWithAWindowPicked) {
    StartWindows();
    StartPeekbar(QuickProfile());
    const HWND sheet = OpenDialog(command::kRegistrationSheetFirst, L"ウィンドウ登録");
    ASSERT_NE(sheet, nullptr);
    const HWND top = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(top, nullptr);
    constexpr int kMiddleRowKeyword = 11101;
    constexpr int kMiddleRowWindows = 11104;
    const LRESULT item = SendDlgItemMessageW(top, kMiddleRowWindows, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(kNotepadLabel));
    ASSERT_GT(item, 0) << "notepad is not offered";
    SendDlgItemMessageW(top, kMiddleRowWindows, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    ASSERT_TRUE(SetDlgItemTextW(top, kMiddleRowKeyword, L"*メモ帳*"));
    EXPECT_TRUE(SavePicture(L"registration-sheet", WindowRect(sheet)));
    Close(sheet, IDCANCEL);
    EXPECT_TRUE(HoldsFor([&] { return IsShown(notepad.Window()); }, 500)) << "Cancel registered notepad";
}

}  // namespace
}  // namespace e2e
