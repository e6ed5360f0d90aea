// Dialog pages bound to settings by tables: filling a page and taking it over
// for every kind of control, the choosers of colour and font buttons, the
// options sheet's page rules, and the invariants of every table, among them
// that each bound control is in its dialog template of res/Peekbar.rc.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/overlays/guide_label_sheet.h"
#include "core/overlays/trigger.h"
#include "core/settings/bound_pages.h"
#include "core/settings/options.h"
#include "fakes/app_harness.h"
#include "fakes/fake_page_controls.h"
#include "resource.h"

namespace peekbar {
namespace {

using B = ControlBinding;
using S = Settings;

// Every page bound by a table.
std::vector<const BoundPage*> AllPages() {
  return {&OptionsFlagsPage(), &OptionsNumbersPage(), &GuidePage(), &LabelPage(), &TriggerSettingsPage()};
}

// A page with one control of each kind.
constexpr std::array kShowButtons = {101, 102, 103};
constexpr std::array<std::u16string_view, 3> kColourItems = {u"inverted", u"complementary", u"custom"};
constexpr std::array kEveryKind = {
    B::CheckBox(1, &S::labelCtrl),
    B::Number(2, 3, &S::guideAlpha, 1, 255),
    B::RadioGroup(kShowButtons, &S::labelShow),
    B::DropDown(4, &S::labelFontColorIndex, kColourItems),
    B::ColourButton(5, &S::labelFontCustomColor),
    B::FontButton(6, &S::labelFont),
};
constexpr BoundPage kEveryKindPage{0, kEveryKind};

TEST(BoundPageTest, EveryKindShowsItsSettingAndTakesItBackNormalised) {
  const Settings shown{.guideAlpha = 200, .labelShow = 2, .labelCtrl = 0, .labelFontColorIndex = 1};
  FakePageControls controls;
  FillPage(kEveryKindPage, shown, controls);
  EXPECT_FALSE(controls.IsChecked(1));
  EXPECT_EQ(controls.ranges[3], (std::pair<std::int32_t, std::int32_t>{1, 255}));
  EXPECT_EQ(controls.Position(3), 200);
  EXPECT_EQ((std::vector<bool>{controls.IsChecked(101), controls.IsChecked(102), controls.IsChecked(103)}),
            (std::vector<bool>{false, false, true}));
  EXPECT_EQ(controls.items[4], (std::vector<std::u16string>{u"inverted", u"complementary", u"custom"}));
  EXPECT_EQ(controls.Selection(4), 1);

  // The user ticks the box, types past the up-down's range, picks the first
  // button and leaves the list without a selection.
  controls.checked[1] = true;
  controls.positions[3] = 300;
  controls.checked[101] = true;
  controls.checked[103] = false;
  controls.selections[4] = -1;
  Settings taken = shown;
  taken.labelFontCustomColor = 0x123456;
  TakePage(kEveryKindPage, controls, taken);
  EXPECT_EQ(taken.labelCtrl, 1);
  EXPECT_EQ(taken.guideAlpha, 255) << "GUIDE_ALPHA's read rule";
  EXPECT_EQ(taken.labelShow, 0);
  EXPECT_EQ(taken.labelFontColorIndex, 0) << "no item: FONT_COLOR_IDX's read rule";
  EXPECT_EQ(taken.labelFontCustomColor, 0x123456) << "a colour is taken when chosen, not on OK";

  controls.checked[101] = false;
  TakePage(kEveryKindPage, controls, taken);
  EXPECT_EQ(taken.labelShow, 0) << "no button of the group checked";
}

// A colour or font button opens its chooser with the setting; a confirmed
// choice is taken at once, by the setting's read rules.
TEST(BoundPageTest, ChooserButtonsTakeWhatIsConfirmed) {
  FakePageControls controls;
  FakeChoosers choosers;
  Settings edited{.labelFontCustomColor = 0x00FF00};
  OnPageControl(kEveryKindPage, 5, ControlEvent::Clicked, controls, &choosers, edited);
  EXPECT_EQ(choosers.offeredColour, Color{0x00FF00});
  EXPECT_EQ(edited.labelFontCustomColor, 0x00FF00) << "cancelled";
  choosers.colour = 0x123456;
  choosers.font = FontRecord{.face = {u"Meiryo"}, .height = -30, .italic = 257, .charset = 0x180};
  OnPageControl(kEveryKindPage, 5, ControlEvent::Clicked, controls, &choosers, edited);
  OnPageControl(kEveryKindPage, 6, ControlEvent::Clicked, controls, &choosers, edited);
  EXPECT_EQ(edited.labelFontCustomColor, 0x123456);
  EXPECT_EQ((std::vector<std::int32_t>{edited.labelFont.height, edited.labelFont.italic, edited.labelFont.charset}),
            (std::vector<std::int32_t>{-30, 1, 0x80}));
}

// The options sheet's second page keeps corner and middle lengths together
// through their up-down controls, writing back only what differs.
TEST(BoundPageTest, EditedEdgeLengthLowersTheOther) {
  FakePageControls controls;
  FillPage(OptionsNumbersPage(), Settings{}, controls);  // corner 10, middle 10
  Settings edited;
  controls.positions[IDC_OPTION_CORNER_SPIN] = 48;
  controls.positionWrites = 0;
  OnPageControl(OptionsNumbersPage(), IDC_OPTION_CORNER_EDIT, ControlEvent::Edited, controls, nullptr, edited);
  EXPECT_EQ(controls.positions[IDC_OPTION_MIDDLE_SPIN], 4);
  EXPECT_EQ(controls.positionWrites, 1);
  controls.positions[IDC_OPTION_MIDDLE_SPIN] = 90;
  OnPageControl(OptionsNumbersPage(), IDC_OPTION_MIDDLE_EDIT, ControlEvent::Edited, controls, nullptr, edited);
  EXPECT_EQ(controls.positions[IDC_OPTION_CORNER_SPIN], 5);
}

// ---- Invariants of every table ----

std::vector<int> ControlsOf(const ControlBinding& binding) {
  std::vector<int> ids{binding.control};
  if (binding.kind == ControlKind::Number) ids.push_back(binding.upDown);
  for (std::size_t i = 1; i < binding.buttons.size(); ++i) ids.push_back(binding.buttons[i]);
  return ids;
}

TEST(BindingTableTest, NoControlAndNoSettingIsBoundTwiceOnAPage) {
  for (const BoundPage* page : AllPages()) {
    std::set<int> controls;
    for (const ControlBinding& binding : page->bindings) {
      // A colour chooser may open from a button of a group (selecting a
      // custom colour): that button is bound twice.
      const bool choosesFromGroup = binding.kind == ControlKind::Colour;
      for (const int id : ControlsOf(binding)) {
        if (!choosesFromGroup) {
          EXPECT_TRUE(controls.insert(id).second) << "control " << id;
        }
      }
      // Member pointers have no order: each row is compared with the later ones.
      const ControlBinding* const end = page->bindings.data() + page->bindings.size();
      for (const ControlBinding* later = &binding + 1; later != end; ++later) {
        const bool same = binding.kind == ControlKind::Font ? binding.font == later->font
                                                            : binding.field == later->field;
        EXPECT_FALSE(same) << "controls " << binding.control << " and " << later->control << " on page "
                           << page->templateId;
      }
    }
  }
}

// The values a control can give: a check box 0 and 1, a number its up-down
// range, a group or a list the index of each button or item.
std::vector<std::int32_t> ValuesOf(const ControlBinding& binding) {
  switch (binding.kind) {
    case ControlKind::CheckBox: return {0, 1};
    case ControlKind::Number: return {binding.low, binding.high};
    case ControlKind::RadioGroup: return {0, static_cast<std::int32_t>(binding.buttons.size()) - 1};
    case ControlKind::DropDown: return {0, static_cast<std::int32_t>(binding.items.size()) - 1};
    default: return {};
  }
}

TEST(BindingTableTest, EveryValueAControlCanGiveSurvivesItsSettingsReadRule) {
  // The middle length's rule leaves the most room beside a corner of 0.
  Settings widest;
  widest.cornerLength = 0;
  for (const BoundPage* page : AllPages()) {
    for (const ControlBinding& binding : page->bindings) {
      for (const std::int32_t value : ValuesOf(binding)) {
        EXPECT_EQ(NormaliseSetting(DefinitionOf(binding.field), value, widest), value)
            << "control " << binding.control << " on page " << page->templateId;
      }
    }
  }
}

TEST(BindingTableTest, OptionsPagesBindOnlySettingsTheSheetTakesOver) {
  for (const BoundPage* page : {&OptionsFlagsPage(), &OptionsNumbersPage()}) {
    for (const ControlBinding& binding : page->bindings) {
      EXPECT_EQ(DefinitionOf(binding.field).group, SettingsGroup::Option) << "control " << binding.control;
    }
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return file ? text.str() : std::string();
}

// The identifiers of resource.h with their numbers.
std::map<std::string, int> Identifiers(const std::string& header) {
  std::map<std::string, int> ids;
  const std::regex define(R"(#define\s+(\w+)\s+(\d+))");
  for (auto it = std::sregex_iterator(header.begin(), header.end(), define); it != std::sregex_iterator(); ++it) {
    ids[(*it)[1]] = std::stoi((*it)[2]);
  }
  return ids;
}

// The numbers of the identifiers named between BEGIN and END of the dialog
// template `name`, strings left out.
std::set<int> ControlsInTemplate(const std::string& script, const std::string& name,
                                 const std::map<std::string, int>& ids) {
  const std::size_t start = script.find("\n" + name + " DIALOGEX");
  if (start == std::string::npos) return {};
  const std::size_t begin = script.find("\nBEGIN", start);
  const std::size_t end = script.find("\nEND", begin);
  const std::string block = std::regex_replace(script.substr(begin, end - begin), std::regex(R"("[^"]*")"), "");
  std::set<int> found;
  const std::regex word(R"(\w+)");
  for (auto it = std::sregex_iterator(block.begin(), block.end(), word); it != std::sregex_iterator(); ++it) {
    if (const auto id = ids.find(it->str()); id != ids.end()) found.insert(id->second);
  }
  return found;
}

TEST(BindingTableTest, EveryBoundControlIsInItsDialogTemplate) {
  const std::string script = ReadFile(PEEKBAR_RES_DIR "Peekbar.rc");
  const std::string header = ReadFile(PEEKBAR_RES_DIR "resource.h");
  if (script.empty() || header.empty()) GTEST_SKIP() << "cannot read " << PEEKBAR_RES_DIR;
  const std::map<std::string, int> ids = Identifiers(header);
  for (const BoundPage* page : AllPages()) {
    std::string name;
    for (const auto& [identifier, value] : ids) {
      if (value == page->templateId && identifier.starts_with("IDD_")) name = identifier;
    }
    ASSERT_FALSE(name.empty()) << "no template " << page->templateId << " in resource.h";
    const std::set<int> controls = ControlsInTemplate(script, name, ids);
    ASSERT_FALSE(controls.empty()) << name << " is not in Peekbar.rc";
    for (const ControlBinding& binding : page->bindings) {
      for (const int id : ControlsOf(binding)) EXPECT_EQ(controls.count(id), 1u) << "control " << id << " in " << name;
    }
  }
}

}  // namespace
}  // namespace peekbar
