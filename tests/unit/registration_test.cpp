// The candidate list and registration by keywords, on the simulated desktop.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fakes/scene.h"
#include "fakes/cycle_assertions.h"

namespace peekbar {
namespace {

struct Scene : DesktopScene {
  explicit Scene(int monitors = 1) : DesktopScene(monitors) { Start(); }
  void SetKeyword(int m, int k, std::u16string_view keyword, bool regex = false) {
    Slot(m)[k].keyword = keyword;
    Slot(m)[k].isRegex = regex ? 1 : 0;
  }
  std::vector<WindowHandle> Collect() {
    const std::size_t n = CollectWindows(h.state(), h.desktop);
    std::vector<WindowHandle> handles;
    for (std::size_t i = 0; i < n; ++i) handles.push_back(h.state().windowList[i].window);
    return handles;
  }
};

TEST(CollectWindowsTest, RegisteredWindowsFirstAndOnceThenVisibleOnesFromTheFront) {
  for (const int noTitle : {0, 1}) {
    Scene s(2);
    s.h.settings().noTitle = noTitle;
    const WindowHandle back = s.Add("back", u"Back");
    const WindowHandle untitled = s.Add("untitled", u"");
    s.Add("hidden", u"Hidden", false);
    const WindowHandle regA = s.Add("regA", u"A", false);
    const WindowHandle regB = s.Add("regB", u"", false);
    const WindowHandle regC = s.Add("regC", u"C");
    const WindowHandle front = s.Add("front", u"Front");
    s.h.Hold(0, 3, regA);
    s.h.Hold(0, 5, regB);
    s.h.Hold(1, 0, regA);
    s.h.Hold(1, 2, regC);

    const std::vector<WindowHandle> expected =
        noTitle != 0 ? std::vector<WindowHandle>{regA, regB, regC, front, regC, back}
                     : std::vector<WindowHandle>{regA, regB, regC, front, regC, untitled, back};
    EXPECT_EQ(s.Collect(), expected) << "NO_TITLE " << noTitle;
    EXPECT_EQ(s.h.state().windowList[0].title, u"A");
    EXPECT_EQ(s.h.state().windowList[0].className, u"Notepad");
    EXPECT_EQ(s.h.state().windowList[3].title, u"Front");
  }
}

TEST(CollectWindowsTest, ListGrowsInStepsOf256AndReturnsEveryCandidate) {
  Scene s;
  std::vector<WindowHandle> expected;
  const WindowHandle registered = s.Add("registered", u"R", false);
  s.h.Hold(0, 7, registered);
  for (int i = 0; i < 599; ++i) expected.insert(expected.begin(), s.Add("w", DecimalText(i)));
  expected.insert(expected.begin(), registered);
  EXPECT_EQ(s.Collect(), expected);
  EXPECT_EQ(s.h.state().windowList.size(), 768u);

  for (std::size_t i = 1; i < expected.size(); ++i) s.h.desktop.CloseWindow(expected[i]);
  EXPECT_EQ(s.Collect().size(), 1u);
  EXPECT_EQ(s.h.state().windowList.size(), 768u) << "never shrinks";
}

// The menu shows a title and a class name as the system's 128-unit buffers
// cut them; keywords see both whole, so one anchored at the end of a long
// title, or naming a long class in full, still matches.
TEST(CollectWindowsTest, LabelsCutTitlesAndClassesTo127UnitsKeywordsMatchThemWhole) {
  Scene s;
  const std::u16string title = std::u16string(200, u'題') + u" - Browser";
  const std::u16string className = std::u16string(150, u'C') + u"Frame";
  const WindowHandle browser = s.Add("browser", title, true, className);
  ASSERT_EQ(s.Collect().size(), 1u);
  const WindowEntry& e = s.h.state().windowList[0];
  EXPECT_EQ(e.className, className);
  EXPECT_EQ(EntryLabel(e), std::u16string(127, u'題') + u"（" + std::u16string(127, u'C') + u"）");

  for (const std::u16string& keyword : {std::u16string(u"* - Browser（*"), u"*（" + className + u"）"}) {
    s.SetKeyword(0, TopMiddle, keyword);
    s.h.app.Registration().RegisterByKeyword(0, TopMiddle);
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), browser) << Utf8FromUtf16(keyword);
    s.h.app.Registration().UnregisterByHand(0, TopMiddle);
    s.h.app.Registration().RegisterAllByKeywords();
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), browser) << "applying all keywords: " << Utf8FromUtf16(keyword);
  }
}

TEST(EntryLabelTest, TitleThenClassInFullWidthParentheses) {
  WindowEntry e;
  e.title = u"メモ - メモ帳";
  e.className = u"Notepad";
  EXPECT_EQ(EntryLabel(e), u"メモ - メモ帳\uFF08Notepad\uFF09");
  e.title = u"";
  e.className = u"Shell_TrayWnd";
  EXPECT_EQ(EntryLabel(e), u"\uFF08Shell_TrayWnd\uFF09");
  std::u16string reused = u"old text that is longer";
  EntryLabel(e, reused);
  EXPECT_EQ(reused, u"\uFF08Shell_TrayWnd\uFF09");
}

