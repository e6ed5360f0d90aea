// The program's start-up decision, the main window's messages and commands,
// and shut-down, against the simulated desktop, shell and settings files.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/app_harness.h"
#include "fakes/cycle_assertions.h"

namespace peekbar {
namespace {

TEST(StartupTest, RefusedOnlyBesideAnotherInstanceWithMultipleStartupSet) {
  struct Case {
    std::optional<std::u16string_view> stored;  // MULTIPLE_STARTUP, none: default 1
    bool anotherInstance;
    bool refused;
  };
  const Case cases[] = {
      {std::nullopt, true, true}, {std::nullopt, false, false}, {u"1", true, true}, {u"3", true, true},
      {u"0", true, false},        {u"0", false, false},         {u"1", false, false},
  };
  for (const Case& c : cases) {
    AppHarness h;
    h.desktop.AddWindow("taskbar", u"Shell_TrayWnd", u"");
    if (c.stored) h.store.Set(ProfileIni(0), u"OPTION", u"MULTIPLE_STARTUP", *c.stored);
    const auto refusal = h.app.PrepareStartup(c.anotherInstance);
    ASSERT_EQ(refusal.has_value(), c.refused) << U8(c.stored.value_or(u"-")) << " " << c.anotherInstance;
    if (refusal) {
      EXPECT_EQ(U8(*refusal), "多重起動です。\n現在、多重起動禁止設定になっています。");
    } else {
      EXPECT_EQ(h.state().taskbarWindow, h.desktop.FindTopLevelWindow(u"Shell_TrayWnd", nullptr));
    }
    EXPECT_TRUE(h.shell.IconCalls().empty());
  }
}

// Each monitor the system reports takes a slot in the system's order (the
// primary need not come first), and each slot reads its own section.
TEST(StartupTest, EachReportedMonitorTakesASlotInTheSystemsOrder) {
  AppHarness h;
  h.desktop.monitors = {{u"\\\\.\\DISPLAY2", {0, -1024, 1280, 0}}, {u"\\\\.\\DISPLAY1", {0, 0, 1920, 1080}}};
  h.store.Set(ProfileIni(0), u"MONITOR_0", u"KEYWORD_2", u"*above*");
  h.store.Set(ProfileIni(0), u"MONITOR_1", u"KEYWORD_2", u"*primary*");
  for (int start = 0; start < 2; ++start) {  // a refused start, then one that goes on
    h.store.SetInt(ProfileIni(0), u"OPTION", u"MULTIPLE_STARTUP", start == 0 ? 1 : 0);
    ASSERT_EQ(h.app.PrepareStartup(true).has_value(), start == 0);
    ASSERT_EQ(h.state().MonitorCount(), 2);
    for (int m = 0; m < 2; ++m) {
      const MonitorSlot& slot = h.state().monitorSlots[static_cast<std::size_t>(m)];
      EXPECT_EQ(slot.device, h.desktop.monitors[static_cast<std::size_t>(m)].device) << m;
      EXPECT_EQ(slot.monitorRect, h.desktop.monitors[static_cast<std::size_t>(m)].rect) << m;
      EXPECT_TRUE(slot.active) << m;
    }
    EXPECT_EQ(U8(h.state().monitorSlots[0][TopMiddle].keyword.View()), "*above*");
    EXPECT_EQ(U8(h.state().monitorSlots[1][TopMiddle].keyword.View()), "*primary*");
  }
}

TEST(MainWindowCreateTest, IconWithTheProfileTipThenTimer) {
  struct Case {
    std::vector<std::pair<std::u16string_view, std::u16string_view>> option;  // OPTION keys
    int profile;
    std::u16string_view profileName;
    std::vector<std::string> log;
  };
  const std::vector<Case> cases = {
      {{}, 0, u"", {"Add icon=101 tip=プロファイル_0 - Peekbar Ver1.05", "StartTimer 200"}},
      {{{u"TIMER_INTERVAL", u"50"}, {u"TRAY_ICON_COLOR", u"2"}},
       1,
       u"仕事",
       {"Add icon=106 tip=仕事 - Peekbar Ver1.05", "StartTimer 50"}},
      {{{u"TIMER_INTERVAL", u"-10"}, {u"TRAY_ICON_COLOR", u"1"}},
       0,
       u"",
       {"Add icon=105 tip=プロファイル_0 - Peekbar Ver1.05", "StartTimer 0"}},
  };
  for (const Case& c : cases) {
    AppHarness h;
    h.store.SetInt(kMainIni, u"PROFILE", u"INDEX", c.profile);
    if (!c.profileName.empty()) h.store.Set(ProfileIni(c.profile), u"PROFILE", u"NAME", c.profileName);
    for (const auto& [key, value] : c.option) h.store.Set(ProfileIni(c.profile), u"OPTION", key, value);
    h.Start();
    EXPECT_EQ(h.shell.Log(), c.log);
    EXPECT_TRUE(h.shell.TimerRunning());
  }
}

// At log-on the shell may not take an icon yet: the add is tried again
// every second and at the shell's announcement, and only after a minute of
// failures is the start given up, with the box (never a balloon) and a close.
// A failed add is followed by a change of the icon, which succeeds when the
// shell was only slow to answer and added it all the same.
TEST(MainWindowCreateTest, TrayIconIsTriedAgainForAMinuteBeforeTheStartIsGivenUp) {
  const std::string add = "Add icon=101 tip=プロファイル_0 - Peekbar Ver1.05";
  const std::string modify = "Modify icon=101 tip=プロファイル_0 - Peekbar Ver1.05";
  {
    SCOPED_TRACE("the add times out, yet the icon is there");
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.shell.SetAddTimesOut(true);
    h.Start();
    EXPECT_EQ(h.shell.Log(), (std::vector<std::string>{add + " failed", modify, "StartTimer 200"}));
    EXPECT_TRUE(h.shell.IconPresent());
  }
  for (const bool shellComesUp : {false, true}) {
    SCOPED_TRACE(shellComesUp ? "the shell comes up" : "it never does");
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.store.Set(ProfileIni(0), u"MONITOR_0", u"KEYWORD_2", u"*editor*");
    const WindowHandle editor = h.desktop.AddWindow("editor", u"Edit", u"editor");
    h.shell.SetAddFails(true);
    h.store.SetInt(ProfileIni(0), u"OPTION", u"BALLOON", 1);
    const WindowHandle main = h.Start();
    EXPECT_EQ(h.shell.Log(), (std::vector<std::string>{add + " failed", modify + " failed", "StartTimer 1000"}));
    EXPECT_TRUE(h.desktop.Find(editor)->visible) << "nothing is taken before the icon is in";

    h.shell.ClearLog();
    h.desktop.Advance(59999);
    h.app.OnTimer();
    EXPECT_EQ(h.shell.Log(), (std::vector<std::string>{add + " failed", modify + " failed"}));
    if (shellComesUp) {
      h.shell.SetAddFails(false);
      h.shell.ClearLog();
      h.app.OnTaskbarCreated();
      EXPECT_EQ(h.shell.Log(), (std::vector<std::string>{add, "StartTimer 200"}));
      EXPECT_FALSE(h.desktop.Find(editor)->visible) << "the rest of the start-up ran";
      h.desktop.Advance(1);
      h.app.OnTimer();
      EXPECT_EQ(h.shell.CloseRequests(), 0);
      continue;
    }
    h.shell.ClearLog();
    h.desktop.Advance(1);
    h.app.OnTimer();
    EXPECT_EQ(h.shell.Log(), (std::vector<std::string>{add + " failed", modify + " failed", "StopTimer",
                                                       "Box owner=" + std::to_string(main) +
                                                           " (error) トレイアイコンの追加に失敗しました。",
                                                       "PostClose"}));
    EXPECT_FALSE(h.shell.TimerRunning());
    EXPECT_TRUE(h.desktop.Find(editor)->visible);
  }
}

TEST(TaskbarCreatedTest, IconComesBackWithTheStateImageAndTip) {
  struct Case {
    bool showAll, paused;
    int color;
    std::vector<std::string> log;
  };
  const std::string tip = " tip=プロファイル_0 - Peekbar Ver1.05";
  const std::vector<Case> cases = {
      {false, false, 0, {"Add icon=101" + tip}},
      {false, true, 0, {"Add icon=103" + tip}},
      {true, false, 0, {"Add icon=104" + tip}},
      {true, true, 0, {"Add icon=104" + tip}},
      {false, true, 2, {"Add icon=107" + tip}},
      {true, false, 1, {"Add icon=108" + tip}},
  };
  for (const Case& c : cases) {
    AppHarness h;
    h.store.SetInt(ProfileIni(0), u"OPTION", u"TRAY_ICON_COLOR", c.color);
    h.Start();
    h.state().showAllActive = c.showAll;
    h.state().paused = c.paused;
    h.shell.DropIcon();
    h.shell.ClearLog();
    h.app.OnTaskbarCreated();
    EXPECT_EQ(h.shell.Log(), c.log) << c.showAll << c.paused << c.color;
    EXPECT_TRUE(h.shell.IconPresent());
  }
}

TEST(TaskbarCreatedTest, FailedReAddIsSilent) {
  AppHarness h;
  h.Start();
  h.state().paused = true;
  h.shell.DropIcon();
  h.shell.SetAddFails(true);
  h.shell.ClearLog();
  h.app.OnTaskbarCreated();
  EXPECT_EQ(h.shell.Log(), (std::vector<std::string>{"Add icon=103 tip=プロファイル_0 - Peekbar Ver1.05 failed",
                                                     "Modify icon=103 tip=プロファイル_0 - Peekbar Ver1.05 failed"}));
  EXPECT_EQ(h.shell.CloseRequests(), 0);
}

TEST(TimerTest, PausedTicksTouchNothing) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.Start();
  const WindowHandle window = h.desktop.AddWindow("editor", {0, 0, 100, 100}, false);
  h.Hold(0, 2, window);
  h.desktop.ResetCalls();

