#include "core/settings/options.h"

#include <algorithm>

namespace peekbar {
namespace {

using S = Settings;

constexpr std::array<SettingField, kOptionFlagCount> kFlagFields = {
    &S::hideTaskbar,      &S::noTitle, &S::enabledAtEdge,  &S::topmost,         &S::keepWindowPos,
    &S::restoreWindowPos, &S::balloon, &S::soundOnCommand, &S::multipleStartup, &S::trayOperationReverse,
};

constexpr std::array<OptionNumberRow, kOptionNumberCount> kNumberRows = {{
    {&S::cornerLength, 0, 50},
    {&S::middleLength, 0, 100},
    {&S::timerInterval, 1, 32767},
    {&S::showingDelay, 0, 32767},
    {&S::hiddenDelay, 0, 32767},
}};

constexpr std::array<std::u16string_view, 7> kMustButtonItems = {
    u"無し", u"マウス左ボタン", u"マウス右ボタン", u"マウス中ボタン", u"Ctrlキー", u"Shiftキー", u"Altキー",
};

constexpr std::size_t IndexOf(SettingField field) {
  return static_cast<std::size_t>(std::find(kFlagFields.begin(), kFlagFields.end(), field) - kFlagFields.begin());
}
constexpr std::size_t kKeepBox = IndexOf(&S::keepWindowPos);
constexpr std::size_t kRestoreBox = IndexOf(&S::restoreWindowPos);

std::int32_t ClampToRow(std::int32_t value, const OptionNumberRow& row) {
  return std::clamp(value, row.low, row.high);
}

}  // namespace

std::span<const SettingField, kOptionFlagCount> OptionFlagFields() { return kFlagFields; }

OptionFlagBoxes OptionFlagsOf(const Settings& settings) {
  OptionFlagBoxes boxes{};
  for (std::size_t i = 0; i < kOptionFlagCount; ++i) boxes[i] = settings.*kFlagFields[i] != 0;
  return boxes;
}

void TakeOptionFlags(Settings& settings, const OptionFlagBoxes& boxes) {
  for (std::size_t i = 0; i < kOptionFlagCount; ++i) settings.*kFlagFields[i] = boxes[i] ? 1 : 0;
}

void CoupleOptionFlags(OptionFlagBoxes& boxes, std::size_t clicked) {
  if (clicked == kKeepBox && !boxes[kKeepBox]) boxes[kRestoreBox] = false;
  if (clicked == kRestoreBox && boxes[kRestoreBox]) boxes[kKeepBox] = true;
}

std::span<const OptionNumberRow, kOptionNumberCount> OptionNumberRows() { return kNumberRows; }

std::span<const std::u16string_view> MustButtonForShowItems() { return kMustButtonItems; }

EdgeLengths CornerLengthEdited(EdgeLengths lengths) {
  lengths.corner = ClampToRow(lengths.corner, kNumberRows[0]);
  // At most the middle that the file's read rule allows beside this corner.
  Settings withCorner;
  withCorner.cornerLength = lengths.corner;
  const std::int32_t allowed = NormaliseSetting(DefinitionOf(&S::middleLength), lengths.middle, withCorner);
  lengths.middle = std::min(lengths.middle, allowed);
  return lengths;
}

EdgeLengths MiddleLengthEdited(EdgeLengths lengths) {
  lengths.middle = ClampToRow(lengths.middle, kNumberRows[1]);
  lengths.corner = std::min(lengths.corner, (kNumberRows[1].high - lengths.middle) / 2);
  return lengths;
}

void TakeOptionNumbers(Settings& settings, const OptionNumbers& positions, int mustButtonItem) {
  // In row order: the middle's rule reads the corner just taken.
  for (std::size_t i = 0; i < kOptionNumberCount; ++i) {
    const SettingField field = kNumberRows[i].field;
    settings.*field = NormaliseSetting(DefinitionOf(field), positions[i], settings);
  }
  settings.mustButtonForShow = NormaliseSetting(DefinitionOf(&S::mustButtonForShow), mustButtonItem, settings);
}

void TakeOptionSettings(Settings& settings, const Settings& edited) {
  for (const SettingDef& def : SettingDefinitions()) {
    if (def.group == SettingsGroup::Option) def.IntIn(settings) = def.IntIn(edited);
  }
}

}  // namespace peekbar
