#include "win32/app/win32_dialogs.h"

#include <commctrl.h>

#include "resource.h"
#include "win32/app/modal_dialog.h"

namespace peekbar::win32 {
namespace {

void SetHotkey(HWND dialog, int control, Hotkey key) {
  SendDlgItemMessageW(dialog, control, HKM_SETHOTKEY, key, 0);
}

Hotkey TakeHotkey(HWND dialog, int control) {
  return static_cast<Hotkey>(LOWORD(SendDlgItemMessageW(dialog, control, HKM_GETHOTKEY, 0, 0)));
}

}  // namespace

// A location's hotkey.
std::optional<Hotkey> Win32Dialogs::AskHotkey(Hotkey current) {
  Hotkey key = current;
  const auto fill = [&](HWND dialog) { SetHotkey(dialog, IDC_HOTKEY, key); };
  const auto take = [&](HWND dialog) { key = TakeHotkey(dialog, IDC_HOTKEY); };
  if (!RunModalDialog(Instance(), Owner(), IDD_HOTKEY, fill, take)) return std::nullopt;
  return key;
}

// The hotkeys of pause and of the menu.
std::optional<GlobalHotkeys> Win32Dialogs::AskGlobalHotkeys(const GlobalHotkeys& current) {
  GlobalHotkeys keys = current;
  const auto fill = [&](HWND dialog) {
    SetHotkey(dialog, IDC_HOTKEY_PAUSE, keys.pause);
    SetHotkey(dialog, IDC_HOTKEY_MENU, keys.menu);
  };
  const auto take = [&](HWND dialog) {
    keys.pause = TakeHotkey(dialog, IDC_HOTKEY_PAUSE);
    keys.menu = TakeHotkey(dialog, IDC_HOTKEY_MENU);
  };
  if (!RunModalDialog(Instance(), Owner(), IDD_GLOBAL_HOTKEYS, fill, take)) return std::nullopt;
  return keys;
}

}  // namespace peekbar::win32
