#include "core/app/app.h"

#include "core/overlays/label_colors.h"

#include <algorithm>
#include <utility>

namespace peekbar {
namespace {

// At log-on Peekbar may start before the shell can take a tray icon: the
// add is tried again every second, and at the shell's announcement, for a
// minute before the start is given up.
constexpr std::uint32_t kIconRetryPeriodMs = 1000;
constexpr std::uint32_t kIconRetryLimitMs = 60000;
// Where the system reports no new or renamed windows, locations waiting for
// one look this often.
constexpr std::uint32_t kLookWithoutEventsPeriodMs = 1000;

}  // namespace

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
      guardian_(desktop_, shell_),
      messages_(shell_, state_.settings, operations_),
      settingsFile_(state_, ports.settingsStore, shell_, desktop_, messages_, *this),
      tray_(state_, shell_),
      taskbar_(state_, desktop_, journal_),
      fullScreen_(state_, desktop_),
      showHide_(state_, desktop_, taskbar_, *this, journal_, fullScreen_),
      overlays_(state_, desktop_, ports.overlays, showHide_, fullScreen_, [this] { TrackTrayMenu(); }),
      registration_(state_, desktop_, showHide_, settingsFile_, journal_, messages_),
      watcher_(state_, desktop_, taskbar_, showHide_, overlays_, journal_, fullScreen_),
      commands_(state_, desktop_, shell_, ports.sound, messages_, tray_, showHide_, registration_, overlays_),
      profiles_(state_, settingsFile_, dialogs_),
      startupShortcut_(shell_, dialogs_),
      monitorPopups_(state_, settingsFile_, dialogs_),
      guideLabelSheet_(state_, settingsFile_, dialogs_, overlays_),
      hotkeys_(state_, ports.hotkeys) {}

std::optional<std::u16string_view> App::PrepareStartup(bool anotherInstanceRunning) {
  // Each monitor the system enumerates takes a slot, in the system's order;
  // the settings then read each slot's section.
  state_.monitorSlots.clear();
  state_.systemDpi = desktop_.SystemDpi();
  for (DisplayMonitor& monitor : desktop_.Monitors()) {
    MonitorSlot& slot = state_.monitorSlots.emplace_back();
    slot.device = std::move(monitor.device);
    slot.monitorRect = monitor.rect;
    slot.dpi = monitor.dpi;
  }
  settingsFile_.LoadSettings();
  if (state_.settings.multipleStartup != 0 && anotherInstanceRunning) return kMultipleStartupMessage;
  taskbar_.FindTaskbarWindows();
  journal_.RecoverAndBegin();
  return std::nullopt;
}

void App::OnCreate(WindowHandle mainWindow) {
  state_.mainWindow = mainWindow;
  state_.windowList.resize(kWindowListGrowth);
  // Before anything is taken: from here on a kill gives everything back.
  guardian_.Start();
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
  // First: the keys work from the moment the windows are taken.
  SyncHotkeys();
  overlays_.RebuildMonitorNumberPopups();
  registration_.RegisterAllByKeywords();
  overlays_.Refresh();
  shell_.StartTimer(static_cast<std::uint32_t>(state_.settings.timerInterval));
  // Last: opening the sound device takes longer than everything above, and
  // a sound that cannot be played only needs telling.
  commands_.OpenCommandSound();
  TellJournalNotice();
  // Last: the one the user can act on.
  TellUnconvertedSettings();
}

void App::TellJournalNotice() {
  const auto notice = journal_.TakeNotice();
  if (!notice) return;
  if (notice->failed) {
    messages_.ShowErrorMessage(state_.mainWindow, notice->text);
  } else {
    messages_.ShowInfoMessage(state_.mainWindow, notice->text);
  }
}

void App::TellUnconvertedSettings() {
  if (const auto notice = settingsFile_.TakeUnconvertedNotice()) messages_.ShowErrorMessage(state_.mainWindow, *notice);
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
  guardian_.Tick();
  if (iconRetrySince_) {
    RetryTrayIcon();
    return;
  }
  if (displaysChanged_) {
    displaysChanged_ = false;
    FollowDisplays();
  }
  if (!state_.paused) {
    watcher_.EdgeTick();
  } else {
    overlays_.FollowFullScreen();
  }
  watcher_.FollowWindowsBroughtBack();
  // After the edges: a window its program closed has left its location there.
  RegisterNewWindows();
  // A journal that could no longer be written where it was.
  TellJournalNotice();
}

void App::RegisterNewWindows() {
  // A location that began waiting (its window closed by its program) sees
  // the desktop at once: only what comes up or is renamed after is for it.
  const bool began = registration_.LocationBeganWaiting();
  bool due = windowsChanged_;
  std::uint32_t now = 0;
  if (lookWithoutEvents_) {
    now = desktop_.TickCount();
    due = due || now - lookedAt_ >= kLookWithoutEventsPeriodMs;  // unsigned: right across a wrap
  }
  if ((!due && !began) || state_.ending) return;
  // Paused or showing all, nothing is hidden: the look waits for the end.
  const bool take = !state_.paused && !state_.showAllActive;
  if (!take && !began) return;
  if (take) {
    windowsChanged_ = false;
    lookedAt_ = now;
  }
  if (registration_.RegisterNewWindowsByKeywords(take)) overlays_.Refresh();
}

void App::FollowDisplays() {
  const std::vector<DisplayMonitor> present = desktop_.Monitors();
  std::vector<SlotLayout> before;
  for (const MonitorSlot& slot : state_.monitorSlots) before.push_back({slot.device, slot.monitorRect, slot.active, slot.dpi});
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
    slot.dpi = plan.slots[m].dpi;
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
  SyncHotkeys();
}

void App::GiveBackDetached(int monitor, const Rect& primary) {
  for (int n = 0; n < kLocationCount; ++n) {
    LocationSlot& at = state_.At(monitor, n);
    const WindowHandle window = at.cycle.Window();
    const std::vector<WindowHandle> hiddenWith = StillTheSameWindows(desktop_, at.cycle.HiddenWith());
    at.cycle.Release();
    // A window also held at a monitor still attached stays with it.
    if (window == kNoWindow || state_.IsRegistered(window)) continue;
    Placement p = GiveBackPlacement();
    Rect rect;
    desktop_.WindowRect(window, rect);
    if (IsUsableSavedRect(at.savedRect, state_.monitorSlots)) {
      const Placement saved = PlacementAt(SavedRectForNow(at, state_.monitorSlots));
      p.move = p.size = true;
      p.position = saved.position;
      p.width = saved.width;
      p.height = saved.height;
    } else {
      p.move = true;
      p.position = FitRectAroundPoint(primary, rect, {primary.left + static_cast<std::int32_t>(primary.Width() / 2),
                                                      primary.top + static_cast<std::int32_t>(primary.Height() / 2)});
    }
    desktop_.PlaceWindow(window, p);
    // What was hidden with it travels with it, where it was beside it.
    for (const WindowHandle owned : hiddenWith) {
      Rect ownedRect;
      if (!desktop_.WindowRect(owned, ownedRect)) continue;
      Placement q = GiveBackPlacement();
      q.move = true;
      q.position = {ownedRect.left + p.position.x - rect.left, ownedRect.top + p.position.y - rect.top};
      desktop_.PlaceWindow(owned, q);
    }
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
  const bool outerOpen = std::exchange(state_.trayMenuOpen, true);
  operations_.AtRest([&] { menu_.Track(menu, at); });
  state_.trayMenuOpen = outerOpen;
  openMenu_ = outer;
  if (menu.WindowsRead()) {
    lastOffered_ = menu.Offered();
  } else {
    lastOffered_.reset();
  }
  menuMonitorCount_.reset();
  overlays_.ShowMonitorNumberPopups(false);
}

void App::OnHotkey(int id) {
  operations_.Run([this, id] { PressHotkey(id); });
}

void App::PressHotkey(int id) {
  if (state_.ending || !hotkeys_.IsRegistered(id)) return;
  const HotkeyTarget target = HotkeyTargetOf(id);
  switch (target.kind) {
    case HotkeyTarget::Kind::Pause: commands_.TogglePause(); return;
    case HotkeyTarget::Kind::Menu:
      if (openMenu_ == nullptr) TrackTrayMenu();  // not a second one over the menu open now
      return;
    case HotkeyTarget::Kind::Location:
      if (state_.trayMenuOpen) return;  // the menu keeps the foreground
      // Also while paused, when no tick would end the cycle.
      if (ToggleByHotkey(state_, desktop_, showHide_, target.monitor, target.location) == HotkeyToggle::PutAway) {
        EndShowCycleWhenNothingShown();
      }
      return;
  }
}

void App::SyncHotkeys() {
  const std::vector<RefusedHotkey> refused = hotkeys_.Sync();
  if (!refused.empty()) {
    messages_.ShowErrorMessage(state_.mainWindow, RefusedHotkeysMessage(refused, state_.MonitorCount()));
  }
}

void App::EndShowCycleWhenNothingShown() {
  for (const MonitorSlot& slot : state_.monitorSlots) {
    for (const LocationSlot& other : slot.locations) {
      if (other.cycle.IsShown()) return;
    }
  }
  taskbar_.RestoreAfterShowCycle();
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
  // The guardian has nothing to give back once the system ends the process.
  journal_.SessionEnded();
  shell_.PostClose();
}

void App::OnWindowDestroyed(WindowHandle window) {
  registration_.WindowGone(window);
  operations_.Run([this, window] { registration_.ReleaseClosed(window); });
}

void App::OnGuardianEnded() {
  operations_.Run([this] {
    if (!state_.ending) guardian_.Ended();
  });
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

}  // namespace peekbar
