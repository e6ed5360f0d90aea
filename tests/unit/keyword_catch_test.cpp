// Keywords keep catching windows: a location with a keyword and no window
// takes a matching window that comes up or is renamed to match, at the tick
// after the system reports it; never one the user had on the screen,
// unchanged, before the location began waiting, and never a dialog.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fakes/scene.h"

namespace peekbar {
namespace {

struct Scene : DesktopScene {
  // The middle of the top edge has the keyword in the profile: the start
  // applies it, and it waits from there when nothing matches.
  explicit Scene(std::u16string keyword = u"*editor*", bool isRegex = false) {
    h.store.Set(ProfileIni(0), u"MONITOR_0", u"KEYWORD_" + DecimalText(TopMiddle), keyword);
    h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"REG_EXP_" + DecimalText(TopMiddle), isRegex ? 1 : 0);
  }
  // The system reports a window renamed (or made, where it reports nothing
  // else); the look comes at the next tick.
  void Report() { h.app.OnWindowsChanged(); }
  // The system reports the window shown.
  void ReportShown(WindowHandle w) { h.app.OnWindowShown(w); }
  WindowHandle At(int location = TopMiddle) { return h.RegisteredAt(0, location); }
  int Listings() const { return h.desktop.Calls(DesktopMethod::EnumerateTopLevelWindows); }
  void Rename(WindowHandle w, std::u16string title) { h.desktop.Find(w)->title = std::move(title); }
};

TEST(KeywordCatchTest, AWindowThatComesUpOrIsRenamedToMatchIsTakenAtTheTickAfterItsReport) {
  Scene s;
  s.Start();
  const WindowHandle other = s.Add("other", u"mail");
  const WindowHandle editor = s.Add("editor", u"editor 1");
  s.Tick();
  EXPECT_EQ(s.At(), kNoWindow) << "nothing reported: nothing looked at";
  s.ReportShown(editor);
  s.Tick();
  EXPECT_EQ(s.At(), editor);
  EXPECT_FALSE(s.Visible(editor)) << "hidden, waiting for the pointer at its edge";

  // A keyword set at another location: it waits from the next tick, and
  // takes the window once a rename makes it match.
  s.Slot()[LeftTop].keyword = u"*draft*";
  s.Tick();
  s.Rename(other, u"draft - mail");
  s.Report();
  s.Tick();
  EXPECT_EQ(s.At(LeftTop), other);
  EXPECT_EQ(s.At(), editor);
}

// Two windows of the same program: the registered one is closed, and the
// other, which the user is working in, stays with the user whatever
// happens on the desktop, until a new one comes.
TEST(KeywordCatchTest, TheWindowTheUserWorksInIsNeverTakenANewOneIs) {
  for (const bool reports : {true, false}) {
    Scene s(u"*メモ帳*");
    const WindowHandle inUse = s.Add("in use", u"b.txt - メモ帳");
    const WindowHandle registered = s.Add("registered", u"a.txt - メモ帳");
    s.Start();
    if (!reports) s.h.app.LookForWindowsWithoutEvents();
    ASSERT_EQ(s.At(), registered);
    s.h.desktop.CloseWindow(registered);
    s.Tick();
    ASSERT_EQ(s.At(), kNoWindow);

    // Another window comes, the one in use is saved under another name: it
    // matched before, so no rename made it match.
    const WindowHandle mail = s.Add("mail", u"mail");
    if (reports) s.ReportShown(mail);
    s.Tick(1000);
    s.Rename(inUse, u"c.txt - メモ帳");
    if (reports) s.Report();
    s.Tick(1000);
    s.Tick(1000);
    EXPECT_EQ(s.At(), kNoWindow) << "reports " << reports;
    EXPECT_TRUE(s.Visible(inUse));

    const WindowHandle fresh = s.Add("fresh", u"(無題) - メモ帳");
    if (reports) s.ReportShown(fresh);
    s.Tick(1000);
    EXPECT_EQ(s.At(), fresh) << "reports " << reports;
    EXPECT_TRUE(s.Visible(inUse));
  }
}

// A dialog of the program matches as its main window does, but belongs to
// it: never taken. Its label, unchanged, is matched once, not at every look.
TEST(KeywordCatchTest, AnOwnedWindowIsNeverTakenAndAnUnchangedLabelIsNotMatchedAgain) {
  Scene s;
  const WindowHandle main = s.Add("main", u"editor");
  s.Start();
  ASSERT_EQ(s.At(), main);
  s.h.app.Registration().Unregister(0, TopMiddle);  // waits again, the editor on the screen
  s.Tick();

  const WindowHandle dialog = s.Add("dialog", u"editor - 名前を付けて保存");
  s.h.desktop.Find(dialog)->owner = main;
  s.h.desktop.ResetCalls();
  s.ReportShown(dialog);
  s.Tick();
  EXPECT_EQ(s.At(), kNoWindow);
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::WindowOwner), 1);
  s.h.desktop.ResetCalls();
  for (int i = 0; i < 3; ++i) {
    s.Report();
    s.Tick();
  }
  EXPECT_EQ(s.Listings(), 3);
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::WindowOwner), 0) << "matched again, unchanged";
  EXPECT_EQ(s.At(), kNoWindow);
}

