// The keyboard path: a location's hotkey brings its window up as the edge
// does and puts it away as the hide rule does; pause and the menu by key;
// which keys are held as the profile and the monitors change, and the keys
// refused told once.
#include <gtest/gtest.h>

#include <functional>

#include "core/app/hotkey_bindings.h"
#include "core/tray/commands.h"
#include "fakes/scene.h"

namespace peekbar {
namespace {

constexpr Hotkey kCtrlAltP = kHotkeyControl | kHotkeyAlt | 'P';
constexpr Hotkey kCtrlAltM = kHotkeyControl | kHotkeyAlt | 'M';
constexpr Hotkey kShiftF12 = kHotkeyShift | 0x7B;

TEST(HotkeyTextTest, ModifiersInTheUsualOrderThenTheKey) {
  EXPECT_EQ(U8(HotkeyText(kCtrlAltP)), "Ctrl+Alt+P");
  EXPECT_EQ(U8(HotkeyText(kShiftF12)), "Shift+F12");
  EXPECT_EQ(U8(HotkeyText(kHotkeyControl | kHotkeyShift | kHotkeyExtended | 0x25)), "Ctrl+Shift+←");
  EXPECT_EQ(U8(HotkeyText(kHotkeyAlt | 0xBA)), "Alt+キー0xBA");  // a layout's punctuation, by number
  EXPECT_EQ(U8(HotkeyText(kHotkeyControl)), "なし") << "modifiers alone are no key";
}

// A 400 x 300 window registered at the middle of the top edge of the
// primary monitor, whose HOTKEY_2 is Ctrl+Alt+P; PAUSE and MENU set too.
struct HotkeyScene : DesktopScene {
  WindowHandle editor = kNoWindow;
  WindowHandle other = kNoWindow;

