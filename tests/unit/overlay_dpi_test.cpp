// The overlays on monitors of different DPI: a size the user chose means
// what it says on a monitor at the system's DPI and is scaled on another,
// never under one pixel; text is measured at its monitor's DPI; and a
// monitor whose scaling alone changes has its overlays laid out anew.
#include <gtest/gtest.h>

#include "core/overlays/guides.h"
#include "core/overlays/monitor_popups.h"
#include "fakes/scene.h"

namespace peekbar {
namespace {

// The primary at the system's DPI, kSecond at its own; the guides (at the
// edges) and the trigger window in use, every size at the one chosen.
struct MixedDpiScene : DesktopScene {
  MixedDpiScene(std::uint32_t system, std::uint32_t second, std::int32_t chosen) : DesktopScene(2) {
    h.desktop.SetSystemDpi(system);
    h.desktop.monitors[0].dpi = system;
    h.desktop.monitors[1].dpi = second;
    for (const auto* key : {u"ENABLED", u"GUIDE_WIDTH", u"JUDGMENT_WIDTH"}) {
      h.store.SetInt(ProfileIni(0), u"GUIDE", key, key[0] == u'E' ? 1 : chosen);
    }
    for (const auto* key : {u"ENABLED", u"WND_WIDTH", u"WND_HEIGHT"}) {
      h.store.SetInt(ProfileIni(0), u"TRIGGER", key, key[0] == u'E' ? 1 : chosen);
    }
    Start();
  }
  const GuideView& Guide(int m) const { return *h.windows.frame.guides.monitors[static_cast<std::size_t>(m)]; }
};

TEST(MixedDpiOverlayTest, SizesAreAsChosenAtTheSystemsDpiAndScaledOnAnotherTextMeasuredThere) {
  struct Case {
    std::uint32_t system, second;
    std::int32_t chosen, onSecond;
  };
  const Case cases[] = {
      {96, 144, 18, 27},  // the second monitor at 150 %
      {144, 96, 18, 12},  // the system at 150 %, the second monitor at 100 %
      {96, 144, 1, 2},    // 1.5 rounds up
      {240, 96, 1, 1},    // 0.4 pixels: still one
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "system " << c.system << ", second " << c.second << ", chosen " << c.chosen);
    MixedDpiScene s(c.system, c.second, c.chosen);
    const WindowHandle editor = s.Add("editor", u"editor");
    for (int n = 0; n < 2 * kLocationCount; ++n) {
      s.h.app.Registration().Register(n / kLocationCount, n % kLocationCount, editor);
    }
    for (const int m : {0, 1}) {
      SCOPED_TRACE(testing::Message() << "monitor " << m);
      const Rect monitor = m == 0 ? kPrimary : kSecond;
      const std::uint32_t dpi = m == 0 ? c.system : c.second;
      const std::int32_t size = m == 0 ? c.chosen : c.onSecond;
      const Point middle{(monitor.left + monitor.right) / 2, (monitor.top + monitor.bottom) / 2};
      EXPECT_EQ(DecideGuideVisibility(s.h.state(), {monitor.left + size - 1, middle.y}), GuideVisibility::ShownAtEdge);
      EXPECT_EQ(DecideGuideVisibility(s.h.state(), {monitor.left + size, middle.y}), GuideVisibility::Hidden);
      s.h.desktop.PressKey(VirtualKey::Control);
      s.TickAt(middle);
      EXPECT_EQ(s.Guide(m).dpi, dpi);
      EXPECT_EQ(s.Guide(m).width, size) << "the width its labels are placed by";
      EXPECT_EQ(s.h.windows.Bar(m, TopMiddle)->bar.parts[0].bottom, size);
      EXPECT_EQ(s.h.windows.popups.popups[static_cast<std::size_t>(m)].dpi, dpi);
      EXPECT_EQ(s.h.windows.measuredAt[MonitorPopupText(m)], dpi);

      // Up at the pointer; then its last pixel, a corner's cell at any size.
      const TriggerView& trigger = s.h.windows.frame.trigger;
      EXPECT_EQ(trigger.dpi, dpi);
      EXPECT_EQ(trigger.rect.Width(), size);
      EXPECT_EQ(trigger.rect.Height(), size);
      const Point corner{trigger.rect.right - 1, trigger.rect.bottom - 1};
      s.TickAt(corner);
      EXPECT_EQ(U8(trigger.tip.text), "editor");
      EXPECT_EQ(s.h.windows.measuredAt[u"editor"], dpi);
      EXPECT_EQ(trigger.tip.at, (Point{corner.x, corner.y + ScaleForDpi(16, dpi, kDefaultDpi)}))
          << "not half the cursor at the monitor's DPI below the pointer";
      s.h.desktop.ReleaseKey(VirtualKey::Control);
      s.Tick();
    }
  }
}

// Only the second monitor's scaling changes, not its rectangle.
TEST(MixedDpiOverlayTest, AScalingChangeAloneLaysTheOverlaysOutAnew) {
  MixedDpiScene s(96, 96, 12);
  s.h.app.Registration().Register(1, TopMiddle, s.Add("top", u"top"));
  s.Tick();
  s.h.desktop.monitors[1].dpi = 144;
  s.h.app.OnDisplayChange();
  s.ClearLogs();
  s.Tick();
  EXPECT_EQ(s.h.windows.log, (std::vector<std::string>{"CloseGuides", "CloseTrigger", "RebuildPopups"}));
  EXPECT_EQ(s.Guide(1).dpi, 144u);
  EXPECT_EQ(s.h.windows.Bar(1, TopMiddle)->bar.parts[0].bottom, 18);
  EXPECT_EQ(s.Guide(0).width, 12);
  EXPECT_EQ(s.h.windows.popups.popups[1].dpi, 144u);
}

}  // namespace
}  // namespace peekbar
