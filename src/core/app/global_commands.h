// The commands of the "コマンド" submenu and the sound that goes with them.
#pragma once

#include "core/base/desktop.h"
#include "core/base/shell.h"
#include "core/base/sound_player.h"
#include "core/base/state.h"
#include "core/engine/show_hide.h"
#include "core/overlays/overlays.h"
#include "core/registration/auto_register.h"
#include "core/settings/messages.h"
#include "core/tray/tray_icon.h"

namespace peekbar {

inline constexpr std::u16string_view kSoundOpenFailedMessage =
    u"コマンド実行時に鳴らす音声ファイルの読み込みに失敗しました。";

class GlobalCommands {
 public:
  GlobalCommands(AppState& state, Desktop& desktop, Shell& shell, SoundPlayer& sound, UserMessages& messages,
                 TrayIcon& tray, ShowHide& showHide, AutoRegistration& registration, Overlays& overlays)
      : state_(state), desktop_(desktop), shell_(shell), sound_(sound), messages_(messages), tray_(tray),
        showHide_(showHide), registration_(registration), overlays_(overlays) {}

  // Tries Command.mp3 beside the executable once at start-up; a failure is
  // always a box. The sound is open only while it plays: an open device
  // keeps the system's audio threads running for nothing.
  void OpenCommandSound();
  void PlayCommandSound();
  // The play told its end (completed or failed; not stopped for another).
  void CommandSoundEnded();

  void TogglePause();
  void ToggleShowAll();
  void UnregisterAll();
  void ApplyAllKeywords();

 private:
  AppState& state_;
  Desktop& desktop_;
  Shell& shell_;
  SoundPlayer& sound_;
  UserMessages& messages_;
  TrayIcon& tray_;
  ShowHide& showHide_;
  AutoRegistration& registration_;
  Overlays& overlays_;
  bool soundOpen_ = false;

  bool OpenSound();
  void CloseSound();
};

}  // namespace peekbar
