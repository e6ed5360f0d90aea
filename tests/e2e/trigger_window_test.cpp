// The trigger window: up at the pointer while its keys are held, a map of
// the monitor's locations whose cells bring their windows up and put them
// away, a tip naming the window under the pointer, gone when the pointer
// leaves it or its close block is clicked until the keys are pressed anew;
// and its settings dialog.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "ini_file.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "process_windows.h"
#include "screenshot.h"
#include "test_programs.h"
#include "tray.h"

namespace e2e {
namespace {

namespace command = peekbar::command;
using peekbar::location::kTopMiddle;

constexpr wchar_t kTargetTitle[] = L"Peekbar test: trigger";
// 270 x 270: cells of 30 pixels, centred on the resting point.
constexpr int kSide = 270;
constexpr int kCell = kSide / 9;
constexpr Rect kExpectedRect = {kRestingPoint.x - kSide / 2, kRestingPoint.y - kSide / 2,
                                kRestingPoint.x + kSide / 2, kRestingPoint.y + kSide / 2};

// The middle of the grid cell at `row`, `column`.
POINT CellCentre(int row, int column) {
    return {kExpectedRect.left + column * kCell + kCell / 2, kExpectedRect.top + row * kCell + kCell / 2};
}
const POINT kTopMiddleCell = CellCentre(0, 4);
const POINT kGapCell = CellCentre(0, 2);
const POINT kCloseBlock = CellCentre(4, 4);

class TriggerWindow : public PeekbarSession {
protected:
    HWND Trigger() const {
        const std::vector<HWND> found = FindTopLevelWindows(peekbar.Id(), L"PEEKBAR_TRIGGER", L"Peekbarのトリガーウィンドウ");
        return found.empty() ? nullptr : found.front();
    }
    bool TriggerShown() const { return IsShown(Trigger()); }
    bool TipShown(const std::wstring& text) const {
        for (const HWND tip : FindTopLevelWindows(peekbar.Id(), L"PEEKBAR_TIP", text)) {
            if (IsShown(tip)) return true;
        }
        return false;
    }
    bool GuidesShown() const {
        for (const HWND guide : FindTopLevelWindows(peekbar.Id(), L"PEEKBAR_GUIDE", L"Peekbarのガイド")) {
            if (IsShown(guide)) return true;
        }
        return false;
    }
    // Ctrl released and pressed anew at the resting point. The guides, up
    // while Ctrl is held, go at the tick that sees it released, which lets
    // the trigger window come again.
    void PressCtrlAnew(std::optional<HeldKey>& ctrl) {
        ctrl.reset();
        ASSERT_TRUE(WaitUntil([&] { return !GuidesShown(); }));
        ASSERT_TRUE(MovePointer(kRestingPoint));
        ctrl.emplace(VK_CONTROL);
        ASSERT_TRUE(WaitUntil([&] { return TriggerShown(); })) << "the window did not come back";
    }
};

TEST_F(TriggerWindow, CellsBringTheirWindowUpAndAwayAndTheWindowGoesWhenSentAway) {
    TestProgram target = TestProgram::StartTarget({kTargetTitle});
    StartPeekbar(QuickProfile()
                     .Keyword(0, kTopMiddle, std::wstring(kTargetTitle) + L"*")
                     .Value(L"TRIGGER", L"ENABLED", 1)
                     .Value(L"TRIGGER", L"WND_WIDTH", kSide)
                     .Value(L"TRIGGER", L"WND_HEIGHT", kSide));
    const HWND window = target.Window();
    ASSERT_TRUE(WaitHidden(window));
    EXPECT_EQ(Trigger(), nullptr) << "made before it was needed";

    ASSERT_TRUE(MovePointer(kRestingPoint));
    std::optional<HeldKey> ctrl(std::in_place, VK_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return TriggerShown(); })) << "Ctrl did not bring the trigger window up";
    EXPECT_EQ(WindowRect(Trigger()), kExpectedRect) << "not centred on the pointer";
    EXPECT_TRUE(IsTopmost(Trigger()));
    EXPECT_NE(GetForegroundWindow(), Trigger()) << "the trigger window took the focus";

    // A registered location's cell shows its window's title.
    ASSERT_TRUE(Hover(kTopMiddleCell));
    EXPECT_TRUE(WaitUntil([&] { return TipShown(kTargetTitle); })) << "no tip over the registered location";
    Sleep(300);  // let it paint before the picture is taken
    EXPECT_TRUE(SaveScreenshot(L"trigger-window-with-tip"));

