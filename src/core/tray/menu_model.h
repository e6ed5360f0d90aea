// The tray popup menu as data: built afresh from the state and the candidate
// windows at every opening, turned into a real menu by the Windows side.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/state.h"

namespace peekbar {

enum class MenuMark : std::uint8_t { None, Check, Radio };

struct MenuItem {
  enum class Kind : std::uint8_t { Command, Submenu, Separator };
  Kind kind = Kind::Command;
  std::u16string text;
  std::uint16_t id = 0;
  MenuMark mark = MenuMark::None;
  bool grayed = false;  // shown, but cannot be chosen
  std::vector<MenuItem> items;  // a submenu's items
  // A location submenu whose items are made when it opens: its block
  // number, 16 × monitor + location; -1 when its items are here.
  int deferredBlock = -1;
};

// What one opening of the menu offered: the candidate windows in the order
// of their items, and at each location the window its items marked (the one
// registered there when the windows were read). A command names the window
// the user saw, and unregisters only what was shown marked, whatever
// changed meanwhile.
struct MenuOffer {
  std::vector<WindowEntry> candidates;
  std::vector<WindowHandle> marked;  // by block, 16 × monitor + location

  WindowHandle MarkedAt(int monitor, int location) const;
};

// The candidates a menu made for that many monitor slots offers (the first
// ones the identifiers have room for) and the marks of its locations, as
// the windows and registrations are now.
MenuOffer OfferNow(AppState& state, Desktop& desktop, int monitorCount);

inline constexpr std::size_t kLocationItemUnits = 512;
inline constexpr std::size_t kProfileItemUnits = 128;

// One opening of the tray menu. The root and the fixed submenus are made at
// once, so the menu shows without waiting for other programs; the location
// submenus list the candidate windows and are made when they open. Reading
// the windows asks every window for its title, class and process, the
// longest part of an opening: it happens once per opening, when the menu
// first rests on the screen or when a location submenu opens before that,
// and every location submenu then shows that one reading, the candidates
// and the marks alike.
class TrayMenu {
 public:
  TrayMenu(AppState& state, Desktop& desktop, bool startupShortcutExists);

  const MenuItem& Root() const { return root_; }
  // Collects the candidate windows (the first ones the identifiers have
  // room for are offered) and reads the registrations and the registered
  // windows' titles; only the first call reads.
  void ReadWindows();
  bool WindowsRead() const { return read_; }
  // What the menu offered, kept with it; empty until the windows were read.
  const MenuOffer& Offered() const { return offered_; }
  // The items of a deferred location submenu.
  const std::vector<MenuItem>& ItemsOf(const MenuItem& submenu);
  // The menu with every submenu made.
  MenuItem Expanded();

 private:
  AppState& state_;
  Desktop& desktop_;
  int monitorCount_;
  MenuItem root_;
  bool read_ = false;
  MenuOffer offered_;
  std::vector<std::vector<MenuItem>> locationItems_;  // by block number
};

// The popup menu on the screen.
class TrayMenuView {
 public:
  virtual ~TrayMenuView() = default;
  // Shows the menu at the point; the chosen item's command has been carried
  // out when this returns.
  virtual void Track(TrayMenu& menu, Point at) = 0;
};

// The whole menu, every submenu made.
MenuItem BuildTrayMenu(AppState& state, Desktop& desktop, bool startupShortcutExists);

}  // namespace peekbar
