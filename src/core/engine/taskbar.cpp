#include "engine/taskbar.h"

namespace peekbar {

void Taskbar::FindTaskbarWindows() {
  state_.taskbarWindow = desktop_.FindTopLevelWindow(u"Shell_TrayWnd", nullptr);
  const std::u16string_view japanese = u"スタート";
  const std::u16string_view english = u"Start";
  state_.startButtonWindow = desktop_.FindTopLevelWindow(u"Button", &japanese);
  if (state_.startButtonWindow == kNoWindow) state_.startButtonWindow = desktop_.FindTopLevelWindow(u"Button", &english);
}

void Taskbar::HideTaskbar() {
  if (state_.taskbarWindow == kNoWindow) return;
  desktop_.ShowWindow(state_.taskbarWindow, ShowCommand::Hide);
  if (state_.startButtonWindow != kNoWindow) desktop_.ShowWindow(state_.startButtonWindow, ShowCommand::Hide);
}

void Taskbar::ShowTaskbar() {
  if (state_.taskbarWindow == kNoWindow) return;
  desktop_.ShowWindow(state_.taskbarWindow, ShowCommand::Show);
  if (state_.startButtonWindow != kNoWindow) desktop_.ShowWindow(state_.startButtonWindow, ShowCommand::Show);
}

void Taskbar::RestoreAfterShowCycle() {
  if (state_.settings.hideTaskbar != 0 && state_.taskbarWindow != kNoWindow &&
      !desktop_.IsWindowVisible(state_.taskbarWindow)) {
    ShowTaskbar();
  }
  const WindowHandle previous = state_.savedForeground;
  if (previous != kNoWindow && previous != kCapturedNothing && desktop_.IsWindowVisible(previous)) {
    desktop_.SetForegroundWindow(previous);
    state_.savedForeground = kNoWindow;
  }
}

}  // namespace peekbar
