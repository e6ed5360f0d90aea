// The trigger window: up at the pointer while its keys are held, a map of
// the monitor's locations whose cells bring their windows up and put them
// away, a tip naming the window under the pointer, gone when the pointer
// leaves it or its close block is clicked until the keys are pressed anew;
// and its settings dialog.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
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
    // Ctrl pressed anew, with the pointer resting where the window comes up.
    void PressCtrlAgain(std::optional<HeldKey>& ctrl) {
        ctrl.reset();
        ASSERT_TRUE(WaitUntil([&] { return !TriggerShown(); }));
        ASSERT_TRUE(MovePointer(kRestingPoint));
        ctrl.emplace(VK_CONTROL);
        ASSERT_TRUE(WaitUntil([&] { return TriggerShown(); })) << "the window did not come back";
    }
    // Wine lets go of a held key now and then, and the window comes back
    // wherever the pointer is when the key is pressed again: before a cell
    // is pointed at, the window stands where the cells are expected.
    void Rearm(std::optional<HeldKey>& ctrl) {
        if (!TriggerShown() || WindowRect(Trigger()) != kExpectedRect) PressCtrlAgain(ctrl);
    }
    // The pointer on a cell until `seen` holds; tried again when the window
    // moved meanwhile.
    bool PointAt(POINT cell, std::optional<HeldKey>& ctrl, const std::function<bool()>& seen) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            Rearm(ctrl);
            if (!MovePointer(cell)) return false;
            WaitUntil([&] { return seen() || WindowRect(Trigger()) != kExpectedRect; });
            if (seen()) return true;
        }
        return false;
    }
    // Clicks a cell until `done` holds. Clicked again only when Wine let go
    // of Ctrl meanwhile: the window then went, or came back centred on the
    // pointer, before the click reached the cell.
    bool ClickCell(POINT cell, std::optional<HeldKey>& ctrl, const std::function<bool()>& done, bool right = false) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            const int repressed = HeldKey::Repressed();
            Rearm(ctrl);
            if (!Click(Trigger(), cell, right)) return false;
            if (WaitUntil(done)) return true;
            if (HeldKey::Repressed() == repressed) break;
        }
        // What a failure is looked into with.
        std::cout << "[ trigger  ] after the click: " << (TriggerShown() ? "shown at " : "hidden, last at ")
                  << WindowRect(Trigger()) << ", Ctrl pressed again " << HeldKey::Repressed() << " times so far\n";
        return false;
    }
    // Empty when the window, sent away by `sendAway` while Ctrl is held,
    // stays away for a second; else what went wrong. When Wine let go of the
    // key meanwhile, the new press brings the window back as a user's would:
    // that second is tried again.
    std::string StaysAwayWhileHeld(std::optional<HeldKey>& ctrl, const std::function<bool()>& sendAway) {
        std::string tries;
        for (int attempt = 0; attempt < 3; ++attempt) {
            // Read first: the window going from under the pointer may be what
            // lets go of the key, and the new press may come at once.
            const int repressed = HeldKey::Repressed();
            if (!sendAway()) return tries + "could not send it away";
            if (!WaitUntil([&] { return !TriggerShown(); })) return tries + "it did not go";
            if (HoldsFor([&] { return !TriggerShown(); }, 1000)) return "";
            if (HeldKey::Repressed() == repressed) return tries + "it came back while Ctrl was held";
            tries += "came back after Ctrl was pressed again; ";
        }
        return tries;
    }
};

TEST_F(TriggerWindow, CellsBringTheirWindowUpAndAwayAndTheWindowGoesWhenSentAway) {
    TestProgram target = TestProgram::StartTarget({kTargetTitle});
    // Wine lets go of the held key whenever a window appears under the
    // pointer, until the test presses it again: fewer ticks see that.
    StartPeekbar(QuickProfile()
                     .Option(L"TIMER_INTERVAL", 300)
                     .Keyword(0, kTopMiddle, std::wstring(kTargetTitle) + L"*")
                     .Value(L"TRIGGER", L"ENABLED", 1)
                     .Value(L"TRIGGER", L"WND_WIDTH", kSide)
                     .Value(L"TRIGGER", L"WND_HEIGHT", kSide));
    const HWND window = target.Window();
    ASSERT_TRUE(WaitHidden(window));
    EXPECT_EQ(Trigger(), nullptr) << "made before it was needed";

    std::optional<HeldKey> ctrl(std::in_place, VK_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return TriggerShown(); })) << "Ctrl did not bring the trigger window up";
    EXPECT_EQ(WindowRect(Trigger()), kExpectedRect) << "not centred on the pointer";
    EXPECT_TRUE(IsTopmost(Trigger()));
    EXPECT_NE(GetForegroundWindow(), Trigger()) << "the trigger window took the focus";

    // A registered location's cell shows its window's title; a gap none.
    EXPECT_TRUE(PointAt(kTopMiddleCell, ctrl, [&] { return TipShown(kTargetTitle); }))
        << "no tip over the registered location";
    Sleep(300);  // let it paint before the picture is taken
    EXPECT_TRUE(SaveScreenshot(L"trigger-window-with-tip"));
    EXPECT_TRUE(PointAt(kGapCell, ctrl, [&] { return !TipShown(kTargetTitle); })) << "the tip stayed over a gap";

    // A click brings the window up around the click point, under the trigger window.
    ASSERT_TRUE(ClickCell(kTopMiddleCell, ctrl, [&] { return IsShown(window); }))
        << "the click did not bring the window up";
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(window).Contains(kTopMiddleCell); })) << WindowRect(window);
    // Its program may activate it after the click (the X server tells it
    // later): then the next tick raises the trigger window again.
    EXPECT_TRUE(WaitUntil([&] {
        const std::vector<HWND> front = VisibleTopLevelWindows();
        return std::find(front.begin(), front.end(), Trigger()) < std::find(front.begin(), front.end(), window);
    })) << "the window stayed over the trigger window";
    Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"trigger-window-brought-up"));
    const Rect shownAt = WindowRect(window);

    // A second click puts it away and remembers where it was.
    ASSERT_TRUE(ClickCell(kTopMiddleCell, ctrl, [&] { return !IsShown(window); }))
        << "the second click did not put the window away";
    EXPECT_TRUE(WaitUntil([&] { return RememberedRect(0, kTopMiddle) == shownAt; }));

    // The close block sends it away while Ctrl is still held...
    EXPECT_EQ(StaysAwayWhileHeld(ctrl, [&] { return ClickCell(kCloseBlock, ctrl, [&] { return !TriggerShown(); }); }),
              "")
        << "the close block";
    // ...and so does the pointer leaving it.
    EXPECT_EQ(StaysAwayWhileHeld(ctrl, [&] {
        PressCtrlAgain(ctrl);
        return MovePointer(kExpectedRect.right + 20, kRestingPoint.y) &&
               WaitUntil([&] { return !TriggerShown(); }) && MovePointer(kRestingPoint);
    }), "") << "the pointer leaving it";

    // The right button opens the tray menu.
    PressCtrlAgain(ctrl);
    const auto menuOpen = [&] { return !VisiblePopupMenus(peekbar.Id()).empty(); };
    EXPECT_TRUE(ClickCell(kGapCell, ctrl, menuOpen, true)) << "no menu";
    ctrl.reset();
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !menuOpen(); }));
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