  // `more` adds to the settings and the system before the start.
  explicit HotkeyScene(int monitors = 1, const std::function<void(AppHarness&)>& more = {})
      : DesktopScene(monitors) {
    h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"HOTKEY_2", kCtrlAltP);
    h.store.SetInt(kMainIni, u"HOTKEY", u"PAUSE", kShiftF12);
    h.store.SetInt(kMainIni, u"HOTKEY", u"MENU", kCtrlAltM);
    if (more) more(h);
    Start();
    other = Add("other", u"other");
    h.desktop.SetForegroundWindow(other);
    FakeWindow w;
    w.name = "editor";
    w.rect = {100, 100, 500, 400};
    editor = h.desktop.AddWindow(w);
    h.app.Registration().Register(0, TopMiddle, editor);
    h.desktop.SetPointer(900, 600);  // off every edge
    ClearLogs();
  }
  void Press(int id) { h.app.OnHotkey(id); }
  void PressEditorKey() { Press(LocationHotkeyId(0, TopMiddle)); }
};

TEST(HotkeyToggleTest, OverTheShowCycleStates) {
  enum class Before { Hidden, Shown, NoneRegistered, Closed, Paused, ShowingAll, Ending };
  struct Row {
    Before before;
    HotkeyToggle outcome;
    bool visibleAfter;
  };
  const Row rows[] = {
      {Before::Hidden, HotkeyToggle::BroughtUp, true},
      {Before::Paused, HotkeyToggle::BroughtUp, true},
      {Before::Shown, HotkeyToggle::PutAway, false},
      {Before::NoneRegistered, HotkeyToggle::NothingRegistered, false},
      {Before::Closed, HotkeyToggle::NothingRegistered, false},
      {Before::ShowingAll, HotkeyToggle::ShowingAll, true},
      {Before::Ending, HotkeyToggle::Ending, false},
  };
  for (const Row& row : rows) {
    HotkeyScene s;
    switch (row.before) {
      case Before::Hidden: break;
      case Before::Paused: s.h.app.Commands().TogglePause(); break;
      case Before::Shown: s.h.app.Showing().BringUp(0, TopMiddle, {960, 0}); break;
      case Before::NoneRegistered: s.h.app.Registration().Unregister(0, TopMiddle); break;
      case Before::Closed: s.h.desktop.CloseWindow(s.editor); break;
      case Before::ShowingAll: s.h.app.Commands().ToggleShowAll(); break;
      case Before::Ending: s.h.state().ending = true; break;
    }
    const bool visibleBefore = s.h.desktop.Find(s.editor) != nullptr && s.Visible(s.editor);
    const HotkeyToggle outcome = ToggleByHotkey(s.h.state(), s.h.desktop, s.h.app.Showing(), 0, TopMiddle);
    EXPECT_EQ(outcome, row.outcome) << static_cast<int>(row.before);
    if (row.before == Before::Closed) continue;
    const bool visible = s.Visible(s.editor);
    if (row.before == Before::NoneRegistered || row.before == Before::Ending) {
      EXPECT_EQ(visible, visibleBefore) << "nothing done";  // given back at unregistering, left alone
      continue;
    }
    EXPECT_EQ(visible, row.visibleAfter) << static_cast<int>(row.before);
    if (outcome == HotkeyToggle::BroughtUp) {
      // As the edge brings it up: docked at the top, centred on the middle
      // of the location's stretch, in front, and marked shown.
      EXPECT_EQ(s.RectOf(s.editor), (Rect{760, 0, 1160, 300}));
      EXPECT_EQ(s.h.desktop.ForegroundWindow(), s.editor);
      EXPECT_TRUE(s.h.state().At(0, TopMiddle).cycle.IsShown());
      EXPECT_EQ(s.h.state().savedForeground, s.other);
    }
  }
}

TEST(HotkeyToggleTest, StretchMiddleOfACornerLiesOnTheEdgeItDocksAgainst) {
  const Rect m{-1280, 0, 0, 1024};  // corners 10 %: 128 across, 102 down
  EXPECT_EQ(StretchMiddle(m, TopLeftCorner, Settings{}), (Point{-1280, 51}));
  EXPECT_EQ(StretchMiddle(m, TopRightCorner, Settings{}), (Point{-64, 0}));
  EXPECT_EQ(StretchMiddle(m, RightMiddle, Settings{}), (Point{-1, 512}));
}

TEST(HotkeyPressTest, UpThenAwayByKeyThenByTheRuleAndOneMenuAtATime) {
  HotkeyScene s;
  s.PressEditorKey();
  ASSERT_TRUE(s.Visible(s.editor));

  // Moved by the user, then away by the key: its rectangle is written, the
  // foreground goes back.
  s.h.desktop.Find(s.editor)->rect = {700, 0, 1100, 300};
  s.PressEditorKey();
  EXPECT_FALSE(s.Visible(s.editor));
  EXPECT_EQ(s.h.store.Get(ProfileIni(0), u"MONITOR_0", u"WIN_LEFT_2"), u"700");
  EXPECT_EQ(s.h.desktop.ForegroundWindow(), s.other);
  EXPECT_FALSE(s.h.state().At(0, TopMiddle).cycle.IsShown());

  // Up by the key, then the usual rule: visited, left, away.
  s.PressEditorKey();
  s.TickAt({900, 100});
  s.TickAt({900, 700});
  for (int i = 0; i < 10 && s.Visible(s.editor); ++i) s.Tick();
  EXPECT_FALSE(s.Visible(s.editor)) << "not put away by the rule";

  // MENU opens the tray menu at the pointer; not a second one over it.
  s.h.desktop.SetPointer(300, 400);
  s.h.windows.chooseInMenu = [&](const MenuItem&) { s.Press(kMenuHotkeyId); };
  s.Press(kMenuHotkeyId);
  EXPECT_EQ(s.h.windows.menusShown, 1);
  EXPECT_EQ(s.h.windows.lastMenuAt, (Point{300, 400}));
}

// The menu needs the foreground for its keys: a window brought up or put
// away while it is open would take it, and Escape would no longer close it.
TEST(HotkeyPressTest, WhileTheTrayMenuIsOpenNothingTakesTheForegroundFromIt) {
  HotkeyScene s;
  s.PressEditorKey();
  s.TickAt({960, 150});  // visited where it is docked
  const WindowHandle main = s.h.state().mainWindow;
  s.h.windows.chooseInMenu = [&](const MenuItem&) {
    s.h.desktop.SetForegroundWindow(main);  // as the menu takes it
    s.TickAt({900, 700});  // left for the menu, long past the hide delay
    s.Tick(5000);
    s.PressEditorKey();
    EXPECT_TRUE(s.Visible(s.editor)) << "put away under the menu";
    EXPECT_EQ(s.h.desktop.ForegroundWindow(), main);
  };
  s.h.app.ShowTrayMenu();
  s.Tick();
  EXPECT_FALSE(s.Visible(s.editor)) << "not put away once the menu closed";
  EXPECT_EQ(s.h.desktop.ForegroundWindow(), s.other);

  // A dwell on its edge brings nothing up under the menu, and starts afresh after it.
  s.h.settings().showingDelay = 300;
  s.h.windows.chooseInMenu = [&](const MenuItem&) {
    s.h.desktop.SetForegroundWindow(main);
    s.TickAt({960, 0});
    s.Tick(1000);
    EXPECT_FALSE(s.Visible(s.editor)) << "brought up under the menu";
    EXPECT_EQ(s.h.desktop.ForegroundWindow(), main);
  };
  s.h.app.ShowTrayMenu();
  s.Tick(200);
  EXPECT_FALSE(s.Visible(s.editor)) << "the dwell counted while the menu was open";
  s.Tick(200);
  EXPECT_TRUE(s.Visible(s.editor));
}

TEST(HotkeyBindingTest, HeldForPresentMonitorsOfTheProfileAndFollowingTheirChanges) {
  HotkeyScene s(2);
  FakeHotkeyRegistrar& keys = s.h.hotkeys;
  const std::map<int, Hotkey> atStart = {
      {kPauseHotkeyId, kShiftF12}, {kMenuHotkeyId, kCtrlAltM}, {LocationHotkeyId(0, TopMiddle), kCtrlAltP}};
  EXPECT_EQ(keys.registered, atStart);

  // Another profile: its keys replace the first one's; PAUSE and MENU stay.
  s.h.store.SetInt(ProfileIni(3), u"MONITOR_1", u"HOTKEY_10", kCtrlAltP);
  s.h.app.OnCommand(static_cast<std::uint16_t>(command_id::kProfileFirst + 3));
  const std::map<int, Hotkey> profile3 = {
      {kPauseHotkeyId, kShiftF12}, {kMenuHotkeyId, kCtrlAltM}, {LocationHotkeyId(1, BottomMiddle), kCtrlAltP}};
  EXPECT_EQ(keys.registered, profile3);

  // The second monitor detached: its key goes; attached again: it is back.
  const DisplayMonitor second = s.h.desktop.monitors.back();
  s.h.desktop.monitors.pop_back();
  s.h.app.OnDisplayChange();
  s.Tick();
  EXPECT_FALSE(keys.registered.contains(LocationHotkeyId(1, BottomMiddle)));
  s.h.app.OnHotkey(LocationHotkeyId(1, BottomMiddle));  // one still queued does nothing
  s.h.desktop.monitors.push_back(second);
  s.h.app.OnDisplayChange();
  s.Tick();
  EXPECT_EQ(keys.registered, profile3);
}

TEST(HotkeyBindingTest, HeldBeforeTheKeywordsTakeTheirWindowsAtStartUp) {
  AppHarness h;
  h.AddMonitor(kPrimary);
  h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"HOTKEY_2", kCtrlAltP);
  h.store.Set(ProfileIni(0), u"MONITOR_0", u"KEYWORD_2", u"doc*");
  h.desktop.AddWindow("doc", u"Notepad", u"doc");
  std::size_t heldAtFirstHide = 99;
  h.desktop.OnCall([&](DesktopMethod method, WindowHandle) {
    if (method == DesktopMethod::ShowWindow && heldAtFirstHide == 99) heldAtFirstHide = h.hotkeys.registered.size();
  });
  h.Start();
  EXPECT_EQ(heldAtFirstHide, 1u) << "a window was taken before its key worked";
}