// The user gave a window back by hand: it stays, even where another
// location waits for it, until its program renames it or shows it anew.
TEST(KeywordCatchTest, AWindowGivenBackByHandIsTakenOnlyOnceRenamedOrShownAnew) {
  for (const bool reports : {true, false}) {
    Scene s(u"*report*");
    s.Start();
    if (!reports) s.h.app.LookForWindowsWithoutEvents();
    const WindowHandle shownAnew = s.Add("shown anew", u"report 1");
    const WindowHandle renamed = s.Add("renamed", u"notes");
    for (const WindowHandle w : {shownAnew, renamed}) {
      s.h.app.Registration().Register(0, LeftTop, w);
      s.h.app.OnCommand(static_cast<std::uint16_t>(LocationCommandId(0, LeftTop, 1)));
      ASSERT_TRUE(s.Visible(w));
      if (reports) s.ReportShown(w);  // its showing, by this program
      s.Tick(1000);
      EXPECT_EQ(s.At(), kNoWindow) << s.h.desktop.NameOf(w) << ", reports " << reports;
    }

    s.h.desktop.Find(shownAnew)->visible = false;
    s.Tick(1000);
    s.h.desktop.Find(shownAnew)->visible = true;
    if (reports) s.ReportShown(shownAnew);
    s.Tick(1000);
    EXPECT_EQ(s.At(), shownAnew) << "reports " << reports;

    s.Slot()[TopRight].keyword = u"*report*";
    s.Tick(1000);
    s.Rename(renamed, u"report 2");
    if (reports) s.Report();
    s.Tick(1000);
    EXPECT_EQ(s.At(TopRight), renamed) << "reports " << reports;
  }
}

// A keyword whose match would run for seconds gives up on that window, as
// if it did not match, and the user hears of it once, with the location
// and the keyword.
TEST(KeywordCatchTest, AKeywordTooCostlyToMatchCountsAsNotMatchingAndIsToldOnce) {
  const std::u16string keyword = u"^(\\S+\\s*)*- Visual Studio Code$";
  Scene s(keyword, true);
  s.Start();
  std::u16string title;
  while (title.size() < 300) title += u"word ";
  for (int i = 0; i < 2; ++i) {
    const WindowHandle editor =
        s.Add("editor", title + DecimalText(i) + u" - Visual Studio Code", true, u"Chrome_WidgetWin_1");
    s.ReportShown(editor);
    s.Tick();
    EXPECT_EQ(s.At(), kNoWindow);
  }
  s.h.app.OnCommand(command_id::kApplyAllKeywords);
  const std::vector<TrayIconRecord> balloons = s.h.shell.Balloons();
  ASSERT_EQ(balloons.size(), 2U) << "told once, and the application's own message";
  EXPECT_EQ(balloons[0].info, TooCostlyKeywordMessage(0, TopMiddle, 1, keyword));
  EXPECT_NE(balloons[0].info.find(u"「上端中央」"), std::u16string::npos);
  EXPECT_EQ(TooCostlyKeywordMessage(1, TopMiddle, 2, u"k").substr(0, 14), u"「モニター2」の「上端中央」");
}

TEST(KeywordCatchTest, ABurstOfReportsIsOneLookAndALookWithNoWaitingLocationListsNothing) {
  Scene s;
  s.Start();
  s.Add("other", u"mail");
  s.Tick();
  s.h.desktop.ResetCalls();
  for (int i = 0; i < 50; ++i) s.Report();
  s.Tick();
  EXPECT_EQ(s.Listings(), 1);
  s.Tick();
  EXPECT_EQ(s.Listings(), 1) << "no report since";

  s.Slot()[TopMiddle].keyword = u"";
  s.Report();
  s.Tick();
  EXPECT_EQ(s.Listings(), 1) << "no location waits";
}

