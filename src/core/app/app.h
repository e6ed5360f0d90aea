// The program's decisions at start-up, in the main window's messages and at
// shut-down. The Windows program owns the real windows and hands each message
// here; everything done to the system goes through the ports.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/tray/commands.h"
#include "core/base/desktop.h"
#include "core/base/journal_store.h"
#include "core/engine/recovery_journal.h"
#include "core/base/shell.h"
#include "core/base/state.h"
#include "core/engine/edge_watcher.h"
#include "core/engine/show_hide.h"
#include "core/engine/taskbar.h"
#include "core/overlays/monitor_popups.h"
#include "core/engine/overlay_hooks.h"
#include "core/registration/auto_register.h"
#include "core/registration/candidates.h"
#include "core/registration/registration_sheet.h"
#include "core/app/global_commands.h"
#include "core/settings/messages.h"
#include "core/settings/options.h"
#include "core/settings/settings_file.h"
#include "core/base/settings_store.h"
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
inline constexpr std::u16string_view kMainWindowTitle = u"Peekbar";

// The keyword dialog's title names the location, and the monitor when
// there are several.
std::u16string KeywordDialogTitle(int monitor, int location, int monitorCount);

// The start-up delay in seconds from the first argument after the program
// name: a leading decimal number; text that is not one, or a negative
// number, is no delay.
std::uint32_t StartupDelaySeconds(std::u16string_view argument);

// The windows the Windows side keeps for the core: the popup menu, the
// dialogs and the overlays.
class AppWindows : public OverlayHooks {
 public:
  // Shows the menu at the point. The chosen command has been carried out
  // when this returns.
  virtual void TrackTrayMenu(const MenuItem& menu, Point at) = 0;
  virtual void ShowMonitorNumberPopups(bool show) = 0;
  virtual void RebuildMonitorNumberPopups() = 0;
  virtual void CreateGuideWindows() = 0;
  virtual void CloseGuideWindows() = 0;
  // The keyword dialog: edits the keyword and its kind in place and
  // returns true when confirmed with OK.
  virtual bool RunKeywordDialog(std::u16string_view title, FixedText<kKeywordUnits>& keyword,
                                std::int32_t& isRegex) = 0;
  // The profile name dialog: edits the name in place; true after OK.
  virtual bool EditProfileName(FixedText<kTitleUnits>& name) = 0;
  // Asks for the start-up delay of the Startup shortcut in seconds; true after OK.
  virtual bool AskStartupDelay(int& seconds) = 0;
  // The monitor-number transparency dialog: true after OK, with what was entered.
  virtual bool AskMonitorPopAlpha(std::int32_t& alpha) = 0;
  // The system font chooser, screen fonts; edits the font in place, true after OK.
  virtual bool PickFont(FontRecord& font) = 0;
  // The system colour chooser owned by `owner`; nothing when cancelled.
  virtual std::optional<Color> PickColor(WindowHandle owner, Color initial) = 0;
  // The monitor's guide bar repaints (its colours or labels changed).
  virtual void InvalidateGuide(int monitor) = 0;
  // The options sheet: edits the OPTION settings of the copy in place; true after OK.
  virtual bool ShowOptionsSheet(Settings& options) = 0;
  // The registration sheet of one monitor, modal; returns when it is closed.
  virtual void RunRegistrationSheet(RegistrationSheet& sheet) = 0;
  // The guides' label fonts made anew from the LABEL font record.
  virtual void RebuildLabelFonts() = 0;
  // Every guide takes GUIDE_ALPHA again and repaints.
  virtual void RefreshGuideWindows() = 0;
  virtual void HideGuideWindows() = 0;
};

class App final : private SettingsEvents, private WindowRectListener {
 public:
  App(Desktop& desktop, Shell& shell, SettingsStore& store, JournalStore& journalStore, AppWindows& windows);

  AppState& State() { return state_; }
  SettingsFile& SettingsFiles() { return settingsFile_; }
  TrayIcon& Tray() { return tray_; }
  GlobalCommands& Commands() { return commands_; }
  AutoRegistration& Registration() { return registration_; }
  EdgeWatcher& Watcher() { return watcher_; }
  ShowHide& Showing() { return showHide_; }
  const RecoveryJournal& Journal() const { return journal_; }

