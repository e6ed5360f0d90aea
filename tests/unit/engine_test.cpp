// The edge engine on the simulated desktop: the dwell before a show, the
// one-pixel hot lines, forcing a window to the front, docking, the visit
// rule and the hide delay, taskbar hiding over a show cycle, the modifier
// poll, and what a tick may cost.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "fakes/scene.h"
#include "fakes/cycle_assertions.h"

// Every allocation of the test program passes through here; the counter is
// switched on only around the calls being measured. Kept out of line so that
// the compiler does not pair malloc and free across them.
namespace {
bool countAllocations = false;
int allocations = 0;
std::u16string* volatile allocationProbe = nullptr;
}  // namespace

[[gnu::noinline]] void* operator new(std::size_t size) {
  if (countAllocations) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void* operator new[](std::size_t size) { return ::operator new(size); }
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace peekbar {
namespace {

// A running program with one or two monitors, a taskbar, a browser in front
// and a hidden 400 x 300 editor of another thread, ready to be registered.
struct Scene : DesktopScene {
  WindowHandle taskbar = kNoWindow;
  WindowHandle start = kNoWindow;
  WindowHandle browser = kNoWindow;
  WindowHandle editor = kNoWindow;

  explicit Scene(int monitors = 1) : DesktopScene(monitors) {
    taskbar = h.desktop.AddWindow("taskbar", u"Shell_TrayWnd", u"");
    start = h.desktop.AddWindow("start", u"Button", u"スタート");
    Start();
    browser = h.desktop.AddWindow("browser", {300, 300, 1100, 900});
    h.desktop.SetForeground(browser);
    editor = AddHidden("editor", {0, 0, 400, 300});
    h.windows.log.clear();
  }

  void Register(WindowHandle w, int k, int m = 0) { h.app.Registration().Register(m, k, w); }
  bool Shown(int k, int m = 0) { return Slot(m)[k].cycle.IsShown(); }
  // Rests the pointer on the location until its window comes up.
  void BringUp(int k, Point onEdge, int m = 0) {
    h.desktop.SetPointer(onEdge);
    for (int i = 0; i < 20 && !Shown(k, m); ++i) Tick();
    ASSERT_TRUE(Shown(k, m)) << "location " << k;
  }
  // The pointer goes into the shown window and out again.
  void VisitAndLeave(WindowHandle w, Point outside) {
    const Rect r = RectOf(w);
    TickAt({r.left + 10, r.top + 10});
    h.desktop.SetPointer(outside);
  }
};

// Ticks until the window is hidden; the number of ticks it took.
int TicksUntilHidden(Scene& s, WindowHandle w, int limit = 100) {
  for (int i = 1; i <= limit; ++i) {
    s.Tick();
    if (!s.Visible(w)) return i;
  }
  return -1;
}

TEST(EdgeDwellTest, ShownOnceTheDelayHasPassedSinceTheLastTickOffTheLocation) {
  struct Case {
    int delay;
    std::uint32_t interval;
    int showingTick;  // consecutive ticks on the location
  };
  const Case cases[] = {{250, 200, 2}, {0, 200, 1}, {200, 200, 1}, {201, 200, 2},
                        {400, 200, 2}, {401, 200, 3}, {1000, 100, 10}};
  for (const Case& c : cases) {
    Scene s;
    s.h.settings().showingDelay = c.delay;
    s.Register(s.editor, TopMiddle);
    s.TickAt({960, 500}, c.interval);
    s.h.desktop.SetPointer(960, 0);
    int shownAt = 0;
    for (int i = 1; i <= 20 && shownAt == 0; ++i) {
      s.Tick(c.interval);
      if (s.Shown(TopMiddle)) shownAt = i;
    }
    EXPECT_EQ(shownAt, c.showingTick) << c.delay << "/" << c.interval;
    EXPECT_TRUE(s.Visible(s.editor));
  }
}

TEST(EdgeDwellTest, EveryTickOffTheLocationRestartsTheDwell) {
  Scene s;
  s.Register(s.editor, TopMiddle);
  for (int round = 0; round < 5; ++round) {
    s.TickAt({960, 0});
    s.TickAt({960, 1});
  }
  EXPECT_TRUE(InPhase(s.Slot()[TopMiddle], CyclePhase::Hidden, s.h.desktop.Tick()));
  s.TickAt({960, 0});
  s.TickAt({960, 0});
  EXPECT_TRUE(s.Shown(TopMiddle));
}

TEST(EdgeHotLineTest, OnlyTheOuterPixelLineOfEachEdgeReacts) {
  struct Case {
    int monitor, location;
    Point at;
    bool shows;
  };
  const Case cases[] = {
      {0, TopMiddle, {960, 0}, true},       {0, TopMiddle, {960, 1}, false},
      {0, RightMiddle, {1919, 540}, true},  {0, RightMiddle, {1918, 540}, false},
      {0, RightMiddle, {1920, 540}, false}, {0, BottomMiddle, {960, 1079}, true},
      {0, BottomMiddle, {960, 1078}, false}, {0, BottomMiddle, {960, 1080}, false},
      {0, LeftMiddle, {0, 540}, true},      {0, LeftMiddle, {1, 540}, false},
      {1, TopMiddle, {2560, 0}, true},      {1, TopMiddle, {2560, 1}, false},
      {1, RightMiddle, {3199, 512}, true},  {1, RightMiddle, {3198, 512}, false},
      {1, BottomMiddle, {2560, 1023}, true}, {1, BottomMiddle, {2560, 1022}, false},
      {1, LeftMiddle, {1920, 512}, true},   {1, LeftMiddle, {1921, 512}, false},
  };
  for (const Case& c : cases) {
    Scene s(2);
    s.h.settings().showingDelay = 0;
    s.Register(s.editor, c.location, c.monitor);
    s.h.desktop.SetPointer(c.at);
    for (int i = 0; i < 3; ++i) s.Tick();
    EXPECT_EQ(s.Shown(c.location, c.monitor), c.shows) << c.monitor << "/" << c.location << " at " << c.at.x << ","
                                                       << c.at.y;
  }
}

TEST(ForceForegroundTest, ShowSequenceOverAnotherProgramsForegroundWindow) {
  Scene s;
  s.h.settings().showingDelay = 0;
  s.Register(s.editor, TopMiddle);
  s.h.desktop.SetPointer(960, 0);
  s.h.desktop.ResetCalls();
  s.Tick();
  EXPECT_EQ(s.h.desktop.Log(), (std::vector<std::string>{
                                   "AttachInputToForeground browser attach",
                                   "SetForegroundLockTimeout 0",
                                   "SetForegroundWindow editor",
                                   "SetForegroundLockTimeout 200000",
                                   "PlaceWindow editor Topmost show",
                                   "BringToTop editor",
                                   "ShowWindowAsync editor Show",
                                   "SetFocus editor",
                                   "AttachInputToForeground browser detach",
                                   "PlaceWindow editor NotTopmost move=(760,0)",
                               }));
  EXPECT_EQ(s.h.desktop.Foreground(), s.editor);
  EXPECT_EQ(s.h.desktop.Focus(), s.editor);
  EXPECT_TRUE(s.h.desktop.AttachedThreads().empty());
  EXPECT_EQ(s.Slot()[TopMiddle].cycle.Phase(), CyclePhase::Shown);
}

TEST(ForceForegroundTest, WindowAlreadyInFrontIsOnlyMadeTopmostThenPlaced) {
  Scene s;
  s.h.settings().showingDelay = 0;
  s.Register(s.editor, TopMiddle);
  s.h.desktop.SetForeground(s.editor);
  s.h.desktop.SetPointer(960, 0);
  s.h.desktop.ResetCalls();
  s.Tick();
  // Both synchronous, in this order: a raise left to the window's thread
  // could reach it after the placement and leave it topmost.
  EXPECT_EQ(s.h.desktop.Log(), (std::vector<std::string>{"PlaceWindow editor Topmost show",
                                                         "PlaceWindow editor NotTopmost move=(760,0)"}));
  EXPECT_EQ(s.h.state().savedForeground, s.editor);
}

TEST(ForceForegroundTest, ForegroundIsCapturedOnlyWhenNothingIsCaptured) {
  enum class Saved { Null, One, Other, Browser };
  struct Case {
    Saved before;
    bool foregroundWindow;  // the browser is in front, or nothing is
    Saved after;
  };
  const Case cases[] = {
      {Saved::Null, true, Saved::Browser},
      {Saved::Null, false, Saved::One},
      {Saved::One, true, Saved::One},
      {Saved::Other, true, Saved::Other},
  };
  for (const Case& c : cases) {
    Scene s;
    const WindowHandle other = s.h.desktop.AddWindow("other", {0, 0, 10, 10});
    const auto handle = [&](Saved saved) {
      switch (saved) {
        case Saved::Null: return kNoWindow;
        case Saved::One: return kCapturedNothing;
        case Saved::Other: return other;
        case Saved::Browser: return s.browser;
      }
      return kNoWindow;
    };
    s.h.settings().showingDelay = 0;
    s.Register(s.editor, TopMiddle);
    s.h.state().savedForeground = handle(c.before);
    s.h.desktop.SetForeground(c.foregroundWindow ? s.browser : kNoWindow);
    s.TickAt({960, 0});
    ASSERT_TRUE(s.Shown(TopMiddle));
    EXPECT_EQ(s.h.state().savedForeground, handle(c.after))
        << static_cast<int>(c.before) << " " << c.foregroundWindow;
  }
}

TEST(ShowKeyTest, ShowWaitsForTheRequiredButtonOrKeyWithoutRestartingTheDwell) {
  const VirtualKey keys[] = {VirtualKey::LeftButton, VirtualKey::RightButton, VirtualKey::MiddleButton,
                             VirtualKey::Control,    VirtualKey::Shift,       VirtualKey::Alt};
  for (int value = 1; value <= 6; ++value) {
    const VirtualKey key = keys[value - 1];
    const VirtualKey other = value == 5 ? VirtualKey::Control : VirtualKey::Shift;
    Scene s;
    s.h.settings().mustButtonForShow = value;
    s.Register(s.editor, TopMiddle);
    s.TickAt({960, 500});
    const std::uint32_t dwellStart = s.h.desktop.Tick();
    s.h.desktop.SetPointer(960, 0);
    s.h.desktop.PressKey(other);
    s.h.desktop.TapKey(key);  // pressed and released: not held
    for (int i = 0; i < 5; ++i) s.Tick();
    EXPECT_TRUE(InPhase(s.Slot()[TopMiddle], CyclePhase::Dwelling, dwellStart)) << value;

    s.h.desktop.PressKey(key);
    s.Tick();
    EXPECT_TRUE(s.Shown(TopMiddle)) << value << ": the first tick with the key held";
  }
}

TEST(HideRuleTest, ShownWindowWaitsForAVisitThenHidesAfterTheDelayAndSavesItsRectangle) {
  Scene s(2);
  s.h.store.SetInt(kMainIni, u"PROFILE", u"INDEX", 3);
  s.h.app.SettingsFiles().LoadSettings();
  s.Register(s.editor, TopMiddle, 1);
  s.BringUp(TopMiddle, {2560, 0}, 1);
  EXPECT_EQ(s.RectOf(s.editor), (Rect{2360, 0, 2760, 300}));

  s.h.desktop.SetPointer(2560, 600);
  for (int i = 0; i < 50; ++i) s.Tick(1000);
  EXPECT_TRUE(s.Visible(s.editor)) << "never entered: stays";

  s.VisitAndLeave(s.editor, {2560, 600});
  EXPECT_EQ(s.Slot(1)[TopMiddle].cycle.Phase(), CyclePhase::Visited);
  s.h.store.ClearWrites();
  EXPECT_EQ(TicksUntilHidden(s, s.editor), 5) << "HIDDEN_DELAY 1000 at 200 ms ticks";
  EXPECT_TRUE(InPhase(s.Slot(1)[TopMiddle], CyclePhase::Hidden, s.h.desktop.Tick()));
  EXPECT_EQ(s.Slot(1)[TopMiddle].savedRect, (Rect{2360, 0, 2760, 300}));
  EXPECT_EQ(s.h.store.WriteLog(), (std::vector<std::string>{"MONITOR_1/WIN_LEFT_2=2360", "MONITOR_1/WIN_TOP_2=0",
                                                            "MONITOR_1/WIN_RIGHT_2=2760",
                                                            "MONITOR_1/WIN_BOTTOM_2=300", "MONITOR_1/WIN_DPI_2=96"}));
  for (const auto& w : s.h.store.Writes()) EXPECT_EQ(w.path, ProfileIni(3));
}

TEST(HideRuleTest, ReEnteringRestartsTheHideDelay) {
  Scene s;
  s.Register(s.editor, TopMiddle);
  s.BringUp(TopMiddle, {960, 0});
  s.VisitAndLeave(s.editor, {960, 600});
  for (int i = 0; i < 4; ++i) s.Tick();
  s.VisitAndLeave(s.editor, {960, 600});
  EXPECT_EQ(TicksUntilHidden(s, s.editor), 5);
}

TEST(HideRuleTest, LeftButtonHeldOutsideAVisitedWindowKeepsItShown) {
  Scene s;
  s.Register(s.editor, TopMiddle);
  s.BringUp(TopMiddle, {960, 0});
  s.VisitAndLeave(s.editor, {960, 600});
  s.h.desktop.PressKey(VirtualKey::LeftButton);
  for (int i = 0; i < 20; ++i) s.Tick();
  EXPECT_TRUE(s.Visible(s.editor));
  EXPECT_TRUE(InPhase(s.Slot()[TopMiddle], CyclePhase::Visited, s.h.desktop.Tick()));
  s.h.desktop.ReleaseKey(VirtualKey::LeftButton);
  EXPECT_EQ(TicksUntilHidden(s, s.editor), 5) << "the delay runs from the last tick with the button down";
}

TEST(HideRuleTest, LeftButtonOutsideAWindowNeverEnteredDoesNotCountAsAVisit) {
  Scene s;
  s.Register(s.editor, TopMiddle);
  s.BringUp(TopMiddle, {960, 0});
  s.h.desktop.SetPointer(960, 600);
  s.h.desktop.PressKey(VirtualKey::LeftButton);
  s.Tick();
  s.h.desktop.ReleaseKey(VirtualKey::LeftButton);
  for (int i = 0; i < 30; ++i) s.Tick();
  EXPECT_TRUE(s.Visible(s.editor));
  EXPECT_EQ(s.Slot()[TopMiddle].cycle.Phase(), CyclePhase::Shown);
}

TEST(HideRuleTest, AfterTheClockWrapsAVisitedWindowStaysUntilVisitedAgain) {
  Scene s;
  s.Register(s.editor, TopMiddle);
  s.h.desktop.SetTick(0xFFFFF000u);
  s.BringUp(TopMiddle, {960, 0});
  s.h.desktop.SetTick(0xFFFFFF00u);
  s.VisitAndLeave(s.editor, {960, 600});  // stamp 0xFFFFFFC8
  for (int i = 0; i < 50; ++i) s.Tick();  // the count wraps to small values
  EXPECT_LT(s.h.desktop.Tick(), 0x10000u);
  EXPECT_TRUE(s.Visible(s.editor));
  s.VisitAndLeave(s.editor, {960, 600});
  EXPECT_EQ(TicksUntilHidden(s, s.editor), 5);
}

TEST(HideRuleTest, WindowAtSeveralLocationsIsHiddenAtAllAndTheOthersWaitWhileItIsUp) {
  Scene s(2);
  s.Register(s.editor, TopMiddle);
  s.Register(s.editor, BottomMiddle);
  s.Register(s.editor, RightTop, 1);
  s.BringUp(TopMiddle, {960, 0});

  s.h.desktop.SetPointer(960, 1079);  // on the other location, outside the window
  for (int i = 0; i < 10; ++i) s.Tick();
  EXPECT_TRUE(InPhase(s.Slot()[BottomMiddle], CyclePhase::Hidden, s.h.desktop.Tick())) << "the window is on screen";

  s.VisitAndLeave(s.editor, {960, 600});
  s.h.store.ClearWrites();
  ASSERT_EQ(TicksUntilHidden(s, s.editor), 5);
  const std::uint32_t now = s.h.desktop.Tick();
  for (const auto& [m, k] : {std::pair{0, TopMiddle}, std::pair{0, BottomMiddle}, std::pair{1, RightTop}}) {
    EXPECT_TRUE(InPhase(s.Slot(m)[k], CyclePhase::Hidden, now)) << m << "/" << k;
  }
  EXPECT_EQ(s.h.store.WriteLog().front(), "MONITOR_0/WIN_LEFT_2=760") << "only the location that hid it";
  EXPECT_EQ(s.h.store.Writes().size(), 5u);
}

TEST(HideRuleTest, WithShowingAtEdgesOffNothingComesUpButShownWindowsStillGo) {
  Scene s;
  s.h.settings().enabledAtEdge = 0;
  s.h.settings().showingDelay = 0;
  const WindowHandle up = s.AddHidden("up", {500, 500, 700, 700});
  s.Register(s.editor, TopMiddle);
  s.Register(up, LeftMiddle);
  s.h.desktop.Find(up)->visible = true;  // shown from the trigger window
  s.Slot()[LeftMiddle].cycle.Show(s.h.desktop.Tick());
  s.h.desktop.SetPointer(960, 0);
  for (int i = 0; i < 10; ++i) s.Tick();
  EXPECT_FALSE(s.Shown(TopMiddle));
  EXPECT_FALSE(s.Visible(s.editor));
  EXPECT_TRUE(s.Visible(up));

  s.VisitAndLeave(up, {960, 0});
  EXPECT_EQ(TicksUntilHidden(s, up), 5);
  EXPECT_FALSE(s.Shown(LeftMiddle));
}

TEST(TaskbarCycleTest, TaskbarComesBackOnlyWhenTheLastShownWindowIsHidden) {
  Scene s;
  s.h.settings().hideTaskbar = 1;
  const WindowHandle notes = s.AddHidden("notes", {0, 0, 300, 200});
  s.Register(s.editor, TopMiddle);
  s.Register(notes, BottomMiddle);

  s.BringUp(TopMiddle, {960, 0});
  EXPECT_FALSE(s.Visible(s.taskbar));
  EXPECT_FALSE(s.Visible(s.start));
  EXPECT_EQ(s.h.state().savedForeground, s.browser);
  s.BringUp(BottomMiddle, {960, 1079});
  EXPECT_EQ(s.h.state().savedForeground, s.browser) << "the second show keeps the first capture";

  s.VisitAndLeave(s.editor, {100, 600});
  ASSERT_GT(TicksUntilHidden(s, s.editor), 0);
  EXPECT_FALSE(s.Visible(s.taskbar)) << "notes is still up";
  EXPECT_EQ(s.h.desktop.Foreground(), notes);

  s.VisitAndLeave(notes, {100, 600});
  s.h.desktop.ResetCalls();
  ASSERT_GT(TicksUntilHidden(s, notes), 0);
  EXPECT_TRUE(s.Visible(s.taskbar));
  EXPECT_TRUE(s.Visible(s.start));
  EXPECT_EQ(s.h.desktop.Foreground(), s.browser);
  EXPECT_EQ(s.h.state().savedForeground, kNoWindow);
  const std::vector<std::string> log = s.h.desktop.Log();
  ASSERT_GE(log.size(), 6u);
  // The foreground goes back with the lock lifted for that call alone.
  EXPECT_EQ(std::vector<std::string>(log.end() - 6, log.end()),
            (std::vector<std::string>{"ShowWindow notes Hide", "ShowWindow taskbar Show", "ShowWindow start Show",
                                      "SetForegroundLockTimeout 0", "SetForegroundWindow browser",
                                      "SetForegroundLockTimeout 200000"}))
      << "all in the tick that hid it";
  EXPECT_EQ(s.h.desktop.LockTimeout(), FakeDesktop::kDefaultForegroundLockTimeout);
}

TEST(DockingTest, SideByLocationAndTheCornerPixels) {
  struct Case {
    int location;
    Point at;
    Edge edge;
  };
  const Rect m = kSecond;  // R - 1 = 3199, B - 1 = 1023
  const Case cases[] = {
      {TopLeftCorner, {1920, 0}, Edge::Left},        {TopLeftCorner, {1950, 0}, Edge::Top},
      {TopLeftCorner, {1920, 40}, Edge::Left},       {TopRightCorner, {3199, 0}, Edge::Top},
      {TopRightCorner, {3150, 0}, Edge::Top},        {TopRightCorner, {3199, 40}, Edge::Right},
      {BottomRightCorner, {3199, 1023}, Edge::Right}, {BottomRightCorner, {3150, 1023}, Edge::Bottom},
      {BottomRightCorner, {3199, 990}, Edge::Right}, {BottomLeftCorner, {1920, 1023}, Edge::Left},
      {BottomLeftCorner, {1950, 1023}, Edge::Bottom}, {BottomLeftCorner, {1920, 990}, Edge::Left},
      {TopLeft, {2100, 0}, Edge::Top},               {TopMiddle, {2560, 0}, Edge::Top},
      {TopRight, {3000, 0}, Edge::Top},              {RightTop, {3199, 200}, Edge::Right},
      {RightMiddle, {3199, 512}, Edge::Right},       {RightBottom, {3199, 800}, Edge::Right},
      {BottomRight, {3000, 1023}, Edge::Bottom},     {BottomMiddle, {2560, 1023}, Edge::Bottom},
      {BottomLeft, {2100, 1023}, Edge::Bottom},      {LeftBottom, {1920, 800}, Edge::Left},
      {LeftMiddle, {1920, 512}, Edge::Left},         {LeftTop, {1920, 200}, Edge::Left},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DockingEdge(m, c.location, c.at), c.edge) << c.location << " at " << c.at.x << "," << c.at.y;
  }
}

TEST(DockingTest, CentredOnThePointerAndHeldOnTheMonitorNearBoundFirst) {
  struct Case {
    Edge edge;
    std::int32_t w, h;
    Point at;
    Point expected;
  };
  const Case cases[] = {
      {Edge::Top, 400, 300, {2500, 0}, {2300, 0}},
      {Edge::Top, 400, 300, {1950, 0}, {1920, 0}},
      {Edge::Top, 400, 300, {3150, 0}, {2800, 0}},
      {Edge::Top, 401, 300, {3000, 0}, {2799, 0}},  // x + w/2 reaching R counts as beyond
      {Edge::Bottom, 400, 300, {2500, 1023}, {2300, 724}},
      {Edge::Left, 400, 300, {1920, 500}, {1920, 350}},
      {Edge::Left, 400, 300, {1920, 10}, {1920, 0}},
      {Edge::Left, 400, 300, {1920, 1000}, {1920, 724}},
      {Edge::Right, 400, 300, {3199, 500}, {2800, 350}},
      // Wider than the monitor: L while x < L + w/2, else R - w.
      {Edge::Top, 1500, 300, {2669, 0}, {1920, 0}},
      {Edge::Top, 1500, 300, {2670, 0}, {1700, 0}},
      {Edge::Bottom, 1500, 300, {3199, 1023}, {1700, 724}},
      {Edge::Left, 400, 1100, {1920, 549}, {1920, 0}},
      {Edge::Left, 400, 1100, {1920, 550}, {1920, -76}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DockedPosition(kSecond, c.edge, c.w, c.h, c.at), c.expected)
        << static_cast<int>(c.edge) << " " << c.w << "x" << c.h << " at " << c.at.x << "," << c.at.y;
  }
}

TEST(DockingTest, ShownWindowDocksOnTheEdgeThePointerArrivedOn) {
  struct Case {
    int location;
    Point at;
    Point topLeft;
  };
  const Case cases[] = {
      {TopLeftCorner, {100, 0}, {50, 0}},          {TopLeftCorner, {0, 90}, {0, 50}},
      {TopRightCorner, {1850, 0}, {1800, 0}},      {TopRightCorner, {1919, 90}, {1820, 50}},
      {BottomRightCorner, {1850, 1079}, {1800, 1000}}, {BottomRightCorner, {1919, 1000}, {1820, 960}},
      {BottomLeftCorner, {100, 1079}, {50, 1000}}, {BottomLeftCorner, {0, 1000}, {0, 960}},
      {TopMiddle, {960, 0}, {910, 0}},             {RightMiddle, {1919, 540}, {1820, 500}},
  };
  for (const Case& c : cases) {
    Scene s;
    s.h.settings().showingDelay = 0;
    const WindowHandle small = s.AddHidden("small", {700, 700, 800, 780});
    s.Register(small, c.location);
    s.TickAt(c.at);
    ASSERT_TRUE(s.Shown(c.location)) << c.location;
    const Rect r = s.RectOf(small);
    EXPECT_EQ((Point{r.left, r.top}), c.topLeft) << c.location << " at " << c.at.x << "," << c.at.y;
    EXPECT_EQ(r.Width(), 100);
  }
}

TEST(PlacementTest, FinalPlacementByTopmostAndKeepWindowPosition) {
  struct Case {
    int topmost, keep;
    Rect saved;
    std::string last;
  };
  const Case cases[] = {
      {0, 0, {}, "PlaceWindow editor NotTopmost move=(760,0)"},
      {1, 0, {}, "PlaceWindow editor Topmost move=(760,0)"},
      {0, 1, {50, 60, 450, 400}, "PlaceWindow editor NotTopmost move=(50,60) size=400x340"},
      {1, 1, {50, 60, 450, 400}, "PlaceWindow editor Topmost move=(50,60) size=400x340"},
      {0, 1, {}, "PlaceWindow editor NotTopmost"},
      {1, 1, {50, 60, 50, 400}, "PlaceWindow editor Topmost"},
      {0, 1, {50, 60, 450, 60}, "PlaceWindow editor NotTopmost"},
  };
  for (const Case& c : cases) {
    Scene s;
    s.h.settings().showingDelay = 0;
    s.h.settings().topmost = c.topmost;
    s.h.settings().keepWindowPos = c.keep;
    s.Register(s.editor, TopMiddle);
    s.Slot()[TopMiddle].savedRect = c.saved;
    s.h.desktop.ResetCalls();
    s.TickAt({960, 0});
    ASSERT_FALSE(s.h.desktop.Log().empty());
    EXPECT_EQ(s.h.desktop.Log().back(), c.last);
    EXPECT_EQ(s.h.desktop.Find(s.editor)->topmost, c.topmost == 1) << c.last;
  }
}

TEST(PlacementTest, MinimisedAndMaximisedWindowsComeUpInTheirNormalSize) {
  struct Case {
    bool minimized, maximized;
    int restores;
  };
  const Case cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 1}};
  for (const Case& c : cases) {
    Scene s;
    s.h.settings().showingDelay = 0;
    FakeDesktop& d = s.h.desktop;
    FakeWindow* w = d.Find(s.editor);
    w->minimized = c.minimized;
    w->maximized = c.maximized;
    w->normalRect = {0, 0, 400, 300};
    if (c.maximized) w->rect = kPrimary;
    if (c.minimized) w->rect = {-32000, -32000, -31840, -31972};
    s.Register(s.editor, TopMiddle);
    d.ResetCalls();
    s.TickAt({960, 0});
    const std::vector<std::string> log = d.Log();
    int restores = 0;
    for (const std::string& line : log) restores += line == "ShowWindow editor Restore" ? 1 : 0;
    EXPECT_EQ(restores, c.restores);
    if (c.restores > 0) {
      EXPECT_EQ(log.front(), "ShowWindow editor Restore") << "before the window is forced up";
    }
    EXPECT_EQ(s.RectOf(s.editor), (Rect{760, 0, 1160, 300}));
  }
}

