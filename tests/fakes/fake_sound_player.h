// The command sound for the core's tests: every call recorded in order, and
// a switch for a file that cannot be played.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/base/sound_player.h"
#include "core/base/text.h"

namespace peekbar {

class FakeSoundPlayer final : public SoundPlayer {
 public:
  // ---- Setting the scene ----
  void SetOpenFails(bool fails) { openFails_ = fails; }
  // Runs as each play starts: lets a test look at the rest of the system then.
  void OnPlay(std::function<void()> action) { onPlay_ = std::move(action); }

  // ---- What the core did: "Open <path>", "Play", "Close" ----
  const std::vector<std::string>& Log() const { return log_; }

  bool Open(const std::u16string& path) override {
    log_.push_back("Open " + Utf8FromUtf16(path));
    return !openFails_;
  }
  void PlayFromStart() override {
    log_.push_back("Play");
    if (onPlay_) onPlay_();
  }
  void Close() override { log_.push_back("Close"); }

 private:
  bool openFails_ = false;
  std::function<void()> onPlay_;
  std::vector<std::string> log_;
};

}  // namespace peekbar
