// What each command of the tray menu does: the table from an action to its
// handler, the guard that keeps one dialog at a time, and the handlers that
// are more than a call into a feature.
#include "core/app/app.h"

#include "core/base/planted.h"
#include "core/overlays/label_colors.h"
#include "core/registration/candidates.h"

#include <utility>

namespace peekbar {

std::u16string KeywordDialogTitle(int monitor, int location, int monitorCount) {
  const std::u16string name(LocationName(location));
  if (monitorCount > 1) {
    return u"ウィンドウ自動登録キーワード設定（モニター" + DecimalText(monitor + 1) + u"、" + name + u"）";
  }
  return u"ウィンドウ自動登録キーワード設定（" + name + u"）";
}

void App::ShowOptions() {
  // The sheet edits a copy: only the settings it holds are taken over, so a
  // change made from the menu while it was open stays.
  const std::optional<Settings> edited = dialogs_.EditOptions(state_.settings);
  if (!edited) return;
  CopyBoundSettings(OptionsFlagsPage(), *edited, state_.settings);
  CopyBoundSettings(OptionsNumbersPage(), *edited, state_.settings);
  ApplyOptions();
}

void App::ApplyOptions() {
  Settings& s = state_.settings;
  shell_.StopTimer();
  settingsFile_.SaveOptionSettings(state_.mainWindow);
  if (s.hideTaskbar != 0) {
    taskbar_.FindTaskbarWindows();  // nothing is hidden before the next show
  } else {
    taskbar_.GiveTaskbarBack();  // in case a show left it hidden
  }
  if (s.keepWindowPos == 0) s.restoreWindowPos = 0;  // in memory only: the file keeps what was confirmed
  shell_.StartTimer(static_cast<std::uint32_t>(s.timerInterval));
}

constexpr std::optional<App::Handler> App::HandlerOf(CommandAction action) {
  using A = CommandAction;
  switch (action) {
    case A::Ignored: return std::nullopt;
    case A::Exit: return [](App& app, const Command&) { app.shell_.PostClose(); };
    case A::Readme:
      return [](App& app, const Command&) {
        app.shell_.OpenDocument(app.state_.profiles.executableDirectory + u"Readme.txt");
      };
    case A::About: return [](App& app, const Command&) { app.dialogs_.ShowAbout(); };
    case A::Options: return [](App& app, const Command&) { app.ShowOptions(); };
    case A::GuideLabelSettings: return [](App& app, const Command&) { app.guideLabelSheet_.Run(); };
    case A::StartupShortcut: return [](App& app, const Command&) { app.startupShortcut_.Toggle(); };
    case A::Pause: return [](App& app, const Command&) { app.commands_.TogglePause(); };
    case A::ShowAll: return [](App& app, const Command&) { app.commands_.ToggleShowAll(); };
    case A::UnregisterAll: return [](App& app, const Command&) { app.commands_.UnregisterAll(); };
    case A::ApplyAllKeywords: return [](App& app, const Command&) { app.commands_.ApplyAllKeywords(); };
    case A::TriggerEnable: return [](App& app, const Command&) { app.ToggleTriggerSetting(app.state_.settings.triggerEnabled); };
    case A::TriggerCtrl: return [](App& app, const Command&) { app.ToggleTriggerSetting(app.state_.settings.triggerCtrl); };
    case A::TriggerShift: return [](App& app, const Command&) { app.ToggleTriggerSetting(app.state_.settings.triggerShift); };
    case A::TriggerAlt: return [](App& app, const Command&) { app.ToggleTriggerSetting(app.state_.settings.triggerAlt); };
    case A::TriggerSettings: return [](App& app, const Command&) { app.EditTriggerSettings(); };
    case A::MonitorPopAlpha: return [](App& app, const Command&) { app.monitorPopups_.AskOpacity(); };
    case A::MonitorPopFont: return [](App& app, const Command&) { app.monitorPopups_.ChooseFont(); };
    case A::TrayIconColor: return [](App& app, const Command& c) { app.SetTrayIconColor(c.value); };
    case A::ProfileRename: return [](App& app, const Command&) { app.profiles_.RenameSelected(); };
    case A::HotkeySettings: return [](App& app, const Command&) { app.EditGlobalHotkeys(); };
    case A::LocationHotkey:
      return [](App& app, const Command& c) { app.EditLocationHotkey(c.monitor, c.location); };
    case A::MonitorPopPosition: return [](App& app, const Command& c) { app.monitorPopups_.SetPosition(c.value); };
    case A::SelectProfile: return [](App& app, const Command& c) { app.SelectProfile(c.value); };
    case A::RegistrationSheet: return [](App& app, const Command& c) { app.ShowRegistrationSheet(c.monitor); };
    case A::LocationKeyword: return [](App& app, const Command& c) { app.EditLocationKeyword(c.monitor, c.location); };
    case A::LocationUnregister:
      return [](App& app, const Command& c) { app.registration_.UnregisterByHand(c.monitor, c.location); };
    case A::LocationGuideColor:
      return [](App& app, const Command& c) { app.ChooseGuideColor(app.state_.mainWindow, c.monitor, c.location); };
    case A::LocationCandidate: return [](App& app, const Command& c) { app.PickCandidate(c); };
  }
  return std::nullopt;
}

// Every action the menu offers has its handler; a new action without one
// does not build.
constexpr bool App::EveryActionHandled() {
  for (std::size_t i = 1; i < kCommandActionCount; ++i) {
    if (!HandlerOf(static_cast<CommandAction>(i)).has_value()) return false;
  }
  return true;
}

bool App::Handles(CommandAction action) {
  static_assert(EveryActionHandled(), "an action of the menu has no handler");
  return HandlerOf(action).has_value();
}

void App::OnCommand(std::uint16_t id) {
  operations_.Run([this, id] { CarryOut(id); });
}

void App::CarryOut(std::uint16_t id) {
  const Command command = DecodeCommand(id, menuMonitorCount_.value_or(state_.MonitorCount()));
  const std::optional<Handler> handler = HandlerOf(command.action);
  if (!handler) return;
  // A monitor detached since the menu was made has nothing to offer.
  if (NamesMonitor(command.action) &&
      (command.monitor >= state_.MonitorCount() || !state_.Monitor(command.monitor).active)) {
    return;
  }
  // No second dialog over the first, and no other profile under it.
  if (state_.modalBusy && RefusedWhileDialogOpen(command.modality) &&
      !(command.modality == Modality::Profile && Planted(Plant::ProfileSwitchUnderSheet))) {
    return;
  }
  switch (command.modality) {
    case Modality::None:
    case Modality::Profile:
      (*handler)(*this, command);
      return;
    case Modality::Dialog:
    case Modality::Nested: {
      // A chooser opened over another dialog leaves the guard as it found it.
      const bool outer = std::exchange(state_.modalBusy, true);
      (*handler)(*this, command);
      state_.modalBusy = outer;
      return;
    }
  }
}

void App::ToggleTriggerSetting(std::int32_t& flag) {
  flag = flag != 0 ? 0 : 1;
  settingsFile_.SaveTriggerSettings(state_.mainWindow);
}

void App::EditTriggerSettings() {
  const std::optional<Settings> edited = dialogs_.EditTriggerSettings(state_.settings);
  if (!edited) return;
  CopyBoundSettings(TriggerSettingsPage(), *edited, state_.settings);
  settingsFile_.SaveTriggerSettings(state_.mainWindow);
}

void App::SetTrayIconColor(std::int32_t color) {
  state_.settings.trayIconColor = color;
  tray_.SetTrayIconState(CurrentTrayIconState(state_));
  settingsFile_.SaveTrayIconColor(state_.mainWindow);
}

void App::EditLocationKeyword(int monitor, int location) {
  const LocationSlot& shown = state_.At(monitor, location);
  const std::optional<KeywordChoice> chosen = dialogs_.AskKeyword(
      KeywordDialogTitle(monitor, location, state_.MonitorCount()), {shown.keyword, shown.isRegex != 0});
  // Looked up again: the monitors may have changed while the dialog was
  // open, and a detached one keeps its slot and section as they were.
  if (!chosen || !state_.Monitor(monitor).active) return;
  LocationSlot& at = state_.At(monitor, location);
  at.keyword = chosen->keyword.View();
  at.isRegex = chosen->regex ? 1 : 0;
  settingsFile_.SaveLocationSettings(state_.mainWindow, monitor, location);
  registration_.RegisterByKeyword(monitor, location);
}

// Every slot a monitor can take has its location hotkey items.
static_assert(command_id::kLocationHotkeyFirst + kLocationCount * kMaxMonitorSlots - 1 ==
              command_id::kLocationHotkeyLast);

std::optional<HotkeyObjection> App::HotkeyObjectionTo(const std::optional<RefusedHotkey>& refused) const {
  if (!refused) return std::nullopt;
  HotkeyObjection objection{HotkeyObjectionText(*refused, state_.MonitorCount())};
  if (refused->id == kPauseHotkeyId) objection.field = HotkeyObjection::Field::Pause;
  if (refused->id == kMenuHotkeyId) objection.field = HotkeyObjection::Field::Menu;
  return objection;
}

// The checks run inside the dialog's OK, where the program is at rest; they
// only read the settings and ask the system for a key.
void App::EditLocationHotkey(int monitor, int location) {
  const int id = LocationHotkeyId(monitor, location);
  const Hotkey held = hotkeys_.IsRegistered(id) ? static_cast<Hotkey>(state_.At(monitor, location).hotkey) : kNoHotkey;
  hotkeys_.ReleaseAll();
  const std::optional<Hotkey> chosen = dialogs_.AskHotkey(
      held, [&](Hotkey key) { return HotkeyObjectionTo(hotkeys_.CheckLocationKey(id, key)); });
  if (chosen && state_.Monitor(monitor).active) {
    state_.At(monitor, location).hotkey = *chosen;
    settingsFile_.SaveLocationHotkey(state_.mainWindow, monitor, location);
  }
  hotkeys_.Resume();
  SyncHotkeys();
}

void App::EditGlobalHotkeys() {
  Settings& s = state_.settings;
  const auto held = [&](int id, std::int32_t key) {
    return hotkeys_.IsRegistered(id) ? static_cast<Hotkey>(key) : kNoHotkey;
  };
  const GlobalHotkeys shown{held(kPauseHotkeyId, s.pauseHotkey), held(kMenuHotkeyId, s.menuHotkey)};
  hotkeys_.ReleaseAll();
  const std::optional<GlobalHotkeys> chosen = dialogs_.AskGlobalHotkeys(
      shown, [&](const GlobalHotkeys& keys) { return HotkeyObjectionTo(hotkeys_.CheckGlobalKeys(keys)); });
  if (chosen) {
    s.pauseHotkey = chosen->pause;
    s.menuHotkey = chosen->menu;
    settingsFile_.SaveHotkeySettings(state_.mainWindow);
  }
  hotkeys_.Resume();
  SyncHotkeys();
}

const MenuOffer& App::OfferedCandidates() {
  if (openMenu_ != nullptr) {
    openMenu_->ReadWindows();
    return openMenu_->Offered();
  }
  if (!lastOffered_) lastOffered_ = OfferNow(state_, desktop_, state_.MonitorCount());
  return *lastOffered_;
}

void App::PickCandidate(const Command& command) {
  const MenuOffer& offer = OfferedCandidates();
  const auto i = static_cast<std::size_t>(command.candidate);
  if (i >= offer.candidates.size()) return;
  const WindowEntry picked = offer.candidates[i];  // a copy: what follows may read the windows again
  const WindowHandle registered = state_.At(command.monitor, command.location).cycle.Window();
  // What the item showed decides, not what changed since: a marked item
  // unregisters its window if it is still there, and an unmarked one never
  // unregisters (a keyword may have caught its window meanwhile).
  if (picked.window == offer.MarkedAt(command.monitor, command.location)) {
    if (picked.window == registered) registration_.UnregisterByHand(command.monitor, command.location);
  } else if (picked.window != registered &&
             IsSameWindow(desktop_, picked.window, picked.processId, picked.className, kClassNameUnits)) {
    // The candidate is the one the menu showed: a window closed meanwhile,
    // or a handle given to another one, is not taken.
    registration_.Register(command.monitor, command.location, picked.window);
  }
  EndShowCycleWhenNothingShown();
}

void App::SelectProfile(int profile) {
  if (profile == state_.profiles.selected) return;
  shell_.StopTimer();
  overlays_.CloseGuides();
  // The old profile's windows come back while the new one is read.
  registration_.GiveBackAll();
  state_.profiles.selected = profile;
  settingsFile_.LoadProfileSettings();
  overlays_.RebuildMonitorNumberPopups();
  registration_.RegisterAllByKeywords();
  overlays_.Refresh();
  shell_.StartTimer(static_cast<std::uint32_t>(state_.settings.timerInterval));
  settingsFile_.SaveProfileList(state_.mainWindow);
  messages_.ShowInfoMessage(state_.mainWindow,
                            u"プロファイル「" + std::u16string(profiles_.SelectedName()) + u"」を選択しました。");
  TellUnconvertedSettings();
  // After the message: a key refused is the news that must stay on the screen.
  SyncHotkeys();
}

void App::ChooseGuideColor(WindowHandle owner, int monitor, int location) {
  const std::optional<Color> chosen = dialogs_.PickColor(owner, state_.At(monitor, location).guideColor);
  if (!chosen || !state_.Monitor(monitor).active) return;
  state_.At(monitor, location).guideColor = *chosen;
  ComputeLabelColors(state_);
  overlays_.RepaintGuides();
  settingsFile_.SaveLocationSettings(owner, monitor, location);
}

void App::ShowRegistrationSheet(int monitor) {
  RegistrationSheet sheet(state_, desktop_, registration_, settingsFile_, operations_, messages_,
                          [this](WindowHandle owner, int m, int l) { ChooseGuideColor(owner, m, l); }, monitor);
  operations_.AtRest([&] { registrationSheet_.Run(sheet); });
}

}  // namespace peekbar
