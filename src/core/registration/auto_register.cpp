#include "core/registration/auto_register.h"

#include <map>
#include <optional>
#include <utility>

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
  journal_.Add(window);
  const std::uint32_t now = desktop_.TickCount();
  cycle.Register(window, now);
  const bool answers = desktop_.IsResponding(window);
  // With its dialogs and tool windows, as when it goes away at its edge;
  // the journal written first, the window it replaced struck off.
  showHide_.HideWithOwned(window, now, answers, ownedListing_);
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

const WindowEntry* AutoRegistration::FirstMatch(std::size_t count, const KeywordMatcher& matcher, bool freeOnly) {
  for (std::size_t i = 0; i < count; ++i) {
    const WindowEntry& entry = state_.windowList[i];
    if (IsShellWindowClass(entry.className.View())) continue;
    KeywordLabel(entry, label_);
    if (!matcher.Matches(label_)) continue;
    if (freeOnly && state_.IsRegistered(entry.window)) continue;
    // Asked last: only of the windows the keyword would take.
    if (SkippedAsElevated(entry)) continue;
    return &entry;
  }
  return nullptr;
}

void AutoRegistration::RegisterByKeyword(int monitor, int location) {
  LocationSlot& at = state_.At(monitor, location);
  at.emptiedByHand = false;
  if (at.keyword.Empty()) {
    Unregister(monitor, location);
    return;
  }
  const std::size_t count = CollectWindows(state_, desktop_);
  const WindowEntry* match = FirstMatch(count, KeywordMatcher(at.keyword.View(), at.isRegex != 0), false);
  if (match == nullptr) {
    Unregister(monitor, location);
  } else if (match->window != at.cycle.Window()) {
    Register(monitor, location, match->window);
  }
}

bool AutoRegistration::RegisterNewWindowsByKeywords() {
  std::size_t count = 0;
  bool listed = false;
  bool registered = false;
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    if (!state_.Monitor(m).active) continue;
    for (int n = 0; n < kLocationCount; ++n) {
      const LocationSlot& at = state_.At(m, n);
      if (at.keyword.Empty() || at.cycle.Window() != kNoWindow || at.emptiedByHand) continue;
      // Listed once, and only when a location waits: most checks end here.
      if (!listed) {
        count = CollectWindows(state_, desktop_);
        listed = true;
      }
      // A window registered here is held from now on, and passed over by the
      // locations after this one.
      const WindowEntry* match = FirstMatch(count, KeywordMatcher(at.keyword.View(), at.isRegex != 0), true);
      if (match == nullptr) continue;
      if (Register(m, n, match->window)) registered = true;
    }
  }
  return registered;
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
  for (std::size_t i = 0; i < visible; ++i) shellWindow[i] = IsShellWindowClass(state_.windowList[i].className.View());
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
      std::size_t match = visible;
      for (const std::size_t i : registeredOrder) {
        if (matcher.Matches(labels_[i])) {
          match = i;
          break;
        }
      }
      for (std::size_t i = 0; match == visible && i < visible; ++i) {
        if (!registeredThisRun[i] && !shellWindow[i] && matcher.Matches(labels_[i]) && !passedOver(i)) match = i;
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
  if (state_.settings.restoreWindowPos == 0) return;
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    for (int n = 0; n < kLocationCount; ++n) {
      if (state_.At(m, n).cycle.Window() != kNoWindow) settingsFile_.RestoreWindowRect(m, n);
    }
  }
}

}  // namespace peekbar
