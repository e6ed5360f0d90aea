// The trigger window's decisions: its grid under the pointer, the keys, the
// look of its cells, the tip's place, and a window brought up and down from
// it on monitors left of and above the primary one; then the window itself
// on the fake clock, as the user holds the keys, points and clicks.
#include <gtest/gtest.h>

#include <limits>
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
  monitor[6].cycle.Show(0);
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

// The trigger window 270 x 270 (cells of 30) under Ctrl, "editor" at the
// middle of the top edge and a window without a title at the middle of the
// left edge; the pointer rests at the centre.
struct TriggerScene : DesktopScene {
  WindowHandle editor = kNoWindow;
  static constexpr Rect kAtCentre{825, 405, 1095, 675};
  TriggerScene() {
    for (const auto* key : {u"ENABLED", u"WND_WIDTH", u"WND_HEIGHT"}) {
      h.store.SetInt(ProfileIni(0), u"TRIGGER", key, key[0] == u'E' ? 1 : 270);
    }
    Start();
    editor = AddHidden("editor", {0, 0, 400, 300});
    h.desktop.Find(editor)->title = u"editor";
    h.app.Registration().Register(0, TopMiddle, editor);
    h.app.Registration().Register(0, LeftMiddle, Add("nameless", u""));
    h.desktop.SetPointer(960, 540);
    ClearLogs();
  }
  const TriggerView& Trigger() const { return h.windows.frame.trigger; }
  void Key(VirtualKey key, bool down) {
    down ? h.desktop.PressKey(key) : h.desktop.ReleaseKey(key);
    Tick();
  }
  // The centre of a cell in the window's client coordinates, and on the screen.
  static Point Cell(int row, int column) { return {column * 30 + 15, row * 30 + 15}; }
  Point OnScreen(Point client) const { return {Trigger().rect.left + client.x, Trigger().rect.top + client.y}; }
  void Click(Point client, bool right = false) { h.app.TriggerInput().TriggerClicked(client, right); }
};

// Up at the pointer, inside its monitor, while every selected key is down;
// sent away (close block, pointer gone) it stays away until pressed anew,
// whatever other key changes meanwhile.
TEST(TriggerWindowTest, KeysBringItUpAtThePointerAndASentAwayOneWaitsForTheirNextPress) {
  struct Case {
    std::int32_t enabled, shift;  // Ctrl is selected
    Point pointer;
    std::optional<Rect> at;
  };
  const Case cases[] = {
      {1, 0, {960, 540}, TriggerScene::kAtCentre},
      {1, 0, {1900, 1070}, Rect{1650, 810, 1920, 1080}},  // pulled inside at the right and bottom
      {1, 0, {5, 5}, Rect{0, 0, 270, 270}},
      {1, 1, {960, 540}, std::nullopt},  // Shift selected too, and up
      {0, 0, {960, 540}, std::nullopt},  // not in use
  };
  for (const Case& c : cases) {
    TriggerScene s;
    s.h.settings().triggerEnabled = c.enabled;
    s.h.settings().triggerShift = c.shift;
    s.h.desktop.SetPointer(c.pointer);
    s.Key(VirtualKey::Control, true);
    ASSERT_EQ(s.Trigger().visible, c.at.has_value()) << c.pointer.x << "," << c.pointer.y;
    if (!c.at) continue;
    EXPECT_EQ(s.Trigger().rect, *c.at);
    s.Key(VirtualKey::Control, false);
    EXPECT_FALSE(s.Trigger().visible) << "stayed after Ctrl was released";
  }
  for (const bool byCloseBlock : {true, false}) {
    TriggerScene s;
    s.Key(VirtualKey::Control, true);
    byCloseBlock ? s.Click(TriggerScene::Cell(4, 4)) : s.TickAt({TriggerScene::kAtCentre.right, 540});
    EXPECT_FALSE(s.Trigger().visible) << byCloseBlock;
    s.h.desktop.SetPointer(960, 540);
    s.Key(VirtualKey::Shift, true);  // asks for the window again
    EXPECT_FALSE(s.Trigger().visible) << "came back while Ctrl was held " << byCloseBlock;
    s.Key(VirtualKey::Control, false);
    s.Key(VirtualKey::Control, true);
    EXPECT_TRUE(s.Trigger().visible) << "not back at the next press " << byCloseBlock;
  }
}

