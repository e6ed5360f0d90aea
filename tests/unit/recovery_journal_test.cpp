// Nothing Peekbar hid is lost when it ends without its exit: the journal it
// keeps while it runs (in the user's own folder when Peekbar's cannot be
// written), what a later start gives back from it, the end of a session, a
// restarted shell and the foreground lock time-out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/scene.h"

namespace peekbar {
namespace {

constexpr std::uint32_t kEditorProcess = 31;
const std::u16string kUserFolder = u"C:\\Users\\tester\\AppData\\Local\\Peekbar\\";
const std::u16string kEndedJournal = u"C:\\Tools\\Peekbar\\tester_Peekbar_77.journal";

// A program with a taskbar, a browser in front and an editor of another
// process, registered by keyword at the middle of the top edge.
struct JournalScene : DesktopScene {
  WindowHandle taskbar = kNoWindow;
  WindowHandle browser = kNoWindow;
  WindowHandle editor = kNoWindow;

  JournalScene() {
    taskbar = h.desktop.AddWindow("taskbar", u"Shell_TrayWnd", u"");
    browser = h.desktop.AddWindow("browser", {300, 300, 1100, 900});
    h.desktop.SetForeground(browser);
    FakeWindow w;
    w.name = "editor";
    w.className = u"Editor";
    w.title = u"notes.txt - editor";
    w.rect = {200, 200, 600, 500};
    w.process = kEditorProcess;
    w.thread = 3;
    editor = h.desktop.AddWindow(w);
    h.store.Set(ProfileIni(0), u"MONITOR_0", u"KEYWORD_2", u"*editor*");
  }