TEST(ReleaseWindowTest, GivenBackOnlyWhenNoOtherLocationHoldsIt) {
  struct Case {
    int otherMonitor, otherLocation;  // -1: none
    std::vector<std::string> log;
  };
  const std::vector<Case> cases = {
      {-1, -1, {"PlaceWindow editor NotTopmost show async"}},
      {0, RightTop, {}},
      {1, TopMiddle, {}},
  };
  for (const Case& c : cases) {
    Scene s(2);
    s.Register(s.editor, TopMiddle);
    if (c.otherMonitor >= 0) s.Register(s.editor, c.otherLocation, c.otherMonitor);
    s.h.desktop.Find(s.editor)->topmost = true;
    s.h.desktop.ResetCalls();
    s.h.app.Registration().Unregister(0, TopMiddle);
    EXPECT_EQ(s.h.desktop.Log(), c.log) << c.otherMonitor;
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), kNoWindow);
    EXPECT_EQ(s.Visible(s.editor), c.log.size() == 1);
    EXPECT_EQ(s.h.desktop.Find(s.editor)->topmost, c.log.empty());
  }
  Scene s;
  s.h.desktop.ResetCalls();
  s.h.app.Registration().Unregister(0, TopMiddle);
  EXPECT_TRUE(s.h.desktop.Log().empty()) << "an empty location releases nothing";
}

