// A window brought up at its edge stays up while the user works in what
// belongs to it, outside its own rectangle: a pop-up window it owns, a
// pop-up menu it opened. What it owns goes away and comes back with it,
// also when it is registered and when its program brings it back itself.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "desktop_input.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "test_programs.h"
#include "window_state.h"

namespace e2e {
namespace {

using peekbar::location::kTopMiddle;

constexpr wchar_t kTitle[] = L"Peekbar test: owns a pop-up";
// QuickProfile's HIDDEN_DELAY three times over.
constexpr DWORD kThreeHideDelaysMs = 3 * 300;
// Right of the window docked at the middle of the top edge, clear of
// kRestingPoint.
constexpr POINT kBesideTheWindow = {1300, 400};
// Long enough for Peekbar to see the pointer inside the window.
constexpr DWORD kRestMs = 400;

class OwnedWindows : public PeekbarSession {
protected:
    void SetUp() override {
        PeekbarSession::SetUp();
        if (HasFatalFailure()) return;
        target = TestProgram::StartTarget({kTitle});
        ASSERT_NE(Window(), nullptr);
    }

    HWND Window() const { return target.Window(); }

    // Registered by its keyword, which its pop-ups (titled after it) do not match.
    void Register() {
        StartPeekbar(QuickProfile().Keyword(0, kTopMiddle, std::wstring(kTitle) + L"（*"));
        ASSERT_TRUE(WaitHidden(Window())) << "the keyword did not register the window";
    }

    // Registered, brought up at the top edge, and the pointer rested inside it.
    void BringUpAndVisit() {
        Register();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
        ASSERT_TRUE(WaitShown(Window())) << "did not come up at the top edge";
        ASSERT_TRUE(WaitUntil([&] { return WindowRect(Window()).top == 0; })) << "not docked";
        ASSERT_TRUE(MovePointer(WindowRect(Window()).Centre()));
        Sleep(kRestMs);
    }

    TestProgram target;
};

TEST_F(OwnedWindows, APopUpItOwnsKeepsItUpThenGoesAndComesBackWithIt) {
    BringUpAndVisit();
    const HWND popUp = target.OpenOwnedPopUp(0, kBesideTheWindow);
    ASSERT_NE(popUp, nullptr);
    ASSERT_FALSE(WindowRect(Window()).Contains(kBesideTheWindow));

    ASSERT_TRUE(MovePointer(WindowRect(popUp).Centre()));
    EXPECT_TRUE(HoldsFor([&] { return IsShown(Window()); }, kThreeHideDelaysMs))
        << "went away with the pointer on the pop-up it owns";

    ASSERT_TRUE(MovePointer(kRestingPoint));
    EXPECT_TRUE(WaitHidden(Window())) << "stayed with the pointer away from both";
    EXPECT_TRUE(WaitHidden(popUp)) << "the pop-up was left behind";

    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(WaitShown(Window()));
    EXPECT_TRUE(WaitShown(popUp)) << "the pop-up did not come back with it";
    EXPECT_EQ(WindowRect(popUp).left, kBesideTheWindow.x);
}

TEST_F(OwnedWindows, APopUpMenuItOpenedOutsideItKeepsItUpUntilClosed) {
    BringUpAndVisit();
    const HWND menu = target.OpenPopUpMenu(0, kBesideTheWindow);
    ASSERT_NE(menu, nullptr);
    ASSERT_FALSE(WindowRect(Window()).Contains(WindowRect(menu).Centre()));

    // Wine ignores SetCursorPos while another program tracks a menu.
    ASSERT_TRUE(MoveMouse(WindowRect(menu).Centre()));
    EXPECT_TRUE(HoldsFor([&] { return IsShown(Window()); }, kThreeHideDelaysMs))
        << "went away with the pointer on its menu";
    // Still in the menu, the pointer anywhere: the user has not done with it.
    ASSERT_TRUE(MoveMouse(kRestingPoint));
    EXPECT_TRUE(HoldsFor([&] { return IsShown(Window()); }, kThreeHideDelaysMs))
        << "went away while its menu was open";

    // Closed, the pointer goes back where Wine last saw it from the X server.
    ASSERT_TRUE(target.CloseMenu(0));
    ASSERT_TRUE(MovePointer(kRestingPoint));
    EXPECT_TRUE(WaitHidden(Window())) << "stayed once the menu was closed and the pointer away";
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(WaitShown(Window()));
}

// A pop-up it had open when it was registered goes with it; its program
// bringing the window back itself (as a second start does) brings the
// pop-up back with it, though Peekbar did not bring the window up.
TEST_F(OwnedWindows, APopUpOpenAtItsRegistrationGoesWithItAndComesBackWhenItsProgramShowsIt) {
    const HWND popUp = target.OpenOwnedPopUp(0, kBesideTheWindow);
    ASSERT_NE(popUp, nullptr);
    Register();
    EXPECT_TRUE(WaitHidden(popUp)) << "the pop-up was left on the screen";

    ASSERT_TRUE(target.ShowItself(0));
    ASSERT_TRUE(WaitShown(Window()));
    EXPECT_TRUE(WaitShown(popUp)) << "the pop-up stayed hidden";
}

}  // namespace
}  // namespace e2e
