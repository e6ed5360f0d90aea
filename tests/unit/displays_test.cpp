// Monitors attached, detached and resized while the program runs: the slot
// each takes, and what the program does with the windows of one that goes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/displays.h"
#include "core/tray/commands.h"
#include "fakes/app_harness.h"

namespace peekbar {
namespace {

constexpr Rect kPrimary{0, 0, 1920, 1080};
constexpr Rect kRight{1920, 0, 3200, 1024};

SlotLayout Sleeping(std::u16string device, Rect rect) { return {std::move(device), rect, false}; }

struct LayoutCase {
  const char* name;
  std::vector<SlotLayout> before;
  std::vector<DisplayMonitor> present;
  std::vector<SlotLayout> after;
  std::vector<int> gone, arrived, moved;
};

TEST(PlanDisplaysTest, EachMonitorKeepsTheSlotOfItsDevice) {
  const Rect left{-1280, 0, 0, 1024};
  const Rect above{0, -1080, 1920, 0};
  const Rect middle{1920, 0, 3840, 1080};
  const Rect third{3840, 0, 5120, 1024};
  const LayoutCase cases[] = {
      {"grow", {{u"D1", kPrimary}}, {{u"D1", {0, 0, 2560, 1440}}}, {{u"D1", {0, 0, 2560, 1440}}}, {}, {}, {0}},
      {"remove the primary; the other becomes it",
       {{u"D1", kPrimary}, {u"D2", kRight}},
       {{u"D2", {0, 0, 1280, 1024}}},
       {Sleeping(u"D1", kPrimary), {u"D2", {0, 0, 1280, 1024}}},
       {0}, {}, {1}},
      {"remove the middle of three",
       {{u"D1", kPrimary}, {u"D2", middle}, {u"D3", third}},
       {{u"D1", kPrimary}, {u"D3", third}},
       {{u"D1", kPrimary}, Sleeping(u"D2", middle), {u"D3", third}},
       {1}, {}, {}},
      {"add one left of the primary", {{u"D1", kPrimary}}, {{u"D1", kPrimary}, {u"D2", left}},
       {{u"D1", kPrimary}, {u"D2", left}}, {}, {1}, {}},
      {"add one above, enumerated first", {{u"D1", kPrimary}}, {{u"D2", above}, {u"D1", kPrimary}},
       {{u"D1", kPrimary}, {u"D2", above}}, {}, {1}, {}},
      {"the enumeration order swapped", {{u"D1", kPrimary}, {u"D2", kRight}}, {{u"D2", kRight}, {u"D1", kPrimary}},
       {{u"D1", kPrimary}, {u"D2", kRight}}, {}, {}, {}},
      {"a device comes back to its slot, moved",
       {{u"D1", kPrimary}, Sleeping(u"D2", kRight)},
       {{u"D1", kPrimary}, {u"D2", left}},
       {{u"D1", kPrimary}, {u"D2", left}},
       {}, {1}, {}},
      {"the scaling of one changed, its rectangle the same",
       {{u"D1", kPrimary}, {u"D2", kRight}},
       {{u"D1", kPrimary}, {u"D2", kRight, 144}},
       {{u"D1", kPrimary}, {u"D2", kRight, true, 144}},
       {}, {}, {1}},
      {"no monitor reported: nothing changes", {{u"D1", kPrimary}, {u"D2", kRight}}, {},
       {{u"D1", kPrimary}, {u"D2", kRight}}, {}, {}, {}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DisplayPlan plan = PlanDisplays(c.before, c.present);
    EXPECT_EQ(plan.slots, c.after);
    EXPECT_EQ(plan.gone, c.gone);
    EXPECT_EQ(plan.arrived, c.arrived);
    EXPECT_EQ(plan.moved, c.moved);
  }
}

// A burst of changes, each planned on the last: slots only ever grow, and
// a device never seen past the limit takes the slot of one still away.
TEST(PlanDisplaysTest, BurstsKeepEverySlotAndTheLimitReusesASleepingOne) {
  std::vector<SlotLayout> slots{{u"D1", kPrimary}, {u"D2", kRight}};
  const auto apply = [&](std::vector<DisplayMonitor> present) { slots = PlanDisplays(slots, present).slots; };
  apply({{u"D1", kPrimary}});
  apply({{u"D1", kPrimary}, {u"D3", kRight}});
  apply({{u"D3", kRight}, {u"D1", kPrimary}, {u"D2", {3200, 0, 4480, 1024}}});
  EXPECT_EQ(slots, (std::vector<SlotLayout>{{u"D1", kPrimary}, {u"D2", {3200, 0, 4480, 1024}}, {u"D3", kRight}}));

  std::vector<SlotLayout> full;
  std::vector<DisplayMonitor> present;
  for (std::size_t i = 0; i < kMaxMonitorSlots; ++i) {
    const std::u16string device = u"D" + DecimalText(static_cast<std::int64_t>(i));
    const Rect rect{static_cast<std::int32_t>(i) * 100, 0, static_cast<std::int32_t>(i) * 100 + 100, 100};
    full.push_back({device, rect, i != 7});
    if (i != 7) present.push_back({device, rect});
  }
  present.push_back({u"new", {-100, 0, 0, 100}});
  const DisplayPlan plan = PlanDisplays(full, present);
  ASSERT_EQ(plan.slots.size(), kMaxMonitorSlots);
  EXPECT_EQ(plan.slots[7], (SlotLayout{u"new", {-100, 0, 0, 100}, true}));
  EXPECT_EQ(plan.arrived, std::vector<int>{7});
}

// Two monitors with a keyword each; the second is detached and attached again.
TEST(FollowDisplaysTest, DetachedMonitorGivesItsWindowsBackAndTakesThemAgainOnItsReturn) {
  AppHarness h;
  h.AddMonitor(kPrimary);
  h.AddMonitor(kRight);
  h.store.Set(ProfileIni(0), u"MONITOR_0", u"KEYWORD_2", u"*left*");
  h.store.Set(ProfileIni(0), u"MONITOR_1", u"KEYWORD_2", u"*right*");
  h.store.Set(ProfileIni(0), u"MONITOR_1", u"KEYWORD_6", u"*kept*");
  const WindowHandle left = h.desktop.AddWindow("left", u"Edit", u"left");
  const WindowHandle right = h.desktop.AddWindow("right", u"Edit", u"right");
  const WindowHandle kept = h.desktop.AddWindow("kept", u"Edit", u"kept");
  h.Start();
  h.state().At(1, 6).savedRect = {300, 200, 700, 500};  // remembered on the primary
  h.state().At(1, 2).savedRect = {2000, 100, 2400, 400};  // on the monitor that goes
  ASSERT_FALSE(h.desktop.Find(right)->visible);

  h.desktop.monitors.pop_back();
  h.app.OnDisplayChange();
  h.app.OnDisplayChange();  // a burst: followed once
  h.windows.log.clear();
  h.app.OnTimer();
  EXPECT_EQ(h.windows.log, (std::vector<std::string>{"CloseGuides", "CloseTrigger", "RebuildPopups"}));
  ASSERT_EQ(h.windows.frame.guides.monitors.size(), 2u);
  EXPECT_TRUE(h.windows.frame.guides.monitors[0]) << "the guide not made again";
  EXPECT_FALSE(h.windows.frame.guides.monitors[1]) << "a guide on the detached monitor";
  EXPECT_FALSE(h.state().Monitor(1).active);
  EXPECT_TRUE(h.desktop.Find(right)->visible);
  EXPECT_EQ(h.desktop.Find(right)->rect, (Rect{760, 390, 1160, 690})) << "centred on the primary";
  EXPECT_TRUE(h.desktop.Find(kept)->visible);
  EXPECT_EQ(h.desktop.Find(kept)->rect, (Rect{300, 200, 700, 500}));
  EXPECT_FALSE(h.desktop.Find(left)->visible) << "the remaining monitor keeps its window";

  // The menu keeps the slot numbers and offers nothing of the sleeping slot.
  h.app.ShowTrayMenu();
  ASSERT_GE(h.windows.lastMenu.items.size(), 1u);
  EXPECT_EQ(h.windows.lastMenu.items[0].text, u"モニター1");
  EXPECT_NE(h.windows.lastMenu.items[1].text, u"モニター2");
  h.windows.log.clear();
  h.app.OnCommand(static_cast<std::uint16_t>(command_id::kRegistrationSheetFirst + 1));
  h.app.OnCommand(static_cast<std::uint16_t>(LocationCommandId(1, 2, 0, 2)));
  EXPECT_TRUE(h.windows.log.empty()) << h.windows.log.front();

  // Back again: its keywords register the windows anew.
  h.desktop.monitors.push_back({u"\\\\.\\DISPLAY2", kRight});
  h.app.OnDisplayChange();
  h.app.OnTimer();
  EXPECT_TRUE(h.state().Monitor(1).active);
  EXPECT_EQ(h.RegisteredAt(1, 2), right);
  EXPECT_FALSE(h.desktop.Find(right)->visible);
  EXPECT_EQ(h.RegisteredAt(1, 6), kept);
}

// A change while the menu or a dialog is open: the menu's choice means what
// it meant when it was made; a dialog of a monitor gone changes nothing.
TEST(FollowDisplaysTest, OpenMenuAndDialogKeepToTheMonitorsTheyWereMadeFor) {
  AppHarness h;
  h.AddMonitor(kPrimary);
  h.AddMonitor(kRight);
  h.store.Set(ProfileIni(0), u"MONITOR_1", u"KEYWORD_2", u"*right*");
  const WindowHandle right = h.desktop.AddWindow("right", u"Edit", u"right");
  h.Start();
  ASSERT_EQ(h.RegisteredAt(1, 2), right);
  h.state().At(1, 2).keyword = u"";  // as if never set, so that the dialog's is seen
  h.windows.chooseInMenu = [&](const MenuItem&) {
    h.desktop.monitors.push_back({u"\\\\.\\DISPLAY3", {3200, 0, 4480, 1024}});
    h.app.OnDisplayChange();
    h.app.OnTimer();
    h.app.OnCommand(static_cast<std::uint16_t>(LocationCommandId(1, 2, 1, 2)));  // unregister
  };
  h.app.ShowTrayMenu();
  EXPECT_EQ(h.state().MonitorCount(), 3);
  EXPECT_EQ(h.RegisteredAt(1, 2), kNoWindow);
  EXPECT_TRUE(h.desktop.Find(right)->visible);

  // Detached while its keyword dialog is open: the confirmed keyword
  // touches neither the slot nor its section.
  h.windows.keywordDialog = [&](FixedText<kKeywordUnits>& keyword, std::int32_t&) {
    h.desktop.monitors.erase(h.desktop.monitors.begin() + 1);
    h.app.OnDisplayChange();
    h.app.OnTimer();
    keyword = u"*right*";
    return true;
  };
  h.store.ClearWrites();
  h.app.OnCommand(static_cast<std::uint16_t>(LocationCommandId(1, 2, 0, 3)));
  EXPECT_FALSE(h.state().Monitor(1).active);
  EXPECT_TRUE(h.state().At(1, 2).keyword.Empty());
  EXPECT_TRUE(h.store.Writes().empty());
}

}  // namespace
}  // namespace peekbar
