// A window stays up while the user works in what belongs to it (its owned
// windows, its thread's menus and modes, its input method), and what it owns
// on the screen goes away and comes back with it, and is given back with it
// by every path that gives a window back, a crash included.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/engine/owned_windows.h"
#include "fakes/scene.h"

namespace peekbar {
namespace {

constexpr std::uint32_t kEditorThread = 3;
constexpr Point kAway{1500, 900};  // on no window of the scene

// An editor registered at the middle of the top edge, brought up docked at
// (760, 0, 1160, 300), visited, and the pointer gone outside it.
struct OwnedScene : DesktopScene {
  WindowHandle editor = kNoWindow;

  OwnedScene() {
    Start();
    FakeWindow w;
    w.name = "editor";
    w.className = u"Editor";
    w.rect = {0, 0, 400, 300};
    w.visible = false;
    w.thread = kEditorThread;
    w.process = 31;
    editor = h.desktop.AddWindow(w);
    h.app.Registration().Register(0, TopMiddle, editor);
  }
  // A window of the editor's program, owned by `owner` (none: unowned).
  WindowHandle AddOwned(std::string name, WindowHandle owner, Rect rect, std::u16string className = u"Dialog") {
    FakeWindow w;
    w.name = std::move(name);
    w.className = std::move(className);
    w.rect = rect;
    w.owner = owner;
    w.thread = kEditorThread;
    w.process = 31;
    return h.desktop.AddWindow(w);
  }
  void BringUpAndLeave(Point to = kAway) {
    h.desktop.SetPointer(960, 0);
    for (int i = 0; i < 5 && !Visible(editor); ++i) Tick();
    ASSERT_TRUE(Visible(editor));
    TickAt({960, 100});
    h.desktop.SetPointer(to);
  }
  // Three times HIDDEN_DELAY (1000 ms) of ticks; whether it is still up.
  bool StaysUp() {
    for (int i = 0; i < 15; ++i) Tick();
    return Visible(editor);
  }
};

TEST(HoldUpTest, ThePointerOnWhatBelongsToTheWindowOrItsThreadBusyKeepsItUp) {
  const Rect outside{1200, 400, 1500, 600};
  const Point onIt{1300, 500};
  struct Row {
    const char* what;
    std::function<void(OwnedScene&)> set;
    HeldBy held;
  };
  const std::vector<Row> rows = {
      {"its dialog", [&](OwnedScene& s) { s.AddOwned("dialog", s.editor, outside); }, HeldBy::OwnedWindowUnderPointer},
      {"a pop-up of its tool window",
       [&](OwnedScene& s) { s.AddOwned("pop-up", s.AddOwned("tool", s.editor, {0, 600, 100, 700}), outside); },
       HeldBy::OwnedWindowUnderPointer},
      {"another window of its thread", [&](OwnedScene& s) { s.AddOwned("sibling", kNoWindow, outside); },
       HeldBy::Nothing},
      {"a menu of its thread", [&](OwnedScene& s) { s.h.desktop.AddMenu("menu", kEditorThread, outside); },
       HeldBy::MenuUnderPointer},
      {"a menu of another thread", [&](OwnedScene& s) { s.h.desktop.AddMenu("menu", 9, outside); }, HeldBy::Nothing},
      {"its input method's candidate list",
       [&](OwnedScene& s) {
         const WindowHandle ime = s.AddOwned("ime", kNoWindow, {0, 0, 1, 1});
         s.h.desktop.Find(ime)->visible = false;
         s.h.desktop.SetInputMethodWindow(kEditorThread, ime);
         s.AddOwned("candidates", ime, outside);
       },
       HeldBy::InputMethodUnderPointer},
      {"its thread in a menu", [](OwnedScene& s) { s.h.desktop.SetThreadModes(kEditorThread, {true, false, false}); },
       HeldBy::ThreadInMenu},
      {"its thread in the window menu",
       [](OwnedScene& s) { s.h.desktop.SetThreadModes(kEditorThread, {false, true, false}); }, HeldBy::ThreadInMenu},
      {"its thread moving a window",
       [](OwnedScene& s) { s.h.desktop.SetThreadModes(kEditorThread, {false, false, true}); },
       HeldBy::ThreadMovingOrSizing},
      {"another thread in a menu", [](OwnedScene& s) { s.h.desktop.SetThreadModes(2, {true, true, true}); },
       HeldBy::Nothing},
      {"its dialog in the foreground",
       [&](OwnedScene& s) { s.h.desktop.SetForeground(s.AddOwned("dialog", s.editor, {0, 600, 100, 700})); },
       HeldBy::OwnedForeground},
      {"hung, in a menu, its menu under the pointer",
       [&](OwnedScene& s) {
         s.h.desktop.Find(s.editor)->hung = true;
         s.h.desktop.SetThreadModes(kEditorThread, {true, false, false});
         s.h.desktop.AddMenu("menu", kEditorThread, outside);
       },
       HeldBy::Nothing},
      {"a dialog of a hung thread of its own",
       [&](OwnedScene& s) {
         const WindowHandle dialog = s.AddOwned("dialog", s.editor, outside);
         s.h.desktop.Find(dialog)->thread = 8;
         s.h.desktop.Find(dialog)->hung = true;
       },
       HeldBy::Nothing},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    OwnedScene s;
    s.BringUpAndLeave(onIt);
    row.set(s);
    EXPECT_EQ(WhatHoldsUp(s.h.desktop, s.editor, onIt), row.held);
    s.h.desktop.ResetCalls();
    EXPECT_EQ(s.StaysUp(), row.held != HeldBy::Nothing);
    EXPECT_EQ(s.h.desktop.BlockingCalls(), std::vector<std::string>{});
    EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::IsResponding) > 0, row.held == HeldBy::Nothing)
        << "only the hide asks whether it answers";
  }
}

