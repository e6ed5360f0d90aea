// The edge watcher: one pass per timer tick over every registered location.
#pragma once

#include "app/desktop.h"
#include "app/state.h"
#include "engine/taskbar.h"

namespace peekbar {

class EdgeWatcher {
 public:
  EdgeWatcher(AppState& state, Desktop& desktop, Taskbar& taskbar)
      : state_(state), desktop_(desktop), taskbar_(taskbar) {}

  void EdgeTick();

 private:
  AppState& state_;
  Desktop& desktop_;
  Taskbar& taskbar_;
};

}  // namespace peekbar
