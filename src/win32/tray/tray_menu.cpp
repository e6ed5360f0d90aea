#include "win32/tray/tray_menu.h"

#include <utility>
#include <vector>

#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

// Reads the windows a moment after the menu first rests: the menu is drawn
// and on the screen before the program turns to other programs' windows.
constexpr UINT_PTR kReadWindowsTimer = 2;

// The menu being tracked, with its location submenus still to be made.
struct OpenMenu {
  HWND owner = nullptr;
  TrayMenu* content = nullptr;
  std::vector<std::pair<HMENU, const MenuItem*>> deferred;
  bool readScheduled = false;
};

OpenMenu* g_openMenu = nullptr;

void AppendItems(HMENU menu, const std::vector<MenuItem>& items, OpenMenu& open) {
  for (const MenuItem& item : items) {
    switch (item.kind) {
      case MenuItem::Kind::Separator:
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        break;
      case MenuItem::Kind::Submenu: {
        HMENU submenu = CreatePopupMenu();
        if (item.deferredBlock >= 0) {
          open.deferred.emplace_back(submenu, &item);
        } else {
          AppendItems(submenu, item.items, open);
        }
        AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), Wide(item.text));
        break;
      }
      case MenuItem::Kind::Command:
        AppendMenuW(menu,
                    MF_STRING | (item.mark == MenuMark::Check ? MF_CHECKED : 0) | (item.grayed ? MF_GRAYED : 0),
                    item.id, Wide(item.text));
        // A one-item range gives the item the radio bullet.
        if (item.mark == MenuMark::Radio) CheckMenuRadioItem(menu, item.id, item.id, item.id, MF_BYCOMMAND);
        break;
    }
  }
}

void FillDeferred(OpenMenu& open, HMENU submenu) {
  for (auto it = open.deferred.begin(); it != open.deferred.end(); ++it) {
    if (it->first != submenu) continue;
    const MenuItem& item = *it->second;
    open.deferred.erase(it);
    AppendItems(submenu, open.content->ItemsOf(item), open);
    return;
  }
}

}  // namespace

void TrackTrayMenu(HWND owner, TrayMenu& menu, Point at) {
  OpenMenu open;
  open.owner = owner;
  open.content = &menu;
  HMENU root = CreatePopupMenu();
  AppendItems(root, menu.Root().items, open);
  OpenMenu* const outer = std::exchange(g_openMenu, &open);
  SetForegroundWindow(owner);
  // The choice comes back here rather than as a posted message, and runs
  // before this returns. Nothing is taken from the queue: a quit posted
  // while the menu was open stays there for the message loop.
  const auto chosen = static_cast<WORD>(
      TrackPopupMenu(root, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
  g_openMenu = outer;
  if (open.readScheduled) KillTimer(owner, kReadWindowsTimer);
  DestroyMenu(root);
  if (chosen != 0 && IsWindow(owner)) SendMessageW(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
}

bool HandleTrayMenuMessage(UINT message, WPARAM wParam) {
  if (g_openMenu == nullptr) return false;
  OpenMenu& open = *g_openMenu;
  switch (message) {
    case WM_INITMENUPOPUP:
      FillDeferred(open, reinterpret_cast<HMENU>(wParam));
      return true;
    case WM_ENTERIDLE:
      if (wParam != MSGF_MENU || open.readScheduled || open.content->WindowsRead()) return false;
      // Not here: the menu's drawing reaches the screen while the thread
      // waits, which it does only after this returns.
      open.readScheduled = SetTimer(open.owner, kReadWindowsTimer, USER_TIMER_MINIMUM, nullptr) != 0;
      if (!open.readScheduled) open.content->ReadWindows();
      return true;
    case WM_TIMER:
      if (wParam != kReadWindowsTimer) return false;
      KillTimer(open.owner, kReadWindowsTimer);
      open.readScheduled = false;
      open.content->ReadWindows();
      return true;
    default: return false;
  }
}

}  // namespace peekbar::win32
