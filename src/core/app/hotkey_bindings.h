// Which hotkeys the program holds: those the settings ask for (PAUSE and
// MENU, and HOTKEY_n of every present monitor of the current profile),
// registered with the system whenever the profile, the monitors or a hotkey
// change. A combination the system refuses is told once, after the start or
// the change that asked for it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/base/hotkeys.h"
#include "core/base/state.h"

namespace peekbar {

// What a registered hotkey stands for; identifiers of the program's choosing.
struct HotkeyTarget {
  enum class Kind : std::uint8_t { Pause, Menu, Location };
  Kind kind = Kind::Pause;
  int monitor = 0;
  int location = 0;
};
inline constexpr int kPauseHotkeyId = 1;
inline constexpr int kMenuHotkeyId = 2;
inline constexpr int kFirstLocationHotkeyId = 16;  // + 16 x monitor + location
int LocationHotkeyId(int monitor, int location);
HotkeyTarget HotkeyTargetOf(int id);

// A combination asked for under an identifier.
struct HotkeyBinding {
  int id = 0;
  Hotkey key = kNoHotkey;
};

// The user is told which keys could not be used and where each is set.
std::u16string RefusedHotkeysMessage(const std::vector<HotkeyBinding>& refused, int monitorCount);

class HotkeyBindings {
 public:
  HotkeyBindings(const AppState& state, HotkeyRegistrar& registrar) : state_(state), registrar_(registrar) {}

  // Registers what the settings ask for now and lets go of the rest.
  // Returns what the system refused, except a key already refused under the
  // same identifier and asked for ever since (tried again, not told again).
  std::vector<HotkeyBinding> Sync();
  // Whether the combination the identifier stands for is the program's now.
  bool IsRegistered(int id) const { return registered_.contains(id); }
  // Every key let go, as while the user types a new one into a hotkey
  // control, which the system would otherwise take for the hotkey; the next
  // Sync takes them again.
  void ReleaseAll();
  // What the settings ask for, by identifier.
  std::map<int, Hotkey> Wanted() const;

 private:
  const AppState& state_;
  HotkeyRegistrar& registrar_;
  std::map<int, Hotkey> registered_;
  std::map<int, Hotkey> refused_;
};

}  // namespace peekbar