TEST(KeywordCatchTest, ALocationEmptiedByHandStaysEmptyUntilKeywordsAreAppliedAgain) {
  const std::function<void(Scene&)> byHand[] = {
      [](Scene& s) { s.h.app.OnCommand(static_cast<std::uint16_t>(LocationCommandId(0, TopMiddle, 1))); },
      [](Scene& s) { s.h.app.OnCommand(command_id::kUnregisterAll); },
      [](Scene& s) {
        s.h.windows.registrationSheet = [](RegistrationSheet& sheet) {
          sheet.ApplyRow(kNoWindow, TopMiddle, u"*editor*", false, 0);
        };
        s.h.app.OnCommand(command_id::kRegistrationSheetFirst);
      },
  };
  const std::function<void(Scene&)> applyAgain[] = {
      [](Scene& s) { s.h.app.OnCommand(command_id::kApplyAllKeywords); },
      [](Scene& s) {
        s.h.windows.keywordDialog = [](FixedText<kKeywordUnits>& keyword, std::int32_t&) {
          keyword = u"*edit*";
          return true;
        };
        s.h.app.OnCommand(static_cast<std::uint16_t>(LocationCommandId(0, TopMiddle, 0)));
      },
  };
  for (std::size_t way = 0; way < std::size(byHand); ++way) {
    for (std::size_t again = 0; again < std::size(applyAgain); ++again) {
      Scene s;
      s.Start();
      const WindowHandle first = s.Add("first", u"editor 1");
      s.ReportShown(first);
      s.Tick();
      ASSERT_EQ(s.At(), first);
      byHand[way](s);
      ASSERT_EQ(s.At(), kNoWindow) << way;
      const WindowHandle second = s.Add("second", u"editor 2");
      s.ReportShown(second);
      s.Tick();
      EXPECT_EQ(s.At(), kNoWindow) << "the user's choice stands, way " << way;
      applyAgain[again](s);
      EXPECT_NE(s.At(), kNoWindow) << way << " " << again;
    }
  }
}

TEST(KeywordCatchTest, AWindowClosedByItsProgramIsReplacedByTheNextOneThatComes) {
  Scene s;
  s.Start();
  const WindowHandle first = s.Add("first", u"editor");
  s.ReportShown(first);
  s.Tick();
  ASSERT_EQ(s.At(), first);
  s.Tick();
  // Within one tick: a window shown, the registered one closed, the program
  // started again. Only what came after the closing is for the location.
  const WindowHandle again = s.Add("again", u"editor");
  const WindowHandle before = s.Add("before", u"editor 2");
  s.ReportShown(before);
  s.h.desktop.CloseWindow(first);
  s.h.app.OnWindowDestroyed(first);
  s.ReportShown(again);
  s.Tick();
  EXPECT_EQ(s.At(), again);
  s.Tick();

  // The closing not reported: the location waits from the tick that saw
  // its window go.
  s.h.desktop.CloseWindow(again);
  const WindowHandle unreported = s.Add("unreported", u"editor 3");
  s.ReportShown(unreported);
  s.Tick();
  EXPECT_EQ(s.At(), kNoWindow);
  const WindowHandle third = s.Add("third", u"editor");
  s.ReportShown(third);
  s.Tick();
  EXPECT_EQ(s.At(), third);
  s.Tick();

  // Where the system reports no closing at all (Wine), what was made in the
  // tick the window went is for its location.
  s.h.app.LookForWindowsWithoutEvents();
  s.h.desktop.CloseWindow(third);
  const WindowHandle fourth = s.Add("fourth", u"editor");
  s.ReportShown(fourth);
  s.Tick();
  EXPECT_EQ(s.At(), fourth);
}

TEST(KeywordCatchTest, PeekbarsOwnAndTheShellsWindowsAreNeverTaken) {
  Scene s(u"*");
  s.Start();
  FakeWindow own;
  own.name = "own";
  own.title = u"own";
  own.process = s.h.desktop.OwnProcessId();
  s.h.desktop.AddWindow(own);
  s.Add("taskbar", u"", true, u"Shell_TrayWnd");
  s.Add("secondary", u"", true, u"Shell_SecondaryTrayWnd");
  s.Add("desktop", u"Program Manager", true, u"Progman");
  s.Report();
  s.Tick();
  EXPECT_EQ(s.At(), kNoWindow);
}

TEST(KeywordCatchTest, PausedOrShowingAllTheLookWaitsForTheEnd) {
  for (const std::uint16_t command : {command_id::kPause, command_id::kShowAll}) {
    Scene s;
    s.Start();
    s.h.app.OnCommand(command);
    const WindowHandle editor = s.Add("editor", u"editor");
    s.ReportShown(editor);
    s.Tick();
    EXPECT_EQ(s.At(), kNoWindow) << command;
    s.h.app.OnCommand(command);
    s.Tick();
    EXPECT_EQ(s.At(), editor) << command;
  }
}

TEST(KeywordCatchTest, WhereTheSystemReportsNothingWaitingLocationsLookOnceASecond) {
  Scene s;
  s.Start();
  s.h.app.LookForWindowsWithoutEvents();
  const WindowHandle editor = s.Add("editor", u"mail");
  s.Tick(1000);
  s.h.desktop.ResetCalls();
  s.Rename(editor, u"editor");
  for (int i = 0; i < 4; ++i) s.Tick(200);
  EXPECT_EQ(s.Listings(), 0);
  EXPECT_EQ(s.At(), kNoWindow);
  s.Tick(200);
  EXPECT_EQ(s.At(), editor);
  EXPECT_EQ(s.Listings(), 2) << "the look, and the registration's for what the window owns";
}

}  // namespace
}  // namespace peekbar