    // A click brings the window up around the click point, under the trigger
    // window: its program may activate it afterwards (the X server tells it
    // later), and the next tick raises the trigger window again.
    ASSERT_TRUE(Click(Trigger(), kTopMiddleCell));
    ASSERT_TRUE(WaitUntil([&] { return IsShown(window); })) << "the click did not bring the window up";
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(window).Contains(kTopMiddleCell); })) << WindowRect(window);
    EXPECT_TRUE(WaitUntil([&] {
        const std::vector<HWND> front = VisibleTopLevelWindows();
        return std::find(front.begin(), front.end(), Trigger()) < std::find(front.begin(), front.end(), window);
    })) << "the window stayed over the trigger window";
    Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"trigger-window-brought-up"));
    const Rect shownAt = WindowRect(window);

    // A second click puts it away and remembers where it was.
    ASSERT_TRUE(Click(Trigger(), kTopMiddleCell));
    EXPECT_TRUE(WaitUntil([&] { return !IsShown(window); })) << "the second click did not put the window away";
    EXPECT_TRUE(WaitUntil([&] { return RememberedRect(0, kTopMiddle) == shownAt; }));

    // The close block sends it away, and so does the pointer leaving it.
    ASSERT_TRUE(Click(Trigger(), kCloseBlock));
    EXPECT_TRUE(WaitUntil([&] { return !TriggerShown(); })) << "the close block";
    PressCtrlAnew(ctrl);
    ASSERT_TRUE(MovePointer(kExpectedRect.right + 20, kRestingPoint.y));
    EXPECT_TRUE(WaitUntil([&] { return !TriggerShown(); })) << "the pointer leaving it";

    // The right button opens the tray menu.
    PressCtrlAnew(ctrl);
    const auto menuOpen = [&] { return !VisiblePopupMenus(peekbar.Id()).empty(); };
    ASSERT_TRUE(Click(Trigger(), kGapCell, true));
    EXPECT_TRUE(WaitUntil(menuOpen)) << "no menu";
    ctrl.reset();
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !menuOpen(); }));
}

TEST_F(TriggerWindow, AfterAWindowShownFromItTheEdgeStillGivesTheForegroundBack) {
    TestProgram target = TestProgram::StartTarget({kTargetTitle});
    TestProgram others = TestProgram::StartTarget({L"Peekbar test: in front before", L"Peekbar test: raised later"});
    const HWND before = others.Window(0);
    const HWND raised = others.Window(1);
    ASSERT_NE(raised, nullptr);
    StartPeekbar(QuickProfile()
                     .Keyword(0, kTopMiddle, std::wstring(kTargetTitle) + L"*")
                     .Value(L"TRIGGER", L"ENABLED", 1)
                     .Value(L"TRIGGER", L"WND_WIDTH", kSide)
                     .Value(L"TRIGGER", L"WND_HEIGHT", kSide));
    const HWND window = target.Window();
    ASSERT_TRUE(WaitHidden(window));

    // Brought up and put away from the trigger window: a cycle with no
    // foreground to give back.
    ASSERT_TRUE(MovePointer(kRestingPoint));
    std::optional<HeldKey> ctrl(std::in_place, VK_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return TriggerShown(); }));
    ASSERT_TRUE(Click(Trigger(), kTopMiddleCell));
    ASSERT_TRUE(WaitUntil([&] { return IsShown(window); }));
    ASSERT_TRUE(Click(Trigger(), kTopMiddleCell));
    ASSERT_TRUE(WaitUntil([&] { return !IsShown(window); }));
    ctrl.reset();
    ASSERT_TRUE(WaitUntil([&] { return !TriggerShown() && !GuidesShown(); }));

    // A later cycle from the edge gives the foreground back to the window
    // in front when it began, not to the one the system would pick.
    ASSERT_TRUE(Activate(before));
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    ASSERT_TRUE(WaitShown(window));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
    ASSERT_TRUE(SetWindowPos(raised, window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    ASSERT_TRUE(EnterAndLeave(window));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == before; }))
        << "the foreground went to " << GetForegroundWindow() << ", not back to " << before;
}

TEST_F(TriggerWindow, SettingsDialogWritesItsSectionAndTheNextWindowTakesTheNewSize) {
    StartPeekbar(QuickProfile().Value(L"TRIGGER", L"ENABLED", 1));
    {
        HeldKey ctrl(VK_CONTROL);
        ASSERT_TRUE(WaitUntil([&] { return TriggerShown(); }));
    }
    ASSERT_TRUE(WaitUntil([&] { return !TriggerShown(); }));
    const HWND dialog = OpenDialog(command::kTriggerSettings, L"トリガーウィンドウ設定");
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextW(dialog, 5000, L"150");
    SetDlgItemTextW(dialog, 5002, L"120");
    SetDlgItemTextW(dialog, 5004, L"255");
    Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"trigger-settings-dialog"));
    Close(dialog);
    const IniEntries expected = {{L"ENABLED", L"1"},     {L"TRIGGER_CTRL", L"1"}, {L"TRIGGER_SHIFT", L"0"},
                                 {L"TRIGGER_ALT", L"0"}, {L"WND_WIDTH", L"150"},  {L"WND_HEIGHT", L"120"},
                                 {L"WND_ALPHA", L"255"}};
    EXPECT_TRUE(WaitUntil([&] { return SectionEntries(ProfileText(), L"TRIGGER") == expected; }));
    EXPECT_EQ(Trigger(), nullptr) << "the old window was kept";

    HeldKey ctrl(VK_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return TriggerShown(); }));
    EXPECT_EQ(WindowRect(Trigger()).Width(), 150);
    EXPECT_EQ(WindowRect(Trigger()).Height(), 120);
}

}  // namespace
}  // namespace e2e
