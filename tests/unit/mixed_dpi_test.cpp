// Monitors of different scaling side by side: a laptop at 150 % beside an
// external monitor at 100 %, either as the primary. Windows rescale as they
// cross from one to the other; every edge must still be hit to its last
// pixel and dock its window flush, and a remembered rectangle keeps its
// size in inches when the scaling under it changes.
#include <gtest/gtest.h>

#include <array>

#include "core/engine/show_hide.h"
#include "fakes/scene.h"

namespace peekbar {
namespace {

constexpr std::uint32_t kLaptopDpi = 144;
constexpr std::uint32_t kExternalDpi = 96;

struct Arrangement {
  const char* name;
  Rect laptop;
  Rect external;
  std::uint32_t systemDpi;  // the primary's
};
constexpr std::array<Arrangement, 2> kArrangements = {{
    {"laptop primary", {0, 0, 2880, 1620}, {2880, 0, 4800, 1080}, kLaptopDpi},
    {"external primary", {-2880, 0, 0, 1620}, {0, 0, 1920, 1080}, kExternalDpi},
}};

struct MixedDpiScene : DesktopScene {
  explicit MixedDpiScene(const Arrangement& a) : DesktopScene(0) {
    h.desktop.monitors = {{u"\\\\.\\DISPLAY1", a.laptop, kLaptopDpi}, {u"\\\\.\\DISPLAY2", a.external, kExternalDpi}};
    h.desktop.SetSystemDpi(a.systemDpi);
  }
  // A window of 400 x 300 at 100 %, hidden on the monitor across from `m`:
  // coming up at m, it crosses to the other scaling.
  WindowHandle AddAcross(int m) {
    const Rect& other = h.desktop.monitors[static_cast<std::size_t>(1 - m)].rect;
    const std::uint32_t dpi = h.desktop.monitors[static_cast<std::size_t>(1 - m)].dpi;
    const WindowHandle w = AddHidden("editor", {other.left + 100, other.top + 100, other.left + 100 + ScaleForDpi(400, dpi, 96),
                                                other.top + 100 + ScaleForDpi(300, dpi, 96)});
    h.desktop.Find(w)->dpi = dpi;
    return w;
  }
  bool BringUpAt(int m, int location, Point at) {
    h.desktop.SetPointer(at);
    for (int i = 0; i < 10 && !Slot(m)[location].cycle.IsShown(); ++i) Tick();
    return Slot(m)[location].cycle.IsShown();
  }
};

// A point on the location's own stretch of its edge's outermost line.
Point HotSpot(const Rect& m, int location) {
  std::array<LocationEdgeSpan, 2> spans;
  LocationSpans(m, LocationSpan::Of(m, 10, 10), location, spans);
  const std::int32_t along = spans[0].interval.begin + (spans[0].interval.end - spans[0].interval.begin) / 2;
  switch (spans[0].edge) {
    case Edge::Top: return {along, m.top};
    case Edge::Bottom: return {along, m.bottom - 1};
    case Edge::Left: return {m.left, along};
    case Edge::Right: return {m.right - 1, along};
  }
  return {};
}

bool Flush(const Rect& w, const Rect& m, Edge edge) {
  const bool inside = m.left <= w.left && w.right <= m.right && m.top <= w.top && w.bottom <= m.bottom;
  switch (edge) {
    case Edge::Top: return inside && w.top == m.top;
    case Edge::Bottom: return inside && w.bottom == m.bottom;
    case Edge::Left: return inside && w.left == m.left;
    case Edge::Right: return inside && w.right == m.right;
  }
  return false;
}

TEST(MixedDpiTest, EverySpotOfBothMonitorsDocksARescalingWindowFlush) {
  for (const Arrangement& a : kArrangements) {
    for (int m = 0; m < 2; ++m) {
      for (int location = 0; location < kLocationCount; ++location) {
        MixedDpiScene s(a);
        s.Start();
        const WindowHandle editor = s.AddAcross(m);
        s.h.app.Registration().Register(m, location, editor);
        const Rect monitor = s.Slot(m).monitorRect;
        const Point at = HotSpot(monitor, location);
        ASSERT_TRUE(s.BringUpAt(m, location, at)) << a.name << " monitor " << m << " location " << location;
        const Rect w = s.RectOf(editor);
        EXPECT_TRUE(Flush(w, monitor, DockingEdge(monitor, location, at)))
            << a.name << " monitor " << m << " location " << location << ": " << w.left << "," << w.top << ","
            << w.right << "," << w.bottom;
        EXPECT_EQ(w.right - w.left, ScaleForDpi(400, s.Slot(m).dpi, 96)) << "it took its new monitor's scaling";
      }
    }
  }
}

TEST(MixedDpiTest, AwareOnlyOfTheSystemDpiTheOtherMonitorsLastPixelIsNeverHit) {
  // What the per-monitor manifest mends: the system converts the pointer
  // into the system's DPI, and the external monitor's right edge at 150 %
  // lies a pixel beyond where the pointer can be reported.
  for (const bool systemAware : {true, false}) {
    MixedDpiScene s(kArrangements[0]);
    s.h.desktop.SetSystemAwareCaller(systemAware);
    s.Start();
    const WindowHandle editor = s.AddAcross(1);
    s.h.app.Registration().Register(1, RightMiddle, editor);
    EXPECT_EQ(s.BringUpAt(1, RightMiddle, {4799, 540}), !systemAware) << "system aware: " << systemAware;
  }
}

TEST(MixedDpiTest, ARememberedRectangleKeepsItsSizeInInchesWhenTheScalingUnderItChanges) {
  MixedDpiScene s(kArrangements[0]);
  s.Start();
  const WindowHandle editor = s.AddAcross(0);
  s.h.app.Registration().Register(0, RightMiddle, editor);
  ASSERT_TRUE(s.BringUpAt(0, RightMiddle, {2879, 800}));
  ASSERT_EQ(s.RectOf(editor), (Rect{2280, 575, 2880, 1025})) << "600 x 450 at 150 %, flush right";
  s.h.store.ClearWrites();
  s.h.app.Showing().BringDown(0, RightMiddle);
  EXPECT_EQ(s.h.store.WriteLog().back(), "MONITOR_0/WIN_DPI_6=144");
  s.h.settings().keepWindowPos = 1;

  // The user sets the laptop to 100 %: the same pixels, another DPI.
  s.h.desktop.monitors[0].dpi = 96;
  s.h.app.OnDisplayChange();
  s.Tick();
  ASSERT_EQ(s.Slot(0).dpi, 96u);
  ASSERT_TRUE(s.BringUpAt(0, RightMiddle, {2879, 800}));
  EXPECT_EQ(s.RectOf(editor), (Rect{2480, 575, 2880, 875})) << "400 x 300, still flush right";

  // A profile from before remembered no DPI: the rectangle is used as it stands.
  s.h.app.Showing().BringDown(0, RightMiddle);
  s.Slot(0)[RightMiddle].savedDpi = 0;
  s.Slot(0)[RightMiddle].savedRect = {2280, 575, 2880, 1025};
  ASSERT_TRUE(s.BringUpAt(0, RightMiddle, {2879, 800}));
  EXPECT_EQ(s.RectOf(editor), (Rect{2280, 575, 2880, 1025}));
}

}  // namespace
}  // namespace peekbar