  h.state().paused = true;
  h.app.OnTimer();
  EXPECT_EQ(h.desktop.TotalCalls(), 0);

  h.state().paused = false;
  h.app.OnTimer();
  EXPECT_EQ(h.desktop.Calls(DesktopMethod::WindowExists), 1);
}

TEST(TimerTest, ClosedWindowIsDroppedAndTheCycleEndsInTheSameTick) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.desktop.AddWindow("taskbar", u"Shell_TrayWnd", u"");
  h.store.SetInt(ProfileIni(0), u"OPTION", u"HIDE_TASKBAR", 1);
  h.Start();
  const WindowHandle before = h.desktop.AddWindow("browser", {0, 0, 800, 600});
  const WindowHandle window = h.desktop.AddWindow("editor", {0, 0, 400, 300});
  h.Hold(0, 2, window);
  h.Hold(0, 9, window);
  h.state().At(0, 2).cycle.Show(h.desktop.Tick());
  h.state().At(0, 2).cycle.Visit(4242);
  h.state().savedForeground = before;
  h.app.TaskbarHiding().HideTaskbar();
  h.desktop.CloseWindow(window);
  h.desktop.ResetCalls();

  h.app.OnTimer();

  EXPECT_EQ(h.state().At(0, 2).cycle.Phase(), CyclePhase::Empty);
  EXPECT_EQ(h.state().At(0, 9).cycle.Phase(), CyclePhase::Empty);
  EXPECT_EQ(h.desktop.Log(),
            (std::vector<std::string>{"ShowWindow taskbar Show", "SetForegroundLockTimeout 0",
                                      "SetForegroundWindow browser", "SetForegroundLockTimeout 200000"}));
  EXPECT_EQ(h.state().savedForeground, kNoWindow);
}