  // Start-up, after the monitors are known: settings, the single-instance
  // decision, the taskbar, and what instances that ended without their
  // exit left hidden given back. Returns the refusal text when this
  // instance must not run.
  std::optional<std::u16string_view> PrepareStartup(bool anotherInstanceRunning);

  // Main window messages.
  void OnCreate(WindowHandle mainWindow);
  void OnDestroy();
  void OnTimer();
  void OnTaskbarCreated();
  void OnTrayNotify(std::uintptr_t iconId, std::uint32_t mouseMessage);
  // A menu command, refused while a dialog is open when it would open
  // another one over it.
  void OnCommand(std::uint16_t id);
  // Whether the program carries the action out; false for the menu items
  // still waiting for their dialog.
  static bool Handles(CommandAction action);
  // The session ends (log-off, shut-down, a restart for an update):
  // everything is given back at once, as at exit, and the program closes.
  void OnEndSession(bool ending);

  // The popup menu at the pointer, built from the state as it is now.
  void ShowTrayMenu();
  void SelectProfile(int profile);
  void ChooseGuideColor(WindowHandle owner, int monitor, int location);
  void RenameProfile();
  void SetMonitorPopAlpha();
  void ChooseMonitorPopFont();
  void ToggleStartupShortcut();
  // The options sheet; what is confirmed there comes into effect at once.
  void ShowOptions();
  void ShowRegistrationSheet(int monitor);

  // After the message loop: registered windows shown again and not topmost,
  // taskbar shown, the foreground lock time-out put back, tray icon
  // removed, the journal deleted. Safe to run again.
  void Shutdown();

 private:
  void LabelFontLoaded() override { windows_.RebuildLabelFonts(); }
  void ProfileLoaded() override;
  void TriggerSettingsSaving() override { windows_.CloseTriggerWindowAndTip(); }
  void MonitorPopSettingsSaving() override { windows_.RebuildMonitorNumberPopups(); }
  void WindowRectTaken(int monitor, int location, const Rect& rect) override {
    settingsFile_.WriteWindowRect(monitor, location, rect);
  }

  // The rest of the main window's creation, once the tray icon is in.
  void FinishStartup();
  // The icon could not be added at creation: tried again until the limit.
  void RetryTrayIcon();
  // Each action's handler, from the table in app.cpp.
  using Handler = void (*)(App& app, const Command& command);
  static constexpr Handler HandlerOf(CommandAction action);
  // The menu items whose dialogs the program does not have yet.
  static constexpr std::array kPendingActions = {CommandAction::About, CommandAction::GuideLabelSettings,
                                                 CommandAction::TriggerSettings};
  static constexpr bool EveryActionHandled();
  void EditLocationKeyword(int monitor, int location);
  // A candidate chosen in a location's submenu: registered there, or the
  // location emptied when it was the marked one.
  void PickCandidate(const Command& command);
  // Confirmed options come into effect: the watch timer is stopped, the
  // OPTION section written, the taskbar looked up afresh (or given back when
  // it is no longer to be hidden), positions are restored only together
  // with keeping them, and the timer starts again with the new period.
  void ApplyOptions();
  void ToggleTriggerSetting(std::int32_t& flag);
  void SetTrayIconColor(std::int32_t color);
  void SetMonitorPopPosition(std::int32_t show);
  bool AnyGuideWanted() const;
  std::u16string StartupShortcutPath();
  bool StartupShortcutExists();

  Desktop& desktop_;
  Shell& shell_;
  AppWindows& windows_;
  AppState state_;
  // Since when the tray icon is being tried again; empty once it is in.
  std::optional<std::uint32_t> iconRetrySince_;
  RecoveryJournal journal_;
  UserMessages messages_;
  SettingsFile settingsFile_;
  TrayIcon tray_;
  Taskbar taskbar_;
  ShowHide showHide_;
  AutoRegistration registration_;
  EdgeWatcher watcher_;
  GlobalCommands commands_;
};

}  // namespace peekbar
