// The program's decisions at start-up, in the main window's messages and at
// shut-down. The Windows program owns the real windows and hands each message
// here; everything done to the system goes through the ports.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/at_rest_dialogs.h"
#include "core/app/displays.h"
#include "core/app/global_commands.h"
#include "core/app/guardian.h"
#include "core/app/hotkey_bindings.h"
#include "core/base/desktop.h"
#include "core/base/dialogs.h"
#include "core/base/hotkeys.h"
#include "core/base/journal_store.h"
#include "core/base/operations.h"
#include "core/base/settings_store.h"
#include "core/base/shell.h"
#include "core/base/sound_player.h"
#include "core/base/state.h"
#include "core/engine/edge_watcher.h"
#include "core/engine/full_screen.h"
#include "core/engine/hotkey_toggle.h"
#include "core/engine/recovery_journal.h"
#include "core/engine/show_hide.h"
#include "core/engine/taskbar.h"
#include "core/overlays/guide_label_sheet.h"
#include "core/overlays/monitor_popups.h"
#include "core/overlays/overlay_view.h"
#include "core/overlays/overlays.h"
#include "core/registration/auto_register.h"
#include "core/registration/candidates.h"
#include "core/registration/registration_sheet.h"
#include "core/settings/messages.h"
#include "core/settings/options.h"
#include "core/settings/profiles.h"
#include "core/settings/settings_file.h"
#include "core/settings/startup_shortcut.h"
#include "core/tray/commands.h"
#include "core/tray/menu_model.h"
#include "core/tray/tray_icon.h"

namespace peekbar {

// Start-up failure texts.
inline constexpr std::u16string_view kMultipleStartupMessage =
    u"多重起動です。\n現在、多重起動禁止設定になっています。";
inline constexpr std::u16string_view kClassRegistrationFailedMessage =
    u"メインウィンドウのウィンドウクラスの登録に失敗しました。";
inline constexpr std::u16string_view kWindowCreationFailedMessage = u"メインウィンドウの作成に失敗しました。";
inline constexpr std::u16string_view kTrayIconFailedMessage = u"トレイアイコンの追加に失敗しました。";

// The keyword dialog's title names the location, and the monitor when
// there are several.
std::u16string KeywordDialogTitle(int monitor, int location, int monitorCount);

// The longest start-up delay, in seconds: what the delay dialog offers.
inline constexpr std::int64_t kLongestStartupDelaySeconds = 32767;
// The start-up delay in milliseconds from the first argument after the
// program name: a leading decimal number of seconds, at most the longest
// delay; text that is not one, or a negative number, is no delay.
std::uint32_t StartupDelayMilliseconds(std::u16string_view argument);

// Everything the program reaches the system through.
struct AppPorts {
  Desktop& desktop;
  Shell& shell;
  SoundPlayer& sound;
  SettingsStore& settingsStore;
  JournalStore& journalStore;
  Dialogs& dialogs;
  OverlayView& overlays;
  TrayMenuView& menu;
  RegistrationSheetView& registrationSheet;
  HotkeyRegistrar& hotkeys;
};

class App final : private SettingsEvents, private WindowRectListener, private TriggerReports {
 public:
  explicit App(const AppPorts& ports);

  AppState& State() { return state_; }
  SettingsFile& SettingsFiles() { return settingsFile_; }
  TrayIcon& Tray() { return tray_; }
  GlobalCommands& Commands() { return commands_; }
  AutoRegistration& Registration() { return registration_; }
  EdgeWatcher& Watcher() { return watcher_; }
  ShowHide& Showing() { return showHide_; }
  Taskbar& TaskbarHiding() { return taskbar_; }
  // What the trigger window reports, each run as an operation.
  TriggerReports& TriggerInput() { return *this; }
  const RecoveryJournal& Journal() const { return journal_; }
  const HotkeyBindings& Hotkeys() const { return hotkeys_; }

  // Start-up: the monitors attached now, the settings, the single-instance
  // decision, the taskbar, and what instances that ended without their
  // exit left hidden given back. Returns the refusal text when this
  // instance must not run.
  std::optional<std::u16string_view> PrepareStartup(bool anotherInstanceRunning);