// Registered, brought up, its owned windows opened, left: hidden with them.
struct HiddenWithScene : OwnedScene {
  WindowHandle tool = kNoWindow;
  WindowHandle dialog = kNoWindow;  // owned by the tool window
  WindowHandle hiddenOne = kNoWindow;  // owned, not on the screen
  WindowHandle tip = kNoWindow;
  WindowHandle other = kNoWindow;

  HiddenWithScene() {
    BringUpAndLeave();
    tool = AddOwned("tool", editor, {1200, 0, 1300, 400});
    dialog = AddOwned("dialog", tool, {1300, 0, 1400, 100});
    hiddenOne = AddOwned("hidden one", editor, {1300, 200, 1400, 300});
    h.desktop.Find(hiddenOne)->visible = false;
    tip = AddOwned("tip", editor, {700, 310, 800, 330}, u"tooltips_class32");
    other = h.desktop.AddWindow("other", {1200, 500, 1300, 600});
  }
  std::vector<WindowHandle> JournalHiddenWith() {
    std::vector<WindowHandle> windows;
    for (const JournalWindow& w : h.journal.Own().hiddenWith) windows.push_back(w.window);
    return windows;
  }
  // Put away by the rule, the pointer gone.
  void PutAwayByRule() {
    for (int i = 0; i < 10 && Visible(editor); ++i) Tick();
    ASSERT_FALSE(Visible(editor));
    ASSERT_FALSE(Visible(dialog));
  }
};

// Ways the window goes back to the user (or its location is emptied) that
// the tests below share; each adds its own.
using WayBack = std::pair<const char*, std::function<void(HiddenWithScene&)>>;
std::vector<WayBack> WaysBack(std::vector<WayBack> more) {
  more.insert(more.end(), {
      {"another window registered there",
       [](HiddenWithScene& s) { s.h.app.Registration().Register(0, TopMiddle, s.other); }},
      {"all keywords applied", [](HiddenWithScene& s) { s.h.app.OnCommand(command_id::kApplyAllKeywords); }},
      {"exit", [](HiddenWithScene& s) { s.h.app.Shutdown(); }},
      {"its monitor detached",
       [](HiddenWithScene& s) {
         s.h.desktop.monitors = {{u"\\\\.\\DISPLAY9", kSecond}};
         s.h.app.OnDisplayChange();
         s.Tick();
       }},
  });
  return more;
}

