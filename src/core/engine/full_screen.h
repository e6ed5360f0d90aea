// The edges' full-screen rule. While FULLSCREEN_QUIET is on, a monitor
// that a full-screen program covers (a game, a video or a browser in full
// screen, a slide show) keeps quiet: reaching for the program's own
// controls at the edge of the screen, or pressing the keys it uses, brings
// nothing of Peekbar's up over it. Only the foreground window counts, and
// only one without a title bar: a maximised window keeps its caption and
// never counts, even on a monitor without a taskbar, where it covers the
// monitor whole.
#pragma once

#include <cstdint>
#include <optional>

#include "core/base/desktop.h"
#include "core/base/state.h"

namespace peekbar {

// Why a monitor works or keeps quiet: the first that holds, in this order
// (the cheaper questions first).
enum class FullScreenVerdict : std::uint8_t {
  OptionOff,           // FULLSCREEN_QUIET is 0
  NoForeground,        // nothing in front, or its rectangle cannot be read
  HasCaption,          // an ordinary window in front, maximised or not
  OwnWindow,           // one of Peekbar's own windows in front
  NotCovering,         // the window in front leaves part of this monitor uncovered
  ShellWindow,         // the desktop or a taskbar, which cover monitors whole
  // Quiet from here on.
  FullScreenWindow,    // a window without a caption covers the monitor
  Direct3DFullScreen,  // the shell reports an exclusive full-screen Direct3D
                       // program, and the window in front lies mostly on this monitor
  PresentationMode,    // the shell reports presentation settings, likewise
};

inline bool KeepsQuiet(FullScreenVerdict verdict) { return verdict >= FullScreenVerdict::FullScreenWindow; }

// What the window in front says by itself, read once per tick; the class
// name and the shell's word only when a verdict needs them.
struct ForegroundLook {
  WindowHandle window = kNoWindow;
  Rect rect;
  bool readable = false;  // a window in front whose rectangle was read
  bool caption = false;
  bool own = false;
  std::optional<bool> shellClass;
  std::optional<UserNotificationState> notification;
};

// The rule as the tick asks it. The window in front is looked at when the
// first verdict is asked after NewTick, and that look answers for every
// monitor until the next tick; the shell is asked at most once in between.
// A tick that asks nothing (nothing would come up) asks the system nothing.
class FullScreenRule {
 public:
  FullScreenRule(const AppState& state, Desktop& desktop) : state_(state), desktop_(desktop) {}

  // The foreground window may have changed: the next verdict looks again.
  void NewTick() { look_.reset(); }
  FullScreenVerdict VerdictFor(int monitor);
  bool IsQuiet(int monitor) { return KeepsQuiet(VerdictFor(monitor)); }

 private:
  ForegroundLook& LookAtForeground();
  bool IsShellWindow(ForegroundLook& look);
  UserNotificationState Notification(ForegroundLook& look);

  const AppState& state_;
  Desktop& desktop_;
  std::optional<ForegroundLook> look_;
};

}  // namespace peekbar
