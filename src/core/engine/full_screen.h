// The edges' full-screen rule. While FULLSCREEN_QUIET is on, a monitor
// that a full-screen program covers (a game, a video or a browser in full
// screen, a slide show) keeps its edges quiet: reaching for the program's
// own controls at the edge of the screen brings nothing up over it. Only
// the foreground window counts, and only one without a title bar: a
// maximised window keeps its caption and never counts, even on a monitor
// without a taskbar, where it covers the monitor whole.
#pragma once

#include <cstdint>

#include "core/base/desktop.h"
#include "core/base/state.h"

namespace peekbar {

// Why a monitor's edges work or keep quiet: the first that holds, in this
// order (the cheaper questions first).
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

// The verdict for the edges of `monitor` now. It asks the desktop about
// the foreground window and perhaps the shell, so it is asked only when a
// dwell would start.
FullScreenVerdict FullScreenVerdictFor(const AppState& state, Desktop& desktop, int monitor);

}  // namespace peekbar
