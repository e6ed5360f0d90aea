// Keys that reach the program wherever the focus is: a combination as a
// hotkey control holds it, its name for the user, and the port that asks the
// system for it.
#pragma once

#include <cstdint>
#include <string>

namespace peekbar {

// A combination as a hotkey control reports it (HKM_GETHOTKEY) and the
// settings files keep it: the virtual key in the low byte, the modifiers in
// the high one; 0 is none.
using Hotkey = std::uint16_t;
inline constexpr Hotkey kNoHotkey = 0;
inline constexpr Hotkey kHotkeyShift = 0x100;     // HOTKEYF_SHIFT
inline constexpr Hotkey kHotkeyControl = 0x200;   // HOTKEYF_CONTROL
inline constexpr Hotkey kHotkeyAlt = 0x400;       // HOTKEYF_ALT
inline constexpr Hotkey kHotkeyExtended = 0x800;  // HOTKEYF_EXT: the key's extended twin (cursor block, ...)
// What a settings file may hold; any other number is none.
inline constexpr std::int32_t kLargestHotkey = 0x0FFF;

constexpr std::uint8_t HotkeyVirtualKey(Hotkey key) { return static_cast<std::uint8_t>(key & 0xFF); }
// A combination worth registering: one with a key; modifiers alone are none.
constexpr bool IsHotkey(Hotkey key) { return HotkeyVirtualKey(key) != 0; }

// Whether a key may be a hotkey without Ctrl or Alt: one that neither types
// nor edits nor moves the caret (F1 to F24, Pause, Scroll Lock, Print
// Screen, the browser, volume, media and launch keys). Any other key held
// system-wide without them would be lost to typing in every program; Shift
// alone does not help (Shift+A types "A", Shift+← selects).
constexpr bool KeyMayStandAlone(std::uint8_t vk) {
  return (vk >= 0x70 && vk <= 0x87) || vk == 0x13 || vk == 0x91 || vk == 0x2C || (vk >= 0xA6 && vk <= 0xB7);
}
constexpr bool NeedsCtrlOrAlt(Hotkey key) {
  return IsHotkey(key) && !KeyMayStandAlone(HotkeyVirtualKey(key)) && (key & (kHotkeyControl | kHotkeyAlt)) == 0;
}
// The system knows a combination by its virtual key and modifiers: a key
// and its extended twin (← of the cursor block and of the number pad) are
// one combination to it, though the control and the files tell them apart.
constexpr bool SameCombination(Hotkey a, Hotkey b) {
  return (a & ~kHotkeyExtended) == (b & ~kHotkeyExtended);
}

// The combination as the user reads it, e.g. "Ctrl+Alt+P".
std::u16string HotkeyText(Hotkey key);

// Registering combinations with the system for the main window. Each has an
// identifier of the program's choosing that comes back when it is pressed.
class HotkeyRegistrar {
 public:
  HotkeyRegistrar() = default;
  HotkeyRegistrar(const HotkeyRegistrar&) = delete;
  HotkeyRegistrar& operator=(const HotkeyRegistrar&) = delete;
  virtual ~HotkeyRegistrar() = default;

  // False when the system refuses it, as when another program holds it.
  virtual bool Register(int id, Hotkey key) = 0;
  virtual void Unregister(int id) = 0;
};

}  // namespace peekbar