TEST(ModifierKeysTest, PolledOnlyWhenSomethingUsesThemAndAChangeIsTold) {
  struct Case {
    int trigger, guideKey, labelShow;
    bool polled;
  };
  const std::vector<Case> cases = {
      {0, 0, 0, false}, {0, 0, 2, false}, {1, 0, 0, true}, {0, 1, 0, true}, {0, 0, 1, true}, {1, 1, 1, true},
  };
  for (const Case& c : cases) {
    Scene s;
    Settings& set = s.h.settings();
    set.triggerEnabled = c.trigger;
    set.guideEnabledKey = c.guideKey;
    set.labelShow = c.labelShow;
    FakeDesktop& d = s.h.desktop;
    d.PressKey(VirtualKey::Shift);
    d.ResetCalls();
    EXPECT_EQ(s.h.app.Watcher().UpdateModifierKeys(), c.polled) << c.trigger << c.guideKey << c.labelShow;
    ASSERT_EQ(d.Calls(DesktopMethod::IsKeyDown), c.polled ? 3 : 0) << c.trigger << c.guideKey << c.labelShow;
    EXPECT_EQ(s.h.state().shiftDown, c.polled);
    EXPECT_FALSE(s.h.state().ctrlDown);
    if (c.polled) {
      const auto& calls = d.CallList();
      EXPECT_EQ(calls[0].key, VirtualKey::Control);
      EXPECT_EQ(calls[1].key, VirtualKey::Shift);
      EXPECT_EQ(calls[2].key, VirtualKey::Alt);
    }
    EXPECT_FALSE(s.h.app.Watcher().UpdateModifierKeys()) << "no change";

    d.ReleaseKey(VirtualKey::Shift);
    d.TapKey(VirtualKey::Alt);  // pressed since the last poll
    EXPECT_EQ(s.h.app.Watcher().UpdateModifierKeys(), c.polled);
    EXPECT_FALSE(s.h.state().shiftDown);
    EXPECT_EQ(s.h.state().altDown, c.polled);
  }
}

