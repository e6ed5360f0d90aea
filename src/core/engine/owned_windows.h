// What belongs to a window besides its own rectangle: the windows it owns
// (its dialogs, tool windows and pop-ups, through any chain of owners), the
// menus and modes of its thread, and its input method's windows. While the
// user works there the window stays up, and a window put away takes the
// windows it owns with it. Everything here is asked without sending the
// other program a message, so a program that does not answer costs nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "core/base/desktop.h"
#include "core/base/journal_store.h"

namespace peekbar {

// Why a shown window stays up though the pointer is outside its rectangle.
enum class HeldBy : std::uint8_t {
  Nothing,
  OwnedWindowUnderPointer,  // one of its dialogs, tool windows or pop-ups
  MenuUnderPointer,         // a pop-up menu of its thread
  InputMethodUnderPointer,  // its thread's input method (a candidate list)
  ThreadInMenu,             // its thread is in a menu or the window menu
  ThreadMovingOrSizing,     // its thread moves or sizes a window
  OwnedForeground,          // a window it owns is the foreground window
};

// The class of pop-up menus.
inline constexpr std::u16string_view kMenuClass = u"#32768";

// Whether the user works in what belongs to the window, with the pointer at
// `pointer` outside it. A window whose thread is hung holds nothing: a
// program that stopped in a menu would keep it up for good.
HeldBy WhatHoldsUp(Desktop& desktop, WindowHandle window, Point pointer);

// Whether `owner` owns `window`, directly or through a chain of owners.
bool IsOwnedBy(Desktop& desktop, WindowHandle window, WindowHandle owner);

// The visible windows the window owns, front to back, added to `owned` with
// their process and class; menus and tool tips, which go away by
// themselves, are left alone.
void CollectShownOwnedWindows(Desktop& desktop, WindowHandle window, std::vector<JournalWindow>& owned);

// The visible windows that have an owner, each under every window of its
// chain of owners, read in one pass of the desktop: a full application of
// the keywords hides many windows with what they own, and lists the
// desktop once for all of them instead of once for each.
class OwnedWindowsListing {
 public:
  explicit OwnedWindowsListing(Desktop& desktop);
  // As CollectShownOwnedWindows: those listed under `window` that are
  // still visible (not hidden since with another window).
  void CollectShownOwnedWindows(WindowHandle window, std::vector<JournalWindow>& owned) const;

 private:
  struct Owned {
    WindowHandle owner;
    JournalWindow window;
  };
  Desktop& desktop_;
  std::vector<Owned> listed_;  // in the desktop's order, front to back
};

}  // namespace peekbar
