#include "core/registration/auto_register.h"

#include <map>
#include <optional>
#include <utility>

#include "core/base/planted.h"
#include "core/engine/owned_windows.h"
#include "core/registration/candidates.h"
#include "core/registration/keyword_match.h"

namespace peekbar {

bool AutoRegistration::Register(int monitor, int location, WindowHandle window) {
  if (!state_.Monitor(monitor).active) return false;  // detached while a dialog was open
  if (state_.ending) return false;
  ShowCycle& cycle = state_.At(monitor, location).cycle;
  showHide_.ReleaseWindow(monitor, location);
  // Registered and written down before it is hidden: from here on the
  // journal and every give-back know it.
  if (!Planted(Plant::HideBeforeJournal)) journal_.Add(window);
  const std::uint32_t now = desktop_.TickCount();
  cycle.Register(window, now);
  NoteRegistered(state_.At(monitor, location), window);
  const bool answers = desktop_.IsResponding(window);
  // With its dialogs and tool windows, as when it goes away at its edge;
  // the journal written first, the window it replaced struck off.
  showHide_.HideWithOwned(window, now, answers, ownedListing_);
  if (Planted(Plant::HideBeforeJournal)) journal_.Add(window);
  // The session ended before or during the hide and gave the window back:
  // no refusal.
  if (state_.ending) return false;
  // A hide left to the window's thread is not done yet: nothing to tell.
  if (!answers || !desktop_.IsWindowVisible(window)) return true;
  cycle.Release();
  journal_.Sync();
  if (refusalToldOf_.insert(window).second) {
    messages_.ShowInfoMessage(state_.mainWindow,
                              RegistrationRefusedMessage(desktop_.WindowTitle(window, kTitleUnits)));
  }
  return false;
}

bool AutoRegistration::SkippedAsElevated(const WindowEntry& entry) {
  const auto known = passedOver_.find(entry.window);
  if (known != passedOver_.end() && known->second == entry.processId) return true;
  if (!desktop_.RunsElevated(entry.window)) return false;
  passedOver_[entry.window] = entry.processId;
  messages_.ShowInfoMessage(state_.mainWindow, ElevatedWindowSkippedMessage(entry.title));
  return true;
}

void AutoRegistration::Unregister(int monitor, int location) {
  showHide_.ReleaseWindow(monitor, location);
  state_.At(monitor, location).cycle.Release();
  journal_.Sync();
}

void AutoRegistration::ReleaseClosed(WindowHandle window) {
  if (!state_.IsRegistered(window) || journal_.StillNames(window)) return;
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    for (LocationSlot& at : state_.Monitor(m).locations) {
      if (at.cycle.Window() == window) at.cycle.Release();  // closed by its program: dropped silently
    }
  }
  journal_.Sync();
}

void AutoRegistration::UnregisterByHand(int monitor, int location) {
  Unregister(monitor, location);
  state_.At(monitor, location).emptiedByHand = true;
}

void AutoRegistration::UnregisterAll() {
  ShowEveryRegisteredWindow(state_, desktop_);
  for (MonitorSlot& slot : state_.monitorSlots) {
    for (LocationSlot& at : slot.locations) {
      at.cycle.Release();
      at.emptiedByHand = true;
    }
  }
  journal_.Sync();
}

void AutoRegistration::NoteRegistered(LocationSlot& at, WindowHandle window) {
  at.lookSeen = 0;
  changes_.Registered(window);
}

void AutoRegistration::TellTooCostly(int monitor, int location) {
  const LocationSlot& at = state_.At(monitor, location);
  if (!tooCostlyToldOf_.emplace(monitor, location, std::u16string(at.keyword.View())).second) return;
  messages_.ShowInfoMessage(state_.mainWindow,
                            TooCostlyKeywordMessage(monitor, location, state_.MonitorCount(), at.keyword.View()));
}

const WindowEntry* AutoRegistration::FirstMatch(std::size_t count, const KeywordMatcher& matcher, int monitor,
                                                int location) {
  for (std::size_t i = 0; i < count; ++i) {
    const WindowEntry& entry = state_.windowList[i];
    if (IsShellWindowClass(entry.className)) continue;
    KeywordLabel(entry, label_);
    const LabelMatch match = matcher.Match(label_);
    if (match == LabelMatch::TooCostly) TellTooCostly(monitor, location);
    if (match != LabelMatch::Matches) continue;
    // Asked last: only of the windows the keyword would take.
    if (SkippedAsElevated(entry)) continue;
    return &entry;
  }
  return nullptr;
}

