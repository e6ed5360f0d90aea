// Registering windows at locations by their keywords.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/state.h"
#include "core/engine/recovery_journal.h"
#include "core/engine/show_hide.h"
#include "core/settings/messages.h"
#include "core/settings/settings_file.h"

namespace peekbar {

class OwnedWindowsListing;

class AutoRegistration {
 public:
  AutoRegistration(AppState& state, Desktop& desktop, ShowHide& showHide, SettingsFile& settingsFile,
                   RecoveryJournal& journal, UserMessages& messages)
      : state_(state),
        desktop_(desktop),
        showHide_(showHide),
        settingsFile_(settingsFile),
        journal_(journal),
        messages_(messages) {}

  // Registers the first candidate whose entry label matches the location's
  // keyword; keeps the registration when it is that candidate already;
  // clears the location when nothing matches or there is no keyword.
  void RegisterByKeyword(int monitor, int location);
  // Each location waiting for a window (a keyword, no window, not emptied
  // by hand) takes the first candidate its keyword matches among the shown
  // windows no location holds; a location nothing matches stays as it is.
  // Returns whether a window was registered.
  bool RegisterNewWindowsByKeywords();
  // Gives every registered window back, then applies every keyword, then
  // the remembered rectangles when RESTORE_WIN_POS is on.
  void RegisterAllByKeywords();
  // The first step of RegisterAllByKeywords alone, without waiting: the
  // windows' programs show them while the caller does other work, and the
  // next RegisterAllByKeywords waits for them with the rest.
  void GiveBackAll();

  // Puts a window at a location: the previous one released, the new one
  // hidden, the location waiting for the pointer. A window still on the
  // screen after a hide that was carried out at once did not let itself be
  // hidden (its program runs as administrator): the location is emptied
  // again, the user told once, and false returned.
  bool Register(int monitor, int location, WindowHandle window);
  void Unregister(int monitor, int location);
  // The user empties the location: its keyword leaves it empty until
  // keywords are applied again.
  void UnregisterByHand(int monitor, int location);
  // Every registered window given back (shown, not topmost), every location
  // emptied by hand.
  void UnregisterAll();

 private:
  // The first of the listing's `count` candidates whose keyword label
  // matches, shell windows passed over; with `freeOnly` also the windows a
  // location holds (hidden, or up in their show cycle).
  const WindowEntry* FirstMatch(std::size_t count, const class KeywordMatcher& matcher, bool freeOnly);
  // Elevated windows: whether keywords pass the window over because its
  // program runs above this one; the user is told once per window, and a
  // window passed over is not asked about again.
  bool SkippedAsElevated(const WindowEntry& entry);

  AppState& state_;
  Desktop& desktop_;
  ShowHide& showHide_;
  SettingsFile& settingsFile_;
  RecoveryJournal& journal_;
  UserMessages& messages_;
  // Elevated windows: the windows passed over by keywords, with their
  // process (a handle may come back for another window), and the windows
  // whose refusal the user was told of.
  std::map<WindowHandle, std::uint32_t> passedOver_;
  std::set<WindowHandle> refusalToldOf_;
  std::u16string label_;                // reused for every candidate
  std::vector<std::u16string> labels_;  // the listing's labels in a full application
  std::vector<WindowHandle> givenBack_;  // given back, not yet waited for
  // During a full application: what the windows own, listed once for all
  // its registrations.
  const OwnedWindowsListing* ownedListing_ = nullptr;
};

}  // namespace peekbar
