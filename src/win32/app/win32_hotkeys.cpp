#include "win32/app/win32_hotkeys.h"

#include <commctrl.h>

namespace peekbar::win32 {
namespace {

// The hotkey control's modifier bits and RegisterHotKey's differ in order.
UINT Modifiers(Hotkey key) {
  const UINT flags = key >> 8;
  UINT modifiers = MOD_NOREPEAT;  // a key held down toggles once, not at every repeat
  if ((flags & HOTKEYF_SHIFT) != 0) modifiers |= MOD_SHIFT;
  if ((flags & HOTKEYF_CONTROL) != 0) modifiers |= MOD_CONTROL;
  if ((flags & HOTKEYF_ALT) != 0) modifiers |= MOD_ALT;
  return modifiers;
}

}  // namespace

bool Win32Hotkeys::Register(int id, Hotkey key) {
  return RegisterHotKey(shell_.MainWindow(), id, Modifiers(key), HotkeyVirtualKey(key)) != FALSE;
}

void Win32Hotkeys::Unregister(int id) { UnregisterHotKey(shell_.MainWindow(), id); }

}  // namespace peekbar::win32
