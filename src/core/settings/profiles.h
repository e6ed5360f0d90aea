// The ten profiles' names: the selected one renamed by the user.
#pragma once

#include <string_view>

#include "core/base/dialogs.h"
#include "core/base/state.h"
#include "core/settings/settings_file.h"

namespace peekbar {

class Profiles {
 public:
  Profiles(AppState& state, SettingsFile& file, Dialogs& dialogs) : state_(state), file_(file), dialogs_(dialogs) {}

  std::u16string_view SelectedName() const;
  // Asks for a new name of the selected profile: an emptied name becomes
  // the default one, and every profile's name is written.
  void RenameSelected();

 private:
  AppState& state_;
  SettingsFile& file_;
  Dialogs& dialogs_;
};

}  // namespace peekbar
