// Registering windows at locations by their keywords.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/state.h"
#include "core/engine/recovery_journal.h"
#include "core/engine/show_hide.h"
#include "core/registration/window_changes.h"
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
  // clears the location when nothing matches or there is no keyword. A
  // location left waiting waits from now.
  void RegisterByKeyword(int monitor, int location);
  // Whether a location began waiting for a window (a keyword, no window,
  // not emptied by hand) since the last look: it must see the desktop as it
  // is now, so as to take only what comes after. When no location waits,
  // what was kept for them is forgotten. Asks the desktop nothing.
  bool LocationBeganWaiting();
  // The locations waiting for a window look at the desktop. With `take`,
  // each takes the first free window its keyword matches among those that
  // came up, or were renamed to match, since its last look; never a window
  // another one owns (a dialog), and never one that was on the screen,
  // unchanged, before: a window the user is working in stays with the user.
  // A location that only began waiting sees the desktop, and takes nothing.
  // Returns whether a window was registered.
  bool RegisterNewWindowsByKeywords(bool take = true);
  // The system reported another program's top-level window shown, or a
  // window gone.
  void WindowShown(WindowHandle window) { changes_.ReportShown(window); }
  void WindowGone(WindowHandle window) {
    if (state_.IsRegistered(window)) changes_.ReportRegisteredGone();
  }
  // A registered window was destroyed: every location holding it lets it
  // go, unless the handle was registered anew since (it names that window
  // now).
  void ReleaseClosed(WindowHandle window);
  // The system reports no window gone.
  void WindowsGoneUnreported() { changes_.GoneUnreported(); }
  // Gives every registered window back, then applies every keyword, then
  // the remembered rectangles when RESTORE_WIN_POS is on. Locations left
  // waiting wait from now.
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
  bool Waiting(int monitor, const LocationSlot& at) const;
  bool AnyLocationWaits() const;
  // The listing's first `count` candidates have been seen: what changed
  // since the last look is marked, and with `take` the waiting locations
  // take what is theirs. A location that began waiting sees the desktop as
  // it is, except, at a tick's look, what was reported shown after its
  // window went.
  bool LookAtChanges(std::size_t count, bool take, bool atTick);
  // The first of the listing's `count` candidates whose keyword label
  // matches the location's keyword, shell windows passed over.
  const WindowEntry* FirstMatch(std::size_t count, const class KeywordMatcher& matcher, int monitor, int location);
  // For a waiting location: the first free candidate that came up, or was
  // renamed to match, since its look `seen` (0: it began waiting at this
  // tick, and the window was reported shown after one went), and is owned
  // by no window.
  const WindowEntry* FirstChange(std::size_t count, int monitor, int location, std::uint64_t seen);
  // The window is registered at the location: when the location waits
  // again, it waits from then.
  void NoteRegistered(LocationSlot& at, WindowHandle window);
  // A keyword whose match gave up on a label (it would take too long) is
  // told to the user once a run, naming its location.
  void TellTooCostly(int monitor, int location);
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
  WindowChanges changes_;
  std::vector<WindowHandle> registered_;  // the windows held at a look
  std::set<std::tuple<int, int, std::u16string>> tooCostlyToldOf_;
  std::u16string label_;                // reused for every candidate
  std::vector<std::u16string> labels_;  // the listing's labels in a full application
  std::vector<WindowHandle> givenBack_;  // given back, not yet waited for
  // During a full application: what the windows own, listed once for all
  // its registrations.
  const OwnedWindowsListing* ownedListing_ = nullptr;
};

}  // namespace peekbar