TEST(HiddenWithTest, VisibleOwnedWindowsGoAndComeBackWithTheWindowListedInTheJournalMeanwhile) {
  HiddenWithScene s;
  std::vector<WindowHandle> listedAtHide;
  s.h.desktop.OnCall([&](DesktopMethod method, WindowHandle window) {
    if (method == DesktopMethod::ShowWindow && window == s.editor) listedAtHide = s.JournalHiddenWith();
  });
  for (int i = 0; i < 10 && s.Visible(s.editor); ++i) s.Tick();
  s.h.desktop.OnCall(nullptr);
  ASSERT_FALSE(s.Visible(s.editor));
  EXPECT_FALSE(s.Visible(s.tool));
  EXPECT_FALSE(s.Visible(s.dialog));
  EXPECT_TRUE(s.Visible(s.tip)) << "goes away by itself";
  EXPECT_TRUE(s.Visible(s.other));
  EXPECT_EQ(listedAtHide, (std::vector<WindowHandle>{s.dialog, s.tool})) << "written down before the hide";
  EXPECT_EQ(s.h.journal.Own().hiddenWith[0], (JournalWindow{s.dialog, 31, u"Dialog"}));

  s.h.desktop.SetForeground(s.other);
  s.ClearLogs();
  s.h.desktop.SetPointer(960, 0);
  for (int i = 0; i < 5 && !s.Visible(s.editor); ++i) s.Tick();
  EXPECT_TRUE(s.Visible(s.tool));
  EXPECT_TRUE(s.Visible(s.dialog));
  EXPECT_FALSE(s.Visible(s.hiddenOne));
  const std::vector<std::string> log = s.h.desktop.Log();
  EXPECT_NE(std::find(log.begin(), log.end(), "PlaceWindow tool Unchanged show noactivate"), log.end());
  EXPECT_EQ(s.h.desktop.Foreground(), s.editor);
  EXPECT_EQ(s.JournalHiddenWith(), std::vector<WindowHandle>{});
}

TEST(HiddenWithTest, EveryPathThatGivesTheWindowBackGivesThemBackToo) {
  const std::vector<WayBack> paths = WaysBack({
      {"unregistered", [](HiddenWithScene& s) { s.h.app.OnCommand(command_id::kUnregisterAll); }},
      {"all shown", [](HiddenWithScene& s) { s.h.app.OnCommand(command_id::kShowAll); }},
  });
  for (const auto& [what, giveBack] : paths) {
    SCOPED_TRACE(what);
    HiddenWithScene s;
    for (int i = 0; i < 10 && s.Visible(s.editor); ++i) s.Tick();
    ASSERT_FALSE(s.Visible(s.dialog));
    giveBack(s);
    EXPECT_TRUE(s.Visible(s.tool));
    EXPECT_TRUE(s.Visible(s.dialog));
    EXPECT_EQ(s.h.desktop.BlockingCalls(), std::vector<std::string>{});
  }
}