// A size past any screen (the largest the dialog takes, or larger still)
// makes a window no larger than its monitor, lying on it.
TEST(TriggerWindowTest, AWindowLargerThanItsMonitorIsCutToIt) {
  for (const std::int32_t side : {kLargestTriggerSide, std::numeric_limits<std::int32_t>::max()}) {
    DesktopScene s(2);
    s.h.store.SetInt(ProfileIni(0), u"TRIGGER", u"ENABLED", 1);
    s.Start();
    s.h.settings().triggerWidth = side;
    s.h.settings().triggerHeight = side;
    s.TickAt({2500, 500});
    s.h.desktop.PressKey(VirtualKey::Control);
    s.Tick();
    EXPECT_TRUE(s.h.windows.frame.trigger.visible) << side;
    EXPECT_EQ(s.h.windows.frame.trigger.rect, kSecond) << side;
  }
}

TEST(TriggerWindowTest, TipNamesTheCellUnderThePointerHalfACursorBelowItOncePerCell) {
  const std::pair<Point, std::u16string> cases[] = {
      {TriggerScene::Cell(0, 4), u"editor"}, {TriggerScene::Cell(4, 4), std::u16string(kTriggerCloseTip)},
      {TriggerScene::Cell(0, 2), u""},  // a gap
      {TriggerScene::Cell(0, 0), u""},  // nothing registered
      {TriggerScene::Cell(4, 0), u""},  // no title
  };
  for (const auto& [cell, text] : cases) {
    TriggerScene s;
    s.Key(VirtualKey::Control, true);
    const Point pointer = s.OnScreen(cell);
    s.h.desktop.ResetCalls();
    s.TickAt(pointer);
    s.Tick();
    EXPECT_EQ(U8(s.Trigger().tip.text), U8(text));
    EXPECT_LE(s.h.desktop.Calls(DesktopMethod::WindowTitle), 1) << "the title read again on the same cell";
    if (!text.empty()) {
      EXPECT_EQ(s.Trigger().tip.at, (Point{pointer.x, pointer.y + 16}));
    }
  }
}

// A cell brings its window up around the click point under the trigger
// window, which goes over it again when its program raises it, and puts it
// away; the right button opens the tray menu.
TEST(TriggerWindowTest, CellsBringTheirWindowUpAndAwayAndTheRightButtonOpensTheMenu) {
  TriggerScene s;
  s.Key(VirtualKey::Control, true);
  const Point cell = TriggerScene::Cell(0, 4);
  const Color idle = s.Trigger().cells[4].fill;
  s.h.app.TriggerInput().TriggerPointerMoved(cell);
  EXPECT_EQ(s.Trigger().cells[4].fill, InverseColor(idle)) << "not lit under the pointer";
  s.Click(cell);
  const Point at = s.OnScreen(cell);
  EXPECT_EQ(s.RectOf(s.editor), (Rect{at.x - 200, at.y - 150, at.x + 200, at.y + 150}));
  EXPECT_TRUE(s.Visible(s.editor) && s.Trigger().cells[4].hatched);
  EXPECT_EQ(s.h.windows.log, (std::vector<std::string>{"RaiseTrigger activated"}));
  s.Tick();
  s.h.windows.aboveTrigger.insert(s.editor);  // its program activated it
  s.Tick();
  EXPECT_EQ(s.h.windows.log, (std::vector<std::string>{"RaiseTrigger activated", "RaiseTrigger"}));
  const Rect shownAt = s.RectOf(s.editor);
  s.Click(cell);
  EXPECT_FALSE(s.Visible(s.editor) || s.Trigger().cells[4].hatched);
  EXPECT_EQ(s.h.state().At(0, TopMiddle).savedRect, shownAt);
  s.Click(TriggerScene::Cell(0, 2), true);
  EXPECT_EQ(s.h.windows.menusShown, 1);
}

}  // namespace
}  // namespace peekbar