TEST(TimerTest, CycleEndsOnlyWhenNoLocationIsShown) {
  for (const bool shown : {false, true}) {
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.AddMonitor({1920, 0, 3200, 1024});
    h.desktop.AddWindow("taskbar", u"Shell_TrayWnd", u"");
    h.store.SetInt(ProfileIni(0), u"OPTION", u"HIDE_TASKBAR", 1);
    h.Start();
    const WindowHandle before = h.desktop.AddWindow("browser", {0, 0, 800, 600});
    const WindowHandle idle = h.desktop.AddWindow("idle", {0, 0, 400, 300}, false);
    const WindowHandle up = h.desktop.AddWindow("up", {0, 0, 400, 300});
    h.Hold(0, 4, idle);
    h.Hold(1, 10, up);
    if (shown) h.state().At(1, 10).cycle.Show(h.desktop.Tick());
    h.state().savedForeground = before;
    h.app.TaskbarHiding().HideTaskbar();
    h.desktop.ResetCalls();

    h.app.OnTimer();

    EXPECT_EQ(h.desktop.Find(h.state().taskbarWindow)->visible, !shown);
    EXPECT_EQ(h.state().savedForeground, shown ? before : kNoWindow);
  }
}

TEST(TimerTest, EveryCycleEndsWithTheCaptureClearedSoTheNextOneGivesTheForegroundBack) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.Start();
  const WindowHandle browser = h.desktop.AddWindow("browser", {0, 0, 800, 600});
  const WindowHandle closed = h.desktop.AddWindow("closed", {0, 0, 800, 600});
  h.desktop.CloseWindow(closed);
  // A trigger-window show captures nothing; a captured window may be closed
  // by the end of its cycle.
  for (const WindowHandle captured : {kCapturedNothing, closed}) {
    h.state().savedForeground = captured;
    h.app.OnTimer();
    EXPECT_EQ(h.state().savedForeground, kNoWindow);

    const WindowHandle editor = h.desktop.AddWindow("editor", {0, 0, 400, 300}, false);
    h.Hold(0, TopMiddle, editor);
    h.desktop.SetForeground(browser);
    h.desktop.SetPointer({960, 0});
    h.desktop.Advance(1000);
    h.app.OnTimer();
    h.desktop.Advance(1000);
    h.app.OnTimer();
    ASSERT_TRUE(h.state().At(0, TopMiddle).cycle.IsShown());
    h.state().At(0, TopMiddle).cycle.PutAway(h.desktop.Tick());
    h.app.OnTimer();
    EXPECT_EQ(h.desktop.Foreground(), browser);
  }
}