// Two monitors, every location holding its own hidden window.
void RegisterEverywhere(Scene& s) {
  for (int m = 0; m < 2; ++m) {
    for (int k = 0; k < kLocationCount; ++k) s.Register(s.AddHidden("w", {0, 0, 200, 100}), k, m);
  }
}

TEST(TickCostTest, PointerAwayFromTheEdgesCostsOneExistenceTestPerRegistration) {
  Scene s(2);
  s.h.settings().triggerEnabled = 1;
  RegisterEverywhere(s);
  s.h.desktop.SetPointer(960, 540);
  s.h.desktop.ResetCalls();
  s.h.app.OnTimer();
  const FakeDesktop& d = s.h.desktop;
  EXPECT_EQ(d.Calls(DesktopMethod::PointerPosition), 1);
  EXPECT_LE(d.Calls(DesktopMethod::IsKeyDown), 3);
  EXPECT_EQ(d.Calls(DesktopMethod::WindowExists), 32);
  EXPECT_EQ(d.Calls(DesktopMethod::WindowRect), 0);
  EXPECT_LE(d.Calls(DesktopMethod::TickCount), 1);
  EXPECT_EQ(d.TotalCalls(), d.Calls(DesktopMethod::PointerPosition) + d.Calls(DesktopMethod::IsKeyDown) +
                                d.Calls(DesktopMethod::WindowExists) + d.Calls(DesktopMethod::TickCount))
      << "nothing else";
}