  // Main window messages. Each runs as an operation: one that arrives while
  // another is under way (handed over while the program waits on another
  // program) runs once that one has finished.
  void OnCreate(WindowHandle mainWindow);
  void OnDestroy();
  // A tick that arrives while one waits to run adds nothing.
  void OnTimer();
  void OnTaskbarCreated();
  void OnTrayNotify(std::uintptr_t iconId, std::uint32_t mouseMessage);
  // A menu command, refused while a dialog is open when it would open
  // another one over it or select another profile under it.
  void OnCommand(std::uint16_t id);
  // A registered hotkey was pressed (WM_HOTKEY): pause, the menu, or a
  // location's window up or away. One let go meanwhile does nothing.
  void OnHotkey(int id);
  // Whether the program carries the action out; false for the menu items
  // still waiting for their dialog.
  static bool Handles(CommandAction action);
  // The session ends (log-off, shut-down, a restart for an update): at once,
  // even in the middle of another operation, everything is given back as at
  // exit and the program is marked as ending, so that nothing is hidden or
  // registered any more; then it closes. The journal stays until the exit.
  void OnEndSession(bool ending);
  // The guardian has ended: it is started again, at once or a minute after
  // its last start.
  void OnGuardianEnded();
  // The monitors changed (attached, detached, resized): followed on the
  // next tick, once for a burst of changes.
  void OnDisplayChange() { displaysChanged_ = true; }
  // A top-level window of another program was renamed: the locations
  // waiting for a window look at the next tick, once for a burst.
  void OnWindowsChanged() { windowsChanged_ = true; }
  // A top-level window of another program was shown (or, where the system
  // reports neither shows nor renames, made): as above, and the window
  // counts as come up anew even if it was on the screen at the last look
  // (hidden and shown again since).
  void OnWindowShown(WindowHandle window) {
    registration_.WindowShown(window);
    windowsChanged_ = true;
  }
  // A window was destroyed: when it was a registered one, a window shown
  // after it is for its location, and its locations let it go at once (as
  // an operation), before its handle can be given to another program's
  // window that a command would then hide or show.
  void OnWindowDestroyed(WindowHandle window);
  // The system reports no shows, renames or closings, only windows made:
  // the locations waiting for a window also look once a period, and one
  // whose window went takes what was made in the tick it went.
  void LookForWindowsWithoutEvents() {
    lookWithoutEvents_ = true;
    registration_.WindowsGoneUnreported();
  }
  // The command sound finished playing.
  void OnCommandSoundEnded();
  // An operation is under way and not at rest in a dialog or menu: the main
  // window must not go now.
  bool Busy() const { return operations_.Busy(); }

  // The popup menu at the pointer, built from the state as it is now.
  void ShowTrayMenu();

  // After the message loop: registered windows shown again and not topmost,
  // taskbar shown, tray icon removed, the journal deleted. Safe to run again.
  void Shutdown();

 private:
  void LabelFontLoaded() override { overlays_.LabelFontChanged(); }
  void ProfileLoaded() override;
  void TriggerSettingsSaving() override { overlays_.CloseTrigger(); }
  void MonitorPopSettingsSaving() override { overlays_.RebuildMonitorNumberPopups(); }
  void WindowRectTaken(int monitor, int location) override { settingsFile_.WriteWindowRect(monitor, location); }
  void TriggerPointerMoved(Point client) override;
  void TriggerClicked(Point client, bool rightButton) override;

  void TrackTrayMenu();
  void Tick();
  // Everything given back as at exit: windows, taskbar, the lock time-out.
  void GiveEverythingBack();