const WindowEntry* AutoRegistration::FirstChange(std::size_t count, int monitor, int location, std::uint64_t seen) {
  const LocationSlot& at = state_.At(monitor, location);
  std::optional<KeywordMatcher> matcher;  // compiled only when something changed
  const auto matches = [&](const std::u16string& label) {
    const LabelMatch match = matcher->Match(label);
    if (match == LabelMatch::TooCostly) TellTooCostly(monitor, location);
    return match == LabelMatch::Matches;
  };
  for (std::size_t i = 0; i < count; ++i) {
    const WindowEntry& entry = state_.windowList[i];
    // A label that has not changed since the location's last look is not
    // matched again.
    const WindowChanges::Change change =
        seen != 0 ? changes_.Since(entry.window, seen)
                  : WindowChanges::Change{changes_.ShownAfterAWindowWent(entry.window), false, {}};
    if (!change.cameUp && !change.renamed && !Planted(Plant::KeywordTakesWindowOnScreen)) continue;
    if (IsShellWindowClass(entry.className) || state_.IsRegistered(entry.window)) continue;
    if (!matcher) matcher.emplace(at.keyword.View(), at.isRegex != 0);
    KeywordLabel(entry, label_);
    if (!matches(label_)) continue;
    if (!change.cameUp) {
      // Renamed only: taken when the rename made it match, not when it
      // matched before (a document saved under another name).
      KeywordLabel(change.titleBefore, entry.className, label_);
      if (matches(label_)) continue;
    }
    // Asked last: only of the windows the keyword would take.
    if (desktop_.WindowOwner(entry.window) != kNoWindow) continue;
    if (SkippedAsElevated(entry)) continue;
    return &entry;
  }
  return nullptr;
}

void AutoRegistration::RegisterByKeyword(int monitor, int location) {
  LocationSlot& at = state_.At(monitor, location);
  at.emptiedByHand = false;
  at.lookSeen = 0;
  if (at.keyword.Empty()) {
    Unregister(monitor, location);
    return;
  }
  const std::size_t count = CollectWindows(state_, desktop_);
  const WindowEntry* match = FirstMatch(count, KeywordMatcher(at.keyword.View(), at.isRegex != 0), monitor, location);
  if (match == nullptr) {
    Unregister(monitor, location);
    // It waits from now: what is on the screen now is not for it.
    LookAtChanges(count, false, false);
  } else if (match->window != at.cycle.Window()) {
    Register(monitor, location, match->window);
  }
}

bool AutoRegistration::Waiting(int monitor, const LocationSlot& at) const {
  return state_.Monitor(monitor).active && !at.keyword.Empty() && at.cycle.Window() == kNoWindow &&
         !at.emptiedByHand;
}

bool AutoRegistration::AnyLocationWaits() const {
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    for (const LocationSlot& at : state_.Monitor(m).locations) {
      if (Waiting(m, at)) return true;
    }
  }
  return false;
}

bool AutoRegistration::LocationBeganWaiting() {
  changes_.NextTick();
  bool waiting = false;
  bool began = false;
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    for (LocationSlot& at : state_.Monitor(m).locations) {
      if (!Waiting(m, at)) {
        at.lookSeen = 0;
        continue;
      }
      waiting = true;
      began = began || at.lookSeen == 0;
    }
  }
  if (!waiting && changes_.Tracking()) changes_.Stop();
  return began;
}

bool AutoRegistration::RegisterNewWindowsByKeywords(bool take) {
  // Listed only when a location waits: most checks end here.
  if (!AnyLocationWaits()) {
    changes_.Stop();
    return false;
  }
  return LookAtChanges(CollectWindows(state_, desktop_), take, true);
}

bool AutoRegistration::LookAtChanges(std::size_t count, bool take, bool atTick) {
  registered_.clear();
  for (const MonitorSlot& slot : state_.monitorSlots) {
    for (const LocationSlot& at : slot.locations) {
      if (at.cycle.Window() != kNoWindow) registered_.push_back(at.cycle.Window());
    }
  }
  const std::uint64_t look = changes_.Look(state_.windowList, count, registered_, desktop_);
  bool registeredAny = false;
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    for (int n = 0; n < kLocationCount; ++n) {
      LocationSlot& at = state_.At(m, n);
      if (!Waiting(m, at)) continue;
      // Only began waiting: what is on the screen now is not for it, except
      // what came up after its window went.
      if (at.lookSeen == 0 && !(take && atTick)) {
        at.lookSeen = look;
        continue;
      }
      if (!take) continue;  // it sees these changes at its next look
      const std::uint64_t seen = std::exchange(at.lookSeen, look);
      // A window registered here is held from now on, and passed over by
      // the locations after this one.
      const WindowEntry* match = FirstChange(count, m, n, seen);
      if (match != nullptr && Register(m, n, match->window)) registeredAny = true;
    }
  }
  return registeredAny;
}