TEST(TickCostTest, SteadyStateTicksAllocateNothing) {
  allocations = 0;
  countAllocations = true;
  allocationProbe = new std::u16string(100, u'x');
  countAllocations = false;
  delete allocationProbe;
  ASSERT_GT(allocations, 0) << "the counting operator new is not in use";

  Scene s(2);
  Settings& set = s.h.settings();
  set.triggerEnabled = 1;
  set.labelShow = 1;
  set.showingDelay = 100000;
  set.hiddenDelay = 100000;
  RegisterEverywhere(s);
  const WindowHandle up = s.h.RegisteredAt(1, TopMiddle);
  s.h.desktop.Find(up)->visible = true;
  s.h.desktop.Find(up)->rect = {2400, 0, 2600, 100};
  s.Slot(1)[TopMiddle].cycle.Show(s.h.desktop.Tick());
  s.Slot(1)[TopMiddle].cycle.Visit(s.h.desktop.Tick());
  s.h.desktop.SetRecording(false);
  const Point positions[] = {{960, 540}, {2500, 50}, {960, 0}, {0, 540}, {3199, 1023}};
  for (const Point p : positions) s.TickAt(p);  // warm-up

  for (const Point p : positions) {
    s.h.desktop.SetPointer(p);
    s.h.desktop.Advance(200);
    allocations = 0;
    countAllocations = true;
    s.h.app.OnTimer();
    countAllocations = false;
    EXPECT_EQ(allocations, 0) << "pointer at " << p.x << "," << p.y;
  }
  EXPECT_TRUE(s.Shown(TopMiddle, 1));
}

