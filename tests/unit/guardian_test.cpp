// The guardian that gives everything back the moment Peekbar ends without
// its exit: what it gives back and how, told apart from a normal exit and
// the end of a session; kept running by Peekbar; and a journal that keeps
// protecting when its file can no longer be written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/guardian.h"
#include "fakes/scene.h"

namespace peekbar {
namespace {

const std::u16string kFolder = u"C:\\Tools\\Peekbar\\";
const std::u16string kUserFolder = u"C:\\Users\\tester\\AppData\\Local\\Peekbar\\";
const std::u16string kGuarded = kFolder + u"tester_Peekbar_DESK_1_4000.journal";
const GuardedInstance kInstance{u"tester", u"DESK_1", 4000, {kFolder, kUserFolder}};
constexpr std::uint32_t kKilled = 1;

// What the instance left: an editor hidden at an edge, one docked on a
// monitor detached since with its dialog, a window closed since, the
// taskbar hidden and the lock time-out lowered. Its editor's thread hangs.
struct Ended {
  FakeDesktop d;
  FakeJournalStore store;
  WindowHandle editor, detached, dialog, taskbar;
  JournalRecord record;

  Ended() {
    d.monitors = {{u"\\\\.\\DISPLAY1", kPrimary, kDefaultDpi}};
    const auto add = [&](const char* name, Rect rect, bool hung = false) {
      FakeWindow w;
      w.name = name;
      w.rect = rect;
      w.visible = false;
      w.hung = hung;
      return d.AddWindow(w);
    };
    editor = add("editor", {0, 300, 500, 700}, true);
    detached = add("detached", {2500, 100, 3000, 500});
    dialog = add("dialog", {2600, 200, 2800, 300});
    const WindowHandle closed = add("closed", {0, 0, 10, 10});
    d.CloseWindow(closed);
    taskbar = d.AddWindow("taskbar", u"Shell_TrayWnd", u"");
    d.Find(taskbar)->visible = false;
    d.SetForegroundLockTimeout(0);
    record.owner = 4000;
    record.taskbarHidden = true;
    record.lockTimeout = 200000;
    for (const WindowHandle w : {editor, detached, closed}) record.windows.push_back({w, 20, u"FakeWindowClass"});
    record.hiddenWith = {{dialog, 20, u"FakeWindowClass"}};
    record.hiddenWithOwners = {{dialog, detached}};
    store.AddFile(kGuarded, record, false);
    d.ResetCalls();
  }
};

TEST(GuardianTest, GivesEverythingBackAtOnceOntoAMonitorPresentNowWithoutWaiting) {
  Ended e;
  // Another instance's journal, and one of another session, are not its own.
  const std::u16string another = kFolder + u"tester_Peekbar_DESK_1_4001.journal";
  const std::u16string elsewhere = kFolder + u"tester_Peekbar_DESK_2_4000.journal";
  e.store.AddFile(another, e.record, false);
  e.store.AddFile(elsewhere, e.record, false);

  EXPECT_EQ(GiveBackForEndedInstance(e.d, e.store, kInstance, kKilled), GuardianOutcome::GivenBack);
  EXPECT_EQ(e.d.Log(), (std::vector<std::string>{
                           "PlaceWindow editor NotTopmost show async",
                           "PlaceWindow detached NotTopmost move=(710,340) show async",
                           "PlaceWindow dialog NotTopmost move=(810,440) show async",
                           "ShowWindowAsync taskbar Show",
                           "SetForegroundLockTimeout 200000",
                       }));
  EXPECT_EQ(e.d.Calls(DesktopMethod::Pause), 0);
  EXPECT_EQ(e.store.Files().count(kGuarded), 0u);
  EXPECT_EQ(e.store.Files().size(), 2u);
}

TEST(GuardianTest, NormalExitCrashAndSessionEndLeaveNothingToDo) {
  for (const std::uint32_t code : {kNormalExitCode, kKilled}) {
    Ended e;
    e.store.Delete(kGuarded);  // the exit, or the crash filter, took it
    EXPECT_EQ(GiveBackForEndedInstance(e.d, e.store, kInstance, code),
              code == kNormalExitCode ? GuardianOutcome::Exited : GuardianOutcome::NothingLeft);
    EXPECT_TRUE(e.d.Log().empty());
  }
  Ended e;
  e.record.sessionEnded = true;
  e.store.AddFile(kGuarded, e.record, false);
  EXPECT_EQ(GiveBackForEndedInstance(e.d, e.store, kInstance, kKilled), GuardianOutcome::SessionEnded);
  EXPECT_TRUE(e.d.Log().empty());
  EXPECT_TRUE(e.store.Files().empty());
}

// Only a process that may take the foreground may set the lock time-out:
// the guardian leaves it to the next start, and nothing else.
TEST(GuardianTest, LockTimeoutTheSystemRefusesIsLeftForTheNextStart) {
  Ended e;
  e.d.SetLockTimeoutRefused(true);
  EXPECT_EQ(GiveBackForEndedInstance(e.d, e.store, kInstance, kKilled), GuardianOutcome::GivenBack);
  ASSERT_EQ(e.store.Files().count(kGuarded), 1u);
  e.store.EndWithoutExit();
  JournalRecord left;
  left.owner = 4000;
  left.lockTimeout = 200000;
  EXPECT_EQ(ParseJournal(e.store.Files().at(kGuarded).text), left);

  e.d.SetLockTimeoutRefused(false);
  EXPECT_EQ(GiveBackAfterEnd(e.d, std::vector<JournalRecord>{left}).windows.size(), 0u);
  EXPECT_EQ(e.d.LockTimeout(), 200000u);
}

TEST(GuardianTest, StartedWithTheProgramAndAgainWhenItEndsAtMostOnceAMinute) {
  DesktopScene s;
  s.Start();
  EXPECT_EQ(s.h.shell.GuardianStarts(), 1);
  s.Tick(5000);
  s.h.app.OnGuardianEnded();
  EXPECT_EQ(s.h.shell.GuardianStarts(), 2) << "not started again at once";

  // Ended again soon after: started a minute after it was last started again.
  s.Tick(10000);
  s.h.app.OnGuardianEnded();
  for (int i = 0; i < 49; ++i) s.Tick(1000);
  EXPECT_EQ(s.h.shell.GuardianStarts(), 2);
  s.Tick(1000);
  EXPECT_EQ(s.h.shell.GuardianStarts(), 3);

  // One that cannot be started is tried again once a minute, without a word.
  s.h.shell.SetGuardianFails(true);
  s.Tick(60000);
  s.h.app.OnGuardianEnded();
  for (int i = 0; i < 5; ++i) s.Tick(20000);
  EXPECT_EQ(s.h.shell.GuardianStarts(), 5);
  EXPECT_TRUE(s.h.shell.Boxes().empty());

  s.h.app.Shutdown();
  s.h.app.OnGuardianEnded();
  EXPECT_EQ(s.h.shell.GuardianStarts(), 5) << "started again at the exit";
}

// A journal that can no longer be written where it is (a dropped share, a
// full disk) moves to the user's folder, and the user hears it once; when
// that fails too, that it is kept nowhere, once.
TEST(JournalFaultTest, WriteThatFailsMovesTheJournalOrIsToldOnce) {
  DesktopScene s;
  const WindowHandle first = s.Add("first", u"first");
  const WindowHandle second = s.Add("second", u"second");
  const WindowHandle third = s.Add("third", u"third");
  s.Start();
  s.h.app.Registration().Register(0, 1, first);
  s.h.journal.RefuseFolder(kFolder);
  s.h.app.Registration().Register(0, 2, second);
  s.Tick();
  s.Tick();
  EXPECT_EQ(s.h.journal.OwnPath(), kUserFolder + u"tester_Peekbar_DESK_1_4000.journal");
  EXPECT_EQ(s.h.journal.Own().windows.size(), 2u);

  s.h.journal.RefuseFolder(kUserFolder);
  s.h.app.Registration().Register(0, 3, third);
  s.Tick();
  s.h.app.Registration().Unregister(0, 1);
  s.Tick();
  EXPECT_EQ(s.h.journal.LastWritten().windows.size(), 2u) << "a crash gives back what the writes listed";
  std::vector<std::u16string> told;
  for (const TrayIconRecord& balloon : s.h.shell.Balloons()) told.push_back(balloon.info);
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0].rfind(kJournalMovedMessage, 0), 0u);
  EXPECT_EQ(told[1].rfind(kJournalFailedMessage, 0), 0u);
}

}  // namespace
}  // namespace peekbar