TEST(TrayNotifyTest, ClicksReachTheMainWindowAndTheMenu) {
  AppHarness h;
  const WindowHandle main = h.Start();
  h.desktop.ResetCalls();

  h.app.OnTrayNotify(1, tray_mouse::kLeftButtonUp);
  EXPECT_EQ(h.desktop.Log(), (std::vector<std::string>{"SetForegroundWindow main"}));
  EXPECT_EQ(h.desktop.Foreground(), main);

  h.app.OnTrayNotify(1, tray_mouse::kRightButtonUp);
  EXPECT_EQ(h.windows.menusShown, 1);

  h.app.OnTrayNotify(2, tray_mouse::kRightButtonUp);
  h.app.OnTrayNotify(1, 0x0204);  // right button down
  EXPECT_EQ(h.windows.menusShown, 1);
  EXPECT_EQ(h.desktop.Log().size(), 1u);
}

TEST(CommandTest, ExitPostsClose) {
  AppHarness h;
  h.Start();
  h.app.OnCommand(command_id::kExit);
  EXPECT_EQ(h.shell.CloseRequests(), 1);
}

TEST(CommandTest, TriggerItemsToggleTheirFlagAndRewriteTheSection) {
  struct Case {
    std::uint16_t id;
    std::int32_t Settings::*field;
    std::int32_t initial;
  };
  const Case cases[] = {
      {command_id::kTriggerEnable, &Settings::triggerEnabled, 0},
      {command_id::kTriggerCtrl, &Settings::triggerCtrl, 1},
      {command_id::kTriggerShift, &Settings::triggerShift, 0},
      {command_id::kTriggerAlt, &Settings::triggerAlt, 0},
  };
  for (const Case& c : cases) {
    AppHarness h;
    h.Start();
    ASSERT_EQ(h.settings().*c.field, c.initial) << c.id;

    h.app.OnCommand(c.id);
    EXPECT_EQ(h.settings().*c.field, 1 - c.initial) << c.id;
    h.app.OnCommand(c.id);
    EXPECT_EQ(h.settings().*c.field, c.initial) << c.id;

    const std::vector<std::string> section = {"TRIGGER/ENABLED", "TRIGGER/TRIGGER_CTRL", "TRIGGER/TRIGGER_SHIFT",
                                              "TRIGGER/TRIGGER_ALT", "TRIGGER/WND_WIDTH", "TRIGGER/WND_HEIGHT",
                                              "TRIGGER/WND_ALPHA"};
    std::vector<std::string> keys;
    for (const std::string& line : h.store.WriteLog()) keys.push_back(line.substr(0, line.find('=')));
    std::vector<std::string> twice = section;
    twice.insert(twice.end(), section.begin(), section.end());
    EXPECT_EQ(keys, twice) << c.id;
    EXPECT_EQ(U8(h.store.Writes()[0].value), std::to_string(c.id == command_id::kTriggerEnable ? 1 : 0))
        << "the first write carries the new ENABLED";
  }
}