TEST(HotkeyBindingTest, KeysThatCannotBeHeldAreToldOnceWithWhereAndWhyAndTheRestWork) {
  AppHarness h;
  h.AddMonitor(kPrimary);
  h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"HOTKEY_2", kCtrlAltP);
  h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"HOTKEY_5", kCtrlAltP);  // twice in one profile
  h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"HOTKEY_9", 'A');        // edited by hand: a bare letter
  h.store.SetInt(kMainIni, u"HOTKEY", u"MENU", kCtrlAltM);
  h.store.SetInt(ProfileIni(0), u"OPTION", u"BALLOON", 0);
  h.hotkeys.takenElsewhere = {kCtrlAltM};
  h.Start();
  ASSERT_EQ(h.shell.Boxes().size(), 1u);
  EXPECT_EQ(U8(h.shell.Boxes()[0].text),
            "次のホットキーは使用できません。\n\n"
            "Ctrl+Alt+M：「設定」→「ホットキー設定」のメニュー表示\n"
            "　他のプログラムなどが既に使っています。\n"
            "Ctrl+Alt+P：「右端上」の「ホットキー設定」\n"
            "　「上端中央」の「ホットキー設定」と同じキーです。\n"
            "A：「下端右」の「ホットキー設定」\n"
            "　文字の入力や編集に使うキーは、Ctrl か Alt と組み合わせて下さい（F1～F24 などはそのままでも使えます）。\n\n"
            "別のキーを設定して下さい。");
  EXPECT_TRUE(h.app.Hotkeys().IsRegistered(LocationHotkeyId(0, TopMiddle)));
  EXPECT_FALSE(h.app.Hotkeys().IsRegistered(LocationHotkeyId(0, BottomRight)));
  EXPECT_EQ(h.store.Get(ProfileIni(0), u"MONITOR_0", u"HOTKEY_9"), u"65") << "the file keeps what it holds";

  // Asked again with nothing changed: tried, not told again. The dialog
  // shows none for the key it does not hold.
  h.windows.chosenGlobalHotkeys.reset();
  h.app.OnCommand(command_id::kHotkeySettings);
  EXPECT_EQ(h.windows.log.back(), "GlobalHotkeyDialog 0 0");
  EXPECT_EQ(h.shell.Boxes().size(), 1u);

  // The other program let it go: the next change takes it, silently.
  h.hotkeys.takenElsewhere.clear();
  h.windows.chosenHotkey = kShiftF12;
  h.app.OnCommand(static_cast<std::uint16_t>(LocationHotkeyCommandId(0, RightTop)));
  EXPECT_EQ(h.windows.log.back(), "HotkeyDialog 0");
  EXPECT_EQ(h.shell.Boxes().size(), 1u);
  EXPECT_EQ(h.hotkeys.registered.at(kMenuHotkeyId), kCtrlAltM);
  EXPECT_EQ(h.hotkeys.registered.at(LocationHotkeyId(0, RightTop)), kShiftF12);
  EXPECT_EQ(h.store.Get(ProfileIni(0), u"MONITOR_0", u"HOTKEY_5"), u"379");  // 0x17B
}

