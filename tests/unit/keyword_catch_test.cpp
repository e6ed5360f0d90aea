// Keywords keep catching windows: a location with a keyword and no window
// takes a matching window that comes up or is renamed, at the tick after
// the system reports it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fakes/scene.h"

namespace peekbar {
namespace {

struct Scene : DesktopScene {
  Scene() {
    Start();
    Slot()[TopMiddle].keyword = u"*editor*";
  }
  // The system reports a window shown or renamed; the look comes at the next tick.
  void Report() { h.app.OnWindowsChanged(); }
  WindowHandle At(int location = TopMiddle) { return h.RegisteredAt(0, location); }
  int Listings() const { return h.desktop.Calls(DesktopMethod::EnumerateTopLevelWindows); }
};

TEST(KeywordCatchTest, AWindowShownOrRenamedToMatchIsRegisteredAtTheTickAfterItsReport) {
  Scene s;
  const WindowHandle other = s.Add("other", u"mail");
  s.Tick();
  const WindowHandle editor = s.Add("editor", u"editor 1");
  s.Tick();
  EXPECT_EQ(s.At(), kNoWindow) << "nothing reported: nothing looked at";
  s.Report();
  s.Tick();
  EXPECT_EQ(s.At(), editor);
  EXPECT_FALSE(s.Visible(editor)) << "hidden, waiting for the pointer at its edge";

  // A rename: the window that now matches is taken, and the first location
  // with a window is left alone.
  s.Slot()[LeftTop].keyword = u"*draft*";
  s.Slot()[TopRight].keyword = u"*";
  s.Report();
  s.Tick();
  EXPECT_EQ(s.At(LeftTop), kNoWindow);
  EXPECT_EQ(s.At(TopRight), other) << "the first free shown window";
  s.h.app.Registration().Unregister(0, TopRight);
  s.Slot()[TopRight].keyword = u"";
  s.h.desktop.Find(other)->title = u"draft - mail";
  s.Report();
  s.Tick();
  EXPECT_EQ(s.At(LeftTop), other);
  EXPECT_EQ(s.At(), editor);
}

TEST(KeywordCatchTest, ABurstOfReportsIsOneLookAndALookWithNoWaitingLocationListsNothing) {
  Scene s;
  s.Add("other", u"mail");
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
      const WindowHandle first = s.Add("first", u"editor 1");
      s.Report();
      s.Tick();
      ASSERT_EQ(s.At(), first);
      byHand[way](s);
      ASSERT_EQ(s.At(), kNoWindow) << way;
      s.Add("second", u"editor 2");
      s.Report();
      s.Tick();
      EXPECT_EQ(s.At(), kNoWindow) << "the user's choice stands, way " << way;
      applyAgain[again](s);
      EXPECT_NE(s.At(), kNoWindow) << way << " " << again;
    }
  }
}

TEST(KeywordCatchTest, AWindowClosedByItsProgramIsReplacedByTheNextOneThatComes) {
  Scene s;
  const WindowHandle first = s.Add("first", u"editor");
  s.Report();
  s.Tick();
  ASSERT_EQ(s.At(), first);
  // Closed and started again between two ticks: the tick lets the closed one
  // go before it looks.
  s.h.desktop.CloseWindow(first);
  const WindowHandle again = s.Add("again", u"editor");
  s.Report();
  s.Tick();
  EXPECT_EQ(s.At(), again);
}

TEST(KeywordCatchTest, PeekbarsOwnAndTheShellsWindowsAreNeverTaken) {
  Scene s;
  s.Slot()[TopMiddle].keyword = u"*";
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
    s.h.app.OnCommand(command);
    const WindowHandle editor = s.Add("editor", u"editor");
    s.Report();
    s.Tick();
    EXPECT_EQ(s.At(), kNoWindow) << command;
    s.h.app.OnCommand(command);
    s.Tick();
    EXPECT_EQ(s.At(), editor) << command;
  }
}

TEST(KeywordCatchTest, WhereTheSystemReportsNothingWaitingLocationsLookOnceASecond) {
  Scene s;
  s.h.app.LookForWindowsWithoutEvents();
  const WindowHandle editor = s.Add("editor", u"mail");
  s.Tick();
  s.h.desktop.ResetCalls();
  s.h.desktop.Find(editor)->title = u"editor";
  for (int i = 0; i < 4; ++i) s.Tick(200);
  EXPECT_EQ(s.Listings(), 0);
  EXPECT_EQ(s.At(), kNoWindow);
  s.Tick(200);
  EXPECT_EQ(s.At(), editor);
  EXPECT_EQ(s.Listings(), 2) << "the look, and the registration's for what the window owns";
}

}  // namespace
}  // namespace peekbar
