#include "core/overlays/guide_label_sheet.h"

#include <array>

#include "core/overlays/label_colors.h"
#include "resource.h"

namespace peekbar {
namespace {

using B = ControlBinding;
using S = Settings;

constexpr std::array kGuideControls = {
    B::Number(IDC_GUIDE_JUDGMENT_EDIT, IDC_GUIDE_JUDGMENT_SPIN, &S::judgmentWidth, 1, 32767),
    B::Number(IDC_GUIDE_WIDTH_EDIT, IDC_GUIDE_WIDTH_SPIN, &S::guideWidth, 1, 32767),
    B::Number(IDC_GUIDE_ALPHA_EDIT, IDC_GUIDE_ALPHA_SPIN, &S::guideAlpha, 1, 255),
    B::CheckBox(IDC_GUIDE_AT_EDGE, &S::guideEnabled),
    B::CheckBox(IDC_GUIDE_WITH_KEY, &S::guideEnabledKey),
    B::CheckBox(IDC_GUIDE_ALWAYS, &S::guideAlwaysShow),
    B::CheckBox(IDC_GUIDE_CTRL, &S::guideCtrl),
    B::CheckBox(IDC_GUIDE_SHIFT, &S::guideShift),
    B::CheckBox(IDC_GUIDE_ALT, &S::guideAlt),
};

constexpr std::array kLabelShowButtons = {IDC_LABEL_WITH_GUIDE, IDC_LABEL_WITH_KEY, IDC_LABEL_HIDDEN};
constexpr std::array kLabelColorButtons = {IDC_LABEL_INVERTED, IDC_LABEL_COMPLEMENTARY, IDC_LABEL_CUSTOM_COLOR};

constexpr std::array kLabelControls = {
    B::RadioGroup(kLabelShowButtons, &S::labelShow),
    B::CheckBox(IDC_LABEL_CTRL, &S::labelCtrl),
    B::CheckBox(IDC_LABEL_SHIFT, &S::labelShift),
    B::CheckBox(IDC_LABEL_ALT, &S::labelAlt),
    B::RadioGroup(kLabelColorButtons, &S::labelFontColorIndex),
    // Selecting the custom colour rule opens the chooser for that colour.
    B::ColourButton(IDC_LABEL_CUSTOM_COLOR, &S::labelFontCustomColor),
    B::FontButton(IDC_LABEL_FONT, &S::labelFont),
};

// "Always" shows the guides whatever the other two conditions say, so it
// is never ticked together with them; the other two may be. On opening,
// "always" wins over what the file holds.
void ExcludeAlwaysShow(PageControls& controls, int control, ControlEvent event) {
  const bool filled = event == ControlEvent::Filled;
  if (!filled && event != ControlEvent::Clicked) return;
  if ((filled || control == IDC_GUIDE_ALWAYS) && controls.IsChecked(IDC_GUIDE_ALWAYS)) {
    controls.SetChecked(IDC_GUIDE_AT_EDGE, false);
    controls.SetChecked(IDC_GUIDE_WITH_KEY, false);
  } else if ((control == IDC_GUIDE_AT_EDGE || control == IDC_GUIDE_WITH_KEY) && controls.IsChecked(control)) {
    controls.SetChecked(IDC_GUIDE_ALWAYS, false);
  }
}

constexpr BoundPage kGuidePage{IDD_GUIDE_SETTINGS, kGuideControls, &ExcludeAlwaysShow};
constexpr BoundPage kLabelPage{IDD_LABEL_SETTINGS, kLabelControls};

}  // namespace

const BoundPage& GuidePage() { return kGuidePage; }
const BoundPage& LabelPage() { return kLabelPage; }

void GuideLabelSheet::Run() {
  const std::optional<Settings> edited = dialogs_.EditGuidesAndLabels(state_.settings, *this);
  if (!edited) return;
  ApplyGuidePage(*edited);
  ApplyLabelPage(*edited);
}

void GuideLabelSheet::ApplyGuidePage(const Settings& edited) {
  CopyBoundSettings(kGuidePage, edited, state_.settings);
  file_.SaveGuideSettings(state_.mainWindow);
  // Made or closed as the conditions want; shown again by the edge watcher
  // when their condition holds.
  overlays_.GuideSettingsApplied();
}

void GuideLabelSheet::ApplyLabelPage(const Settings& edited) {
  CopyBoundSettings(kLabelPage, edited, state_.settings);
  ComputeLabelColors(state_);
  // A new opacity, bar width or label setting shows at once.
  overlays_.RepaintGuides();
  file_.SaveLabelSettings(state_.mainWindow);
}

void GuideLabelSheet::LabelFontChosen(const FontRecord& font) {
  TakeFont(state_.settings, &Settings::labelFont, font);
  file_.SaveLabelSettings(state_.mainWindow);
  overlays_.LabelFontChanged();
}

void GuideLabelSheet::LabelColorChosen(Color color) {
  state_.settings.labelFontCustomColor = static_cast<std::int32_t>(color);
}

}  // namespace peekbar
