#include "core/tray/tray_icon.h"

#include <array>

namespace peekbar {

TrayIconState CurrentTrayIconState(const AppState& state) {
  if (state.showAllActive) return TrayIconState::ShowingAll;
  if (state.paused) return TrayIconState::Paused;
  return TrayIconState::Running;
}

int TrayIconResource(TrayIconState iconState, std::int32_t trayIconColor) {
  static constexpr std::array<std::array<int, 3>, 3> kImages = {{
      {kIconApplication, kIconPausedGrey, kIconShowingAllRed},
      {kIconSilhouetteWhite, kIconSilhouetteBlue, kIconSilhouetteRed},
      {kIconSilhouetteBlack, kIconSilhouetteBlue, kIconSilhouetteRed},
  }};
  const std::size_t theme = trayIconColor >= 0 && trayIconColor <= 2 ? static_cast<std::size_t>(trayIconColor) : 0;
  return kImages[theme][static_cast<std::size_t>(iconState)];
}

std::u16string TrayTipText(std::u16string_view profileName) {
  const std::u16string tip = std::u16string(profileName) + u" - Peekbar Ver1.05";
  return std::u16string(CutToUnits(tip, kTipUnits - 1));
}

TrayRequest DecodeTrayNotify(std::uintptr_t iconId, std::uint32_t mouseMessage, std::int32_t trayOperationReverse) {
  if (iconId != kTrayIconId) return TrayRequest::None;
  const bool reverse = trayOperationReverse != 0;
  switch (mouseMessage) {
    case tray_mouse::kLeftButtonUp: return TrayRequest::ForegroundMainWindow;
    case tray_mouse::kRightButtonUp: return TrayRequest::ShowMenu;
    case tray_mouse::kLeftButtonDoubleClick: return reverse ? TrayRequest::ToggleShowAll : TrayRequest::ApplyAllKeywords;
    case tray_mouse::kMiddleButtonUp: return reverse ? TrayRequest::ApplyAllKeywords : TrayRequest::ToggleShowAll;
    default: return TrayRequest::None;
  }
}

bool TrayIcon::AddTrayIcon() {
  added_ = true;
  record_.flags = TrayIconRecord::kMessage | TrayIconRecord::kIcon | TrayIconRecord::kTip;
  record_.iconResource = TrayIconResource(CurrentTrayIconState(state_), state_.settings.trayIconColor);
  record_.tip = SelectedProfileTip();
  if (shell_.NotifyIcon(TrayAction::Add, record_)) return true;
  // A shell slow to answer reports a failed add that it carries out later
  // all the same; from then on every add fails. An icon that takes the same
  // record as a change is there.
  return shell_.NotifyIcon(TrayAction::Modify, record_);
}

void TrayIcon::SetTrayIconState(TrayIconState iconState) {
  record_.flags = TrayIconRecord::kIcon;
  record_.iconResource = TrayIconResource(iconState, state_.settings.trayIconColor);
  shell_.NotifyIcon(TrayAction::Modify, record_);
}

void TrayIcon::UpdateTrayTip() {
  if (!added_) return;
  record_.tip = SelectedProfileTip();
  record_.iconResource = TrayIconResource(CurrentTrayIconState(state_), state_.settings.trayIconColor);
  record_.flags = TrayIconRecord::kIcon | TrayIconRecord::kTip;
  shell_.NotifyIcon(TrayAction::Modify, record_);
}

std::u16string TrayIcon::SelectedProfileTip() const {
  const auto& p = state_.profiles;
  return TrayTipText(p.names[static_cast<std::size_t>(p.selected)].View());
}

void TrayIcon::Remove() { shell_.NotifyIcon(TrayAction::Delete, record_); }

}  // namespace peekbar
