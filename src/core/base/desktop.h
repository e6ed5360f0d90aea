// The desktop as the core sees it: the clock, the pointer, the keyboard and
// the top-level windows of every program. The Windows program implements it
// over user32; the tests implement it with a simulated desktop.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/geometry.h"

namespace peekbar {

// An opaque window handle. 0 is "no window".
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

// Keys and buttons the core asks about, by their virtual-key codes.
enum class VirtualKey : std::uint8_t {
  LeftButton = 0x01,
  RightButton = 0x02,
  MiddleButton = 0x04,
  Shift = 0x10,
  Control = 0x11,
  Alt = 0x12,
};

enum class ShowCommand : std::uint8_t {
  Hide,      // SW_HIDE
  Show,      // SW_SHOW
  Restore,   // SW_RESTORE
};

// Where SetWindowPos puts a window in the z-order.
enum class ZOrder : std::uint8_t {
  Unchanged,   // SWP_NOZORDER
  Top,         // HWND_TOP
  Topmost,     // HWND_TOPMOST
  NotTopmost,  // HWND_NOTOPMOST
};

// A placement request, the portable subset of SetWindowPos.
struct Placement {
  ZOrder zOrder = ZOrder::Unchanged;
  bool move = false;       // take position.x/y
  bool size = false;       // take width/height
  bool show = false;       // SWP_SHOWWINDOW
  bool noActivate = false; // SWP_NOACTIVATE
  bool async = false;      // SWP_ASYNCWINDOWPOS
  Point position;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Moves and sizes a window to the rectangle.
inline Placement PlacementAt(const Rect& rect) {
  Placement p;
  p.move = true;
  p.size = true;
  p.position = {rect.left, rect.top};
  p.width = static_cast<std::int32_t>(rect.Width());
  p.height = static_cast<std::int32_t>(rect.Height());
  return p;
}

// Gives a window back to the user: shown, an ordinary (not topmost) window
// again, without waiting for its thread.
inline Placement GiveBackPlacement() {
  Placement p;
  p.zOrder = ZOrder::NotTopmost;
  p.show = true;
  p.async = true;
  return p;
}

// Dots per inch of a monitor at 100 % scaling.
inline constexpr std::uint32_t kDefaultDpi = 96;

// A display monitor as the system reports it: its device name
// (`\\.\DISPLAY1`), which stays the same while it is attached, its
// rectangle on the virtual screen in the monitor's own pixels, and the
// dots per inch its scaling gives it (the system's DPI for all of them
// where the system cannot tell them apart).
struct DisplayMonitor {
  std::u16string device;
  Rect rect;
  std::uint32_t dpi = kDefaultDpi;
};

// A size in pixels as the user chose it at one DPI (the system's, where
// dialogs and fonts were), in pixels at another: rounded to the nearest
// pixel, never under one.
inline std::int32_t ScaleForDpi(std::int32_t pixels, std::uint32_t dpi, std::uint32_t chosenAt) {
  if (dpi == chosenAt || chosenAt == 0) return pixels;
  const std::int64_t scaled = (static_cast<std::int64_t>(pixels) * dpi + chosenAt / 2) / chosenAt;
  return scaled < 1 ? 1 : static_cast<std::int32_t>(scaled);
}

// What a thread's user is in the middle of (GetGUIThreadInfo's flags).
struct ThreadModes {
  bool menu = false;        // a menu bar or a pop-up menu (GUI_INMENUMODE, GUI_POPUPMENUMODE)
  bool systemMenu = false;  // the window menu (GUI_SYSTEMMENUMODE)
  bool moveSize = false;    // moving or sizing a window (GUI_INMOVESIZE)
};

// The user's state as the shell reports it (SHQueryUserNotificationState),
// in the system's order; Unknown where the system gives no answer.
enum class UserNotificationState : std::uint8_t {
  Unknown,
  NotPresent,            // screen saver, locked, another session in front
  Busy,                  // a full-screen program, or presentation settings
  Direct3DFullScreen,    // a Direct3D program in exclusive full screen
  PresentationMode,      // the user asked for no interruptions
  AcceptsNotifications,
  QuietTime,             // the first hour of a new account
  App,                   // a Store app in front
};

class Desktop {
 public:
  Desktop() = default;
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;
  virtual ~Desktop() = default;

