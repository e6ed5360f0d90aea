#include "core/settings/options.h"

#include <algorithm>
#include <array>

#include "resource.h"

namespace peekbar {
namespace {

using S = Settings;
using B = ControlBinding;

constexpr std::array<std::u16string_view, 7> kMustButtonItems = {
    u"無し", u"マウス左ボタン", u"マウス右ボタン", u"マウス中ボタン", u"Ctrlキー", u"Shiftキー", u"Altキー",
};

constexpr std::array kFlags = {
    B::CheckBox(IDC_OPTION_HIDE_TASKBAR, &S::hideTaskbar),
    B::CheckBox(IDC_OPTION_NO_TITLE, &S::noTitle),
    B::CheckBox(IDC_OPTION_ENABLED_AT_EDGE, &S::enabledAtEdge),
    B::CheckBox(IDC_OPTION_TOPMOST, &S::topmost),
    B::CheckBox(IDC_OPTION_KEEP_WIN_POS, &S::keepWindowPos),
    B::CheckBox(IDC_OPTION_RESTORE_WIN_POS, &S::restoreWindowPos),
    B::CheckBox(IDC_OPTION_BALLOON, &S::balloon),
    B::CheckBox(IDC_OPTION_SOUND_ON_COMMAND, &S::soundOnCommand),
    B::CheckBox(IDC_OPTION_MULTIPLE_STARTUP, &S::multipleStartup),
    B::CheckBox(IDC_OPTION_TRAY_OPR_REVERSE, &S::trayOperationReverse),
    B::CheckBox(IDC_OPTION_FULLSCREEN_QUIET, &S::fullscreenQuiet),
};

// In this order on OK: the middle's read rule reads the corner taken before it.
constexpr std::array kNumbers = {
    B::Number(IDC_OPTION_CORNER_EDIT, IDC_OPTION_CORNER_SPIN, &S::cornerLength, 0, 50),
    B::Number(IDC_OPTION_MIDDLE_EDIT, IDC_OPTION_MIDDLE_SPIN, &S::middleLength, 0, 100),
    B::Number(IDC_OPTION_PERIOD_EDIT, IDC_OPTION_PERIOD_SPIN, &S::timerInterval, 1, 32767),
    B::Number(IDC_OPTION_SHOW_DELAY_EDIT, IDC_OPTION_SHOW_DELAY_SPIN, &S::showingDelay, 0, 32767),
    B::Number(IDC_OPTION_HIDE_DELAY_EDIT, IDC_OPTION_HIDE_DELAY_SPIN, &S::hiddenDelay, 0, 32767),
    B::DropDown(IDC_OPTION_MUST_BUTTON, &S::mustButtonForShow, kMustButtonItems),
};

constexpr const ControlBinding& NumberRow(int edit) {
  return *std::find_if(kNumbers.begin(), kNumbers.end(), [edit](const ControlBinding& b) { return b.control == edit; });
}
constexpr const ControlBinding& kCorner = NumberRow(IDC_OPTION_CORNER_EDIT);
constexpr const ControlBinding& kMiddle = NumberRow(IDC_OPTION_MIDDLE_EDIT);

void CoupleKeepAndRestore(PageControls& controls, int control, ControlEvent event) {
  if (event != ControlEvent::Clicked) return;
  if (control == IDC_OPTION_KEEP_WIN_POS && !controls.IsChecked(IDC_OPTION_KEEP_WIN_POS)) {
    controls.SetChecked(IDC_OPTION_RESTORE_WIN_POS, false);
  }
  if (control == IDC_OPTION_RESTORE_WIN_POS && controls.IsChecked(IDC_OPTION_RESTORE_WIN_POS)) {
    controls.SetChecked(IDC_OPTION_KEEP_WIN_POS, true);
  }
}

// Keeps the corner and middle lengths together after one of them changed.
// Only what differs is written back, so the edits' own notifications of
// that change find nothing more to do.
void CoupleEdgeLengths(PageControls& controls, int control, ControlEvent event) {
  if (event != ControlEvent::Edited || (control != kCorner.control && control != kMiddle.control)) return;
  const EdgeLengths before{controls.Position(kCorner.upDown), controls.Position(kMiddle.upDown)};
  const EdgeLengths after = control == kCorner.control ? CornerLengthEdited(before) : MiddleLengthEdited(before);
  if (after.corner != before.corner) controls.SetPosition(kCorner.upDown, after.corner);
  if (after.middle != before.middle) controls.SetPosition(kMiddle.upDown, after.middle);
}

constexpr BoundPage kFlagsPage{IDD_OPTIONS_FLAGS, kFlags, &CoupleKeepAndRestore};
constexpr BoundPage kNumbersPage{IDD_OPTIONS_NUMBERS, kNumbers, &CoupleEdgeLengths};

}  // namespace

const BoundPage& OptionsFlagsPage() { return kFlagsPage; }
const BoundPage& OptionsNumbersPage() { return kNumbersPage; }

std::span<const std::u16string_view> MustButtonForShowItems() { return kMustButtonItems; }

EdgeLengths CornerLengthEdited(EdgeLengths lengths) {
  lengths.corner = std::clamp(lengths.corner, kCorner.low, kCorner.high);
  // At most the middle that the file's read rule allows beside this corner.
  Settings withCorner;
  withCorner.cornerLength = lengths.corner;
  const std::int32_t allowed = NormaliseSetting(DefinitionOf(&S::middleLength), lengths.middle, withCorner);
  lengths.middle = std::min(lengths.middle, allowed);
  return lengths;
}

EdgeLengths MiddleLengthEdited(EdgeLengths lengths) {
  lengths.middle = std::clamp(lengths.middle, kMiddle.low, kMiddle.high);
  lengths.corner = std::min(lengths.corner, (kMiddle.high - lengths.middle) / 2);
  return lengths;
}

}  // namespace peekbar
