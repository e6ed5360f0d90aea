// Which hotkeys the program holds: those the settings ask for (PAUSE and
// MENU, and HOTKEY_n of every present monitor of the current profile),
// registered with the system whenever the profile, the monitors or a hotkey
// change. A combination that cannot be held is told once, after the start
// or the change that asked for it; the hotkey dialogs ask first, at OK, and
// stay open with the reason.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/base/dialogs.h"
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
// Asks the system whether it would give a combination, while a dialog is open.
inline constexpr int kTrialHotkeyId = 3;
inline constexpr int kFirstLocationHotkeyId = 16;  // + 16 x monitor + location
int LocationHotkeyId(int monitor, int location);
HotkeyTarget HotkeyTargetOf(int id);

// Why a combination asked for under an identifier cannot be held.
struct RefusedHotkey {
  enum class Reason : std::uint8_t {
    NeedsCtrlOrAlt,  // a key that types or edits, alone or with Shift only
    HeldByPeekbar,   // another of the program's keys is the same combination
    HeldElsewhere,   // the system refused it, as when another program holds it
  };
  int id = 0;
  Hotkey key = kNoHotkey;
  Reason reason = Reason::HeldElsewhere;
  int holder = 0;  // HeldByPeekbar: the identifier whose key it is
};

// Told after a start or a change: each key refused, where it is set and why.
std::u16string RefusedHotkeysMessage(const std::vector<RefusedHotkey>& refused, int monitorCount);
// Told over a hotkey dialog at OK: the key typed and why it cannot be taken.
std::u16string HotkeyObjectionText(const RefusedHotkey& refused, int monitorCount);

class HotkeyBindings {
 public:
  HotkeyBindings(const AppState& state, HotkeyRegistrar& registrar) : state_(state), registrar_(registrar) {}

  // Registers what the settings ask for now and lets go of the rest. Of two
  // identifiers asking for one combination the lower holds it, whatever
  // held it before, as at the next start. Returns what was refused, except
  // a key already refused under the same identifier and asked for ever
  // since (tried again, not told again). Does nothing while let go.
  std::vector<RefusedHotkey> Sync();
  // Whether the combination the identifier stands for is the program's now.
  bool IsRegistered(int id) const { return registered_.contains(id); }
  // Every key let go until Resume, as while the user types a new one into a
  // hotkey control, which the system would otherwise take for the hotkey.
  void ReleaseAll();
  // The next Sync takes the keys again.
  void Resume() { released_ = false; }
  // What the settings ask for, by identifier.
  std::map<int, Hotkey> Wanted() const;

  // Why a hotkey dialog's keys cannot be taken, the first refused, or
  // nothing when they can; asked at OK while every key is let go, so the
  // system is asked with a trial registration. A location's key is refused
  // when another location or PAUSE or MENU has its combination; of PAUSE
  // and MENU, the menu's when both are the same.
  std::optional<RefusedHotkey> CheckLocationKey(int id, Hotkey key);
  std::optional<RefusedHotkey> CheckGlobalKeys(const GlobalHotkeys& keys);

 private:
  // `key` for `id` beside the `others` the program asks for.
  std::optional<RefusedHotkey> Check(int id, Hotkey key, const std::map<int, Hotkey>& others);

  const AppState& state_;
  HotkeyRegistrar& registrar_;
  bool released_ = false;
  std::map<int, Hotkey> registered_;
  std::map<int, Hotkey> refused_;
};

}  // namespace peekbar