// Of two locations with one key the first holds it, in a run as at the next
// start, whichever held it before.
TEST(HotkeyBindingTest, OfTwoLocationsWithOneKeyTheFirstHoldsItAfterAProfileSwitchAsAtStart) {
  for (const bool atStart : {true, false}) {
    AppHarness h;
    h.AddMonitor(kPrimary);
    h.store.SetInt(ProfileIni(0), u"OPTION", u"BALLOON", 0);
    h.store.SetInt(ProfileIni(1), u"OPTION", u"BALLOON", 0);
    h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"HOTKEY_5", kCtrlAltP);
    h.store.SetInt(ProfileIni(1), u"MONITOR_0", u"HOTKEY_5", kCtrlAltP);
    h.store.SetInt(ProfileIni(1), u"MONITOR_0", u"HOTKEY_2", kCtrlAltP);
    if (atStart) h.store.SetInt(kMainIni, u"PROFILE", u"INDEX", 1);
    h.Start();
    if (!atStart) h.app.OnCommand(command_id::kProfileFirst + 1);
    EXPECT_EQ(h.hotkeys.registered, (std::map<int, Hotkey>{{LocationHotkeyId(0, TopMiddle), kCtrlAltP}})) << atStart;
  }
}

// A key the program cannot take is told at OK over the dialog, which stays
// open for another; nothing is written until a key is taken. The reasons:
// a key that types, one of the program's own keys (named), one another
// program holds, even when it was told before.
TEST(HotkeyDialogTest, AKeyThatCannotBeTakenIsToldAtOkAndTheDialogStaysOpen) {
  constexpr Hotkey kCtrlLeft = kHotkeyControl | 0x25;
  constexpr Hotkey kCtrlAltO = kHotkeyControl | kHotkeyAlt | 'O';
  const struct {
    Hotkey typed;
    const char* told;
  } rows[] = {
      {kHotkeyShift | 'A',
       "Shift+A は使用できません。\n\n"
       "文字の入力や編集に使うキーは、Ctrl か Alt と組み合わせて下さい（F1～F24 などはそのままでも使えます）。"},
      {kCtrlLeft,  // the held one is its extended twin
       "Ctrl+← は使用できません。\n\n「モニター2」→「下端中央」の「ホットキー設定」と同じキーです。\n"
       "別のキーを設定して下さい。"},
      {kCtrlAltO, "Ctrl+Alt+O は使用できません。\n\n他のプログラムなどが既に使っています。\n別のキーを設定して下さい。"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(U8(HotkeyText(row.typed)));
    // Another program holds Ctrl+Alt+O, set at the location and told of at
    // the start.
    HotkeyScene s(2, [](AppHarness& h) {
      h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"HOTKEY_10", kHotkeyControl | kHotkeyExtended | 0x25);
      h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"HOTKEY_15", kCtrlAltO);
      h.store.SetInt(ProfileIni(0), u"OPTION", u"BALLOON", 0);
      h.hotkeys.takenElsewhere = {kCtrlAltO};
    });
    s.h.windows.chosenHotkey = row.typed;
    s.h.windows.retypedHotkeys = {kHotkeyShift | 0x74};  // Shift+F5, taken
    s.h.app.OnCommand(static_cast<std::uint16_t>(LocationHotkeyCommandId(0, LeftTop)));
    ASSERT_EQ(s.h.windows.objections.size(), 1u);
    EXPECT_EQ(U8(s.h.windows.objections[0].text), row.told);
    EXPECT_EQ(s.h.windows.objections[0].field, HotkeyObjection::Field::Location);
    EXPECT_EQ(s.h.store.WriteLog(), (std::vector<std::string>{"MONITOR_0/HOTKEY_15=372"}));
    EXPECT_EQ(s.h.hotkeys.registered.at(LocationHotkeyId(0, LeftTop)), kHotkeyShift | 0x74);
    EXPECT_TRUE(s.h.shell.Boxes().empty()) << "told again after the dialog";
  }
}