TEST(RegisterByKeywordTest, FirstMatchInCandidateOrderWithRegisteredWindowsFirst) {
  Scene s;
  s.Add("doc1", u"doc1 - メモ帳");
  const WindowHandle doc2 = s.Add("doc2", u"doc2 - メモ帳");
  s.Add("calc", u"電卓", true, u"CalcFrame");
  s.SetKeyword(0, TopMiddle, u"*メモ帳*");
  s.h.desktop.ResetCalls();
  s.h.app.Registration().RegisterByKeyword(0, TopMiddle);
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc2) << "the frontmost match";
  EXPECT_EQ(s.h.desktop.Log(), (std::vector<std::string>{"ShowWindow doc2 Hide"}));
  EXPECT_TRUE(InPhase(s.Slot()[TopMiddle], CyclePhase::Hidden, s.h.desktop.Tick()));

  // A hidden window registered at an earlier location comes first in the list.
  const WindowHandle doc3 = s.Add("doc3", u"doc3 - メモ帳", false);
  s.h.Hold(0, TopLeftCorner, doc3);
  s.Slot()[TopMiddle].cycle.Show(s.h.desktop.Tick());
  s.h.desktop.Advance(500);
  s.h.desktop.ResetCalls();
  s.h.app.Registration().RegisterByKeyword(0, TopMiddle);
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc3);
  EXPECT_EQ(s.h.desktop.Log(),
            (std::vector<std::string>{"PlaceWindow doc2 NotTopmost show async", "ShowWindow doc3 Hide"}));
  EXPECT_TRUE(InPhase(s.Slot()[TopMiddle], CyclePhase::Hidden, s.h.desktop.Tick()));
}

TEST(RegisterByKeywordTest, CurrentWindowStillTheFirstMatchChangesNothing) {
  Scene s;
  const WindowHandle doc = s.Add("doc", u"doc - メモ帳");
  s.SetKeyword(0, TopMiddle, u".*（Notepad）", true);
  s.h.app.Registration().RegisterByKeyword(0, TopMiddle);
  ASSERT_EQ(s.h.RegisteredAt(0, TopMiddle), doc);
  s.Slot()[TopMiddle].cycle.Show(s.h.desktop.Tick());
  s.Slot()[TopMiddle].cycle.Visit(1234);
  s.h.desktop.Find(doc)->visible = true;  // shown at its edge
  s.h.desktop.Advance(1000);
  s.h.desktop.ResetCalls();
  s.h.app.Registration().RegisterByKeyword(0, TopMiddle);
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc);
  EXPECT_TRUE(s.h.desktop.Log().empty());
  EXPECT_TRUE(InPhase(s.Slot()[TopMiddle], CyclePhase::Visited, 1234));
}

TEST(RegisterByKeywordTest, NoMatchEmptyOrInvalidKeywordClearsTheLocation) {
  struct Case {
    std::u16string_view keyword;
    bool regex;
    bool heldElsewhere;
  };
  const Case cases[] = {
      {u"*電卓*", false, false}, {u"", false, false},       {u"[", true, false},
      {u"Notepad", true, false}, {u"*notepad*", false, false}, {u"*電卓*", false, true},
  };
  for (const Case& c : cases) {
    Scene s;
    const WindowHandle doc = s.Add("doc", u"doc - メモ帳");
    s.h.app.Registration().Register(0, TopMiddle, doc);
    if (c.heldElsewhere) s.h.app.Registration().Register(0, RightTop, doc);
    s.SetKeyword(0, TopMiddle, c.keyword, c.regex);
    s.h.desktop.ResetCalls();
    s.h.app.Registration().RegisterByKeyword(0, TopMiddle);
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), kNoWindow) << U8(c.keyword);
    const std::vector<std::string> released = {"PlaceWindow doc NotTopmost show async"};
    EXPECT_EQ(s.h.desktop.Log(), c.heldElsewhere ? std::vector<std::string>{} : released) << U8(c.keyword);
  }
}

