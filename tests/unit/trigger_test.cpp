// The trigger window's decisions: its grid under the pointer, the keys, the
// look of its cells, the tip's place, and a window brought up and down from
// it on monitors left of and above the primary one; then the window itself
// on the fake clock, as the user holds the keys, points and clicks.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/overlays/trigger.h"
#include "fakes/scene.h"

namespace peekbar {
namespace {

TEST(TriggerGridTest, EveryPointOfEveryCellFindsItsValueAtAnySize) {
  const std::vector<std::pair<std::int32_t, std::int32_t>> sizes = {{200, 200}, {250, 200}, {9, 9}, {100, 37}};
  for (const auto& [w, h] : sizes) {
    std::map<int, int> cells;  // grid value -> cells
    for (int row = 0; row < kTriggerGridSize; ++row) {
      for (int column = 0; column < kTriggerGridSize; ++column) {
        const int value = TriggerGridValue(row, column);
        ++cells[value];
        const Rect r = TriggerCellRect(row, column, w, h);
        for (const Point p : {Point{r.left, r.top}, Point{r.right - 1, r.bottom - 1}}) {
          EXPECT_EQ(TriggerCellAt(p, w, h), value) << w << "x" << h << " (" << p.x << ", " << p.y << ")";
        }
      }
    }
    for (const Point outside : {Point{-1, 5}, Point{5, -1}, Point{w, 0}, Point{0, h}, Point{-w, -h}}) {
      EXPECT_EQ(TriggerCellAt(outside, w, h), kTriggerGap) << outside.x << ", " << outside.y;
    }
    // Corners and middles three cells, side pieces two, the close block 5 x 5.
    for (int location = 0; location < kLocationCount; ++location) {
      const bool middleOrCorner = location % 2 == 0;
      EXPECT_EQ(cells[location], middleOrCorner ? 3 : 2) << location;
    }
    EXPECT_EQ(cells[kTriggerCloseBlock], 25);
  }
}

TEST(TriggerKeysTest, AllSelectedKeysBringItUpAnyReleasedOneRearmsItNoneSelectedNeverDoes) {
  struct Case {
    int ctrl, shift, alt;           // selected
    bool ctrlDown, shiftDown, altDown;
    TriggerKeyRequest request;
  };
  const Case cases[] = {
      {1, 0, 0, true, false, false, TriggerKeyRequest::BringUp},
      {1, 0, 0, true, true, true, TriggerKeyRequest::BringUp},
      {1, 1, 0, true, false, false, TriggerKeyRequest::HideAndRearm},
      {0, 0, 1, false, false, true, TriggerKeyRequest::BringUp},
      {0, 0, 0, true, true, true, TriggerKeyRequest::None},
  };
  for (const Case& c : cases) {
    AppState state;
    state.settings.triggerCtrl = c.ctrl;
    state.settings.triggerShift = c.shift;
    state.settings.triggerAlt = c.alt;
    state.ctrlDown = c.ctrlDown;
    state.shiftDown = c.shiftDown;
    state.altDown = c.altDown;
    EXPECT_EQ(DecideTriggerKeys(state), c.request) << c.ctrl << c.shift << c.alt;
  }
}

TEST(TriggerCellLookTest, GapsCloseBlockEmptyRegisteredHoveredAndShownCells) {
  MonitorSlot monitor;
  monitor[2].cycle.Register(0x100, 0);
  monitor[2].guideColor = 0x0000FF;
  monitor[6].cycle.Register(0x104, 0);
  monitor[6].guideColor = 0x00FF00;
  monitor[6].cycle.Show();
  struct Case {
    int value, hovered;
    Color fill;
    bool hatched;
    Color hatch;
  };
  const Case cases[] = {
      {kTriggerGap, kTriggerGap, 0x808080, false, 0},
      {kTriggerCloseBlock, 3, 0xFFFFFF, false, 0},
      {kTriggerCloseBlock, kTriggerCloseBlock, 0x000000, false, 0},
      {3, 3, 0x404040, false, 0},             // nothing registered there, hovered or not
      {2, 3, 0x0000FF, false, 0},             // its colour
      {2, 2, 0xFFFF00, false, 0},             // inverted under the pointer
      {6, 2, 0x00FF00, true, 0xFF00FF},       // shown: crossed in the inverse
      {6, 6, 0xFF00FF, true, 0x00FF00},
  };
  for (const Case& c : cases) {
    const TriggerCellLook look = TriggerCellLookOf(c.value, c.hovered, monitor);
    EXPECT_EQ(look.fill, c.fill) << c.value << " hovered " << c.hovered;
    EXPECT_EQ(look.hatched, c.hatched) << c.value;
    if (c.hatched) {
      EXPECT_EQ(look.hatch, c.hatch) << c.value;
    }
  }
}

TEST(TriggerTipTest, BelowAndRightOfThePointerUnlessThatLeavesTheMonitor) {
  // A monitor left of and above the primary one.
  const Rect m{-1280, -1024, 0, 0};
  struct Case {
    Point pointer;
    Point at;
  };
  const Case cases[] = {
      {{-1000, -900}, {-1000, -900 + 16}},
      {{-50, -900}, {-100, -900 + 16}},  // would cross the right side
      {{-1000, -20}, {-1000, -40}},      // would cross the bottom: above the pointer
      {{-30, -30}, {-100, -50}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TriggerTipPosition(c.pointer, 100, 20, 16, m), c.at) << c.pointer.x << ", " << c.pointer.y;
  }
}

// A click on the trigger window brings the window up around the click point
// inside the grid's monitor, without taking the foreground; the usual rule
// puts it away, and so does a second click.
TEST(TriggerBringUpTest, AroundTheClickInsideItsMonitorThenAwayByTheRuleOrAClick) {
  struct Case {
    Rect second;     // the trigger's monitor, beside the primary
    Point click;
    Point placedAt;  // the 400 x 300 window's top-left corner
  };
  const Case cases[] = {
      {{-1280, 0, 0, 1024}, {-640, 500}, {-840, 350}},
      {{-1280, 0, 0, 1024}, {-10, 1020}, {-400, 724}},     // pulled inside at the right and bottom
      {{0, -768, 1024, 0}, {5, -760}, {0, -768}},          // above the primary: left and top win
  };
  for (const Case& c : cases) {
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.AddMonitor(c.second);
    h.store.SetInt(ProfileIni(0), u"OPTION", u"TOPMOST", 1);
    h.Start();
    FakeWindow w;
    w.name = "editor";
    w.rect = {0, 0, 400, 300};
    w.visible = false;
    const WindowHandle editor = h.desktop.AddWindow(w);
    h.app.Registration().Register(1, TopMiddle, editor);
    h.app.Registration().Register(1, BottomMiddle, editor);
    h.desktop.ResetCalls();

    h.app.Showing().BringUpAt(1, TopMiddle, c.click);
    EXPECT_EQ(h.desktop.Find(editor)->rect, (Rect{c.placedAt.x, c.placedAt.y, c.placedAt.x + 400, c.placedAt.y + 300}));
    EXPECT_TRUE(h.desktop.Find(editor)->visible);
    EXPECT_TRUE(h.desktop.Find(editor)->topmost);
    EXPECT_EQ(h.desktop.Calls(DesktopMethod::SetForegroundWindow), 0);
    EXPECT_EQ(h.state().savedForeground, kCapturedNothing);
    EXPECT_TRUE(h.state().At(1, TopMiddle).cycle.IsShown());

    // The usual rule: visited, then left for HIDDEN_DELAY.
    const Rect r = h.desktop.Find(editor)->rect;
    h.desktop.SetPointer(r.left + 5, r.top + 5);
    h.desktop.Advance(200);
    h.app.OnTimer();
    h.desktop.SetPointer(c.second.left + 300, c.second.top + 300);
    for (int i = 0; i < 10 && h.desktop.Find(editor)->visible; ++i) {
      h.desktop.Advance(200);
      h.app.OnTimer();
    }
    EXPECT_FALSE(h.desktop.Find(editor)->visible) << "not put away by the usual rule";

    // Up again, and down by a click: away at both locations, rectangle kept.
    h.app.Showing().BringUpAt(1, TopMiddle, c.click);
    h.app.Showing().BringDown(1, TopMiddle);
    EXPECT_FALSE(h.desktop.Find(editor)->visible);
    EXPECT_FALSE(h.state().At(1, TopMiddle).cycle.IsShown());
    EXPECT_FALSE(h.state().At(1, BottomMiddle).cycle.IsShown());
    EXPECT_EQ(h.state().At(1, TopMiddle).savedRect, r);
  }
}

// The trigger window 270 x 270 (cells of 30) under Ctrl, "editor"
// registered at the middle of the top edge and "nameless" at the middle of
// the left edge; the pointer rests at the centre.
struct TriggerScene : DesktopScene {
  WindowHandle editor = kNoWindow;
  static constexpr Rect kAtCentre{825, 405, 1095, 675};

