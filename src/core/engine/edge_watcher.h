// The edge watcher: one pass per timer tick. It samples the clock, the
// pointer and the modifier keys once, lets the overlays follow, and visits
// every registered location to show or hide its window.
#pragma once

#include "core/base/desktop.h"
#include "core/base/state.h"
#include "core/engine/full_screen.h"
#include "core/engine/overlay_hooks.h"
#include "core/engine/recovery_journal.h"
#include "core/engine/show_hide.h"
#include "core/engine/taskbar.h"

namespace peekbar {

class EdgeWatcher {
 public:
  EdgeWatcher(AppState& state, Desktop& desktop, Taskbar& taskbar, ShowHide& showHide, OverlayHooks& overlays,
              RecoveryJournal& journal, FullScreenRule& fullScreen)
      : state_(state), desktop_(desktop), taskbar_(taskbar), showHide_(showHide), overlays_(overlays),
        journal_(journal), fullScreen_(fullScreen) {}

  // Allocates nothing: it runs five times a second all day.
  void EdgeTick();
  // Every tick, paused or not: what was hidden with a registered window
  // comes back once its program has brought it back itself. Only locations
  // holding such windows are looked at: without any, it asks nothing.
  void FollowWindowsBroughtBack();
  // Polls Ctrl, Shift and Alt when something uses them; true when one of
  // them changed since the last poll.
  bool UpdateModifierKeys();

 private:
  AppState& state_;
  Desktop& desktop_;
  Taskbar& taskbar_;
  ShowHide& showHide_;
  OverlayHooks& overlays_;
  RecoveryJournal& journal_;
  FullScreenRule& fullScreen_;
};

}  // namespace peekbar
