// The command sound's player: one sound file, opened, played from its start
// and closed again. The Windows side tells the end of a play to
// App::OnCommandSoundEnded.
#pragma once

#include <string>

namespace peekbar {

class SoundPlayer {
 public:
  SoundPlayer() = default;
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;
  virtual ~SoundPlayer() = default;

  // Opens the file at full volume; false when it cannot be played.
  virtual bool Open(const std::u16string& path) = 0;
  // Plays the open sound from its start, cutting short a play under way
  // (whose end is then not told); the end of this play is told.
  virtual void PlayFromStart() = 0;
  virtual void Close() = 0;
};

}  // namespace peekbar
