#include "core/engine/owned_windows.h"

#include <optional>
#include <string_view>
#include <utility>

#include "core/base/state.h"

namespace peekbar {
namespace {

// Owners form a tree, but a chain may change while it is walked; this many
// links end the walk whatever happens.
constexpr int kLongestOwnerChain = 32;
// One unit more than a menu's class: a longer name read this far differs
// from it, and so short a text is kept without allocating on the tick.
constexpr std::size_t kMenuClassUnits = 8;
constexpr std::u16string_view kToolTipClass = u"tooltips_class32";

// The window as it is taken away with its owner, read as the journal keeps
// it, so that it can be told again before a show; none for a menu or a tool
// tip, which go away by themselves.
std::optional<JournalWindow> ToHideWithOwner(Desktop& desktop, WindowHandle window) {
  std::u16string className = desktop.WindowClassName(window, kTitleUnits);
  if (className == kMenuClass || className == kToolTipClass) return std::nullopt;
  return JournalWindow{window, desktop.WindowProcessId(window), std::move(className)};
}

}  // namespace

bool IsOwnedBy(Desktop& desktop, WindowHandle window, WindowHandle owner) {
  WindowHandle link = window;
  for (int i = 0; i < kLongestOwnerChain; ++i) {
    link = desktop.WindowOwner(link);
    if (link == kNoWindow) return false;
    if (link == owner) return true;
  }
  return false;
}

HeldBy WhatHoldsUp(Desktop& desktop, WindowHandle window, Point pointer) {
  if (desktop.IsHung(window)) return HeldBy::Nothing;
  const std::uint32_t thread = desktop.WindowThreadId(window);
  const WindowHandle at = desktop.TopLevelWindowAt(pointer);
  if (at != kNoWindow && at != window) {
    if (IsOwnedBy(desktop, at, window)) {
      // Owned by it, yet of a thread of its own that does not answer.
      return desktop.IsHung(at) ? HeldBy::Nothing : HeldBy::OwnedWindowUnderPointer;
    }
    if (desktop.WindowThreadId(at) == thread && desktop.WindowClassName(at, kMenuClassUnits) == kMenuClass) {
      return HeldBy::MenuUnderPointer;
    }
    const WindowHandle inputMethod = desktop.InputMethodWindow(window);
    if (inputMethod != kNoWindow && (at == inputMethod || IsOwnedBy(desktop, at, inputMethod))) {
      return HeldBy::InputMethodUnderPointer;
    }
  }
  const ThreadModes modes = desktop.ThreadModesOf(thread);
  if (modes.menu || modes.systemMenu) return HeldBy::ThreadInMenu;
  if (modes.moveSize) return HeldBy::ThreadMovingOrSizing;
  // A dialog in use, wherever the pointer is. (Its input method's candidate
  // list is covered too: the dialog has the keyboard while it shows.)
  const WindowHandle foreground = desktop.ForegroundWindow();
  if (foreground != kNoWindow && foreground != window && IsOwnedBy(desktop, foreground, window)) {
    return HeldBy::OwnedForeground;
  }
  return HeldBy::Nothing;
}

void CollectShownOwnedWindows(Desktop& desktop, WindowHandle window, std::vector<JournalWindow>& owned) {
  desktop.EnumerateTopLevelWindows([&](WindowHandle other) {
    // The owner first: most windows have none, and are done with one question.
    if (other == window || !IsOwnedBy(desktop, other, window) || !desktop.IsWindowVisible(other)) return true;
    if (auto hidden = ToHideWithOwner(desktop, other)) owned.push_back(std::move(*hidden));
    return true;
  });
}

OwnedWindowsListing::OwnedWindowsListing(Desktop& desktop) : desktop_(desktop) {
  desktop.EnumerateTopLevelWindows([&](WindowHandle window) {
    WindowHandle owner = desktop.WindowOwner(window);
    if (owner == kNoWindow || !desktop.IsWindowVisible(window)) return true;
    const std::optional<JournalWindow> hidden = ToHideWithOwner(desktop, window);
    if (!hidden) return true;
    for (int i = 0; i < kLongestOwnerChain && owner != kNoWindow; ++i) {
      listed_.push_back({owner, *hidden});
      owner = desktop.WindowOwner(owner);
    }
    return true;
  });
}

void OwnedWindowsListing::CollectShownOwnedWindows(WindowHandle window, std::vector<JournalWindow>& owned) const {
  for (const Owned& o : listed_) {
    if (o.owner == window && desktop_.IsWindowVisible(o.window.window)) owned.push_back(o.window);
  }
}

}  // namespace peekbar
