#include "core/settings/profiles.h"

namespace peekbar {

std::u16string_view Profiles::SelectedName() const {
  return state_.profiles.names[static_cast<std::size_t>(state_.profiles.selected)].View();
}

void Profiles::RenameSelected() {
  const int profile = state_.profiles.selected;
  auto& stored = state_.profiles.names[static_cast<std::size_t>(profile)];
  const std::optional<FixedText<kTitleUnits>> name = dialogs_.AskProfileName(stored);
  if (!name) return;
  stored = name->Empty() ? std::u16string_view(DefaultProfileName(profile)) : name->View();
  file_.SaveProfileList(state_.mainWindow);
}

}  // namespace peekbar