TEST(CommandTest, TrayColourItemsChangeTheImageAndSaveTheColour) {
  struct Case {
    std::uint16_t id;
    bool paused, showAll;
    int image;
    const char* saved;
  };
  const Case cases[] = {
      {command_id::kTrayColorNormal, false, false, 101, "OPTION/TRAY_ICON_COLOR=0"},
      {command_id::kTrayColorWhite, false, false, 105, "OPTION/TRAY_ICON_COLOR=1"},
      {command_id::kTrayColorBlack, false, false, 106, "OPTION/TRAY_ICON_COLOR=2"},
      {command_id::kTrayColorWhite, true, false, 107, "OPTION/TRAY_ICON_COLOR=1"},
      {command_id::kTrayColorBlack, true, false, 107, "OPTION/TRAY_ICON_COLOR=2"},
      {command_id::kTrayColorNormal, true, false, 103, "OPTION/TRAY_ICON_COLOR=0"},
      {command_id::kTrayColorBlack, true, true, 108, "OPTION/TRAY_ICON_COLOR=2"},
      {command_id::kTrayColorNormal, false, true, 104, "OPTION/TRAY_ICON_COLOR=0"},
  };
  for (const Case& c : cases) {
    AppHarness h;
    h.Start();
    h.state().paused = c.paused;
    h.state().showAllActive = c.showAll;
    h.shell.ClearLog();
    h.app.OnCommand(c.id);
    EXPECT_EQ(h.shell.Log(), (std::vector<std::string>{"Modify icon=" + std::to_string(c.image)})) << c.id;
    EXPECT_EQ(h.store.WriteLog(), (std::vector<std::string>{c.saved})) << c.id;
    EXPECT_EQ(h.settings().trayIconColor, c.id - command_id::kTrayColorNormal);
  }
}

TEST(CommandTest, ModalGuardBlocksOnlyTheDialogCommands) {
  const std::uint16_t blocked[] = {1003, 1004, 1005, 1014, 1041, 1047, 1300, 1301};
  for (std::uint16_t id : blocked) {
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.AddMonitor({1920, 0, 3200, 1024});
    h.Start();
    h.state().modalBusy = true;
    h.shell.ClearLog();
    h.desktop.ResetCalls();
    h.windows.log.clear();
    h.app.OnCommand(id);
    EXPECT_TRUE(h.shell.Log().empty()) << id;
    EXPECT_TRUE(h.store.Writes().empty()) << id;
    EXPECT_EQ(h.desktop.TotalCalls(), 0) << id;
    EXPECT_EQ(h.windows.menusShown, 0) << id;
    EXPECT_TRUE(h.windows.log.empty()) << id;
    EXPECT_TRUE(h.state().modalBusy) << id;

    // Without a dialog open the same command opens its own.
    h.state().modalBusy = false;
    h.app.OnCommand(id);
    EXPECT_FALSE(h.windows.log.empty()) << id << " opened nothing";
  }

  // Commands that are not dialogs pass while a dialog is open.
  AppHarness h;
  h.Start();
  h.state().modalBusy = true;
  h.app.OnCommand(command_id::kTriggerCtrl);
  EXPECT_EQ(h.settings().triggerCtrl, 0);
  h.app.OnCommand(command_id::kTrayColorBlack);
  EXPECT_EQ(h.settings().trayIconColor, 2);
  h.app.OnCommand(command_id::kExit);
  EXPECT_EQ(h.shell.CloseRequests(), 1);
  EXPECT_TRUE(h.state().modalBusy);
}

TEST(CommandTest, UnknownIdentifiersChangeNothing) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.Start();
  h.shell.ClearLog();
  h.desktop.ResetCalls();
  for (std::uint16_t id : {0, 1000, 1006, 1013, 1019, 1036, 1048, 1099, 1106, 1210, 1299, 1301, 6144, 65535}) {
    h.app.OnCommand(id);
  }
  EXPECT_TRUE(h.shell.Log().empty());
  EXPECT_TRUE(h.store.Writes().empty());
  EXPECT_EQ(h.desktop.TotalCalls(), 0);
}

