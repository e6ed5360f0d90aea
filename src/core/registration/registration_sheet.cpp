#include "core/registration/registration_sheet.h"

#include <utility>

#include "core/registration/candidates.h"

namespace peekbar {

std::u16string RegistrationSheetCaption(int monitor, int monitorCount) {
  if (monitorCount > 1) return u"ウィンドウ登録（モニター" + DecimalText(monitor + 1) + u"）";
  return u"ウィンドウ登録";
}

RegistrationSheet::RegistrationSheet(AppState& state, Desktop& desktop, AutoRegistration& registration,
                                     SettingsFile& settingsFile, GuideColorChooser chooseGuideColor, int monitor)
    : state_(state),
      registration_(registration),
      settingsFile_(settingsFile),
      chooseGuideColor_(std::move(chooseGuideColor)),
      monitor_(monitor),
      caption_(RegistrationSheetCaption(monitor, state.MonitorCount())) {
  const std::size_t count = CollectWindows(state_, desktop);
  candidates_.swap(state_.windowList);
  state_.windowList.resize(candidates_.size());
  labels_.resize(count);
  for (std::size_t i = 0; i < count; ++i) EntryLabel(candidates_[i], labels_[i]);
}

SheetRow RegistrationSheet::FillRow(int location) {
  const MonitorSlot& slot = state_.monitorSlots[static_cast<std::size_t>(monitor_)];
  const auto k = static_cast<std::size_t>(location);
  int selection = 0;
  if (slot.window[k] != kNoWindow) {
    for (std::size_t i = 0; i < labels_.size(); ++i) {
      if (candidates_[i].window == slot.window[k]) {
        selection = static_cast<int>(i) + 1;
        break;
      }
    }
  }
  opening_[k] = selection;
  return {LocationName(location), slot.keyword[k].View(), slot.isRegex[k] != 0, selection};
}

Color RegistrationSheet::GuideColor(int location) const {
  return state_.monitorSlots[static_cast<std::size_t>(monitor_)].guideColor[static_cast<std::size_t>(location)];
}

void RegistrationSheet::ChooseGuideColor(WindowHandle owner, int location) {
  chooseGuideColor_(owner, monitor_, location);
}

void RegistrationSheet::ApplyRow(WindowHandle owner, int location, std::u16string_view keyword, bool isRegex,
                                 int selection) {
  MonitorSlot& slot = state_.monitorSlots[static_cast<std::size_t>(monitor_)];
  const auto k = static_cast<std::size_t>(location);
  slot.keyword[k] = keyword;
  slot.isRegex[k] = isRegex ? 1 : 0;
  settingsFile_.SaveLocationSettings(owner, monitor_, location);

  if (selection < 0 || static_cast<std::size_t>(selection) > labels_.size()) return;  // no item chosen
  const WindowHandle chosen = selection == 0 ? kNoWindow : candidates_[static_cast<std::size_t>(selection - 1)].window;
  if (chosen == slot.window[k]) return;
  if (chosen == kNoWindow) {
    registration_.Unregister(monitor_, location);
  } else {
    registration_.Register(monitor_, location, chosen);
  }
}

}  // namespace peekbar
