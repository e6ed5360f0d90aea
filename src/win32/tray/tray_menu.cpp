#include "win32/tray/tray_menu.h"

#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

void AppendItems(HMENU menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    switch (item.kind) {
      case MenuItem::Kind::Separator:
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        break;
      case MenuItem::Kind::Submenu: {
        HMENU submenu = CreatePopupMenu();
        AppendItems(submenu, item.items);
        AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), Wide(item.text));
        break;
      }
      case MenuItem::Kind::Command:
        AppendMenuW(menu, MF_STRING | (item.mark == MenuMark::Check ? MF_CHECKED : 0), item.id, Wide(item.text));
        // A one-item range gives the item the radio bullet.
        if (item.mark == MenuMark::Radio) CheckMenuRadioItem(menu, item.id, item.id, item.id, MF_BYCOMMAND);
        break;
    }
  }
}

}  // namespace

void TrackTrayMenu(HWND owner, const MenuItem& menu, Point at) {
  HMENU root = CreatePopupMenu();
  AppendItems(root, menu.items);
  SetForegroundWindow(owner);
  // The choice comes back here rather than as a posted message, and runs
  // before this returns. Nothing is taken from the queue: a quit posted
  // while the menu was open stays there for the message loop.
  const auto chosen = static_cast<WORD>(
      TrackPopupMenu(root, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
  DestroyMenu(root);
  if (chosen != 0 && IsWindow(owner)) SendMessageW(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
}

}  // namespace peekbar::win32
