// Finding, hiding and showing the shell's taskbar, and the end of a show
// cycle that gives the foreground back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/engine/taskbar.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_journal_store.h"

namespace peekbar {
namespace {

struct TaskbarFixture : ::testing::Test {
  AppState state;
  FakeDesktop desktop;
  FakeJournalStore store;
  RecoveryJournal journal{state, desktop, store};
  Taskbar taskbar{state, desktop, journal};

  WindowHandle Add(const char* name, std::u16string_view className, std::u16string_view title) {
    FakeWindow w;
    w.name = name;
    w.className = std::u16string(className);
    w.title = std::u16string(title);
    return desktop.AddWindow(w);
  }
};

TEST_F(TaskbarFixture, StartButtonPrefersTheJapaneseCaption) {
  const WindowHandle tray = Add("taskbar", u"Shell_TrayWnd", u"");
  Add("ok", u"Button", u"OK");
  const WindowHandle japanese = Add("スタート", u"Button", u"スタート");
  Add("english", u"Button", u"Start");  // higher in the z-order than the Japanese one
  taskbar.FindTaskbarWindows();
  EXPECT_EQ(state.taskbarWindow, tray);
  EXPECT_EQ(state.startButtonWindow, japanese);
}

TEST_F(TaskbarFixture, EnglishCaptionWhenThereIsNoJapaneseOne) {
  Add("ok", u"Button", u"OK");
  const WindowHandle english = Add("english", u"Button", u"Start");
  Add("not a button", u"Static", u"スタート");
  taskbar.FindTaskbarWindows();
  EXPECT_EQ(state.taskbarWindow, kNoWindow);
  EXPECT_EQ(state.startButtonWindow, english);
}

TEST_F(TaskbarFixture, NothingFoundGivesNullHandles) {
  state.taskbarWindow = 0x77;
  state.startButtonWindow = 0x78;
  Add("ok", u"Button", u"OK");
  taskbar.FindTaskbarWindows();
  EXPECT_EQ(state.taskbarWindow, kNoWindow);
  EXPECT_EQ(state.startButtonWindow, kNoWindow);
}

TEST_F(TaskbarFixture, HideAndShowBothWindowsOrOnlyTheTaskbar) {
  state.taskbarWindow = Add("taskbar", u"Shell_TrayWnd", u"");
  state.startButtonWindow = Add("start", u"Button", u"Start");
  taskbar.HideTaskbar();
  taskbar.ShowTaskbar();
  state.startButtonWindow = kNoWindow;
  taskbar.HideTaskbar();
  EXPECT_EQ(desktop.Log(), (std::vector<std::string>{"ShowWindow taskbar Hide", "ShowWindow start Hide",
                                                     "ShowWindow taskbar Show", "ShowWindow start Show",
                                                     "ShowWindow taskbar Hide"}));

  desktop.ResetCalls();
  state.taskbarWindow = kNoWindow;
  state.startButtonWindow = Add("start2", u"Button", u"Start");
  taskbar.HideTaskbar();
  taskbar.ShowTaskbar();
  EXPECT_TRUE(desktop.Log().empty()) << "without a taskbar the Start button is left alone";
}

// Each monitor has its taskbar; only those Peekbar hid are shown again.
TEST_F(TaskbarFixture, OtherMonitorsTaskbarsAreHiddenAndShownAgainAsTheMainOne) {
  state.settings.hideTaskbar = 1;
  Add("taskbar", u"Shell_TrayWnd", u"");
  const WindowHandle second = Add("second", u"Shell_SecondaryTrayWnd", u"");
  const WindowHandle third = Add("third", u"Shell_SecondaryTrayWnd", u"");
  desktop.Find(third)->visible = false;  // kept hidden by its shell
  taskbar.FindTaskbarWindows();

  taskbar.HideTaskbar();
  taskbar.HideTaskbar();  // a second window comes up in the same cycle
  EXPECT_FALSE(desktop.Find(second)->visible);
  ASSERT_EQ(journal.HiddenTaskbars().size(), 1u);
  EXPECT_EQ(journal.HiddenTaskbars()[0].window, second);

  taskbar.RestoreAfterShowCycle();
  EXPECT_TRUE(desktop.Find(second)->visible);
  EXPECT_FALSE(desktop.Find(third)->visible) << "not Peekbar's to show";
  EXPECT_TRUE(journal.HiddenTaskbars().empty());
}

TEST_F(TaskbarFixture, EndOfShowCycleRules) {
  enum class Saved { Null, One, VisibleWindow, HiddenWindow, ClosedWindow };
  // Who hid the taskbar before the cycle ends; its own shell may keep it
  // hidden for good (Wine without a virtual desktop does).
  enum class Hidden { No, ByPeekbar, ByItsShell };
  struct Case {
    const char* what;
    Hidden hidden;
    Saved saved;
    std::vector<std::string> log;
  };
  const std::vector<Case> cases = {
      {"nothing captured", Hidden::ByPeekbar, Saved::Null, {"ShowWindow taskbar Show", "ShowWindow start Show"}},
      {"captured nothing", Hidden::ByPeekbar, Saved::One, {"ShowWindow taskbar Show", "ShowWindow start Show"}},
      {"foreground returned", Hidden::ByPeekbar, Saved::VisibleWindow,
       {"ShowWindow taskbar Show", "ShowWindow start Show", "SetForegroundLockTimeout 0", "SetForegroundWindow browser",
        "SetForegroundLockTimeout 200000"}},
      {"previous window hidden meanwhile", Hidden::ByPeekbar, Saved::HiddenWindow,
       {"ShowWindow taskbar Show", "ShowWindow start Show"}},
      {"previous window closed meanwhile", Hidden::No, Saved::ClosedWindow, {}},
      {"taskbar already visible", Hidden::No, Saved::VisibleWindow,
       {"SetForegroundLockTimeout 0", "SetForegroundWindow browser", "SetForegroundLockTimeout 200000"}},
      {"a taskbar its shell keeps hidden is neither hidden nor shown", Hidden::ByItsShell, Saved::VisibleWindow,
       {"SetForegroundLockTimeout 0", "SetForegroundWindow browser", "SetForegroundLockTimeout 200000"}},
      {"nothing to do", Hidden::No, Saved::One, {}},
  };
  for (const Case& c : cases) {
    AppState s;
    FakeDesktop d;
    FakeJournalStore store;
    RecoveryJournal journal{s, d, store};
    Taskbar t{s, d, journal};
    s.settings.hideTaskbar = 1;
    s.taskbarWindow = d.AddWindow("taskbar", u"Shell_TrayWnd", u"");
    s.startButtonWindow = d.AddWindow("start", u"Button", u"Start");
    if (c.hidden == Hidden::ByItsShell) {
      d.Find(s.taskbarWindow)->visible = false;
      d.Find(s.startButtonWindow)->visible = false;
    }
    if (c.hidden != Hidden::No) t.HideTaskbar();
    if (c.hidden == Hidden::ByPeekbar) d.ResetCalls();
    const WindowHandle browser = d.AddWindow("browser", {0, 0, 800, 600});
    switch (c.saved) {
      case Saved::Null: s.savedForeground = kNoWindow; break;
      case Saved::One: s.savedForeground = kCapturedNothing; break;
      case Saved::VisibleWindow: s.savedForeground = browser; break;
      case Saved::HiddenWindow:
        s.savedForeground = browser;
        d.Find(browser)->visible = false;
        break;
      case Saved::ClosedWindow:
        s.savedForeground = browser;
        d.CloseWindow(browser);
        break;
    }
    t.RestoreAfterShowCycle();

    EXPECT_EQ(d.Log(), c.log) << c.what;
    EXPECT_EQ(s.savedForeground, kNoWindow) << c.what << ": the next cycle captures anew";
    if (c.saved == Saved::VisibleWindow) {
      EXPECT_EQ(d.Foreground(), browser) << c.what;
    }
    EXPECT_EQ(d.Find(s.taskbarWindow)->visible, c.hidden != Hidden::ByItsShell) << c.what;
    EXPECT_FALSE(journal.TaskbarHidden()) << c.what;
  }
}

TEST_F(TaskbarFixture, EndOfShowCycleWithoutAStartButton) {
  state.settings.hideTaskbar = 1;
  state.taskbarWindow = Add("taskbar", u"Shell_TrayWnd", u"");
  taskbar.HideTaskbar();
  desktop.ResetCalls();
  taskbar.RestoreAfterShowCycle();
  EXPECT_EQ(desktop.Log(), (std::vector<std::string>{"ShowWindow taskbar Show"}));
}

}  // namespace
}  // namespace peekbar
