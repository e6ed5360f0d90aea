// Hiding the shell's taskbar while a registered window is up, and the end of
// a show cycle, when the taskbar and the foreground window come back.
#pragma once

#include "app/desktop.h"
#include "app/state.h"

namespace peekbar {

class Taskbar {
 public:
  Taskbar(AppState& state, Desktop& desktop) : state_(state), desktop_(desktop) {}

  // Looks up "Shell_TrayWnd" and the Start button ("Button" captioned
  // "スタート", else "Start"); a missing window gives a null handle.
  void FindTaskbarWindows();
  void HideTaskbar();
  // Shows both windows when the taskbar is known (exit, options applied).
  void ShowTaskbar();
  void RestoreAfterShowCycle();

 private:
  AppState& state_;
  Desktop& desktop_;
};

}  // namespace peekbar