// Of the pause and menu keys, the second of two alike is the one to fix.
TEST(HotkeyDialogTest, PauseAndMenuDialogObjectsToTheSecondOfTwoKeysAlike) {
  HotkeyScene s;
  s.h.windows.chosenGlobalHotkeys = GlobalHotkeys{kShiftF12, kShiftF12};
  s.h.windows.retypedGlobalHotkeys = {GlobalHotkeys{kShiftF12, kNoHotkey}};
  s.h.app.OnCommand(command_id::kHotkeySettings);
  ASSERT_EQ(s.h.windows.objections.size(), 1u);
  EXPECT_EQ(U8(s.h.windows.objections[0].text),
            "メニュー表示の Shift+F12 は使用できません。\n\n「設定」→「ホットキー設定」の処理の一時停止と同じキーです。\n"
            "別のキーを設定して下さい。");
  EXPECT_EQ(s.h.windows.objections[0].field, HotkeyObjection::Field::Menu);
  EXPECT_EQ(s.h.store.WriteLog(), (std::vector<std::string>{"HOTKEY/PAUSE=379", "HOTKEY/MENU=0"}));
}

TEST(HotkeyDialogTest, LocationDialogShowsTheHeldKeyWritesOnOkAndKeysAreFreeWhileItIsOpen) {
  HotkeyScene s;
  const auto item = static_cast<std::uint16_t>(LocationHotkeyCommandId(0, TopMiddle));
  // While the user types the new key, no key of the program's would take
  // it, though the monitors change meanwhile.
  std::size_t heldWhileOpen = 99;
  s.h.windows.whileAnyDialogOpen = [&] {
    s.h.windows.whileAnyDialogOpen = nullptr;
    s.h.desktop.monitors.push_back({u"\\\\.\\DISPLAY9", kSecond});
    s.h.app.OnDisplayChange();
    s.Tick();
    heldWhileOpen = s.h.hotkeys.registered.size();
  };
  s.h.windows.chosenHotkey.reset();
  // Cancelled: nothing written, the key held again.
  s.h.app.OnCommand(item);
  EXPECT_EQ(heldWhileOpen, 0u);
  EXPECT_EQ(s.h.windows.log.front(), "HotkeyDialog " + std::to_string(kCtrlAltP));
  EXPECT_TRUE(s.h.store.Writes().empty());
  EXPECT_EQ(s.h.hotkeys.registered.at(LocationHotkeyId(0, TopMiddle)), kCtrlAltP);

  // Confirmed with another key: written, and the new key works at once.
  constexpr Hotkey kCtrlAltQ = kHotkeyControl | kHotkeyAlt | 'Q';
  s.h.windows.chosenHotkey = kCtrlAltQ;
  s.h.app.OnCommand(item);
  EXPECT_EQ(s.h.store.Get(ProfileIni(0), u"MONITOR_0", u"HOTKEY_2"), u"1617");  // 0x0651
  EXPECT_EQ(s.h.hotkeys.registered.at(LocationHotkeyId(0, TopMiddle)), kCtrlAltQ);

  // A dialog is open: the location's item is refused, as the keyword's is.
  s.h.state().modalBusy = true;
  s.h.windows.log.clear();
  s.h.app.OnCommand(item);
  s.h.app.OnCommand(command_id::kHotkeySettings);
  EXPECT_TRUE(s.h.windows.log.empty());
}

