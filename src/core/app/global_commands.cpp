#include "core/app/global_commands.h"

namespace peekbar {

bool GlobalCommands::OpenSound() {
  if (!soundOpen_) soundOpen_ = sound_.Open(state_.profiles.executableDirectory + u"Command.mp3");
  return soundOpen_;
}

void GlobalCommands::CloseSound() {
  if (!soundOpen_) return;
  sound_.Close();
  soundOpen_ = false;
}

void GlobalCommands::OpenCommandSound() {
  if (!OpenSound()) {
    messages_.ShowMessageBox(state_.mainWindow, kSoundOpenFailedMessage, MessageIcon::Error);
    return;
  }
  CloseSound();
}

void GlobalCommands::PlayCommandSound() {
  if (state_.settings.soundOnCommand == 0 || !OpenSound()) return;  // reported at start-up
  // The end of the play closes the device (CommandSoundEnded).
  sound_.PlayFromStart();
}

void GlobalCommands::CommandSoundEnded() { CloseSound(); }

void GlobalCommands::TogglePause() {
  state_.paused = !state_.paused;
  if (state_.paused) overlays_.CloseTrigger();
  if (!state_.showAllActive) tray_.SetTrayIconState(state_.paused ? TrayIconState::Paused : TrayIconState::Running);
  PlayCommandSound();
}

void GlobalCommands::ToggleShowAll() {
  const std::uint32_t now = desktop_.TickCount();
  state_.showAllActive = !state_.showAllActive;
  PlayCommandSound();
  if (state_.showAllActive) {
    shell_.StopTimer();
    overlays_.CloseTrigger();
    tray_.SetTrayIconState(TrayIconState::ShowingAll);
    // Every one here, also one its program left up on another desktop.
    for (const MonitorSlot& slot : state_.monitorSlots) {
      for (const LocationSlot& at : slot.locations) {
        const WindowHandle window = at.cycle.Window();
        if (window != kNoWindow && IsUpElsewhere(desktop_, window)) {
          ShowWindowSafely(desktop_, window, ShowCommand::Hide);
        }
      }
    }
    ShowEveryRegisteredWindow(state_, desktop_);
    messages_.ShowInfoMessage(state_.mainWindow,
                              u"一時的に、登録してあるウィンドウを全て表示します。\n"
                              u"「一時全箇所表示」をもう一度選択すると一時全箇所表示を解除します。");
    return;
  }
  tray_.SetTrayIconState(state_.paused ? TrayIconState::Paused : TrayIconState::Running);
  showHide_.HideEveryRegisteredWindow(now);
  shell_.StartTimer(static_cast<std::uint32_t>(state_.settings.timerInterval));
  messages_.ShowInfoMessage(state_.mainWindow, u"一時全箇所表示を解除しました。");
}

void GlobalCommands::UnregisterAll() {
  registration_.UnregisterAll();
  PlayCommandSound();
  messages_.ShowInfoMessage(state_.mainWindow, state_.MonitorCount() > 1
                                                   ? u"全モニターの全箇所のウィンドウの登録を解除しました。"
                                                   : u"全箇所のウィンドウの登録を解除しました。");
}

void GlobalCommands::ApplyAllKeywords() {
  registration_.RegisterAllByKeywords();
  PlayCommandSound();
  messages_.ShowInfoMessage(state_.mainWindow, state_.MonitorCount() > 1
                                                   ? u"全モニターの全箇所のキーワードを適用しました。"
                                                   : u"全箇所のキーワードを適用しました。");
}

}  // namespace peekbar
