#include "core/engine/taskbar.h"

#include <utility>

namespace peekbar {
namespace {

constexpr std::u16string_view kTaskbarClass = u"Shell_TrayWnd";
constexpr std::u16string_view kStartButtonClass = u"Button";
// The taskbar of each monitor but the main one.
constexpr std::u16string_view kSecondaryTaskbarClass = u"Shell_SecondaryTrayWnd";

}  // namespace

TaskbarWindows FindTaskbarWindows(Desktop& desktop) {
  TaskbarWindows found;
  found.taskbar = desktop.FindTopLevelWindow(kTaskbarClass, nullptr);
  const std::u16string_view japanese = u"スタート";
  const std::u16string_view english = u"Start";
  found.startButton = desktop.FindTopLevelWindow(kStartButtonClass, &japanese);
  if (found.startButton == kNoWindow) found.startButton = desktop.FindTopLevelWindow(kStartButtonClass, &english);
  return found;
}

void Taskbar::FindTaskbarWindows() {
  const TaskbarWindows found = peekbar::FindTaskbarWindows(desktop_);
  state_.taskbarWindow = found.taskbar;
  state_.startButtonWindow = found.startButton;
}

void Taskbar::ShellRestarted() {
  FindTaskbarWindows();
  // A new shell shows its own taskbars; nothing Peekbar hid is left hidden.
  journal_.SetHiddenTaskbars({});
  if (state_.taskbarWindow == kNoWindow || desktop_.IsWindowVisible(state_.taskbarWindow)) {
    journal_.SetTaskbarHidden(false);
  }
}

bool Taskbar::TaskbarKnown() {
  if (state_.taskbarWindow == kNoWindow) return false;
  const bool taskbarLive = desktop_.WindowClassName(state_.taskbarWindow, kTitleUnits) == kTaskbarClass;
  const bool startLive = state_.startButtonWindow == kNoWindow ||
                         desktop_.WindowClassName(state_.startButtonWindow, kTitleUnits) == kStartButtonClass;
  if (taskbarLive && startLive) return true;
  FindTaskbarWindows();
  return state_.taskbarWindow != kNoWindow;
}

void Taskbar::HideTaskbar() {
  if (state_.ending) return;
  HideSecondaryTaskbars();
  if (!TaskbarKnown()) return;
  // A taskbar its shell keeps hidden is not Peekbar's to show later (Wine
  // without a virtual desktop has one that is never visible).
  if (!journal_.TaskbarHidden() && !desktop_.IsWindowVisible(state_.taskbarWindow)) return;
  // Written down before it happens: an end without exit must show it again.
  journal_.SetTaskbarHidden(true);
  ShowWindowSafely(desktop_, state_.taskbarWindow, ShowCommand::Hide);
  if (state_.startButtonWindow != kNoWindow) ShowWindowSafely(desktop_, state_.startButtonWindow, ShowCommand::Hide);
}

void Taskbar::HideSecondaryTaskbars() {
  std::vector<JournalWindow> hidden = journal_.HiddenTaskbars();
  const std::size_t before = hidden.size();
  for (const WindowHandle window : desktop_.FindTopLevelWindows(kSecondaryTaskbarClass)) {
    // One hidden already, by its shell or by an earlier show, stays as it is.
    if (!desktop_.IsWindowVisible(window)) continue;
    hidden.push_back({window, desktop_.WindowProcessId(window), std::u16string(kSecondaryTaskbarClass)});
  }
  if (hidden.size() == before) return;
  const std::vector<JournalWindow> newlyHidden(hidden.begin() + static_cast<std::ptrdiff_t>(before), hidden.end());
  // Written down before it happens, as the main one is.
  journal_.SetHiddenTaskbars(std::move(hidden));
  for (const JournalWindow& taskbar : newlyHidden) ShowWindowSafely(desktop_, taskbar.window, ShowCommand::Hide);
}

void Taskbar::ShowTaskbars(const std::vector<JournalWindow>& taskbars) {
  for (const JournalWindow& taskbar : taskbars) {
    // A shell restarted since has made new ones; the handle may name
    // another window by now.
    if (IsSameWindow(desktop_, taskbar, kTitleUnits)) {
      ShowWindowSafely(desktop_, taskbar.window, ShowCommand::Show);
    }
  }
}

void Taskbar::ShowTaskbar() {
  if (TaskbarKnown()) {
    ShowWindowSafely(desktop_, state_.taskbarWindow, ShowCommand::Show);
    if (state_.startButtonWindow != kNoWindow) ShowWindowSafely(desktop_, state_.startButtonWindow, ShowCommand::Show);
  }
  journal_.SetTaskbarHidden(false);
}

void Taskbar::GiveTaskbarBack() {
  if (journal_.TaskbarHidden()) ShowTaskbar();
  if (journal_.HiddenTaskbars().empty()) return;
  ShowTaskbars(journal_.HiddenTaskbars());
  journal_.SetHiddenTaskbars({});
}

void Taskbar::RestoreAfterShowCycle() {
  GiveTaskbarBack();
  // Cleared whether or not it could be given back: the next cycle captures
  // the window in front then, also after a trigger-window show, which had
  // nothing to capture, and after the captured window was closed. A window
  // on another virtual desktop is not given it: that would switch the user
  // there.
  const WindowHandle previous = std::exchange(state_.savedForeground, kNoWindow);
  if (previous != kNoWindow && previous != kCapturedNothing && desktop_.IsWindowVisible(previous) &&
      desktop_.IsOnCurrentDesktop(previous)) {
    SetForegroundUnlocked(previous);
  }
}

void Taskbar::SetForegroundUnlocked(WindowHandle window) {
  // Read every time: the user may have changed it since the last show.
  const std::uint32_t user = desktop_.ForegroundLockTimeout();
  // Written down before it is lowered: a crash or a kill from here on still
  // finds the user's value in the journal.
  journal_.SetLockTimeout(user);
  desktop_.SetForegroundLockTimeout(0);
  desktop_.SetForegroundWindow(window);
  desktop_.SetForegroundLockTimeout(user);
}

}  // namespace peekbar