  // The rest of the main window's creation, once the tray icon is in.
  void FinishStartup();
  // The icon could not be added at creation: tried again until the limit.
  void RetryTrayIcon();
  // Each action's handler, from the table in app_commands.cpp.
  using Handler = void (*)(App& app, const Command& command);
  static constexpr std::optional<Handler> HandlerOf(CommandAction action);
  static constexpr bool EveryActionHandled();
  void CarryOut(std::uint16_t id);
  void SelectProfile(int profile);
  // Picks a location's guide colour with `owner` as the chooser's owner;
  // stores and saves it when confirmed.
  void ChooseGuideColor(WindowHandle owner, int monitor, int location);
  // The options sheet; what is confirmed there comes into effect at once.
  void ShowOptions();
  void ShowRegistrationSheet(int monitor);
  void EditLocationKeyword(int monitor, int location);
  // A candidate chosen in a location's submenu: the location emptied when
  // its item was marked and the window is still there, else the window
  // registered there unless it already is.
  void PickCandidate(const Command& command);
  // What the tray menu offered, by which its commands name windows and
  // know which were marked: the menu open now, else the last one. A menu
  // closed before it rested offered none, and no person chose from it: a
  // command sent all the same finds the windows and registrations as they
  // are then.
  const MenuOffer& OfferedCandidates();
  // Confirmed options come into effect: the watch timer is stopped, the
  // OPTION section written, the taskbar looked up afresh (or given back when
  // it is no longer to be hidden), positions are restored only together
  // with keeping them, and the timer starts again with the new period.
  void ApplyOptions();
  void ToggleTriggerSetting(std::int32_t& flag);
  void SetTrayIconColor(std::int32_t color);
  // The trigger window's size and opacity; saving closes the window, so the
  // next one is made with them.
  void EditTriggerSettings();
  // The monitors as they are now: a detached monitor's windows given back
  // where the user can reach them and its slot put to sleep, a monitor
  // attached again or anew given its keywords, the overlays made again.
  void FollowDisplays();
  void GiveBackDetached(int monitor, const Rect& primary);
  void PressHotkey(int id);
  // The hotkeys the settings ask for registered; the keys refused told.
  void SyncHotkeys();
  // The hotkey dialogs show only keys the program holds, and are typed
  // into with every hotkey let go; a key that cannot be taken is told at OK
  // over the dialog, which stays open.
  void EditLocationHotkey(int monitor, int location);
  void EditGlobalHotkeys();
  std::optional<HotkeyObjection> HotkeyObjectionTo(const std::optional<RefusedHotkey>& refused) const;
  // Keywords catch the windows that came or changed since the last look.
  void RegisterNewWindows();
  // The settings files read since the last word that could not be
  // converted, told once.
  void TellUnconvertedSettings();
  // Where the journal is kept now, when the user has not heard it yet.
  void TellJournalNotice();
  // The taskbar and the foreground lock time-out back once no window is up.
  void EndShowCycleWhenNothingShown();

  Operations operations_;
  Desktop& desktop_;
  Shell& shell_;
  AtRestDialogs dialogs_;
  TrayMenuView& menu_;
  RegistrationSheetView& registrationSheet_;
  AppState state_;
  // Since when the tray icon is being tried again; empty once it is in.
  std::optional<std::uint32_t> iconRetrySince_;
  bool displaysChanged_ = false;
  bool windowsChanged_ = false;
  bool lookWithoutEvents_ = false;
  std::uint32_t lookedAt_ = 0;
  bool tickWaiting_ = false;
  // While the tray menu is open: the monitor count its identifiers were made for.
  std::optional<int> menuMonitorCount_;
  TrayMenu* openMenu_ = nullptr;
  std::optional<MenuOffer> lastOffered_;
  RecoveryJournal journal_;
  GuardianKeeper guardian_;
  UserMessages messages_;
  SettingsFile settingsFile_;
  TrayIcon tray_;
  Taskbar taskbar_;
  FullScreenRule fullScreen_;
  ShowHide showHide_;
  Overlays overlays_;
  AutoRegistration registration_;
  EdgeWatcher watcher_;
  GlobalCommands commands_;
  Profiles profiles_;
  StartupShortcut startupShortcut_;
  MonitorPopups monitorPopups_;
  GuideLabelSheet guideLabelSheet_;
  HotkeyBindings hotkeys_;
};

}  // namespace peekbar