// A window whose thread does not answer gets only calls that do not wait for
// it, through everything the program does with a registered window; one that
// answers keeps the synchronous path.
TEST(HungWindowTest, NothingWaitsForAHungWindowOrTaskbar) {
  for (const bool hung : {false, true}) {
    SCOPED_TRACE(hung ? "hung" : "answering");
    Scene s;
    s.h.settings().hideTaskbar = 1;
    s.h.settings().showingDelay = 0;
    s.h.desktop.Find(s.editor)->hung = hung;
    s.h.desktop.Find(s.editor)->title = u"editor";
    s.h.desktop.Find(s.taskbar)->hung = hung;
    s.Slot()[TopMiddle].keyword = u"editor*";
    s.h.desktop.Find(s.editor)->visible = true;
    s.h.app.OnCommand(command_id::kApplyAllKeywords);
    ASSERT_EQ(s.h.RegisteredAt(0, TopMiddle), s.editor);
    s.h.desktop.ResetCalls();

    s.BringUp(TopMiddle, {960, 0});
    const std::vector<std::string> log = s.h.desktop.Log();
    const auto has = [&](const std::string& call) { return std::find(log.begin(), log.end(), call) != log.end(); };
    EXPECT_EQ(has("SetFocus editor"), !hung);
    EXPECT_EQ(has("BringToTop editor"), !hung);
    EXPECT_EQ(has("PlaceWindow editor NotTopmost move=(760,0)"), !hung);
    EXPECT_EQ(has("PlaceWindow editor NotTopmost move=(760,0) async"), hung);
    s.VisitAndLeave(s.editor, {960, 600});
    ASSERT_GT(TicksUntilHidden(s, s.editor), 0);
    s.h.app.OnCommand(command_id::kShowAll);
    s.h.app.OnCommand(command_id::kShowAll);
    s.h.app.OnCommand(command_id::kApplyAllKeywords);
    s.h.app.OnCommand(command_id::kUnregisterAll);
    s.h.app.Shutdown();
    EXPECT_EQ(s.h.desktop.BlockingCalls(), std::vector<std::string>{});
    int editorShowCalls = 0;
    for (const DesktopCall& call : s.h.desktop.CallList()) {
      if (call.method == DesktopMethod::ShowWindow && call.window == s.editor) ++editorShowCalls;
    }
    EXPECT_EQ(editorShowCalls > 0, !hung) << "the answering path is synchronous";
  }
}

