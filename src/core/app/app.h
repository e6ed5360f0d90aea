// The program's decisions at start-up, in the main window's messages and at
// shut-down. The Windows program owns the real window and hands each message
// here; everything it does to the system goes through the ports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/commands.h"
#include "app/desktop.h"
#include "app/shell.h"
#include "app/state.h"
#include "engine/edge_watcher.h"
#include "engine/taskbar.h"
#include "settings/messages.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "tray/tray_icon.h"

namespace peekbar {

// Start-up failure texts.
inline constexpr std::u16string_view kMultipleStartupMessage =
    u"多重起動です。\n現在、多重起動禁止設定になっています。";
inline constexpr std::u16string_view kClassRegistrationFailedMessage =
    u"メインウィンドウのウィンドウクラスの登録に失敗しました。";
inline constexpr std::u16string_view kWindowCreationFailedMessage = u"メインウィンドウの作成に失敗しました。";
inline constexpr std::u16string_view kTrayIconFailedMessage = u"トレイアイコンの追加に失敗しました。";
inline constexpr std::u16string_view kMainWindowTitle = u"Peekbar";

// The start-up delay in seconds from the first argument after the program
// name: a leading decimal number; text that is not one, or a negative
// number, is no delay.
std::uint32_t StartupDelaySeconds(std::u16string_view argument);

// What the Windows side does for the core that has no portable form: the
// popup menu and the overlay windows.
class AppWindows {
 public:
  virtual ~AppWindows() = default;
  virtual void ShowTrayMenu() = 0;
};

class App final : private SettingsEvents {
 public:
  App(Desktop& desktop, Shell& shell, SettingsStore& store, AppWindows& windows);

  AppState& State() { return state_; }
  SettingsFile& SettingsFiles() { return settingsFile_; }
  TrayIcon& Tray() { return tray_; }

  // Start-up, after the monitors are known: settings, the single-instance
  // decision and the taskbar. Returns the refusal text when this instance
  // must not run.
  std::optional<std::u16string_view> PrepareStartup(bool anotherInstanceRunning);

  // Main window messages.
  void OnCreate(WindowHandle mainWindow);
  void OnDestroy();
  void OnTimer();
  void OnTaskbarCreated();
  void OnTrayNotify(std::uintptr_t iconId, std::uint32_t mouseMessage);
  void OnCommand(std::uint16_t id);

  // After the message loop: registered windows shown again and not topmost,
  // taskbar shown, tray icon removed.
  void Shutdown();

 private:
  void LabelFontLoaded() override {}
  void ProfileLoaded() override;
  void TriggerSettingsSaving() override {}
  void MonitorPopSettingsSaving() override {}

  bool BlockedWhileModal(const Command& command) const;
  void RunFixedCommand(std::uint16_t id);
  void ToggleTriggerSetting(std::int32_t& flag);
  void SetTrayIconColor(std::int32_t color);
  void ReleaseAllWindows();

  Desktop& desktop_;
  Shell& shell_;
  AppWindows& windows_;
  AppState state_;
  UserMessages messages_;
  SettingsFile settingsFile_;
  TrayIcon tray_;
  Taskbar taskbar_;
  EdgeWatcher watcher_;
};

}  // namespace peekbar
