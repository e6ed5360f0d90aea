// The command sound through the multimedia command strings, under the
// alias cmd_sound; the end of a play comes to the main window as MM_MCINOTIFY.
#pragma once

#include "core/base/sound_player.h"
#include "win32/app/win32_shell.h"

namespace peekbar::win32 {

class Win32SoundPlayer final : public SoundPlayer {
 public:
  explicit Win32SoundPlayer(const Win32Shell& shell) : shell_(shell) {}

  bool Open(const std::u16string& path) override;
  void PlayFromStart() override;
  void Close() override;

 private:
  const Win32Shell& shell_;
};

}  // namespace peekbar::win32