void AutoRegistration::GiveBackAll() {
  // Once per location holding a window, as the full application does.
  const std::size_t first = givenBack_.size();
  for (MonitorSlot& slot : state_.monitorSlots) {
    for (LocationSlot& at : slot.locations) {
      if (at.cycle.Window() != kNoWindow) givenBack_.push_back(at.cycle.Window());
      const std::vector<WindowHandle> hiddenWith = StillTheSameWindows(desktop_, at.cycle.HiddenWith());
      givenBack_.insert(givenBack_.end(), hiddenWith.begin(), hiddenWith.end());
      at.cycle.Release();
    }
  }
  GiveBack(desktop_, std::span<const WindowHandle>(givenBack_).subspan(first));
}

void AutoRegistration::RegisterAllByKeywords() {
  // Every registration is given back, and all of them are waited for together.
  GiveBackAll();
  for (MonitorSlot& slot : state_.monitorSlots) {
    for (LocationSlot& at : slot.locations) at.emptiedByHand = false;
  }
  WaitUntilGivenBack(desktop_, givenBack_);
  givenBack_.clear();
  // Every location's candidates are the windows registered at the locations
  // before it, then the visible windows from front to back. With all
  // registrations given back, one listing of the desktop yields the visible
  // windows; registering only hides windows, so each location's list follows
  // from it: the windows registered so far move to the front. This gives
  // the registrations a listing per keyword would, without listing the
  // desktop and formatting every label again for each keyword.
  const std::size_t visible = CollectWindows(state_, desktop_);
  labels_.resize(visible);
  for (std::size_t i = 0; i < visible; ++i) KeywordLabel(state_.windowList[i], labels_[i]);
  std::vector<bool> registeredThisRun(visible, false);
  std::vector<std::size_t> registeredOrder;  // indexes into the listing, first registration first
  std::vector<bool> shellWindow(visible, false);
  for (std::size_t i = 0; i < visible; ++i) shellWindow[i] = IsShellWindowClass(state_.windowList[i].className);
  // Elevated windows: asked of a window the first time a keyword matches it.
  std::vector<signed char> elevated(visible, -1);
  const auto passedOver = [&](std::size_t i) {
    if (elevated[i] < 0) {
      elevated[i] = SkippedAsElevated(state_.windowList[i]) ? 1 : 0;
    }
    return elevated[i] != 0;
  };

  // What the windows own, listed once for all the registrations below, at
  // the first of them.
  std::optional<OwnedWindowsListing> owned;
  // Each keyword is compiled once for the whole application; locations that
  // share a keyword share its matcher.
  std::map<std::pair<std::u16string, bool>, KeywordMatcher> matchers;
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    if (!state_.Monitor(m).active) continue;
    for (int n = 0; n < kLocationCount; ++n) {
      const LocationSlot& at = state_.At(m, n);
      if (at.keyword.Empty()) continue;  // given back above: nothing to clear
      std::pair<std::u16string, bool> key{std::u16string(at.keyword.View()), at.isRegex != 0};
      auto found = matchers.find(key);
      if (found == matchers.end()) {
        KeywordMatcher matcher(key.first, key.second);
        found = matchers.emplace(std::move(key), std::move(matcher)).first;
      }
      const KeywordMatcher& matcher = found->second;
      const auto matches = [&](std::size_t i) {
        const LabelMatch result = matcher.Match(labels_[i]);
        if (result == LabelMatch::TooCostly) TellTooCostly(m, n);
        return result == LabelMatch::Matches;
      };
      std::size_t match = visible;
      for (const std::size_t i : registeredOrder) {
        if (matches(i)) {
          match = i;
          break;
        }
      }
      for (std::size_t i = 0; match == visible && i < visible; ++i) {
        if (!registeredThisRun[i] && !shellWindow[i] && matches(i) && !passedOver(i)) match = i;
      }
      if (match == visible) continue;  // no candidate: the location stays empty
      if (!owned) ownedListing_ = &owned.emplace(desktop_);
      if (!Register(m, n, state_.windowList[match].window)) continue;
      if (!registeredThisRun[match]) {
        registeredThisRun[match] = true;
        registeredOrder.push_back(match);
      }
    }
  }
  ownedListing_ = nullptr;
  journal_.Sync();
  // Every keyword was applied now: a location left waiting waits from now,
  // and what is on the screen is not for it.
  changes_.Stop();
  for (MonitorSlot& slot : state_.monitorSlots) {
    for (LocationSlot& at : slot.locations) at.lookSeen = 0;
  }
  if (AnyLocationWaits()) LookAtChanges(visible, false, false);
  if (state_.settings.restoreWindowPos == 0) return;
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    for (int n = 0; n < kLocationCount; ++n) {
      if (state_.At(m, n).cycle.Window() != kNoWindow) settingsFile_.RestoreWindowRect(m, n);
    }
  }
}

}  // namespace peekbar