// Its program brings the window back itself (started a second time, from
// its notification or its own tray icon): what Peekbar hid with it comes
// back at the next tick, paused or not, without waiting for the program.
TEST(HiddenWithTest, TheProgramShowingItsWindowItselfBringsBackWhatWasHiddenWithIt) {
  for (const bool paused : {false, true}) {
    SCOPED_TRACE(paused ? "paused" : "running");
    HiddenWithScene s;
    s.PutAwayByRule();
    if (paused) s.h.app.OnCommand(command_id::kPause);
    s.ClearLogs();
    s.Tick();
    // What the tick asks for them: whether the window is up, and whether
    // each window hidden with it lives.
    const std::vector<std::string> follow{"IsWindowVisible editor", "WindowExists dialog", "WindowExists tool"};
    const std::vector<std::string> asked = s.h.desktop.Log(true);
    ASSERT_GE(asked.size(), follow.size());
    EXPECT_EQ(std::vector<std::string>(asked.end() - 3, asked.end()), follow);
    if (paused) {
      EXPECT_EQ(asked, follow);
    }

    s.h.desktop.Find(s.editor)->visible = true;
    s.Tick();
    EXPECT_TRUE(s.Visible(s.tool));
    EXPECT_TRUE(s.Visible(s.dialog));
    EXPECT_FALSE(s.Visible(s.hiddenOne));
    const std::vector<std::string> log = s.h.desktop.Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "PlaceWindow dialog Unchanged show noactivate async"), log.end());
    EXPECT_EQ(s.JournalHiddenWith(), std::vector<WindowHandle>{});
    s.ClearLogs();
    s.Tick();
    EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::PlaceWindow), 0) << "brought back once";
  }
}

// Peekbar's own hide left to a thread that does not answer is not its
// program bringing the window back.
TEST(HiddenWithTest, AHideStillToComeIsNotTheProgramBringingItBack) {
  HiddenWithScene s;
  FakeWindow& editor = *s.h.desktop.Find(s.editor);
  editor.hung = true;
  editor.asyncShowPending = true;
  for (int i = 0; i < 10 && !s.Slot()[TopMiddle].cycle.HiddenWith().size(); ++i) s.Tick();
  ASSERT_EQ(s.JournalHiddenWith(), (std::vector<WindowHandle>{s.dialog, s.tool}));
  ASSERT_TRUE(s.Visible(s.editor));
  for (int i = 0; i < 3; ++i) s.Tick();
  EXPECT_FALSE(s.Visible(s.dialog));

  editor.asyncShowPending = false;
  editor.visible = false;
  s.Tick();
  editor.visible = true;
  s.Tick();
  EXPECT_TRUE(s.Visible(s.dialog));
  EXPECT_EQ(s.h.desktop.BlockingCalls(), std::vector<std::string>{});
}

// A hidden window closed meanwhile is dropped at the next tick; a handle
// given since to a window of another process or class is never shown, by
// any path.
TEST(HiddenWithTest, AClosedOneIsDroppedAndAHandleNowNamingAnotherWindowIsNeverShown) {
  const std::vector<WayBack> paths = WaysBack({
      {"shown by its program", [](HiddenWithScene& s) { s.h.desktop.Find(s.editor)->visible = true; s.Tick(); }},
      {"brought up at its edge",
       [](HiddenWithScene& s) {
         s.h.desktop.SetPointer(960, 0);
         for (int i = 0; i < 5 && !s.Visible(s.editor); ++i) s.Tick();
       }},
  });
  for (const auto& [what, giveBack] : paths) {
    for (const bool otherProcess : {true, false}) {
      SCOPED_TRACE(std::string(what) + (otherProcess ? ", another process" : ", another class"));
      HiddenWithScene s;
      s.PutAwayByRule();
      s.h.desktop.CloseWindow(s.tool);
      s.Tick();
      EXPECT_EQ(s.JournalHiddenWith(), std::vector<WindowHandle>{s.dialog}) << "the closed one is still listed";

      FakeWindow reused = *s.h.desktop.Find(s.dialog);
      s.h.desktop.CloseWindow(s.dialog);
      if (otherProcess) {
        reused.process = 77;
      } else {
        reused.className = u"Other";
      }
      s.h.desktop.AddWindowWithHandle(s.dialog, reused);
      giveBack(s);
      EXPECT_FALSE(s.Visible(s.dialog)) << "shown another program's window";
      EXPECT_TRUE(s.Visible(s.editor));
    }
  }
}

