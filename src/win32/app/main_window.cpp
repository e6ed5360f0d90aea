#include "win32/app/main_window.h"

#include <mmsystem.h>

#include "win32/app/wide.h"
#include "win32/app/window_class.h"
#include "win32/tray/tray_menu.h"

namespace peekbar::win32 {
namespace {

// The one main window of the process; its procedure finds its object here.
MainWindow* g_mainWindow = nullptr;

}  // namespace

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
  // No small icon of its own: the system picks one from the icon's group.
  // The dialogs show this class's icon (see dialog_icon.h).
  WindowClass windowClass{kMainWindowClass, &MainWindow::WindowProc, NULL_BRUSH};
  windowClass.iconIsSmallIcon = false;
  return EnsureWindowClass(instance, windowClass);
}

HWND MainWindow::Create(HINSTANCE instance) {
  g_mainWindow = this;
  return CreateWindowExW(0, kMainWindowClass, L"Peekbar", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_mainWindow == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return g_mainWindow->Handle(window, message, wParam, lParam);
}

LRESULT MainWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The shell's restart broadcast is tested first, once its number is known.
  if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
    app_.OnTaskbarCreated();
    return 0;
  }
  if (HandleTrayMenuMessage(message, wParam)) return 0;
  switch (message) {
    case WM_CREATE: OnCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam)); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_TIMER: app_.OnTimer(); return 0;
    case WM_APP: app_.OnTrayNotify(wParam, static_cast<std::uint32_t>(lParam)); return 0;
    case WM_COMMAND: app_.OnCommand(LOWORD(wParam)); return 0;
    case WM_HOTKEY: app_.OnHotkey(static_cast<int>(wParam)); return 0;
    case kGuardianEndedMessage: app_.OnGuardianEnded(); return 0;
    // Sent by another program while an operation waits on one, a close
    // would destroy the window under it: it comes back through the queue,
    // which only a message loop empties, and no operation is under way there.
    case WM_CLOSE:
      if (app_.Busy()) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
      }
      return DefWindowProcW(window, message, wParam, lParam);
    // Log-off, shut-down or a restart for an update: nothing holds it up,
    // and everything is given back before the system ends the process.
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: app_.OnEndSession(wParam != FALSE); return 0;
    // A monitor's scaling changes without a display change: its DPI is read
    // again with the monitors at the next tick.
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DPICHANGED: app_.OnDisplayChange(); return 0;
    case MM_MCINOTIFY:
      // Not when a play was stopped for the next one: that one tells its own end.
      if (wParam == MCI_NOTIFY_SUCCESSFUL || wParam == MCI_NOTIFY_FAILURE) app_.OnCommandSoundEnded();
      return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

void MainWindow::OnCreate(HWND window, const CREATESTRUCTW& create) {
  instance_ = create.hInstance;
  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
  shell_.SetMainWindow(window);
  WatchOtherWindows();
  app_.OnCreate(FromHwnd(window));
}

void MainWindow::WatchOtherWindows() {
  // Out of context: the events come to this thread as messages, and the
  // other programs load nothing of ours.
  constexpr DWORD flags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
  shownHook_ = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_SHOW, nullptr, &MainWindow::OnWinEvent, 0, 0, flags);
  renamedHook_ = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &MainWindow::OnWinEvent,
                                 0, 0, flags);
  // A registered window closed: what comes up after it is for its location.
  destroyedHook_ =
      SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_DESTROY, nullptr, &MainWindow::OnWinEvent, 0, 0, flags);
  // Wine 8 reports a window made but neither a window shown nor one
  // renamed: there the creation is reported as a window come up, and a
  // look once a period catches what comes up later or is renamed.
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) return;
  createdHook_ =
      SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, &MainWindow::OnWinEvent, 0, 0, flags);
  app_.LookForWindowsWithoutEvents();
}

void CALLBACK MainWindow::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                     DWORD) {
  // The window itself, not a part of it, and only a top-level one (a window
  // destroyed can no longer be asked: the core knows its own).
  if (g_mainWindow == nullptr || object != OBJID_WINDOW || child != CHILDID_SELF || window == nullptr) return;
  if (event == EVENT_OBJECT_DESTROY) {
    g_mainWindow->app_.OnWindowDestroyed(FromHwnd(window));
    return;
  }
  if (GetAncestor(window, GA_ROOT) != window) return;
  if (event == EVENT_OBJECT_NAMECHANGE) {
    g_mainWindow->app_.OnWindowsChanged();
  } else {
    g_mainWindow->app_.OnWindowShown(FromHwnd(window));
  }
}

void MainWindow::OnDestroy() {
  for (HWINEVENTHOOK* hook : {&shownHook_, &renamedHook_, &createdHook_, &destroyedHook_}) {
    if (*hook != nullptr) UnhookWinEvent(*hook);
    *hook = nullptr;
  }
  PostQuitMessage(0);
  // Closes the command sound and any other device the program opened.
  mciSendStringW(L"close all", nullptr, 0, nullptr);
  app_.OnDestroy();
}

}  // namespace peekbar::win32