TEST(RegisterAllByKeywordsTest, EveryRegistrationIsGivenBackThenEachKeywordApplied) {
  Scene s(2);
  const WindowHandle doc1 = s.Add("doc1", u"doc1 - メモ帳", false);
  const WindowHandle doc2 = s.Add("doc2", u"doc2 - メモ帳", false);
  s.h.Hold(0, TopLeft, doc1);
  s.h.Hold(0, TopRightCorner, doc2);
  s.h.Hold(1, TopRight, doc1);
  s.Slot(0)[TopLeft].cycle.Show(s.h.desktop.Tick());
  s.SetKeyword(0, TopMiddle, u"doc1*");
  s.SetKeyword(1, BottomRight, u"doc1*");
  s.h.desktop.ResetCalls();

  s.h.app.Registration().RegisterAllByKeywords();

  EXPECT_EQ(s.h.desktop.Log(), (std::vector<std::string>{
                                   "PlaceWindow doc1 NotTopmost show async",
                                   "PlaceWindow doc2 NotTopmost show async",
                                   "PlaceWindow doc1 NotTopmost show async",
                                   "ShowWindow doc1 Hide",
                                   "ShowWindow doc1 Hide",
                               }));
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc1);
  EXPECT_EQ(s.h.RegisteredAt(1, BottomRight), doc1) << "two locations, one keyword: both";
  for (const auto& [m, k] : {std::pair{0, TopLeft}, std::pair{0, TopRightCorner}, std::pair{1, TopRight}}) {
    EXPECT_EQ(s.Slot(m)[k].cycle.Phase(), CyclePhase::Empty) << m << "/" << k;
  }
  EXPECT_TRUE(s.h.desktop.Find(doc2)->visible);
  EXPECT_FALSE(s.h.desktop.Find(doc1)->visible);
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::Pause), 0);
}

// Given back without waiting for their threads, the windows may take a
// moment to come up: they are waited for together, 40 pauses at most for the
// whole application, however many there are.
TEST(RegisterAllByKeywordsTest, WaitsForTheGivenBackWindowsTogetherAtMost40Pauses) {
  enum class Then { Visible, Closes, Never, Hung };
  struct Case {
    const char* what;
    Then then;
    int after;  // pauses
    int locations;
    int pauses;
    bool registered;
  };
  const Case cases[] = {
      {"visible at once", Then::Visible, 0, 1, 0, true},
      {"visible after three pauses", Then::Visible, 3, 1, 3, true},
      {"closed after two pauses", Then::Closes, 2, 1, 2, false},
      {"never visible", Then::Never, 0, 1, 40, false},
      {"never visible, at two locations", Then::Never, 0, 2, 40, false},
      {"hung: not waited for", Then::Hung, 0, 2, 0, false},
  };
  for (const Case& c : cases) {
    Scene s;
    FakeWindow w;
    w.name = "slow";
    w.title = u"slow - メモ帳";
    w.visible = false;
    w.asyncShowPending = c.then != Then::Visible || c.after > 0;
    w.hung = c.then == Then::Hung;
    const WindowHandle slow = s.h.desktop.AddWindow(w);
    s.h.Hold(0, LeftTop, slow);
    if (c.locations == 2) s.h.Hold(0, LeftMiddle, slow);
    s.SetKeyword(0, TopMiddle, u"slow*");
    int pauses = 0;
    s.h.desktop.OnPause([&] {
      if (++pauses != c.after) return;
      if (c.then == Then::Closes) s.h.desktop.CloseWindow(slow);
      if (c.then == Then::Visible) s.h.desktop.Find(slow)->visible = true;
    });
    const std::uint32_t before = s.h.desktop.Tick();
    s.h.desktop.ResetCalls();

    s.h.app.Registration().RegisterAllByKeywords();

    EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::Pause), c.pauses) << c.what;
    for (const DesktopCall& call : s.h.desktop.CallList()) {
      if (call.method != DesktopMethod::Pause) continue;
      EXPECT_EQ(call.milliseconds, 50u) << c.what;
    }
    EXPECT_EQ(s.h.desktop.Tick() - before, 50u * static_cast<std::uint32_t>(c.pauses)) << c.what;
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), c.registered ? slow : kNoWindow) << c.what;
    EXPECT_EQ(s.h.RegisteredAt(0, LeftTop), kNoWindow) << c.what;
  }
}

TEST(RegisterAllByKeywordsTest, RememberedRectanglesAreAppliedOnlyWithRestoreWindowPosition) {
  for (const int restore : {0, 1}) {
    Scene s;
    s.h.settings().restoreWindowPos = restore;
    s.Add("doc1", u"doc1 - メモ帳");
    s.Add("doc2", u"doc2 - メモ帳");
    const std::u16string& ini = ProfileIni(0);
    for (const auto& [key, value] : {std::pair{u"WIN_LEFT_2", 10}, std::pair{u"WIN_TOP_2", 20},
                                     std::pair{u"WIN_RIGHT_2", 410}, std::pair{u"WIN_BOTTOM_2", 320}}) {
      s.h.store.SetInt(ini, u"MONITOR_0", key, value);
    }
    s.h.store.SetInt(ini, u"MONITOR_0", u"WIN_LEFT_9", 10);  // no usable rectangle at 9
    s.SetKeyword(0, TopMiddle, u"doc1*");
    s.SetKeyword(0, BottomRight, u"doc2*");
    s.h.desktop.ResetCalls();
    s.h.app.Registration().RegisterAllByKeywords();
    std::vector<std::string> expected = {"ShowWindow doc1 Hide", "ShowWindow doc2 Hide"};
    if (restore != 0) expected.push_back("PlaceWindow doc1 Unchanged move=(10,20) size=400x300 noactivate");
    EXPECT_EQ(s.h.desktop.Log(), expected) << "RESTORE_WIN_POS " << restore;
  }
}

}  // namespace
}  // namespace peekbar