// Registering a window, whichever way (by hand, by keyword), hides what it
// owns on the screen with it, written down first; it comes back with the
// window. At a second location the window keeps what was hidden with it.
TEST(HiddenWithTest, RegisteringAWindowHidesWhatItOwnsOnTheScreenWithIt) {
  const std::vector<std::pair<const char*, std::function<void(OwnedScene&)>>> ways = {
      {"by hand", [](OwnedScene& s) { s.h.app.Registration().Register(0, TopMiddle, s.editor); }},
      {"by keyword",
       [](OwnedScene& s) {
         s.Slot()[TopMiddle].keyword = u"editor*";
         s.h.app.OnCommand(command_id::kApplyAllKeywords);
       }},
  };
  for (const auto& [how, registerIt] : ways) {
    SCOPED_TRACE(how);
    OwnedScene s;
    s.h.app.Registration().Unregister(0, TopMiddle);
    s.h.desktop.Find(s.editor)->title = u"editor";
    ASSERT_TRUE(s.Visible(s.editor));
    const WindowHandle tool = s.AddOwned("tool", s.editor, {1200, 0, 1300, 400});
    const WindowHandle dialog = s.AddOwned("dialog", tool, {1300, 0, 1400, 100});
    std::vector<JournalWindow> listedAtHide;
    s.h.desktop.OnCall([&](DesktopMethod method, WindowHandle window) {
      if (method == DesktopMethod::ShowWindow && window == dialog) listedAtHide = s.h.journal.Own().hiddenWith;
    });
    registerIt(s);
    s.h.desktop.OnCall(nullptr);
    ASSERT_EQ(s.h.RegisteredAt(0, TopMiddle), s.editor);
    EXPECT_FALSE(s.Visible(s.editor));
    EXPECT_FALSE(s.Visible(tool));
    EXPECT_FALSE(s.Visible(dialog));
    EXPECT_EQ(listedAtHide, (std::vector<JournalWindow>{{dialog, 31, u"Dialog"}, {tool, 31, u"Dialog"}}))
        << "written down before the hide";

    s.h.app.Registration().Register(0, LeftMiddle, s.editor);
    s.h.desktop.SetPointer(0, 540);
    for (int i = 0; i < 5 && !s.Visible(s.editor); ++i) s.Tick();
    EXPECT_TRUE(s.Visible(s.editor));
    EXPECT_TRUE(s.Visible(tool));
    EXPECT_TRUE(s.Visible(dialog)) << "lost at the second location";
  }
}

TEST(HiddenWithTest, ACrashLeavesThemListedAndTheNextStartGivesThemBackOldJournalsStillRead) {
  HiddenWithScene s;
  for (int i = 0; i < 10 && s.Visible(s.editor); ++i) s.Tick();
  EXPECT_EQ(s.h.journal.LastWritten().hiddenWith.size(), 2u) << "what the crash handler gives back";
  const std::u16string path = s.h.journal.OwnPath();
  const std::u16string text = s.h.journal.Files().at(path).text;
  s.h.journal.EndWithoutExit();

  DesktopScene next;
  next.h.journal.AddFile(path, ParseJournal(text), false);
  next.h.desktop.AddWindowWithHandle(s.tool, *s.h.desktop.Find(s.tool));
  FakeWindow reused = *s.h.desktop.Find(s.dialog);
  reused.process = 55;  // its handle since given to another program's window
  next.h.desktop.AddWindowWithHandle(s.dialog, reused);
  next.Start();
  EXPECT_TRUE(next.Visible(s.tool));
  EXPECT_FALSE(next.Visible(s.dialog));

  // An older build's journal has no such lines; one of this build read by
  // an older reader loses nothing else.
  EXPECT_EQ(ParseJournal(u"owner 9\r\nwindow 12 3 Ok\r\n").hiddenWith, std::vector<JournalWindow>{});
  JournalRecord record = ParseJournal(text);
  EXPECT_EQ(record.hiddenWith.size(), 2u);
  EXPECT_EQ(FormatJournal(record), text);
}

}  // namespace
}  // namespace peekbar
