// Hiding the shell's taskbar while a registered window is up; the end of a
// show cycle, when the taskbar and the foreground window come back; and the
// foreground handed to a window past the system's foreground lock.
#pragma once

#include "core/base/desktop.h"
#include "core/base/state.h"
#include "core/engine/recovery_journal.h"

namespace peekbar {

struct TaskbarWindows {
  WindowHandle taskbar = kNoWindow;
  WindowHandle startButton = kNoWindow;
};
// Looks up "Shell_TrayWnd" and the Start button ("Button" captioned
// "スタート", else "Start"); a missing window gives a null handle.
TaskbarWindows FindTaskbarWindows(Desktop& desktop);

class Taskbar {
 public:
  Taskbar(AppState& state, Desktop& desktop, RecoveryJournal& journal)
      : state_(state), desktop_(desktop), journal_(journal) {}

  // Looks the taskbar and the Start button up again.
  void FindTaskbarWindows();
  // The shell was restarted: the stored handles name windows that are gone,
  // or whatever window was given their values since.
  void ShellRestarted();
  // Hides both windows, unless the taskbar is hidden already by someone
  // else, and the visible taskbars of the other monitors.
  void HideTaskbar();
  // Shows both windows when the taskbar is known (a journal left by an
  // instance that ended while it had hidden them).
  void ShowTaskbar();
  // Shows them again only if Peekbar hid them (end of a show cycle, exit,
  // options applied).
  void GiveTaskbarBack();
  // Shows the other monitors' taskbars that were hidden, those that are
  // still the windows they were.
  void ShowTaskbars(const std::vector<JournalWindow>& taskbars);
  void RestoreAfterShowCycle();
  // Makes the window the foreground window although another program has
  // it: the foreground lock time-out is lowered for that one call and the
  // user's value put back right after.
  void SetForegroundUnlocked(WindowHandle window);

 private:
  // Whether the stored handles may be touched: they still name windows of
  // the taskbar's and the Start button's classes. When they do not, they
  // are looked up again.
  bool TaskbarKnown();
  void HideSecondaryTaskbars();

  AppState& state_;
  Desktop& desktop_;
  RecoveryJournal& journal_;
};

}  // namespace peekbar
