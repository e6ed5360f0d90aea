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
  std::vector<MenuItem> items;  // a submenu's items
};

inline constexpr std::size_t kLocationItemUnits = 512;
inline constexpr std::size_t kProfileItemUnits = 128;

// The popup menu on the screen.
class TrayMenuView {
 public:
  virtual ~TrayMenuView() = default;
  // Shows the menu at the point; the chosen item's command has been carried
  // out when this returns.
  virtual void Track(const MenuItem& menu, Point at) = 0;
};

// The whole menu. Collects the candidate windows (the first 256 are offered)
// and reads the registered windows' titles as they are now.
MenuItem BuildTrayMenu(AppState& state, Desktop& desktop, bool startupShortcutExists);

}  // namespace peekbar
