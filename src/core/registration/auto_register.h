// Registering windows at locations by their keywords.
#pragma once

#include <string>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/state.h"
#include "core/engine/recovery_journal.h"
#include "core/engine/show_hide.h"
#include "core/settings/settings_file.h"

namespace peekbar {

class AutoRegistration {
 public:
  AutoRegistration(AppState& state, Desktop& desktop, ShowHide& showHide, SettingsFile& settingsFile,
                   RecoveryJournal& journal)
      : state_(state), desktop_(desktop), showHide_(showHide), settingsFile_(settingsFile), journal_(journal) {}

  // Registers the first candidate whose entry label matches the location's
  // keyword; keeps the registration when it is that candidate already;
  // clears the location when nothing matches or there is no keyword.
  void RegisterByKeyword(int monitor, int location);
  // Gives every registered window back, then applies every keyword, then
  // the remembered rectangles when RESTORE_WIN_POS is on.
  void RegisterAllByKeywords();
  // The first step of RegisterAllByKeywords alone, without waiting: the
  // windows' programs show them while the caller does other work, and the
  // next RegisterAllByKeywords waits for them with the rest.
  void GiveBackAll();

  // Puts a window at a location: the previous one released, the new one
  // hidden, the location waiting for the pointer.
  void Register(int monitor, int location, WindowHandle window);
  void Unregister(int monitor, int location);
  // Every registered window given back (shown, not topmost), every location emptied.
  void UnregisterAll();

 private:
  void RegisterFirstMatch(int monitor, int location, const class KeywordMatcher& matcher);

  AppState& state_;
  Desktop& desktop_;
  ShowHide& showHide_;
  SettingsFile& settingsFile_;
  RecoveryJournal& journal_;
  std::u16string label_;                // reused for every candidate
  std::vector<std::u16string> labels_;  // the listing's labels in a full application
  std::vector<WindowHandle> givenBack_;  // given back, not yet waited for
};

}  // namespace peekbar
