// Windows and virtual desktops on the simulated desktop: a registered
// window left up on another desktop is brought here by its edge, the
// foreground goes back only to a window on the desktop in front, a docked
// window the user switched away from is put away with what it owns, and
// show-all brings every registered window to the desktop in front.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/scene.h"

namespace peekbar {
namespace {

// One monitor, a browser in front and a hidden editor registered at the
// top edge; the user is on desktop 0.
struct DesktopsScene : DesktopScene {
  WindowHandle browser = kNoWindow;
  WindowHandle editor = kNoWindow;

  WindowHandle taskbar = kNoWindow;

  DesktopsScene() {
    taskbar = h.desktop.AddWindow("taskbar", u"Shell_TrayWnd", u"");
    h.desktop.Find(taskbar)->desktop = kEveryDesktop;
    Start();
    browser = h.desktop.AddWindow("browser", {300, 300, 1100, 900});
    h.desktop.SetForeground(browser);
    editor = AddHidden("editor", {0, 0, 400, 300});
    h.app.Registration().Register(0, TopMiddle, editor);
  }
  FakeWindow& W(WindowHandle w) { return *h.desktop.Find(w); }
  bool Shown() { return Slot()[TopMiddle].cycle.IsShown(); }
  // Rests the pointer on the top edge until the editor comes up.
  bool BringUp() {
    h.desktop.SetPointer(960, 0);
    for (int i = 0; i < 20 && !Shown(); ++i) Tick();
    return Shown();
  }
  bool ForegroundGivenTo(WindowHandle w) {
    const std::vector<std::string> log = h.desktop.Log();
    return std::find(log.begin(), log.end(), "SetForegroundWindow " + h.desktop.NameOf(w)) != log.end();
  }
};

TEST(VirtualDesktopTest, AWindowLeftUpOnAnotherDesktopIsBroughtHereByItsEdgeWithoutASwitch) {
  DesktopsScene s;
  // Its program showed it again while the user was on desktop 1.
  s.W(s.editor).visible = true;
  s.W(s.editor).desktop = 1;

  ASSERT_TRUE(s.BringUp()) << "cloaked there, it is not on screen here";
  EXPECT_EQ(s.h.desktop.CurrentDesktop(), 0) << "the user stays where they are";
  EXPECT_EQ(s.W(s.editor).desktop, 0);
  EXPECT_TRUE(s.W(s.editor).visible);
  EXPECT_EQ(s.h.desktop.Foreground(), s.editor);
  EXPECT_EQ(s.RectOf(s.editor), (Rect{760, 0, 1160, 300})) << "docked as ever";
}

TEST(VirtualDesktopTest, AVisibleButMinimisedWindowIsNotOnScreenAndItsEdgeRestoresIt) {
  DesktopsScene s;
  s.W(s.editor).visible = true;
  s.W(s.editor).minimized = true;
  ASSERT_TRUE(s.BringUp());
  EXPECT_FALSE(s.W(s.editor).minimized);
  EXPECT_EQ(s.h.desktop.Foreground(), s.editor);
}

TEST(VirtualDesktopTest, TheForegroundGoesBackOnlyToAWindowOnTheDesktopInFront) {
  DesktopsScene s;
  ASSERT_TRUE(s.BringUp());
  ASSERT_EQ(s.h.state().savedForeground, s.browser);
  // Meanwhile the browser was sent to desktop 1.
  s.W(s.browser).desktop = 1;
  s.TickAt({960, 100});  // inside the editor
  s.h.desktop.ResetCalls();
  s.h.desktop.SetPointer(960, 700);
  for (int i = 0; i < 20 && s.Visible(s.editor); ++i) s.Tick();

  ASSERT_FALSE(s.Visible(s.editor));
  EXPECT_FALSE(s.ForegroundGivenTo(s.browser));
  EXPECT_EQ(s.h.desktop.CurrentDesktop(), 0) << "not taken to the browser's desktop";
  EXPECT_EQ(s.h.state().savedForeground, kNoWindow) << "the next show captures afresh";
}

TEST(VirtualDesktopTest, ADockedWindowIsPutAwayWhenTheUserSwitchesDesktopsAndTheForegroundStays) {
  DesktopsScene s;
  s.W(s.browser).desktop = kEveryDesktop;  // pinned: on desktop 1 too
  ASSERT_TRUE(s.BringUp());
  s.Tick();  // seen on screen, not yet visited
  // A tool window it owns, left behind cloaked with it: still its to take.
  const WindowHandle tool = s.h.desktop.AddWindow("tool", {0, 300, 200, 500});
  s.W(tool).owner = s.editor;
  const WindowHandle mail = s.h.desktop.AddWindow("mail", {0, 400, 600, 800});
  s.W(mail).desktop = 1;
  s.h.desktop.SwitchDesktop(1);
  s.h.desktop.SetForeground(mail);
  s.h.desktop.ResetCalls();
  s.Tick();

  EXPECT_FALSE(s.Visible(s.editor)) << "hidden, not left cloaked on desktop 0";
  EXPECT_FALSE(s.Visible(tool)) << "taken with it";
  EXPECT_TRUE(s.Slot()[TopMiddle].cycle.Phase() == CyclePhase::Hidden);
  EXPECT_FALSE(s.ForegroundGivenTo(s.browser)) << "the user turned to mail";
  EXPECT_EQ(s.h.desktop.Foreground(), mail);
  EXPECT_EQ(s.h.desktop.CurrentDesktop(), 1);

  // Back on desktop 0 the edge works as before.
  s.h.desktop.SwitchDesktop(0);
  EXPECT_TRUE(s.BringUp());
  EXPECT_EQ(s.W(s.editor).desktop, 0);
  EXPECT_TRUE(s.Visible(tool));
}

TEST(VirtualDesktopTest, ASwitchBeforeTheFirstLookPutsTheWindowAwayAndGivesTheTaskbarBack) {
  DesktopsScene s;
  s.h.settings().hideTaskbar = 1;
  ASSERT_TRUE(s.BringUp());
  ASSERT_FALSE(s.Visible(s.taskbar));
  s.h.desktop.SwitchDesktop(1);  // within the same tick
  s.h.desktop.ResetCalls();
  s.Tick();

  EXPECT_FALSE(s.Visible(s.editor));
  EXPECT_TRUE(s.Slot()[TopMiddle].cycle.Phase() == CyclePhase::Hidden);
  EXPECT_TRUE(s.Visible(s.taskbar)) << "not left hidden on the desktop the user went to";
  EXPECT_FALSE(s.ForegroundGivenTo(s.browser));
  EXPECT_EQ(s.h.desktop.CurrentDesktop(), 1);

  // Left up on desktop 1 by a program that does not answer, it is brought
  // without waiting: its thread has not taken it off desktop 1 yet, and the
  // cycle waits for it.
  s.W(s.editor).visible = true;
  s.W(s.editor).desktop = 1;
  s.W(s.editor).hung = true;
  s.W(s.editor).asyncShowPending = true;
  s.h.desktop.SwitchDesktop(0);
  ASSERT_TRUE(s.BringUp());
  s.Tick();
  EXPECT_TRUE(s.Shown());
  EXPECT_TRUE(s.Visible(s.editor));
  s.W(s.editor).desktop = 0;  // its thread gets to it
  s.Tick();
  EXPECT_TRUE(s.Slot()[TopMiddle].cycle.SeenOnScreen());
}

TEST(VirtualDesktopTest, ShowAllBringsAWindowLeftUpOnAnotherDesktopHere) {
  DesktopsScene s;
  s.W(s.editor).visible = true;  // its program showed it while the user was on desktop 1
  s.W(s.editor).desktop = 1;
  s.h.app.OnCommand(command_id::kShowAll);
  EXPECT_EQ(s.W(s.editor).desktop, 0);
  EXPECT_TRUE(s.Visible(s.editor));
  EXPECT_EQ(s.h.desktop.CurrentDesktop(), 0);
}

}  // namespace
}  // namespace peekbar