TEST(HungWindowTest, AHungForegroundWindowIsNotJoinedButTheWindowStillComesToTheFront) {
  Scene s;
  s.h.settings().showingDelay = 0;
  s.h.desktop.Find(s.browser)->hung = true;
  s.Register(s.editor, TopMiddle);
  s.h.desktop.ResetCalls();
  s.BringUp(TopMiddle, {960, 0});
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::AttachInputToForeground), 0);
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::SetFocus), 0);
  EXPECT_EQ(s.h.desktop.Foreground(), s.editor);
  EXPECT_EQ(s.h.desktop.BlockingCalls(), std::vector<std::string>{});
}

// The session ends while a show waits for the window's program: everything
// has been given back, and the show does not bring its window up again.
TEST(EndOfSessionTest, AShowTheEndInterruptsLeavesItsWindowGivenBack) {
  Scene s;
  s.h.settings().topmost = 1;
  s.h.settings().hideTaskbar = 1;
  s.Register(s.editor, TopMiddle);
  bool ended = false;
  s.h.desktop.OnWait([&](const DesktopCall& call) {
    if (ended || call.window != s.editor) return;
    ended = true;
    s.h.app.OnEndSession(true);
  });
  s.h.app.Showing().BringUp(0, TopMiddle, {960, 0});
  ASSERT_TRUE(ended);
  EXPECT_TRUE(s.Visible(s.editor));
  EXPECT_FALSE(s.h.desktop.Find(s.editor)->topmost);
  EXPECT_TRUE(s.Visible(s.taskbar));
  EXPECT_FALSE(s.Shown(TopMiddle));
  s.h.desktop.ResetCalls();
  s.h.app.Showing().BringUp(0, TopMiddle, {960, 0});
  EXPECT_EQ(s.h.desktop.Log(), std::vector<std::string>{}) << "brought up after the end";
}