TEST(ShutdownTest, RegisteredWindowsComeBackTheTaskbarShowsAndTheIconGoes) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.AddMonitor({1920, 0, 3200, 1024});
  const WindowHandle taskbar = h.desktop.AddWindow("taskbar", u"Shell_TrayWnd", u"");
  const WindowHandle start = h.desktop.AddWindow("start", u"Button", u"スタート");
  h.Start();
  FakeWindow hiddenTopmost;
  hiddenTopmost.name = "editor";
  hiddenTopmost.visible = false;
  hiddenTopmost.topmost = true;
  const WindowHandle editor = h.desktop.AddWindow(hiddenTopmost);
  const WindowHandle notes = h.desktop.AddWindow("notes", {0, 0, 300, 300}, false);
  h.Hold(0, 0, editor);
  h.Hold(1, 8, editor);
  h.Hold(1, 15, notes);
  h.app.TaskbarHiding().HideTaskbar();
  h.desktop.ResetCalls();
  h.shell.ClearLog();

  h.app.Shutdown();

  EXPECT_EQ(h.desktop.Log(), (std::vector<std::string>{
                                 "PlaceWindow editor NotTopmost show async",
                                 "PlaceWindow editor NotTopmost show async",
                                 "PlaceWindow notes NotTopmost show async",
                                 "ShowWindow taskbar Show",
                                 "ShowWindow start Show",
                             }));
  for (WindowHandle w : {editor, notes, taskbar, start}) EXPECT_TRUE(h.desktop.Find(w)->visible) << w;
  EXPECT_FALSE(h.desktop.Find(editor)->topmost);
  EXPECT_EQ(h.shell.Log(), (std::vector<std::string>{"Delete"}));
  EXPECT_FALSE(h.shell.IconPresent());
  EXPECT_EQ(h.RegisteredAt(1, 8), editor) << "the records stay";
}

TEST(ShutdownTest, WithoutATaskbarOnlyTheWindowsAndTheIcon) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.Start();
  const WindowHandle editor = h.desktop.AddWindow("editor", {0, 0, 300, 300}, false);
  h.Hold(0, 3, editor);
  h.desktop.ResetCalls();
  h.app.Shutdown();
  EXPECT_EQ(h.desktop.Log(), (std::vector<std::string>{"PlaceWindow editor NotTopmost show async"}));
  EXPECT_FALSE(h.shell.IconPresent());
}

}  // namespace
}  // namespace peekbar

namespace peekbar {
namespace {

TEST(ProfileRename, ConfirmedNameIsStoredAndEveryProfileFileWritten) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.Start();
  h.windows.profileName = u"";  // emptied: the default name comes back
  h.app.OnCommand(command_id::kProfileRename);
  EXPECT_EQ(U8(h.state().profiles.names[0].View()), "プロファイル_0");
  EXPECT_EQ(h.store.Get(ProfileIni(9), u"PROFILE", u"NAME"), std::u16string(u"プロファイル_9"));
  h.windows.profileName = u"仕事用";
  h.app.OnCommand(command_id::kProfileRename);
  EXPECT_EQ(h.store.Get(ProfileIni(0), u"PROFILE", u"NAME"), std::u16string(u"仕事用"));
  EXPECT_FALSE(h.state().modalBusy);
}

TEST(StartupShortcut, CreatedWithTheDelayRemovedWhenPresentAbandonedOnCancel) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.Start();
  const std::u16string link = u"C:\\Users\\tester\\Startup\\Peekbar.lnk";
  h.app.OnCommand(command_id::kStartupShortcut);  // cancelled
  EXPECT_TRUE(h.shell.Shortcuts().empty());
  h.windows.startupDelay = 30;
  h.app.OnCommand(command_id::kStartupShortcut);
  ASSERT_EQ(h.shell.Shortcuts().size(), 1u);
  EXPECT_EQ(h.shell.Shortcuts()[0].linkPath, link);
  EXPECT_EQ(h.shell.Shortcuts()[0].target, u"C:\\Tools\\Peekbar\\Peekbar.exe");
  EXPECT_EQ(h.shell.Shortcuts()[0].arguments, u"30");
  EXPECT_EQ(h.shell.Shortcuts()[0].workingDirectory, u"C:\\Tools\\Peekbar\\");
  h.app.OnCommand(command_id::kStartupShortcut);  // present: removed without asking
  EXPECT_FALSE(h.shell.FileExists(link));
  h.windows.startupDelay = 0;
  h.app.OnCommand(command_id::kStartupShortcut);
  EXPECT_EQ(h.shell.Shortcuts().back().arguments, u"");
}

}  // namespace
}  // namespace peekbar
