#include "core/base/hotkeys.h"

#include "core/base/text.h"

namespace peekbar {
namespace {

std::u16string Joined(std::u16string_view head, std::u16string_view tail) {
  std::u16string text(head);
  text += tail;
  return text;
}

std::u16string KeyName(std::uint8_t vk, bool extended) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::u16string(1, static_cast<char16_t>(vk));
  if (vk >= 0x70 && vk <= 0x87) return Joined(u"F", DecimalText(vk - 0x70 + 1));     // VK_F1..VK_F24
  if (vk >= 0x60 && vk <= 0x69) return Joined(u"Num ", DecimalText(vk - 0x60));     // VK_NUMPAD0..9
  switch (vk) {
    case 0x08: return u"Backspace";
    case 0x09: return u"Tab";
    case 0x0D: return extended ? u"Num Enter" : u"Enter";
    case 0x13: return u"Pause";
    case 0x1B: return u"Esc";
    case 0x20: return u"Space";
    case 0x21: return u"PageUp";
    case 0x22: return u"PageDown";
    case 0x23: return u"End";
    case 0x24: return u"Home";
    case 0x25: return u"←";
    case 0x26: return u"↑";
    case 0x27: return u"→";
    case 0x28: return u"↓";
    case 0x2D: return u"Insert";
    case 0x2E: return u"Delete";
    case 0x6A: return u"Num *";
    case 0x6B: return u"Num +";
    case 0x6D: return u"Num -";
    case 0x6E: return u"Num .";
    case 0x6F: return u"Num /";
    default: break;
  }
  // Punctuation and the rest differ by keyboard layout: named by number.
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string text = u"キー0x";
  text += kDigits[vk >> 4];
  text += kDigits[vk & 0xF];
  return text;
}

}  // namespace

std::u16string HotkeyText(Hotkey key) {
  if (!IsHotkey(key)) return u"なし";
  std::u16string text;
  if ((key & kHotkeyControl) != 0) text += u"Ctrl+";
  if ((key & kHotkeyShift) != 0) text += u"Shift+";
  if ((key & kHotkeyAlt) != 0) text += u"Alt+";
  text += KeyName(HotkeyVirtualKey(key), (key & kHotkeyExtended) != 0);
  return text;
}

}  // namespace peekbar
