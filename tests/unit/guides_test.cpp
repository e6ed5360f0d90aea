// The guide bars' geometry, when the guides and their labels show, and
// where each label goes.
#include <gtest/gtest.h>

#include <optional>

#include "core/overlays/guides.h"
#include "fakes/scene.h"

namespace peekbar {
namespace {

// The scene's second monitor, kSecond: with 10 % and 10 %, cornerX 128,
// cornerY 102, sideX 576, sideY 461.

TEST(GuideBarTest, EachBarCoversItsSpanGuideWidthDeepInClientCoordinates) {
  struct Case {
    int corner;
    int location;
    Rect first;
    std::optional<Rect> arm;
  };
  const Case cases[] = {
      {10, 0, {0, 0, 128, 12}, Rect{0, 0, 12, 102}},
      {10, 2, {576, 0, 704, 12}, std::nullopt},
      {10, 4, {1152, 0, 1280, 12}, Rect{1268, 0, 1280, 102}},
      {10, 6, {1268, 461, 1280, 563}, std::nullopt},
      // The arm along the bottom comes first: it is the label's frame.
      {10, 8, {1152, 1012, 1280, 1024}, Rect{1268, 922, 1280, 1024}},
      {10, 11, {128, 1012, 576, 1024}, std::nullopt},
      {10, 12, {0, 1012, 128, 1024}, Rect{0, 922, 12, 1024}},
      {10, 13, {0, 563, 12, 922}, std::nullopt},
      {10, 15, {0, 102, 12, 461}, std::nullopt},
      // Without corners the corner bars are empty and the sides start at the corners.
      {0, 0, {0, 0, 0, 12}, Rect{0, 0, 12, 0}},
      {0, 1, {0, 0, 576, 12}, std::nullopt},
  };
  for (const Case& c : cases) {
    const GuideBar bar = GuideBarOf(kSecond, LocationSpan::Of(kSecond, c.corner, 10), 12, c.location);
    SCOPED_TRACE(testing::Message() << "location " << c.location << ", corner " << c.corner);
    ASSERT_EQ(bar.count, c.arm ? 2 : 1);
    EXPECT_EQ(bar.parts[0], c.first);
    if (c.arm) {
      EXPECT_EQ(bar.parts[1], *c.arm);
    }
    EXPECT_EQ(FillsSomething(bar.parts[0]), c.corner != 0 || c.location != 0);
  }
}

TEST(GuideVisibilityTest, AlwaysThenKeysThenThePointersOwnMonitorEdge) {
  struct Case {
    const char* what;
    std::int32_t always, enabled, enabledKey, ctrl, shift, alt, judgment;
    bool ctrlDown, altDown;
    Point pointer;
    GuideVisibility expected;
  };
  using enum GuideVisibility;
  const Case cases[] = {
      {"always shown: left alone", 1, 1, 1, 1, 0, 0, 1, false, false, {960, 540}, Unchanged},
      {"key held", 0, 1, 1, 1, 0, 0, 1, true, false, {960, 540}, ShownForKeys},
      {"key held, edge off", 0, 0, 1, 1, 0, 0, 1, true, false, {960, 540}, ShownForKeys},
      {"away from the edges", 0, 1, 1, 1, 0, 0, 1, false, false, {960, 540}, Hidden},
      {"on the left column", 0, 1, 1, 1, 0, 0, 1, false, false, {0, 540}, ShownAtEdge},
      {"key up, edge off", 0, 0, 1, 1, 0, 0, 1, false, false, {0, 540}, Hidden},
      {"no key selected, edge off", 0, 0, 1, 0, 0, 0, 1, true, false, {0, 540}, Unchanged},
      {"no condition", 0, 0, 0, 1, 0, 0, 1, true, false, {0, 540}, Unchanged},
      {"no key selected never holds", 0, 1, 1, 0, 0, 0, 1, true, true, {960, 540}, Hidden},
      {"ctrl+alt, only ctrl", 0, 1, 1, 1, 0, 1, 1, true, false, {960, 540}, Hidden},
      {"ctrl+alt, only ctrl, at an edge", 0, 1, 1, 1, 0, 1, 1, true, false, {960, 0}, ShownAtEdge},
      {"ctrl+alt, only ctrl, edge off", 0, 0, 1, 1, 0, 1, 1, true, false, {960, 0}, Hidden},
      {"ctrl+alt both", 0, 0, 1, 1, 0, 1, 1, true, true, {960, 540}, ShownForKeys},
      {"right column of monitor 0", 0, 1, 0, 0, 0, 0, 1, false, false, {1919, 540}, ShownAtEdge},
      {"left column of monitor 1", 0, 1, 0, 0, 0, 0, 1, false, false, {1920, 540}, ShownAtEdge},
      {"next to it", 0, 1, 0, 0, 0, 0, 1, false, false, {1921, 540}, Hidden},
      {"inside a wider band", 0, 1, 0, 0, 0, 0, 5, false, false, {1924, 540}, ShownAtEdge},
      {"just past the band", 0, 1, 0, 0, 0, 0, 5, false, false, {1925, 540}, Hidden},
      {"second row", 0, 1, 0, 0, 0, 0, 1, false, false, {500, 1}, Hidden},
      {"second row, band of 2", 0, 1, 0, 0, 0, 0, 2, false, false, {500, 1}, ShownAtEdge},
      {"bottom row of monitor 1", 0, 1, 0, 0, 0, 0, 1, false, false, {2500, 1023}, ShownAtEdge},
      {"below monitor 1: judged on monitor 0", 0, 1, 0, 0, 0, 0, 1, false, false, {2500, 1050}, Hidden},
  };
  for (const Case& c : cases) {
    AppState state;
    state.monitorSlots.resize(2);
    state.monitorSlots[0].monitorRect = {0, 0, 1920, 1080};
    state.monitorSlots[1].monitorRect = kSecond;
    Settings& s = state.settings;
    s.guideAlwaysShow = c.always;
    s.guideEnabled = c.enabled;
    s.guideEnabledKey = c.enabledKey;
    s.guideCtrl = c.ctrl;
    s.guideShift = c.shift;
    s.guideAlt = c.alt;
    s.judgmentWidth = c.judgment;
    state.ctrlDown = c.ctrlDown;
    state.altDown = c.altDown;
    EXPECT_EQ(DecideGuideVisibility(state, c.pointer), c.expected) << c.what;
  }
}

TEST(GuideLabelTest, ShownWithTheGuidesOnlyWhileTheirKeysAreHeldOrNever) {
  struct Case {
    std::int32_t show, ctrl, shift;
    bool ctrlDown;
    bool visible;
  };
  const Case cases[] = {
      {0, 1, 0, false, true}, {2, 1, 0, true, false}, {1, 0, 0, true, false},
      {1, 1, 0, true, true},  {1, 1, 0, false, false}, {1, 1, 1, true, false},
  };
  for (const Case& c : cases) {
    AppState state;
    state.settings.labelShow = c.show;
    state.settings.labelCtrl = c.ctrl;
    state.settings.labelShift = c.shift;
    state.ctrlDown = c.ctrlDown;
    EXPECT_EQ(LabelsVisibleNow(state), c.visible) << c.show << " " << c.ctrl << c.shift << " " << c.ctrlDown;
  }
}

TEST(GuideLabelTest, EachLabelSitsBesideItsBarInsideTheMonitor) {
  // The bars of kSecond (GUIDE_WIDTH 12), a text 100 wide and 19 high.
  struct Case {
    int location;
    Rect frame;
    std::int32_t w;
    Point origin;
  };
  const Case cases[] = {
      {0, {0, 0, 128, 12}, 100, {12, 12}},
      {1, {128, 0, 576, 12}, 100, {302, 31}},
      {2, {576, 0, 704, 12}, 100, {590, 12}},
      {3, {704, 0, 1152, 12}, 100, {878, 31}},
      {4, {1152, 0, 1280, 12}, 100, {1168, 12}},
      {5, {1268, 102, 1280, 461}, 100, {1239, 212}},   // 1268 - 28.5 truncated once
      {6, {1268, 461, 1280, 563}, 100, {1259, 443}},
      {7, {1268, 563, 1280, 922}, 100, {1239, 673}},
      {8, {1152, 1012, 1280, 1024}, 100, {1168, 993}},
      {9, {704, 1012, 1152, 1024}, 100, {878, 974}},
      {10, {576, 1012, 704, 1024}, 100, {590, 993}},
      {11, {128, 1012, 576, 1024}, 100, {302, 974}},
      {12, {0, 1012, 128, 1024}, 100, {12, 993}},
      {13, {0, 563, 12, 922}, 100, {40, 673}},
      {14, {0, 461, 12, 563}, 100, {21, 443}},
      {15, {0, 102, 12, 461}, 600, {40, -37}},         // -37 / 2 truncates toward zero
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LabelOrigin(c.location, c.frame, 12, c.w, 19), c.origin) << "location " << c.location;
    EXPECT_EQ(IsVerticalLabel(c.location), c.location % 8 >= 5) << "location " << c.location;
  }
  // Upright characters down a baseline one ascent (15) left of the origin.
  EXPECT_EQ(LabelBox(14, {21, 443}, 100, 19, 15), (Rect{6, 428, 25, 532}));
  EXPECT_EQ(LabelBox(2, {590, 12}, 100, 19, 15), (Rect{590, 12, 690, 31}));
}

// The guides show what the registrations are at each tick; labels come and
// go with their keys, and titles are read only while the guides are up.
TEST(GuideFrameTest, BarsFollowTheRegistrationsAndLabelsTheirKeys) {
  DesktopScene s;
  s.h.store.SetInt(ProfileIni(0), u"LABEL", u"SHOW", 1);
  s.Start();
  const WindowHandle editor = s.Add("editor", u"editor");
  s.h.app.Registration().Register(0, TopMiddle, editor);
  const FakeAppWindows& view = s.h.windows;
  s.TickAt({960, 540});
  ASSERT_NE(view.Bar(0, TopMiddle), nullptr);
  EXPECT_FALSE(view.frame.guides.visible);
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::WindowTitle), 0) << "a title read for guides no one sees";

  s.TickAt({0, 540});  // on the left edge, where nothing is registered
  EXPECT_TRUE(view.frame.guides.visible);
  EXPECT_EQ(U8(view.Bar(0, TopMiddle)->label), "");
  s.h.desktop.PressKey(VirtualKey::Control);
  s.Tick();
  EXPECT_EQ(U8(view.Bar(0, TopMiddle)->label), "editor");
  s.h.desktop.ReleaseKey(VirtualKey::Control);
  s.Tick();
  EXPECT_EQ(U8(view.Bar(0, TopMiddle)->label), "");

  s.h.desktop.CloseWindow(editor);
  s.Tick();  // notices it gone
  s.Tick();
  EXPECT_EQ(view.Bar(0, TopMiddle), nullptr) << "the bar stayed after its window went";
}

TEST(GuideLabelTest, FontsAreRebuiltWheneverAProfileIsRead) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.Start();
  EXPECT_EQ(h.windows.labelFontRebuilds, 1);
  h.app.OnCommand(command_id::kProfileFirst + 1);
  EXPECT_EQ(h.windows.labelFontRebuilds, 2);
}

}  // namespace
}  // namespace peekbar