  // The system's millisecond tick count; wraps after about 49.7 days.
  virtual std::uint32_t TickCount() = 0;
  // False when the position cannot be read (another desktop is active).
  virtual bool PointerPosition(Point& position) = 0;
  // Down now or pressed since the last query (GetAsyncKeyState non-zero).
  virtual bool IsKeyDown(VirtualKey key) = 0;
  // Held down as the thread's input state sees it (GetKeyState high bit).
  virtual bool IsKeyHeld(VirtualKey key) = 0;
  // Waits, answering only the messages other threads send to this one: no
  // tick, command or exit runs meanwhile. For short waits on another
  // program's windows.
  virtual void Pause(std::uint32_t milliseconds) = 0;

  virtual bool WindowExists(WindowHandle window) = 0;
  // Whether the window's thread answers at once. A synchronous call on a
  // window whose thread does not (hung, or busy) would wait for it.
  virtual bool IsResponding(WindowHandle window) = 0;
  virtual bool IsWindowVisible(WindowHandle window) = 0;
  virtual bool WindowRect(WindowHandle window, Rect& rect) = 0;
  virtual bool IsMinimized(WindowHandle window) = 0;
  virtual bool IsMaximized(WindowHandle window) = 0;
  virtual void ShowWindow(WindowHandle window, ShowCommand command) = 0;
  // Without waiting for the window's own thread.
  virtual void ShowWindowAsync(WindowHandle window, ShowCommand command) = 0;
  virtual void PlaceWindow(WindowHandle window, const Placement& placement) = 0;
  virtual void BringToTop(WindowHandle window) = 0;
  virtual void SetFocus(WindowHandle window) = 0;

  virtual WindowHandle ForegroundWindow() = 0;
  virtual bool SetForegroundWindow(WindowHandle window) = 0;
  // The forcing sequence needs the input queues of two threads joined and the
  // foreground lock time-out lifted for a moment.
  virtual void AttachInputToForeground(WindowHandle window, bool attach) = 0;
  virtual std::uint32_t ForegroundLockTimeout() = 0;
  virtual void SetForegroundLockTimeout(std::uint32_t milliseconds) = 0;

  // Title and class name, cut to maxUnits - 1 units as the system's buffers cut them.
  virtual std::u16string WindowTitle(WindowHandle window, std::size_t maxUnits) = 0;
  virtual std::u16string WindowClassName(WindowHandle window, std::size_t maxUnits) = 0;
  // The process that created the window; 0 when the handle names no window.
  virtual std::uint32_t WindowProcessId(WindowHandle window) = 0;
  // This process: its own windows are never another program's to take.
  virtual std::uint32_t OwnProcessId() = 0;
  // The first top-level window of that class (and caption, when one is given).
  virtual WindowHandle FindTopLevelWindow(std::u16string_view className,
                                          const std::u16string_view* caption) = 0;
  // Every top-level window of that class, from the top of the z-order down.
  virtual std::vector<WindowHandle> FindTopLevelWindows(std::u16string_view className) = 0;
  // Top-level windows from the top of the z-order down; the visitor returns
  // false to stop.
  virtual void EnumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visitor) = 0;
  // The monitors attached now, in the system's order (the primary need not
  // be first).
  virtual std::vector<DisplayMonitor> Monitors() = 0;
  // The DPI of the system: what dialogs and chosen fonts were measured at,
  // and the one DPI of every monitor where the system knows no other.
  virtual std::uint32_t SystemDpi() = 0;

  // ---- What belongs to a window: the windows it owns, its thread's menus
  // and input method. None of these sends the window's thread a message:
  // a program that does not answer is asked them too. ----