// Once its show has taken effect, a window off the screen ends its part of
// the cycle as a hide would, whatever took it away, even its own program
// right after the show (before any tick saw it up): the taskbar comes back,
// the foreground goes back, and its edge works again.
TEST(ShowCycleTest, AWindowOffTheScreenOnceItsShowTookEffectEndsTheCycle) {
  struct Row {
    const char* what;
    bool seenFirst;  // a tick saw it up before it went
    bool minimised;  // minimised rather than hidden
  };
  for (const Row& row : {Row{"hidden within the tick of its show", false, false},
                         Row{"minimised within the tick of its show", false, true},
                         Row{"hidden once seen", true, false}}) {
    SCOPED_TRACE(row.what);
    Scene s;
    s.h.settings().hideTaskbar = 1;
    s.h.settings().showingDelay = 0;
    s.Register(s.editor, TopMiddle);
    FakeWindow& editor = *s.h.desktop.Find(s.editor);
    s.h.desktop.OnCall([&](DesktopMethod, WindowHandle) {
      if (row.seenFirst || !s.Shown(TopMiddle)) return;
      // The first call after the show: its program takes it away at once.
      if (row.minimised) {
        editor.minimized = true;
      } else {
        editor.visible = false;
      }
      s.h.desktop.OnCall(nullptr);
    });
    s.BringUp(TopMiddle, {960, 0});
    if (row.seenFirst) {
      s.Tick();
      editor.visible = false;
    }
    s.h.desktop.SetPointer(960, 600);
    s.Tick();
    EXPECT_FALSE(s.Shown(TopMiddle));
    EXPECT_TRUE(s.Visible(s.taskbar)) << "the cycle did not end";
    EXPECT_EQ(s.h.desktop.Foreground(), s.browser);

    editor.minimized = false;
    editor.visible = false;
    s.BringUp(TopMiddle, {960, 0});
  }
}

// A window shown without waiting for its hung thread may take a while to
// appear: the cycle waits for it, 2 s at most, and then gives its edge back.
TEST(ShowCycleTest, AHungProgramsShowIsAwaitedForTwoSecondsAtMost) {
  for (const bool comes : {true, false}) {
    SCOPED_TRACE(comes ? "it comes, then its program hides it" : "it never comes");
    Scene s;
    s.h.settings().hideTaskbar = 1;
    s.h.settings().showingDelay = 0;
    FakeWindow& editor = *s.h.desktop.Find(s.editor);
    editor.asyncShowPending = true;
    editor.hung = true;
    s.Register(s.editor, TopMiddle);
    s.BringUp(TopMiddle, {960, 0});
    s.h.desktop.SetPointer(960, 600);
    for (int i = 0; i < 9; ++i) s.Tick();  // 1.8 s
    EXPECT_FALSE(s.Visible(s.editor));
    EXPECT_TRUE(s.Shown(TopMiddle)) << "ended before the window could come";
    EXPECT_FALSE(s.Visible(s.taskbar));

    if (comes) {
      editor.asyncShowPending = false;
      editor.visible = true;
      for (int i = 0; i < 5; ++i) s.Tick();
      EXPECT_TRUE(s.Shown(TopMiddle)) << "seen up: the rule goes on";
      editor.visible = false;
    }
    s.Tick();
    EXPECT_FALSE(s.Shown(TopMiddle));
    EXPECT_TRUE(s.Visible(s.taskbar)) << "the cycle did not end";
    EXPECT_EQ(s.h.desktop.BlockingCalls(), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace peekbar
