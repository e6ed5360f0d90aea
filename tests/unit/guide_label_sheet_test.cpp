// The guide and label sheet, the trigger settings dialog and the label
// colours they lead to, driven through the program's commands.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/overlays/guide_label_sheet.h"
#include "core/overlays/label_colors.h"
#include "core/overlays/trigger.h"
#include "fakes/app_harness.h"
#include "fakes/fake_page_controls.h"
#include "resource.h"

namespace peekbar {
namespace {

constexpr std::uint16_t kGuideLabelSheet = 1005;

// The sections written, in order, each once per run of writes.
std::vector<std::string> SectionsWritten(const FakeSettingsStore& store) {
  std::vector<std::string> sections;
  for (const std::string& line : store.WriteLog()) {
    const std::string section = line.substr(0, line.find('/'));
    if (sections.empty() || sections.back() != section) sections.push_back(section);
  }
  return sections;
}

std::vector<bool> Conditions(const FakePageControls& c) {
  return {c.IsChecked(IDC_GUIDE_AT_EDGE), c.IsChecked(IDC_GUIDE_WITH_KEY), c.IsChecked(IDC_GUIDE_ALWAYS)};
}

TEST(GuidePageTest, AlwaysExcludesTheOtherConditionsWhenOpenedAndWhenTicked) {
  FakePageControls c;
  Settings edited;
  FillPage(GuidePage(), Settings{.guideEnabled = 1, .guideEnabledKey = 1, .guideAlwaysShow = 1}, c);
  EXPECT_EQ(Conditions(c), (std::vector<bool>{false, false, true}));

  const auto click = [&](int box, bool ticked) {
    c.checked[box] = ticked;
    OnPageControl(GuidePage(), box, ControlEvent::Clicked, c, nullptr, edited);
  };
  click(IDC_GUIDE_WITH_KEY, true);
  EXPECT_EQ(Conditions(c), (std::vector<bool>{false, true, false}));
  click(IDC_GUIDE_AT_EDGE, true);
  EXPECT_EQ(Conditions(c), (std::vector<bool>{true, true, false})) << "edge and key together";
  click(IDC_GUIDE_ALWAYS, true);
  EXPECT_EQ(Conditions(c), (std::vector<bool>{false, false, true}));
  click(IDC_GUIDE_ALWAYS, false);
  EXPECT_EQ(Conditions(c), (std::vector<bool>{false, false, false})) << "clearing changes nothing else";
}

// OK takes the guide page (and saves GUIDE), brings the guides in step,
// then takes the label page, recolours, repaints and saves LABEL.
TEST(GuideLabelSheetTest, OkAppliesTheGuidePageThenTheLabelPage) {
  struct Case {
    std::int32_t edge, key, always;
    bool made, up;
  };
  const Case cases[] = {
      {0, 0, 1, true, true},
      {0, 1, 0, true, false},  // up only while the keys are held
      {0, 0, 0, false, false},
  };
  for (const Case& c : cases) {
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.Start();
    h.state().At(0, 2).guideColor = 0x0000FF;
    h.windows.guideLabelSheet = [&](Settings& edited, LabelChoices&) {
      edited.guideEnabled = c.edge;
      edited.guideEnabledKey = c.key;
      edited.guideAlwaysShow = c.always;
      edited.labelFontColorIndex = 1;
      edited.guideAlpha = 77;
      edited.timerInterval = 5;  // not the sheet's
      return true;
    };
    h.store.ClearWrites();
    h.windows.log.clear();
    h.app.OnCommand(kGuideLabelSheet);
    EXPECT_EQ(h.windows.log, (std::vector<std::string>{"GuideLabelSheet"}));
    EXPECT_EQ(h.windows.GuidesMade(), c.made ? 1 : 0) << c.always << c.key;
    EXPECT_EQ(h.windows.frame.guides.visible, c.up) << c.always << c.key;
    EXPECT_EQ(h.windows.frame.guides.alpha, 77) << "the new opacity not shown";
    EXPECT_EQ(SectionsWritten(h.store), (std::vector<std::string>{"GUIDE", "LABEL"}));
    EXPECT_EQ(h.state().At(0, 2).labelColor, Color{0xFFFF00}) << "label colours not recomputed";
    EXPECT_NE(h.settings().timerInterval, 5);
  }
}

// Cancel applies nothing of the pages; a chosen font is written and made at
// once, a chosen custom colour kept in memory for the next write.
TEST(GuideLabelSheetTest, CancelKeepsWhatTheChoosersChanged) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.Start();
  const FontRecord font{.face = {u"Meiryo"}, .height = -24, .weight = 400};
  h.windows.guideLabelSheet = [&](Settings& edited, LabelChoices& live) {
    live.LabelColorChosen(0x123456);
    EXPECT_TRUE(h.store.Writes().empty()) << "the colour was written at once";
    live.LabelFontChosen(font);
    edited.guideAlwaysShow = 1;
    edited.labelFontColorIndex = 2;
    return false;
  };
  h.store.ClearWrites();
  h.windows.log.clear();
  const int rebuilds = h.windows.labelFontRebuilds;
  h.app.OnCommand(kGuideLabelSheet);
  EXPECT_EQ(h.windows.log, (std::vector<std::string>{"GuideLabelSheet"}));
  EXPECT_EQ(h.windows.labelFontRebuilds, rebuilds + 1);
  EXPECT_EQ(SectionsWritten(h.store), (std::vector<std::string>{"LABEL"}));
  const std::vector<std::string> written = h.store.WriteLog();
  EXPECT_NE(std::find(written.begin(), written.end(), "LABEL/FONT_FACE_NAME=Meiryo"), written.end());
  EXPECT_NE(std::find(written.begin(), written.end(), "LABEL/FONT_OPT_RGB=1193046"), written.end());
  EXPECT_NE(std::find(written.begin(), written.end(), "LABEL/FONT_COLOR_IDX=0"), written.end());
  EXPECT_EQ(h.settings().labelFontCustomColor, 0x123456);
  EXPECT_EQ(h.settings().guideAlwaysShow, 0);
}

// OK writes the TRIGGER section, which closes the window so that the next
// one takes the new size; a key toggled from the menu meanwhile stays.
TEST(TriggerDialogTest, OkWritesTheSectionAndClosesTheWindowCancelChangesNothing) {
  AppHarness h;
  h.Start();
  h.windows.triggerDialog = [&](Settings& edited) {
    edited.triggerWidth = 150;
    edited.triggerAlpha = 255;
    h.app.OnCommand(command_id::kTriggerShift);  // the menu, while the dialog is open
    return false;
  };
  h.app.OnCommand(command_id::kTriggerSettings);
  EXPECT_EQ(h.settings().triggerWidth, 200);
  EXPECT_EQ(h.settings().triggerShift, 1);

  h.windows.triggerDialog = [&](Settings& edited) {
    edited.triggerWidth = 150;
    edited.triggerAlpha = 255;
    edited.triggerShift = 0;  // as the dialog opened
    return true;
  };
  h.store.ClearWrites();
  h.windows.log.clear();
  h.app.OnCommand(command_id::kTriggerSettings);
  EXPECT_EQ(h.windows.log, (std::vector<std::string>{"TriggerDialog", "CloseTrigger"}));
  EXPECT_EQ(h.store.WriteLog(),
            (std::vector<std::string>{"TRIGGER/ENABLED=0", "TRIGGER/TRIGGER_CTRL=1", "TRIGGER/TRIGGER_SHIFT=1",
                                      "TRIGGER/TRIGGER_ALT=0", "TRIGGER/WND_WIDTH=150", "TRIGGER/WND_HEIGHT=200",
                                      "TRIGGER/WND_ALPHA=255"}));
}

// Red gives cyan under both rules; greys sit either side of the middle.
TEST(LabelColorTest, InvertedAndComplementaryRules) {
  const auto rgb = [](std::uint32_t r, std::uint32_t g, std::uint32_t b) { return Color{r | (g << 8) | (b << 16)}; };
  const Settings inverted{.labelFontColorIndex = 0};
  const Settings complementary{.labelFontColorIndex = 1};
  const Settings custom{.labelFontColorIndex = 2, .labelFontCustomColor = 0x123456};
  EXPECT_EQ(LabelColorFor(rgb(255, 0, 0), inverted), rgb(0, 255, 255));
  EXPECT_EQ(LabelColorFor(rgb(255, 0, 0), complementary), rgb(0, 255, 255));
  EXPECT_EQ(LabelColorFor(rgb(127, 127, 127), inverted), rgb(128, 128, 128));
  EXPECT_EQ(LabelColorFor(rgb(128, 128, 128), inverted), rgb(127, 127, 127));
  EXPECT_EQ(LabelColorFor(rgb(127, 127, 127), complementary), rgb(127, 127, 127));
  EXPECT_EQ(LabelColorFor(rgb(128, 128, 128), complementary), rgb(128, 128, 128));
  EXPECT_EQ(LabelColorFor(rgb(10, 200, 60), complementary), rgb(200, 10, 150));
  EXPECT_EQ(LabelColorFor(rgb(255, 0, 0), custom), Color{0x123456});
}

}  // namespace
}  // namespace peekbar
