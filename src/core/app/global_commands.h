// The commands of the "コマンド" submenu and the sound that goes with them.
#pragma once

#include "core/base/desktop.h"
#include "core/base/shell.h"
#include "core/base/state.h"
#include "core/engine/overlay_hooks.h"
#include "core/engine/show_hide.h"
#include "core/registration/auto_register.h"
#include "core/settings/messages.h"
#include "core/tray/tray_icon.h"

namespace peekbar {

inline constexpr std::u16string_view kSoundOpenFailedMessage =
    u"コマンド実行時に鳴らす音声ファイルの読み込みに失敗しました。";

class GlobalCommands {
 public:
  GlobalCommands(AppState& state, Desktop& desktop, Shell& shell, UserMessages& messages, TrayIcon& tray,
                 AutoRegistration& registration, OverlayHooks& overlays)
      : state_(state), desktop_(desktop), shell_(shell), messages_(messages), tray_(tray),
        registration_(registration), overlays_(overlays) {}

  // Opens Command.mp3 beside the executable; a failure is always a box.
  void OpenCommandSound();
  void PlayCommandSound();

  void TogglePause();
  void ToggleShowAll();
  void UnregisterAll();
  void ApplyAllKeywords();

 private:
  AppState& state_;
  Desktop& desktop_;
  Shell& shell_;
  UserMessages& messages_;
  TrayIcon& tray_;
  AutoRegistration& registration_;
  OverlayHooks& overlays_;
};

}  // namespace peekbar
