#include "app/app.h"

namespace peekbar {

std::uint32_t StartupDelaySeconds(std::u16string_view argument) {
  const std::int32_t seconds = ParseLeadingInt(argument);
  return seconds > 0 ? static_cast<std::uint32_t>(seconds) : 0;
}

App::App(Desktop& desktop, Shell& shell, SettingsStore& store, AppWindows& windows)
    : desktop_(desktop),
      shell_(shell),
      windows_(windows),
      messages_(shell, state_.settings),
      settingsFile_(state_, store, shell, desktop, messages_, *this),
      tray_(state_, shell),
      taskbar_(state_, desktop),
      watcher_(state_, desktop, taskbar_) {}

std::optional<std::u16string_view> App::PrepareStartup(bool anotherInstanceRunning) {
  settingsFile_.LoadSettings();
  if (state_.settings.multipleStartup != 0 && anotherInstanceRunning) return kMultipleStartupMessage;
  taskbar_.FindTaskbarWindows();
  return std::nullopt;
}

void App::OnCreate(WindowHandle mainWindow) {
  state_.mainWindow = mainWindow;
  state_.windowList.reserve(256);
  if (!tray_.AddTrayIcon(kMainWindowTitle)) {
    shell_.ShowMessageBox(mainWindow, kTrayIconFailedMessage, MessageIcon::Error);
    shell_.PostClose();
    return;
  }
  tray_.UpdateTrayTip();
  shell_.StartTimer(static_cast<std::uint32_t>(state_.settings.timerInterval));
}

void App::OnDestroy() {
  state_.windowList.clear();
  state_.windowList.shrink_to_fit();
}

void App::OnTimer() {
  if (!state_.paused) watcher_.EdgeTick();
}

void App::OnTaskbarCreated() {
  if (!tray_.AddTrayIcon(kMainWindowTitle)) return;
  if (state_.showAllActive) {
    tray_.SetTrayIconState(TrayIconState::ShowingAll);
  } else if (state_.paused) {
    tray_.SetTrayIconState(TrayIconState::Paused);
  }
  tray_.UpdateTrayTip();
}

void App::OnTrayNotify(std::uintptr_t iconId, std::uint32_t mouseMessage) {
  switch (DecodeTrayNotify(iconId, mouseMessage, state_.settings.trayOperationReverse)) {
    case TrayRequest::ForegroundMainWindow:
      desktop_.SetForegroundWindow(state_.mainWindow);
      break;
    case TrayRequest::ShowMenu:
      windows_.ShowTrayMenu();
      break;
    case TrayRequest::ApplyAllKeywords:
    case TrayRequest::ToggleShowAll:
    case TrayRequest::None:
      break;
  }
}

bool App::BlockedWhileModal(const Command& command) const {
  using namespace command_id;
  if (command.kind == CommandKind::RegistrationSheet) return true;
  if (command.kind != CommandKind::Fixed) return false;
  switch (command.id) {
    case kAbout: case kOptions: case kGuideLabelSettings: case kStartupShortcut:
    case kTriggerSettings: case kProfileRename:
      return true;
    default:
      return false;
  }
}

void App::OnCommand(std::uint16_t id) {
  const Command command = DecodeCommand(id, state_.MonitorCount());
  if (state_.modalBusy && BlockedWhileModal(command)) return;
  if (command.kind == CommandKind::Fixed) RunFixedCommand(command.id);
}

void App::RunFixedCommand(std::uint16_t id) {
  using namespace command_id;
  Settings& s = state_.settings;
  switch (id) {
    case kExit: shell_.PostClose(); break;
    case kTriggerEnable: ToggleTriggerSetting(s.triggerEnabled); break;
    case kTriggerCtrl: ToggleTriggerSetting(s.triggerCtrl); break;
    case kTriggerShift: ToggleTriggerSetting(s.triggerShift); break;
    case kTriggerAlt: ToggleTriggerSetting(s.triggerAlt); break;
    case kTrayColorNormal: case kTrayColorWhite: case kTrayColorBlack:
      SetTrayIconColor(id - kTrayColorNormal);
      break;
    default: break;
  }
}

void App::ToggleTriggerSetting(std::int32_t& flag) {
  flag = flag != 0 ? 0 : 1;
  settingsFile_.SaveTriggerSettings(state_.mainWindow);
}

void App::SetTrayIconColor(std::int32_t color) {
  state_.settings.trayIconColor = color;
  tray_.SetTrayIconState(CurrentTrayIconState(state_));
  settingsFile_.SaveTrayIconColor(state_.mainWindow);
}

void App::ProfileLoaded() { tray_.UpdateTrayTip(); }

void App::ReleaseAllWindows() {
  Placement release;
  release.zOrder = ZOrder::NotTopmost;
  release.show = true;
  release.async = true;
  for (const MonitorSlot& slot : state_.monitorSlots) {
    for (WindowHandle window : slot.window) {
      if (window != kNoWindow) desktop_.PlaceWindow(window, release);
    }
  }
}

void App::Shutdown() {
  ReleaseAllWindows();
  taskbar_.ShowTaskbar();
  tray_.Remove();
}

}  // namespace peekbar
