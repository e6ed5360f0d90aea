#include "win32/app/win32_dialogs.h"

#include <commctrl.h>

#include "resource.h"
#include "win32/app/modal_dialog.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

// The control applies its rules to the key being pressed, and a rule holds
// for every key: before each key comes down, the rules are set for that key.
// A key that types or edits, alone or with Shift only, is given Ctrl+Alt.
LRESULT CALLBACK HotkeyRulesProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    const bool alone = KeyMayStandAlone(static_cast<std::uint8_t>(wParam));
    DefSubclassProc(control, HKM_SETRULES, alone ? 0 : HKCOMB_NONE | HKCOMB_S,
                    MAKELPARAM(alone ? 0 : HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, &HotkeyRulesProc, 0);
  return DefSubclassProc(control, message, wParam, lParam);
}

void SetHotkey(HWND dialog, int control, Hotkey key) {
  SendDlgItemMessageW(dialog, control, HKM_SETHOTKEY, key, 0);
  SetWindowSubclass(GetDlgItem(dialog, control), &HotkeyRulesProc, 0, 0);
}

Hotkey TakeHotkey(HWND dialog, int control) {
  return static_cast<Hotkey>(LOWORD(SendDlgItemMessageW(dialog, control, HKM_GETHOTKEY, 0, 0)));
}

// The objection is told over the dialog, which stays open with the key to
// fix in focus.
bool Accepted(HWND dialog, const std::optional<HotkeyObjection>& objection) {
  if (!objection) return true;
  MessageBoxW(dialog, WideString(objection->text).c_str(), L"Peekbar", MB_OK | MB_ICONWARNING);
  int control = IDC_HOTKEY;
  if (objection->field == HotkeyObjection::Field::Pause) control = IDC_HOTKEY_PAUSE;
  if (objection->field == HotkeyObjection::Field::Menu) control = IDC_HOTKEY_MENU;
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, control)), TRUE);
  return false;
}

}  // namespace

// A location's hotkey.
std::optional<Hotkey> Win32Dialogs::AskHotkey(Hotkey current, const LocationHotkeyCheck& check) {
  Hotkey key = current;
  const auto fill = [&](HWND dialog) { SetHotkey(dialog, IDC_HOTKEY, key); };
  const auto take = [&](HWND dialog) { key = TakeHotkey(dialog, IDC_HOTKEY); };
  const auto accept = [&](HWND dialog) { return Accepted(dialog, check(key)); };
  if (!RunModalDialog(Instance(), Owner(), IDD_HOTKEY, fill, take, accept)) return std::nullopt;
  return key;
}

// The hotkeys of pause and of the menu.
std::optional<GlobalHotkeys> Win32Dialogs::AskGlobalHotkeys(const GlobalHotkeys& current,
                                                            const GlobalHotkeysCheck& check) {
  GlobalHotkeys keys = current;
  const auto fill = [&](HWND dialog) {
    SetHotkey(dialog, IDC_HOTKEY_PAUSE, keys.pause);
    SetHotkey(dialog, IDC_HOTKEY_MENU, keys.menu);
  };
  const auto take = [&](HWND dialog) {
    keys.pause = TakeHotkey(dialog, IDC_HOTKEY_PAUSE);
    keys.menu = TakeHotkey(dialog, IDC_HOTKEY_MENU);
  };
  const auto accept = [&](HWND dialog) { return Accepted(dialog, check(keys)); };
  if (!RunModalDialog(Instance(), Owner(), IDD_GLOBAL_HOTKEYS, fill, take, accept)) return std::nullopt;
  return keys;
}

}  // namespace peekbar::win32
