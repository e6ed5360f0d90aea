#include "core/app/app.h"

#include "core/overlays/label_colors.h"
#include "core/registration/candidates.h"

#include <algorithm>
#include <utility>

namespace peekbar {
namespace {

// At log-on Peekbar may start before the shell can take a tray icon: the
// add is tried again every second, and at the shell's announcement, for a
// minute before the start is given up.
constexpr std::uint32_t kIconRetryPeriodMs = 1000;
constexpr std::uint32_t kIconRetryLimitMs = 60000;

}  // namespace

std::u16string KeywordDialogTitle(int monitor, int location, int monitorCount) {
  const std::u16string name(LocationName(location));
  if (monitorCount > 1) {
    return u"ウィンドウ自動登録キーワード設定（モニター" + DecimalText(monitor + 1) + u"、" + name + u"）";
  }
  return u"ウィンドウ自動登録キーワード設定（" + name + u"）";
}

std::uint32_t StartupDelayMilliseconds(std::u16string_view argument) {
  const std::int64_t seconds = std::clamp<std::int64_t>(ParseLeadingInt(argument), 0, kLongestStartupDelaySeconds);
  return static_cast<std::uint32_t>(seconds * 1000);
}

App::App(const AppPorts& ports)
    : desktop_(ports.desktop),
      shell_(ports.shell),
      dialogs_(ports.dialogs, operations_),
      menu_(ports.menu),
      registrationSheet_(ports.registrationSheet),
      journal_(state_, desktop_, ports.journalStore),
      messages_(shell_, state_.settings, operations_),
      settingsFile_(state_, ports.settingsStore, shell_, desktop_, messages_, *this),
      tray_(state_, shell_),
      taskbar_(state_, desktop_, journal_),
      showHide_(state_, desktop_, taskbar_, *this),
      overlays_(state_, desktop_, ports.overlays, showHide_, [this] { TrackTrayMenu(); }),
      registration_(state_, desktop_, showHide_, settingsFile_, journal_),
      watcher_(state_, desktop_, taskbar_, showHide_, overlays_, journal_),
      commands_(state_, desktop_, shell_, ports.sound, messages_, tray_, registration_, overlays_),
      profiles_(state_, settingsFile_, dialogs_),
      startupShortcut_(shell_, dialogs_),
      monitorPopups_(state_, settingsFile_, dialogs_),
      guideLabelSheet_(state_, settingsFile_, dialogs_, overlays_) {}

std::optional<std::u16string_view> App::PrepareStartup(bool anotherInstanceRunning) {
  // Each monitor the system enumerates takes a slot, in the system's order;
  // the settings then read each slot's section.
  state_.monitorSlots.clear();
  for (DisplayMonitor& monitor : desktop_.Monitors()) {
    MonitorSlot& slot = state_.monitorSlots.emplace_back();
    slot.device = std::move(monitor.device);
    slot.monitorRect = monitor.rect;
  }
  settingsFile_.LoadSettings();
  if (state_.settings.multipleStartup != 0 && anotherInstanceRunning) return kMultipleStartupMessage;
  taskbar_.FindTaskbarWindows();
  journal_.RecoverAndBegin(taskbar_);
  return std::nullopt;
}

void App::OnCreate(WindowHandle mainWindow) {
  state_.mainWindow = mainWindow;
  state_.windowList.resize(kWindowListGrowth);
  operations_.Run([this] {
    if (!tray_.AddTrayIcon()) {
      iconRetrySince_ = desktop_.TickCount();
      shell_.StartTimer(kIconRetryPeriodMs);
      return;
    }
    FinishStartup();
  });
}

void App::RetryTrayIcon() {
  if (tray_.AddTrayIcon()) {
    iconRetrySince_.reset();
    FinishStartup();
    return;
  }
  if (desktop_.TickCount() - *iconRetrySince_ < kIconRetryLimitMs) return;  // unsigned: right across a wrap
  iconRetrySince_.reset();
  shell_.StopTimer();
  messages_.ShowMessageBox(state_.mainWindow, kTrayIconFailedMessage, MessageIcon::Error,
                           [this] { shell_.PostClose(); });
}

void App::FinishStartup() {
  overlays_.RebuildMonitorNumberPopups();
  registration_.RegisterAllByKeywords();
  overlays_.Refresh();
  shell_.StartTimer(static_cast<std::uint32_t>(state_.settings.timerInterval));
  // Last: opening the sound device takes longer than everything above, and
  // a sound that cannot be played only needs telling.
  commands_.OpenCommandSound();
  if (const auto notice = journal_.TakeNotice()) {
    if (notice->failed) {
      messages_.ShowErrorMessage(state_.mainWindow, notice->text);
    } else {
      messages_.ShowInfoMessage(state_.mainWindow, notice->text);
    }
  }
}

void App::OnDestroy() {
  state_.windowList.clear();
  state_.windowList.shrink_to_fit();
}

void App::OnTimer() {
  if (tickWaiting_) return;
  tickWaiting_ = true;
  operations_.Run([this] {
    tickWaiting_ = false;
    Tick();
  });
}

void App::Tick() {
  if (iconRetrySince_) {
    RetryTrayIcon();
    return;
  }
  if (displaysChanged_) {
    displaysChanged_ = false;
    FollowDisplays();
  }
  if (!state_.paused) watcher_.EdgeTick();
}

void App::FollowDisplays() {
  const std::vector<DisplayMonitor> present = desktop_.Monitors();
  std::vector<SlotLayout> before;
  for (const MonitorSlot& slot : state_.monitorSlots) before.push_back({slot.device, slot.monitorRect, slot.active});
  const DisplayPlan plan = PlanDisplays(before, present);
  if (plan.Unchanged()) return;
  // The overlays stand on the old geometry; they are made again below, and
  // the trigger window at the next key press.
  overlays_.CloseGuides();
  overlays_.CloseTrigger();
  state_.monitorSlots.resize(plan.slots.size());
  for (std::size_t m = 0; m < plan.slots.size(); ++m) {
    MonitorSlot& slot = state_.monitorSlots[m];
    slot.device = plan.slots[m].device;
    slot.monitorRect = plan.slots[m].rect;
    slot.active = plan.slots[m].active;
  }
  for (const int m : plan.gone) GiveBackDetached(m, PrimaryMonitor(present).rect);
  if (!plan.gone.empty()) {
    journal_.Sync();
    EndShowCycleWhenNothingShown();  // also while paused, when no tick would
  }
  for (const int m : plan.arrived) {
    settingsFile_.LoadMonitorSettings(m);
    for (int n = 0; n < kLocationCount; ++n) registration_.RegisterByKeyword(m, n);
  }
  ComputeLabelColors(state_);
  overlays_.RebuildMonitorNumberPopups();
  overlays_.Refresh();
}

void App::GiveBackDetached(int monitor, const Rect& primary) {
  for (int n = 0; n < kLocationCount; ++n) {
    LocationSlot& at = state_.At(monitor, n);
    const WindowHandle window = at.cycle.Window();
    at.cycle.Release();
    // A window also held at a monitor still attached stays with it.
    if (window == kNoWindow || state_.IsRegistered(window)) continue;
    Placement p = GiveBackPlacement();
    if (IsUsableSavedRect(at.savedRect, state_.monitorSlots)) {
      const Placement saved = PlacementAt(at.savedRect);
      p.move = p.size = true;
      p.position = saved.position;
      p.width = saved.width;
      p.height = saved.height;
    } else {
      Rect rect;
      desktop_.WindowRect(window, rect);
      p.move = true;
      p.position = FitRectAroundPoint(primary, rect, {primary.left + static_cast<std::int32_t>(primary.Width() / 2),
                                                      primary.top + static_cast<std::int32_t>(primary.Height() / 2)});
    }
    desktop_.PlaceWindow(window, p);
  }
}

void App::OnTaskbarCreated() {
  operations_.Run([this] {
    taskbar_.ShellRestarted();
    if (iconRetrySince_) {
      RetryTrayIcon();
      return;
    }
    tray_.AddTrayIcon();
  });
}

void App::OnTrayNotify(std::uintptr_t iconId, std::uint32_t mouseMessage) {
  const TrayRequest request = DecodeTrayNotify(iconId, mouseMessage, state_.settings.trayOperationReverse);
  operations_.Run([this, request] {
    switch (request) {
      case TrayRequest::ForegroundMainWindow: desktop_.SetForegroundWindow(state_.mainWindow); break;
      case TrayRequest::ShowMenu: TrackTrayMenu(); break;
      case TrayRequest::ApplyAllKeywords: commands_.ApplyAllKeywords(); break;
      case TrayRequest::ToggleShowAll: commands_.ToggleShowAll(); break;
      case TrayRequest::None: break;
    }
  });
}

void App::OnCommandSoundEnded() {
  operations_.Run([this] { commands_.CommandSoundEnded(); });
}

void App::TriggerPointerMoved(Point client) {
  operations_.Run([this, client] { overlays_.TriggerPointerMoved(client); });
}

void App::TriggerClicked(Point client, bool rightButton) {
  operations_.Run([this, client, rightButton] { overlays_.TriggerClicked(client, rightButton); });
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

void App::ShowTrayMenu() {
  operations_.Run([this] { TrackTrayMenu(); });
}

void App::TrackTrayMenu() {
  Point at;
  desktop_.PointerPosition(at);
  TrayMenu menu(state_, desktop_, startupShortcut_.Exists());
  overlays_.ShowMonitorNumberPopups(true);
  menuMonitorCount_ = state_.MonitorCount();
  TrayMenu* const outer = std::exchange(openMenu_, &menu);
  operations_.AtRest([&] { menu_.Track(menu, at); });
  openMenu_ = outer;
  if (menu.WindowsRead()) {
    lastOffered_ = menu.Offered();
  } else {
    lastOffered_.reset();
  }
  menuMonitorCount_.reset();
  overlays_.ShowMonitorNumberPopups(false);
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
    case A::MonitorPopPosition: return [](App& app, const Command& c) { app.monitorPopups_.SetPosition(c.value); };
    case A::SelectProfile: return [](App& app, const Command& c) { app.SelectProfile(c.value); };
    case A::RegistrationSheet: return [](App& app, const Command& c) { app.ShowRegistrationSheet(c.monitor); };
    case A::LocationKeyword: return [](App& app, const Command& c) { app.EditLocationKeyword(c.monitor, c.location); };
    case A::LocationUnregister:
      return [](App& app, const Command& c) { app.registration_.Unregister(c.monitor, c.location); };
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
  switch (command.modality) {
    case Modality::None:
      (*handler)(*this, command);
      return;
    case Modality::Dialog:
      if (state_.modalBusy) return;  // no second dialog over the first
      [[fallthrough]];
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

const std::vector<WindowEntry>& App::OfferedCandidates() {
  if (openMenu_ != nullptr) {
    openMenu_->ReadWindows();
    return openMenu_->Offered();
  }
  if (!lastOffered_) lastOffered_ = MenuCandidates(state_, desktop_, state_.MonitorCount());
  return *lastOffered_;
}

void App::PickCandidate(const Command& command) {
  const std::vector<WindowEntry>& offered = OfferedCandidates();
  const auto i = static_cast<std::size_t>(command.candidate);
  if (i >= offered.size()) return;
  const WindowEntry picked = offered[i];  // a copy: what follows may read the windows again
  if (picked.window == state_.At(command.monitor, command.location).cycle.Window()) {
    registration_.Unregister(command.monitor, command.location);  // choosing the marked window unregisters it
  } else if (IsSameWindow(desktop_, picked.window, picked.processId, picked.className.View(), kTitleUnits)) {
    // The candidate is the one the menu showed: a window closed meanwhile,
    // or a handle given to another one, is not taken.
    registration_.Register(command.monitor, command.location, picked.window);
  }
  EndShowCycleWhenNothingShown();
}

void App::EndShowCycleWhenNothingShown() {
  for (const MonitorSlot& slot : state_.monitorSlots) {
    for (const LocationSlot& other : slot.locations) {
      if (other.cycle.IsShown()) return;
    }
  }
  taskbar_.RestoreAfterShowCycle();
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
}

void App::ChooseGuideColor(WindowHandle owner, int monitor, int location) {
  const std::optional<Color> chosen = dialogs_.PickColor(owner, state_.At(monitor, location).guideColor);
  if (!chosen || !state_.Monitor(monitor).active) return;
  state_.At(monitor, location).guideColor = *chosen;
  ComputeLabelColors(state_);
  overlays_.RepaintGuides();
  settingsFile_.SaveLocationSettings(owner, monitor, location);
}

void App::ProfileLoaded() {
  ComputeLabelColors(state_);
  tray_.UpdateTrayTip();
}

void App::OnEndSession(bool ending) {
  if (!ending) return;
  // Once this returns the system may end the process at any moment; the
  // operation this may have interrupted goes on, but hides nothing more.
  state_.ending = true;
  operations_.Close();
  shell_.StopTimer();
  GiveEverythingBack();
  shell_.PostClose();
}

void App::GiveEverythingBack() {
  ShowEveryRegisteredWindow(state_, desktop_);
  taskbar_.GiveTaskbarBack();
}

void App::Shutdown() {
  state_.ending = true;
  operations_.Close();
  GiveEverythingBack();
  tray_.Remove();
  // Last: until everything is given back the journal must stay.
  journal_.End();
}

void App::ShowRegistrationSheet(int monitor) {
  RegistrationSheet sheet(state_, desktop_, registration_, settingsFile_, operations_,
                          [this](WindowHandle owner, int m, int l) { ChooseGuideColor(owner, m, l); }, monitor);
  operations_.AtRest([&] { registrationSheet_.Run(sheet); });
}

}  // namespace peekbar