  // The window's owner (GetWindow GW_OWNER); none for a window owned by no one.
  virtual WindowHandle WindowOwner(WindowHandle window) = 0;
  // The thread that made the window; 0 when the handle names no window.
  virtual std::uint32_t WindowThreadId(WindowHandle window) = 0;
  // What the thread is doing; nothing for a thread without windows.
  virtual ThreadModes ThreadModesOf(std::uint32_t thread) = 0;
  // The top-level window under the point (the root of WindowFromPoint);
  // none where no window is.
  virtual WindowHandle TopLevelWindowAt(Point point) = 0;
  // The default input-method window of the window's thread
  // (ImmGetDefaultIMEWnd): the candidate list of an input method belongs
  // to it. None where the system names none.
  virtual WindowHandle InputMethodWindow(WindowHandle window) = 0;
  // The window's thread has not answered for a while (IsHungAppWindow);
  // asks without waiting, unlike IsResponding.
  virtual bool IsHung(WindowHandle window) = 0;

  // ---- For the edges' full-screen rule ----
  // Whether the window has a title bar (both bits of WS_CAPTION).
  virtual bool HasCaption(WindowHandle window) = 0;
  // What the shell says of the user's state; Unknown when it cannot say at
  // once (the call is missing, fails, or would wait for a shell that does
  // not answer).
  virtual UserNotificationState UserNotification() = 0;

  // ---- Virtual desktops ----
  // Whether the window is on the virtual desktop the user sees. One left on
  // another desktop is cloaked, yet IsWindowVisible still says it is
  // visible. True where the system cannot say (no virtual desktops).
  virtual bool IsOnCurrentDesktop(WindowHandle window) = 0;
  // ---- Elevated windows ----
  // Whether the window's process runs at a higher privilege than this one
  // (an administrator's program beside a Peekbar that is not): the system
  // then refuses to hide or move its windows from here. Read from the
  // process's token, without sending the window anything; false when it
  // cannot be told.
  virtual bool RunsElevated(WindowHandle window) = 0;
};

// ---- Virtual desktops ----
// Whether the user can see the window: visible, not minimised and on the
// virtual desktop in front. The desktop is asked last, and only of a window
// that is otherwise up.
inline bool IsOnScreen(Desktop& desktop, WindowHandle window) {
  return desktop.IsWindowVisible(window) && !desktop.IsMinimized(window) && desktop.IsOnCurrentDesktop(window);
}
// Whether the window is up on another virtual desktop, cloaked: hidden, it
// comes up on the desktop in front when it is shown again, and bringing it
// forward then does not take the user away.
inline bool IsUpElsewhere(Desktop& desktop, WindowHandle window) {
  return desktop.IsWindowVisible(window) && !desktop.IsOnCurrentDesktop(window);
}

// Whether the handle still names the window it named when it was seen: a
// handle may be given to another window once its own is closed, so the
// process and the class must be the same too.
inline bool IsSameWindow(Desktop& desktop, WindowHandle window, std::uint32_t processId, std::u16string_view className,
                         std::size_t classUnits) {
  return desktop.WindowExists(window) && desktop.WindowProcessId(window) == processId &&
         desktop.WindowClassName(window, classUnits) == className;
}

// Shows, hides or restores a window: synchronously, done on return, when
// its thread answers; otherwise asynchronously, so that a hung program never
// holds this one up.
inline void ShowWindowSafely(Desktop& desktop, WindowHandle window, ShowCommand command, bool answers) {
  if (answers) {
    desktop.ShowWindow(window, command);
  } else {
    desktop.ShowWindowAsync(window, command);
  }
}
inline void ShowWindowSafely(Desktop& desktop, WindowHandle window, ShowCommand command) {
  ShowWindowSafely(desktop, window, command, desktop.IsResponding(window));
}

// Places a window, asynchronously when its thread does not answer.
inline void PlaceWindowSafely(Desktop& desktop, WindowHandle window, Placement placement, bool answers) {
  if (!answers) placement.async = true;
  desktop.PlaceWindow(window, placement);
}

// Moves a window where `where` puts it, given its rectangle now. Carried to
// a monitor of another DPI, a window rescales (its program does, or the
// system stretches it) and comes out another size than it was given: read
// back, it is placed once more for the size it took, its z-order left as
// the first placement made it. A window that does not answer is placed
// once: its rectangle would not be read back at once.
void PlaceSettled(Desktop& desktop, WindowHandle window, bool answers,
                  const std::function<Placement(const Rect& now)>& where);

}  // namespace peekbar