  TriggerScene() {
    h.store.SetInt(ProfileIni(0), u"TRIGGER", u"ENABLED", 1);
    h.store.SetInt(ProfileIni(0), u"TRIGGER", u"WND_WIDTH", 270);
    h.store.SetInt(ProfileIni(0), u"TRIGGER", u"WND_HEIGHT", 270);
    Start();
    editor = AddHidden("editor", {0, 0, 400, 300});
    h.desktop.Find(editor)->title = u"editor";
    h.app.Registration().Register(0, TopMiddle, editor);
    h.app.Registration().Register(0, LeftMiddle, Add("nameless", u""));
    h.desktop.SetPointer(960, 540);
  }
  const TriggerView& Trigger() const { return h.windows.frame.trigger; }
  void Ctrl(bool down) {
    if (down) {
      h.desktop.PressKey(VirtualKey::Control);
    } else {
      h.desktop.ReleaseKey(VirtualKey::Control);
    }
    Tick();
  }
  // The centre of a cell, in the window's client coordinates and on the screen.
  static Point Cell(int row, int column) { return {column * 30 + 15, row * 30 + 15}; }
  Point OnScreen(Point client) const { return {Trigger().rect.left + client.x, Trigger().rect.top + client.y}; }
  void Click(Point client, bool right = false) { h.app.TriggerInput().TriggerClicked(client, right); }
};

TEST(TriggerWindowTest, UpAtThePointerInsideItsMonitorWhileEverySelectedKeyIsDown) {
  struct Case {
    std::int32_t enabled, ctrl, shift;
    Point pointer;
    std::optional<Rect> at;
  };
  const Case cases[] = {
      {1, 1, 0, {960, 540}, TriggerScene::kAtCentre},
      {1, 1, 0, {1900, 1070}, Rect{1650, 810, 1920, 1080}},  // pulled inside at the right and bottom
      {1, 1, 0, {5, 5}, Rect{0, 0, 270, 270}},
      {1, 1, 1, {960, 540}, std::nullopt},  // Shift is selected too and not held
      {1, 0, 0, {960, 540}, std::nullopt},  // no key selected
      {0, 1, 0, {960, 540}, std::nullopt},  // not in use
  };
  for (const Case& c : cases) {
    TriggerScene s;
    s.h.settings().triggerEnabled = c.enabled;
    s.h.settings().triggerCtrl = c.ctrl;
    s.h.settings().triggerShift = c.shift;
    s.h.desktop.SetPointer(c.pointer);
    s.Ctrl(true);
    SCOPED_TRACE(testing::Message() << c.enabled << c.ctrl << c.shift << " at " << c.pointer.x << "," << c.pointer.y);
    ASSERT_EQ(s.Trigger().visible, c.at.has_value());
    if (c.at) {
      EXPECT_EQ(s.Trigger().rect, *c.at);
    }
    s.Ctrl(false);
    EXPECT_FALSE(s.Trigger().visible) << "stayed after Ctrl was released";
  }
}

// Sent away by its close block or by the pointer leaving it, it stays away
// while Ctrl is held, and comes back at the next press.
TEST(TriggerWindowTest, SentAwayItStaysAwayUntilTheKeysArePressedAnew) {
  for (const bool byCloseBlock : {true, false}) {
    SCOPED_TRACE(byCloseBlock ? "close block" : "pointer left");
    TriggerScene s;
    s.Ctrl(true);
    ASSERT_TRUE(s.Trigger().visible);
    if (byCloseBlock) {
      s.Click(TriggerScene::Cell(4, 4));
    } else {
      s.h.desktop.SetPointer(TriggerScene::kAtCentre.right, 540);  // right is outside
      s.Tick();
    }
    EXPECT_FALSE(s.Trigger().visible);
    s.h.desktop.SetPointer(960, 540);
    // Another key's change asks for the window again.
    s.h.desktop.PressKey(VirtualKey::Shift);
    s.Tick();
    s.h.desktop.ReleaseKey(VirtualKey::Shift);
    s.Tick();
    EXPECT_FALSE(s.Trigger().visible) << "came back while Ctrl was held";
    s.Ctrl(false);
    s.Ctrl(true);
    EXPECT_TRUE(s.Trigger().visible) << "not back at the next press";
  }
}

TEST(TriggerWindowTest, TipNamesTheCellUnderThePointerBelowItAndIsMadeOncePerCell) {
  struct Case {
    int row, column;
    std::u16string text;
  };
  const Case cases[] = {
      {0, 4, u"editor"},
      {4, 4, std::u16string(kTriggerCloseTip)},
      {0, 2, u""},  // a gap
      {0, 0, u""},  // nothing registered there
      {4, 0, u""},  // a window without a title
  };
  for (const Case& c : cases) {
    TriggerScene s;
    s.Ctrl(true);
    const Point pointer = s.OnScreen(TriggerScene::Cell(c.row, c.column));
    s.h.desktop.SetPointer(pointer);
    s.h.desktop.ResetCalls();
    s.Tick();
    s.Tick();
    EXPECT_EQ(U8(s.Trigger().tip.text), U8(c.text)) << c.row << "," << c.column;
    EXPECT_LE(s.h.desktop.Calls(DesktopMethod::WindowTitle), 1) << "the title read again on the same cell";
    if (!c.text.empty()) {
      EXPECT_EQ(s.Trigger().tip.at, (Point{pointer.x, pointer.y + 16})) << "half a cursor below the pointer";
    }
  }
}

// A cell brings its window up around the click point with the trigger
// window above it, keeps it below when its program raises it, and puts it
// away again; the right button opens the tray menu.
TEST(TriggerWindowTest, CellsBringTheirWindowUpAndAwayAndTheRightButtonOpensTheMenu) {
  TriggerScene s;
  s.Ctrl(true);
  const Point cell = TriggerScene::Cell(0, 4);
  const TriggerCellLook idle = s.Trigger().cells[4];
  s.h.app.TriggerInput().TriggerPointerMoved(cell);
  EXPECT_EQ(s.Trigger().cells[4].fill, InverseColor(idle.fill)) << "not lit under the pointer";

  s.Click(cell);
  const Point at = s.OnScreen(cell);
  EXPECT_TRUE(s.h.desktop.Find(s.editor)->visible);
  EXPECT_EQ(s.h.desktop.Find(s.editor)->rect, (Rect{at.x - 200, at.y - 150, at.x + 200, at.y + 150}));
  EXPECT_EQ(s.h.windows.log.back(), "RaiseTrigger activated");
  EXPECT_TRUE(s.Trigger().cells[4].hatched) << "not marked as up";
  s.Tick();
  EXPECT_EQ(s.h.windows.log.back(), "RaiseTrigger activated") << "raised with nothing above it";
  s.h.windows.aboveTrigger.insert(s.editor);  // its program activated it
  s.Tick();
  EXPECT_EQ(s.h.windows.log.back(), "RaiseTrigger");

  const Rect shownAt = s.h.desktop.Find(s.editor)->rect;
  s.Click(cell);
  EXPECT_FALSE(s.h.desktop.Find(s.editor)->visible);
  EXPECT_EQ(s.h.state().At(0, TopMiddle).savedRect, shownAt);
  EXPECT_FALSE(s.Trigger().cells[4].hatched);

  s.Click(TriggerScene::Cell(0, 2), true);
  EXPECT_EQ(s.h.windows.menusShown, 1);
}

}  // namespace
}  // namespace peekbar
