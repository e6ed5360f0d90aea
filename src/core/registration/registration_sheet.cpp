#include "core/registration/registration_sheet.h"

#include <utility>

#include "core/registration/candidates.h"

namespace peekbar {

std::u16string RegistrationSheetCaption(int monitor, int monitorCount) {
  if (monitorCount > 1) return u"ウィンドウ登録（モニター" + DecimalText(monitor + 1) + u"）";
  return u"ウィンドウ登録";
}

RegistrationSheet::RegistrationSheet(AppState& state, Desktop& desktop, AutoRegistration& registration,
                                     SettingsFile& settingsFile, Operations& operations, UserMessages& messages,
                                     GuideColorChooser chooseGuideColor, int monitor)
    : state_(state),
      desktop_(desktop),
      registration_(registration),
      settingsFile_(settingsFile),
      operations_(operations),
      messages_(messages),
      chooseGuideColor_(std::move(chooseGuideColor)),
      monitor_(monitor),
      caption_(RegistrationSheetCaption(monitor, state.MonitorCount())) {
  const std::size_t count = CollectWindows(state_, desktop);
  candidates_.swap(state_.windowList);
  state_.windowList.resize(candidates_.size());
  OfferedLabels(desktop, candidates_, count, labels_, elevated_);
}

SheetRow RegistrationSheet::FillRow(int location) {
  const LocationSlot& at = state_.At(monitor_, location);
  int selection = 0;
  if (at.cycle.Window() != kNoWindow) {
    for (std::size_t i = 0; i < labels_.size(); ++i) {
      if (candidates_[i].window == at.cycle.Window()) {
        selection = static_cast<int>(i) + 1;
        break;
      }
    }
  }
  opening_[static_cast<std::size_t>(location)] = selection;
  return {LocationName(location), at.keyword.View(), at.isRegex != 0, selection};
}

Color RegistrationSheet::GuideColor(int location) const {
  return state_.At(monitor_, location).guideColor;
}

void RegistrationSheet::ChooseGuideColor(WindowHandle owner, int location) {
  chooseGuideColor_(owner, monitor_, location);
}

void RegistrationSheet::ApplyRow(WindowHandle owner, int location, std::u16string_view keyword, bool isRegex,
                                 int selection) {
  operations_.Run([this, owner, location, keyword = std::u16string(keyword), isRegex, selection] {
    ApplyRowNow(owner, location, keyword, isRegex, selection);
  });
}

void RegistrationSheet::ApplyRowNow(WindowHandle owner, int location, std::u16string_view keyword, bool isRegex,
                                    int selection) {
  // A monitor detached while the sheet was open keeps its slot and its
  // section as they were.
  if (!state_.Monitor(monitor_).active) return;
  LocationSlot& at = state_.At(monitor_, location);
  const bool keywordEdited = at.keyword.View() != keyword || (at.isRegex != 0) != isRegex;
  if (keywordEdited) at.emptiedByHand = false;
  at.keyword = keyword;
  at.isRegex = isRegex ? 1 : 0;
  settingsFile_.SaveLocationSettings(owner, monitor_, location);
  TakeSelection(owner, location, selection);
  // A keyword edited here is applied, as one edited from the menu, where
  // the row's window does not say otherwise.
  if (keywordEdited && at.cycle.Window() == kNoWindow && !at.emptiedByHand) {
    registration_.RegisterByKeyword(monitor_, location);
  }
}

void RegistrationSheet::TakeSelection(WindowHandle owner, int location, int selection) {
  const LocationSlot& at = state_.At(monitor_, location);
  if (selection < 0 || static_cast<std::size_t>(selection) > labels_.size()) return;  // no item chosen
  if (selection == 0) {
    if (at.cycle.Window() != kNoWindow) registration_.UnregisterByHand(monitor_, location);
    return;
  }
  const WindowEntry& chosen = candidates_[static_cast<std::size_t>(selection - 1)];
  if (chosen.window == at.cycle.Window()) return;
  // The list was made when the sheet opened, maybe minutes ago: a window
  // closed since, or a handle given to another window, is not taken.
  if (!IsSameWindow(desktop_, chosen.window, chosen.processId, chosen.className, kClassNameUnits)) return;
  // The list cannot grey an item: the window is offered with the note,
  // and refused here.
  if (elevated_[static_cast<std::size_t>(selection - 1)]) {
    if (refusalToldOf_.insert(chosen.window).second) {
      messages_.ShowInfoMessage(owner, ElevatedWindowNotRegisteredMessage(chosen.title));
    }
    return;
  }
  registration_.Register(monitor_, location, chosen.window);
}

}  // namespace peekbar