TEST(HotkeySettingsTest, HotkeysReadFromTheirFilesAndOutOfRangeIsNone) {
  AppHarness h;
  h.AddMonitor(kPrimary);
  h.store.SetInt(kMainIni, u"HOTKEY", u"PAUSE", 0x1000);  // past any combination
  h.store.SetInt(kMainIni, u"HOTKEY", u"MENU", kCtrlAltM);
  h.store.SetInt(ProfileIni(0), u"HOTKEY", u"MENU", kShiftF12);  // not a profile's key
  h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"HOTKEY_15", -1);
  h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"HOTKEY_14", kCtrlAltP);
  h.Start();
  EXPECT_EQ(h.settings().pauseHotkey, 0);
  EXPECT_EQ(h.settings().menuHotkey, kCtrlAltM);
  EXPECT_EQ(h.state().At(0, 15).hotkey, 0);
  EXPECT_EQ(h.state().At(0, 14).hotkey, kCtrlAltP);

  // The pause and menu dialog writes the main file only.
  h.store.ClearWrites();
  h.windows.chosenGlobalHotkeys = GlobalHotkeys{kShiftF12, kNoHotkey};
  h.app.OnCommand(command_id::kHotkeySettings);
  EXPECT_EQ(h.store.WriteLog(), (std::vector<std::string>{"HOTKEY/PAUSE=379", "HOTKEY/MENU=0"}));
  for (const auto& write : h.store.Writes()) EXPECT_EQ(write.path, kMainIni);
  EXPECT_EQ(h.hotkeys.registered, (std::map<int, Hotkey>{{kPauseHotkeyId, kShiftF12},
                                                         {LocationHotkeyId(0, 14), kCtrlAltP}}));
}

}  // namespace
}  // namespace peekbar