  // Rests the pointer on the top edge until the editor is up, visits it
  // and leaves it again until it is hidden.
  void ShowAndHide() {
    h.desktop.SetPointer({960, 0});
    for (int i = 0; i < 10 && !Visible(editor); ++i) Tick();
    ASSERT_TRUE(Visible(editor));
    h.desktop.SetPointer(h.desktop.Find(editor)->rect.left + 5, h.desktop.Find(editor)->rect.top + 5);
    Tick();
    h.desktop.SetPointer(960, 700);
    for (int i = 0; i < 10 && Visible(editor); ++i) Tick();
    ASSERT_FALSE(Visible(editor));
  }
};

std::vector<WindowHandle> Listed(const JournalRecord& record) {
  std::vector<WindowHandle> windows;
  for (const JournalWindow& w : record.windows) windows.push_back(w.window);
  return windows;
}

TEST(JournalTest, WrittenBeforeAWindowIsHiddenAndOnlyWhenWhatItListsChanges) {
  JournalScene s;
  s.h.store.SetInt(ProfileIni(0), u"OPTION", u"HIDE_TASKBAR", 1);
  s.h.Start();
  ASSERT_FALSE(s.Visible(s.editor));
  const JournalRecord started = s.h.journal.Own();
  EXPECT_EQ(started.owner, 4000u);
  EXPECT_EQ(s.h.journal.OwnPath(), u"C:\\Tools\\Peekbar\\tester_Peekbar_DESK_1_4000.journal");
  ASSERT_EQ(started.windows.size(), 1u);
  EXPECT_EQ(started.windows[0], (JournalWindow{s.editor, kEditorProcess, u"Editor"}));

  // By hand, at a second location: in the journal before it disappears.
  const WindowHandle other = s.h.desktop.AddWindow("other", {0, 0, 300, 200});
  bool listedWhileVisible = false;
  s.h.journal.OnWrite([&] { listedWhileVisible = s.Visible(other); });
  s.h.app.Registration().Register(0, 10, other);
  EXPECT_TRUE(listedWhileVisible);
  EXPECT_FALSE(s.Visible(other));
  EXPECT_EQ(Listed(s.h.journal.Own()), (std::vector<WindowHandle>{s.editor, other}));
  s.h.journal.OnWrite(nullptr);

  // Ticks write nothing; a show cycle writes only the taskbar, twice.
  const int writes = s.h.journal.Writes();
  for (int i = 0; i < 50; ++i) s.Tick();
  EXPECT_EQ(s.h.journal.Writes(), writes);
  bool taskbarListedWhileVisible = false;
  s.h.journal.OnWrite([&] { taskbarListedWhileVisible = taskbarListedWhileVisible || s.Visible(s.taskbar); });
  s.ShowAndHide();
  EXPECT_TRUE(taskbarListedWhileVisible) << "hidden before it was written down";
  EXPECT_EQ(s.h.journal.Writes(), writes + 2);
  EXPECT_FALSE(s.h.journal.Own().taskbarHidden);
  s.h.journal.OnWrite(nullptr);

  // Registrations dropped take their windows off the list.
  s.h.app.Registration().Unregister(0, 10);
  EXPECT_EQ(Listed(s.h.journal.Own()), (std::vector<WindowHandle>{s.editor}));
  s.h.app.OnCommand(command_id::kUnregisterAll);
  EXPECT_TRUE(s.h.journal.Own().windows.empty());
  s.h.app.OnCommand(command_id::kApplyAllKeywords);
  EXPECT_EQ(Listed(s.h.journal.Own()), (std::vector<WindowHandle>{s.editor}));
  // Closed by its program: off the list at the tick that drops it, before
  // its handle can name another program's window.
  s.h.desktop.CloseWindow(s.editor);
  s.Tick();
  EXPECT_TRUE(s.h.journal.Own().windows.empty());

  // A clean exit leaves no journal.
  s.h.app.Shutdown();
  EXPECT_TRUE(s.h.journal.Files().empty());
}

TEST(JournalRecoveryTest, OnlyJournalsOfEndedInstancesAndOnlyWindowsThatAreStillTheSame) {
  JournalScene s;
  FakeDesktop& d = s.h.desktop;
  const auto hidden = [&](const char* name, std::u16string className, std::uint32_t process) {
    FakeWindow w;
    w.name = name;
    w.className = std::move(className);
    w.process = process;
    w.visible = false;
    return d.AddWindow(w);
  };
  const WindowHandle same = hidden("same", u"Editor", 31);
  const WindowHandle closed = hidden("closed", u"Editor", 31);
  const WindowHandle reusedByProcess = hidden("reused old", u"Editor", 31);
  const WindowHandle reusedByClass = hidden("reused old class", u"Editor", 31);
  const WindowHandle ofRunning = hidden("of a running instance", u"Editor", 31);
  const WindowHandle secondTaskbar = hidden("second taskbar", u"Shell_SecondaryTrayWnd", 31);
  const JournalRecord ended{77, true,
                            {{same, 31, u"Editor"},
                             {closed, 31, u"Editor"},
                             {reusedByProcess, 31, u"Editor"},
                             {reusedByClass, 31, u"Editor"}},
                            std::nullopt, {},
                            {{secondTaskbar, 31, u"Shell_SecondaryTrayWnd"}, {closed, 31, u"Shell_SecondaryTrayWnd"}},
                            {},
                            false};
  const JournalRecord running{78, false, {{ofRunning, 31, u"Editor"}}, std::nullopt, {}, {}, {}, false};
  const std::u16string runningPath = u"C:\\Tools\\Peekbar\\tester_Peekbar_78.journal";
  const std::u16string otherUser = u"C:\\Tools\\Peekbar\\someone_Peekbar_79.journal";
  // Kept in the user's own folder by an instance whose folder was not writable.
  const WindowHandle elsewhere = hidden("elsewhere", u"Editor", 31);
  const std::u16string userFolderPath = kUserFolder + u"tester_Peekbar_DESK_1_80.journal";
  // The same account on another computer (Peekbar run from a share), or in
  // another session of this one: its handles name windows this seat cannot see.
  const std::u16string otherComputer = u"C:\\Tools\\Peekbar\\tester_Peekbar_LAPTOP_1_81.journal";
  const std::u16string otherSession = u"C:\\Tools\\Peekbar\\tester_Peekbar_DESK_2_82.journal";
  const JournalRecord ofAnotherSeat{81, true, {{same, 31, u"Editor"}}, 300, {}, {}, {}, false};
  s.h.journal.AddFile(otherComputer, ofAnotherSeat, false);
  s.h.journal.AddFile(otherSession, ofAnotherSeat, false);
  s.h.journal.AddFile(kEndedJournal, ended, false);
  s.h.journal.AddFile(runningPath, running, true);
  s.h.journal.AddFile(otherUser, running, false);
  s.h.journal.AddFile(userFolderPath, {80, false, {{elsewhere, 31, u"Editor"}}, std::nullopt, {}, {}, {}, false}, false);
  d.CloseWindow(closed);
  d.CloseWindow(reusedByProcess);
  d.CloseWindow(reusedByClass);
  FakeWindow another;
  another.name = "another program's";
  another.className = u"Editor";
  another.process = 55;
  another.visible = false;
  ASSERT_EQ(d.AddWindowWithHandle(reusedByProcess, another), reusedByProcess);
  another.name = "another class";
  another.className = u"Dialog";
  another.process = 31;
  ASSERT_EQ(d.AddWindowWithHandle(reusedByClass, another), reusedByClass);
  d.Find(s.taskbar)->visible = false;

  // A refused start recovers nothing.
  s.h.store.SetInt(ProfileIni(0), u"OPTION", u"MULTIPLE_STARTUP", 1);
  d.ResetCalls();
  ASSERT_TRUE(s.h.app.PrepareStartup(true));
  EXPECT_TRUE(d.Log().empty());
  EXPECT_EQ(s.h.journal.Files().size(), 6u);

  s.h.store.SetInt(ProfileIni(0), u"OPTION", u"MULTIPLE_STARTUP", 0);
  ASSERT_FALSE(s.h.app.PrepareStartup(true));
  EXPECT_EQ(d.Log(),
            (std::vector<std::string>{"PlaceWindow same NotTopmost show async",
                                      "PlaceWindow elsewhere NotTopmost show async", "ShowWindowAsync taskbar Show",
                                      "ShowWindowAsync second taskbar Show"}));
  EXPECT_FALSE(d.Find(ofRunning)->visible);
  EXPECT_EQ(s.h.journal.Files().count(kEndedJournal), 0u);
  EXPECT_EQ(s.h.journal.Files().count(userFolderPath), 0u);
  EXPECT_EQ(s.h.journal.Files().count(runningPath), 1u);
  EXPECT_EQ(s.h.journal.Files().count(otherUser), 1u) << "another user's windows are not ours to give back";
  EXPECT_EQ(s.h.journal.Files().count(otherComputer), 1u);
  EXPECT_EQ(s.h.journal.Files().count(otherSession), 1u);
}

// A window given back without waiting may take a moment to come up; the
// keywords that follow find only visible windows.
TEST(JournalRecoveryTest, GivenBackWindowsAreWaitedForTogetherAtMostTwoSeconds) {
  for (const bool comesUp : {true, false}) {
    JournalScene s;
    FakeDesktop& d = s.h.desktop;
    JournalRecord record{77, false, {}, std::nullopt, {}, {}, {}, false};
    std::vector<WindowHandle> slow;
    for (int i = 0; i < 3; ++i) {
      FakeWindow w;
      w.visible = false;
      w.asyncShowPending = true;
      slow.push_back(d.AddWindow(w));
      record.windows.push_back({slow.back(), w.process, w.className});
    }
    s.h.journal.AddFile(kEndedJournal, record, false);
    int pauses = 0;
    d.OnPause([&] {
      if (comesUp && ++pauses == 3) {
        for (const WindowHandle w : slow) d.Find(w)->visible = true;
      }
    });
    s.h.app.PrepareStartup(false);
    EXPECT_EQ(d.Calls(DesktopMethod::Pause), comesUp ? 3 : 40) << comesUp;
  }
}

TEST(JournalFormatTest, ReadsBackWhatItWroteAndWhatIsLeftOfACutJournal) {
  const JournalRecord record{4242, true,
                             {{0x10086, 31, u"Notepad"},
                              {0xFFFFFFF0, 4294967295u, u"a\\b\nc\rd メモ帳"},
                              {0x200, 7, u""}},
                             4294967295u,
                             {},
                             {{0x300, 8, u"Shell_SecondaryTrayWnd"}},
                             {{0x10086, 0x200}},
                             true};
  const std::u16string text = FormatJournal(record);
  EXPECT_EQ(ParseJournal(text), record);

  // Cut in the middle of the last line: the whole lines before it count.
  const std::u16string cut = text.substr(0, text.size() - 5);
  const JournalRecord partial = ParseJournal(cut);
  EXPECT_EQ(partial.owner, 4242u);
  EXPECT_TRUE(partial.taskbarHidden);
  ASSERT_EQ(partial.windows.size(), 3u);
  EXPECT_EQ(partial.windows[1].className, u"a\\b\nc\rd メモ帳");

  // Lines it does not understand are skipped.
  const JournalRecord odd = ParseJournal(
      u"owner x\nwindow 0 1 Zero\nwindow 12 Notepad\nwindow 99999999999999999999 1 Big\nwindow 12 3 Ok\ntaskbar on\n");
  EXPECT_EQ(odd, (JournalRecord{0, false, {{12, 3, u"Ok"}}, std::nullopt, {}, {}, {}, false}));

  // An older build wrote no lock time-out. The line this build adds starts
  // with no word an older reader knows, so that reader skips it.
  const JournalRecord older = ParseJournal(u"Peekbar journal\r\nowner 9\r\ntaskbar hidden\r\nwindow 12 3 Ok\r\n");
  EXPECT_EQ(older, (JournalRecord{9, true, {{12, 3, u"Ok"}}, std::nullopt, {}, {}, {}, false}));
  EXPECT_NE(text.find(u"\r\nforeground-lock-timeout 4294967295\r\n"), std::u16string::npos);
}

TEST(EndSessionTest, EndingSessionGivesEverythingBackAndClosesACancelledOneChangesNothing) {
  for (const bool ending : {false, true}) {
    JournalScene s;
    s.h.store.SetInt(ProfileIni(0), u"OPTION", u"HIDE_TASKBAR", 1);
    s.h.store.SetInt(ProfileIni(0), u"OPTION", u"TOPMOST", 1);
    s.h.Start();
    s.h.desktop.SetPointer({960, 0});
    for (int i = 0; i < 10 && !s.Visible(s.editor); ++i) s.Tick();
    ASSERT_TRUE(s.h.desktop.Find(s.editor)->topmost);
    s.h.shell.ClearLog();

    s.h.app.OnEndSession(ending);
    if (!ending) {
      EXPECT_TRUE(s.h.shell.Log().empty());
      EXPECT_FALSE(s.Visible(s.taskbar));
      continue;
    }
    EXPECT_TRUE(s.Visible(s.editor));
    EXPECT_FALSE(s.h.desktop.Find(s.editor)->topmost);
    EXPECT_TRUE(s.Visible(s.taskbar));
    EXPECT_EQ(s.h.shell.Log(), (std::vector<std::string>{"StopTimer", "PostClose"}));
    // The journal goes with the real exit, not before it, and says that
    // nothing is left for the guardian to give back.
    EXPECT_TRUE(s.h.journal.Own().sessionEnded);
    s.h.app.Shutdown();
    EXPECT_TRUE(s.h.journal.Files().empty());
  }
}

// After the shell restarted, its taskbar is found again; a stored handle
// whose value now names some other window is never hidden or shown.
TEST(ShellRestartTest, NewTaskbarIsFoundAndAReusedHandleIsLeftAlone) {
  JournalScene s;
  s.h.store.SetInt(ProfileIni(0), u"OPTION", u"HIDE_TASKBAR", 1);
  s.h.Start();
  FakeDesktop& d = s.h.desktop;
  const WindowHandle old = s.taskbar;
  d.CloseWindow(old);
  FakeWindow reuse;
  reuse.name = "reuse";
  reuse.className = u"SomeoneElse";
  ASSERT_EQ(d.AddWindowWithHandle(old, reuse), old);
  const WindowHandle restarted = d.AddWindow("new taskbar", u"Shell_TrayWnd", u"");

  // Not announced: the show finds the stale handle out by its class.
  d.SetPointer({960, 0});
  for (int i = 0; i < 10 && !s.Visible(s.editor); ++i) s.Tick();
  EXPECT_TRUE(s.Visible(old));
  EXPECT_FALSE(s.Visible(restarted));
  EXPECT_EQ(s.h.state().taskbarWindow, restarted);

  // Announced: the handle is looked up at once.
  d.CloseWindow(restarted);
  const WindowHandle third = d.AddWindow("third taskbar", u"Shell_TrayWnd", u"");
  s.h.app.OnTaskbarCreated();
  EXPECT_EQ(s.h.state().taskbarWindow, third);
  EXPECT_FALSE(s.h.journal.Own().taskbarHidden) << "the new shell shows its own taskbar";
}

// A crash or a kill may strike between any two calls of a show: at each of
// them the user's foreground lock time-out is either in place or written
// down (in the journal and in what a crash gives back), and the next start
// puts back what the journal of a killed instance recorded.
TEST(LockTimeoutTest, UsersValueIsInPlaceOrWrittenDownAtEveryMomentOfAShowCycle) {
  JournalScene s;
  s.h.Start();
  // Changed by the user while Peekbar runs: a show reads it afresh.
  constexpr std::uint32_t kUsers = 150000;
  s.h.desktop.SetForegroundLockTimeout(kUsers);
  std::vector<std::string> lost;
  std::optional<JournalRecord> killedWhileLowered;
  s.h.desktop.OnCall([&](DesktopMethod method, WindowHandle window) {
    if (s.h.desktop.LockTimeout() == kUsers) return;
    if (method == DesktopMethod::SetForegroundWindow) killedWhileLowered = s.h.journal.Own();
    if (s.h.journal.Own().lockTimeout != kUsers || s.h.journal.LastWritten().lockTimeout != kUsers) {
      lost.push_back(std::string(DesktopMethodName(method)) + " " + s.h.desktop.NameOf(window));
    }
  });
  s.ShowAndHide();
  s.h.desktop.OnCall(nullptr);
  EXPECT_TRUE(lost.empty()) << "lost at " << testing::PrintToString(lost);
  EXPECT_EQ(s.h.desktop.LockTimeout(), kUsers);
  ASSERT_TRUE(killedWhileLowered) << "never lowered";

  JournalScene next;
  next.h.desktop.SetForegroundLockTimeout(0);
  next.h.journal.AddFile(kEndedJournal, *killedWhileLowered, false);
  next.h.app.PrepareStartup(false);
  EXPECT_EQ(next.h.desktop.LockTimeout(), kUsers);
  EXPECT_EQ(next.h.journal.Own().lockTimeout, kUsers);
}

// Put back only what was left lowered: a value set since stays, and a
// journal without one (an older build's) changes nothing.
TEST(LockTimeoutTest, PutBackOnlyOverZero) {
  EXPECT_EQ(LockTimeoutToPutBack(150000, 0), std::optional<std::uint32_t>(150000));
  EXPECT_EQ(LockTimeoutToPutBack(150000, 5000), std::nullopt);
  EXPECT_EQ(LockTimeoutToPutBack(std::nullopt, 0), std::nullopt);
  EXPECT_EQ(LockTimeoutToPutBack(0, 0), std::nullopt);
}

// Peekbar.exe in a folder the user may not write: the journal is kept in the
// user's own folder, or nowhere, and the user hears of it once.
TEST(JournalFolderTest, KeptInTheUsersFolderWhenPeekbarsCannotBeWrittenAndTheUserIsToldOnce) {
  struct Case {
    const char* what;
    bool peekbarsRefused;
    bool usersRefused;
    std::u16string path;    // where the journal is; empty: nowhere
    std::u16string notice;  // the one balloon about it; empty: none
    std::uint32_t icon;
  };
  const std::u16string bothFolders = u"C:\\Tools\\Peekbar\nC:\\Users\\tester\\AppData\\Local\\Peekbar";
  const Case cases[] = {
      {"writable", false, false, u"C:\\Tools\\Peekbar\\tester_Peekbar_DESK_1_4000.journal", u"", 0},
      {"Peekbar's folder refused", true, false, kUserFolder + u"tester_Peekbar_DESK_1_4000.journal",
       std::u16string(kJournalMovedMessage) + u"C:\\Users\\tester\\AppData\\Local\\Peekbar", kBalloonInfo},
      {"both refused", true, true, u"", std::u16string(kJournalFailedMessage) + bothFolders, kBalloonError},
  };
  for (const Case& c : cases) {
    JournalScene s;
    if (c.peekbarsRefused) s.h.journal.RefuseFolder(u"C:\\Tools\\Peekbar\\");
    if (c.usersRefused) s.h.journal.RefuseFolder(kUserFolder);
    s.h.Start();
    s.ShowAndHide();
    s.h.app.OnCommand(command_id::kApplyAllKeywords);

    EXPECT_EQ(s.h.journal.OwnPath(), c.path) << c.what;
    std::vector<TrayIconRecord> notices;
    for (const TrayIconRecord& balloon : s.h.shell.Balloons()) {
      if (balloon.info.find(u"記録ファイル") != std::u16string::npos) notices.push_back(balloon);
    }
    if (c.notice.empty()) {
      EXPECT_TRUE(notices.empty()) << c.what;
      continue;
    }
    ASSERT_EQ(notices.size(), 1u) << c.what;
    EXPECT_EQ(U8(notices[0].info), U8(c.notice)) << c.what;
    EXPECT_EQ(notices[0].infoFlags, c.icon) << c.what;
    // Without a file the crash still gives back what the writes listed.
    EXPECT_EQ(Listed(s.h.journal.LastWritten()), (std::vector<WindowHandle>{s.editor})) << c.what;
  }
}

}  // namespace
}  // namespace peekbar
