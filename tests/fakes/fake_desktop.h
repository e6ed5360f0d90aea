// A simulated desktop for the core's tests and benchmarks: top-level windows
// with a z-order, the foreground window, the pointer, the keyboard and a
// clock that only moves when the test moves it. Every call the core makes is
// counted per method and, unless recording is switched off, kept in order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/desktop.h"

namespace peekbar {

// One top-level window as the simulation holds it.
struct FakeWindow {
  std::string name;              // the window's name in the call log; "#<handle>" when empty
  std::u16string title;
  std::u16string className = u"FakeWindowClass";
  Rect rect{100, 100, 500, 400};
  Rect normalRect;               // where SW_RESTORE puts a minimised or maximised window; empty: rect stays
  bool visible = true;
  bool minimized = false;
  bool maximized = false;
  bool topmost = false;
  std::uint32_t thread = 2;      // the thread that owns the window
  std::uint32_t process = 20;    // the process that created it
  bool rectFails = false;        // WindowRect reports failure for this window
  bool asyncShowPending = false; // asynchronous show requests are not yet carried out by the window's
                                 // thread: it stays invisible until the test makes it visible
  bool hung = false;             // its thread does not answer: a synchronous call on it would block
  bool hiddenByCore = false;     // the core hid it, and nothing has shown it since
  // What belongs to a window: the window that owns it.
  WindowHandle owner = kNoWindow;
  // For the full-screen rule:
  bool caption = true;           // a title bar (WS_CAPTION); false for a borderless or pop-up window
  // ---- Virtual desktops ----
  int desktop = 0;               // the virtual desktop it is on; kEveryDesktop for one pinned to all
  // Elevated windows: its process runs at a higher privilege than the core's;
  // hiding, showing and placing it are refused and leave it as it was.
  bool elevated = false;
  // ---- Mixed DPI ----
  // Crossing to a monitor of another DPI, the window takes a size in
  // proportion (its program rescales it, or the system stretches it); its
  // top-left corner stays. False for one that keeps its size in pixels.
  bool rescales = true;
  std::uint32_t dpi = 0;         // the DPI it is drawn at; 0: its monitor's, once it moves
};

// ---- Virtual desktops ----
inline constexpr int kEveryDesktop = -1;

enum class DesktopMethod : std::uint8_t {
  TickCount,
  PointerPosition,
  IsKeyDown,
  WindowExists,
  IsWindowVisible,
  WindowRect,
  IsMinimized,
  IsMaximized,
  ShowWindow,
  PlaceWindow,
  BringToTop,
  SetFocus,
  ForegroundWindow,
  SetForegroundWindow,
  AttachInputToForeground,
  ForegroundLockTimeout,
  SetForegroundLockTimeout,
  WindowTitle,
  WindowClassName,
  FindTopLevelWindow,
  FindTopLevelWindows,
  EnumerateTopLevelWindows,
  IsKeyHeld,
  Pause,
  ShowWindowAsync,
  WindowProcessId,
  IsResponding,
  // What belongs to a window
  WindowOwner,
  WindowThreadId,
  ThreadModesOf,
  TopLevelWindowAt,
  InputMethodWindow,
  IsHung,
  // For the full-screen rule:
  HasCaption,
  UserNotification,
  // Virtual desktops:
  IsOnCurrentDesktop,
  // Elevated windows:
  RunsElevated,
  // Mixed DPI:
  SystemDpi,
};
inline constexpr std::size_t kDesktopMethodCount = static_cast<std::size_t>(DesktopMethod::SystemDpi) + 1;

const char* DesktopMethodName(DesktopMethod method);
// True for the calls that change something (show, place, foreground, ...).
bool IsDesktopAction(DesktopMethod method);

// One call as the core made it.
struct DesktopCall {
  DesktopMethod method = DesktopMethod::TickCount;
  WindowHandle window = kNoWindow;
  ShowCommand show = ShowCommand::Hide;   // ShowWindow
  Placement placement;                    // PlaceWindow
  VirtualKey key = VirtualKey::LeftButton;  // IsKeyDown
  bool flag = false;                      // AttachInputToForeground: attach
  std::uint32_t value = 0;                // SetForegroundLockTimeout
  std::uint32_t milliseconds = 0;         // Pause
};

class FakeDesktop final : public Desktop {
 public:
  // The thread the core runs on; windows of other threads need their input
  // attached before they can be forced to the front.
  static constexpr std::uint32_t kOwnThread = 1;
  static constexpr std::uint32_t kDefaultForegroundLockTimeout = 200000;

  FakeDesktop() = default;

  // ---- Setting the scene (not recorded) ----

  // Adds a window at the top of its band (topmost windows above the others)
  // and returns its handle. Handles are never 0 or 1.
  WindowHandle AddWindow(FakeWindow window);
  WindowHandle AddWindow(std::string name, Rect rect, bool visible = true);
  WindowHandle AddWindow(std::string name, std::u16string className, std::u16string title);
  // A new window that the system gave the handle value of a closed one.
  WindowHandle AddWindowWithHandle(WindowHandle handle, FakeWindow window);
  // The window's program closed it: the handle no longer exists.
  void CloseWindow(WindowHandle window);
  // Null when the handle names no window.
  FakeWindow* Find(WindowHandle window);
  const FakeWindow* Find(WindowHandle window) const;
  // Top of the z-order first.
  const std::vector<WindowHandle>& ZOrderList() const { return zOrder_; }

  void SetTick(std::uint32_t tick) { tick_ = tick; }
  // The monitors the system reports from now on.
  std::vector<DisplayMonitor> monitors;
  // The process the core runs in (windows of other processes have other ids).
  void SetOwnProcessId(std::uint32_t id) { ownProcess_ = id; }
  static constexpr std::uint32_t kDefaultOwnProcess = 4000;
  // Runs at every Pause, after the clock moved on: lets another program's
  // window change while the core waits for it.
  void OnPause(std::function<void()> action) { onPause_ = std::move(action); }
  // Runs inside every call that waits on another thread (a synchronous
  // show, placement, raise or foreground change of another thread's window,
  // a pause), once the other thread has carried it out and before it
  // returns: there the system hands the core what other programs send it
  // meanwhile. Not run again from inside itself.
  void OnWait(std::function<void(const DesktopCall&)> action) { onWait_ = std::move(action); }
  // Runs at every call the core makes, before it takes effect: lets a test
  // look at the scene between any two calls, where a crash could strike.
  void OnCall(std::function<void(DesktopMethod, WindowHandle)> action) { onCall_ = std::move(action); }
  // Runs as a call of the core hides a window that was visible, before it
  // takes effect.
  void OnHide(std::function<void(WindowHandle)> action) { onHide_ = std::move(action); }
  void Advance(std::uint32_t milliseconds) { tick_ += milliseconds; }  // wraps as the system's count does
  std::uint32_t Tick() const { return tick_; }

  void SetPointer(Point position) { pointer_ = position; }
  void SetPointer(std::int32_t x, std::int32_t y) { pointer_ = {x, y}; }
  Point Pointer() const { return pointer_; }
  void SetPointerFails(bool fails) { pointerFails_ = fails; }

  // Key state: Press holds the key down; Release lets it up; Tap presses and
  // releases between two queries, so only the "pressed since" bit remains.
  void PressKey(VirtualKey key);
  void ReleaseKey(VirtualKey key);
  void TapKey(VirtualKey key);
  bool KeyHeld(VirtualKey key) const { return keys_[KeyIndex(key)].down; }

  void SetForeground(WindowHandle window) { foreground_ = window; }
  WindowHandle Foreground() const { return foreground_; }
  // SetForegroundWindow then fails and changes nothing (another program
  // holds the foreground lock).
  void SetForegroundRefused(bool refused) { foregroundRefused_ = refused; }
  WindowHandle Focus() const { return focus_; }
  std::uint32_t LockTimeout() const { return lockTimeout_; }
  // SetForegroundLockTimeout then changes nothing (the system takes it only
  // from a process that may take the foreground).
  void SetLockTimeoutRefused(bool refused) { lockTimeoutRefused_ = refused; }
  // Threads whose input is attached to the core's thread at the moment.
  const std::multiset<std::uint32_t>& AttachedThreads() const { return attached_; }

  // Every WindowRect query fails.
  void SetWindowRectFails(bool fails) { allRectsFail_ = fails; }

  // What belongs to a window: what a thread is doing (menus, moving or
  // sizing), and the default input-method window of a thread.
  void SetThreadModes(std::uint32_t thread, ThreadModes modes) { threadModes_[thread] = modes; }
  void SetInputMethodWindow(std::uint32_t thread, WindowHandle window) { inputMethods_[thread] = window; }
  // A pop-up menu of the thread, visible at the top of the z-order.
  WindowHandle AddMenu(std::string name, std::uint32_t thread, Rect rect);
  // For the full-screen rule: what the shell says of the user's state.
  void SetUserNotification(UserNotificationState state) { notification_ = state; }

  // ---- Virtual desktops ----
  // Desktops are numbered from 0, the one in front at the start. A window
  // on another desktop than the one in front is cloaked: still visible to
  // IsWindowVisible, unseen by the user and by TopLevelWindowAt. A hidden
  // window shown again comes up on the desktop in front; giving the
  // foreground to a visible window on another desktop switches the user
  // there.
  void SwitchDesktop(int desktop) { currentDesktop_ = desktop; }
  int CurrentDesktop() const { return currentDesktop_; }
  // The system offers no virtual desktops (Wine, before Windows 10): every
  // window counts as on the desktop in front.
  void SetVirtualDesktopsMissing(bool missing) { desktopsMissing_ = missing; }

  // ---- Mixed DPI ----
  // Every monitor has the DPI of its DisplayMonitor record; the windows
  // above rescale when they cross between two of them.
  void SetSystemDpi(std::uint32_t dpi) { systemDpi_ = dpi; }
  // The core runs as a program aware only of the system's DPI: the system
  // converts every point it reads or writes on a monitor of another DPI
  // into its DPI, scaled about the monitor's top-left corner, and reports
  // every monitor at its DPI in those sizes. Off (the default): aware of
  // each monitor's DPI, no conversion.
  void SetSystemAwareCaller(bool systemAware) { systemAware_ = systemAware; }

  // Synchronous calls made on windows whose thread is hung ("ShowWindow
  // editor Hide", ...): each of them would have frozen the program.
  const std::vector<std::string>& BlockingCalls() const { return blockingCalls_; }

  // ---- What the core did ----

  int Calls(DesktopMethod method) const { return counts_[static_cast<std::size_t>(method)]; }
  int TotalCalls() const;
  // Only counts and the call list are cleared; the scene stays.
  void ResetCalls();
  // Switch the ordered call list off for long runs (counters stay on).
  void SetRecording(bool on) { recording_ = on; }
  const std::vector<DesktopCall>& CallList() const { return calls_; }
  // The recorded calls as text, e.g. "ShowWindow taskbar Hide" or
  // "PlaceWindow editor Topmost show async"; queries only when asked for.
  std::vector<std::string> Log(bool withQueries = false) const;
  std::string Describe(const DesktopCall& call) const;
  std::string NameOf(WindowHandle window) const;

  // ---- Desktop ----
  std::uint32_t TickCount() override;
  bool PointerPosition(Point& position) override;
  bool IsKeyDown(VirtualKey key) override;
  bool IsKeyHeld(VirtualKey key) override;
  void Pause(std::uint32_t milliseconds) override;
  bool WindowExists(WindowHandle window) override;
  bool IsResponding(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  bool WindowRect(WindowHandle window, Rect& rect) override;
  bool IsMinimized(WindowHandle window) override;
  bool IsMaximized(WindowHandle window) override;
  void ShowWindow(WindowHandle window, ShowCommand command) override;
  void ShowWindowAsync(WindowHandle window, ShowCommand command) override;
  void PlaceWindow(WindowHandle window, const Placement& placement) override;
  void BringToTop(WindowHandle window) override;
  void SetFocus(WindowHandle window) override;
  WindowHandle ForegroundWindow() override;
  bool SetForegroundWindow(WindowHandle window) override;
  void AttachInputToForeground(WindowHandle window, bool attach) override;
  std::uint32_t ForegroundLockTimeout() override;
  void SetForegroundLockTimeout(std::uint32_t milliseconds) override;
  std::u16string WindowTitle(WindowHandle window, std::size_t maxUnits) override;
  std::u16string WindowClassName(WindowHandle window, std::size_t maxUnits) override;
  std::uint32_t WindowProcessId(WindowHandle window) override;
  std::uint32_t OwnProcessId() override { return ownProcess_; }
  std::vector<DisplayMonitor> Monitors() override;
  WindowHandle FindTopLevelWindow(std::u16string_view className, const std::u16string_view* caption) override;
  std::vector<WindowHandle> FindTopLevelWindows(std::u16string_view className) override;
  void EnumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visitor) override;
  // What belongs to a window
  WindowHandle WindowOwner(WindowHandle window) override;
  std::uint32_t WindowThreadId(WindowHandle window) override;
  ThreadModes ThreadModesOf(std::uint32_t thread) override;
  WindowHandle TopLevelWindowAt(Point point) override;
  WindowHandle InputMethodWindow(WindowHandle window) override;
  bool IsHung(WindowHandle window) override;
  // For the full-screen rule:
  bool HasCaption(WindowHandle window) override;
  UserNotificationState UserNotification() override;
  // Virtual desktops:
  bool IsOnCurrentDesktop(WindowHandle window) override;
  // Elevated windows:
  bool RunsElevated(WindowHandle window) override;
  // Mixed DPI:
  std::uint32_t SystemDpi() override;

 private:
  struct KeyState {
    bool down = false;
    bool pressedSinceQuery = false;
  };
  static std::size_t KeyIndex(VirtualKey key) { return static_cast<std::size_t>(key); }

  DesktopCall& Record(DesktopMethod method, WindowHandle window = kNoWindow);
  // Notes a synchronous call that would wait for a hung window's thread.
  void NoteIfBlocking(const DesktopCall& call);
  // The call waits on another thread: what the test sends meanwhile arrives.
  void Wait(const DesktopCall& call);
  void RaiseWithinBand(WindowHandle window);
  void ApplyShow(WindowHandle window, ShowCommand command, bool async);
  void Place(WindowHandle window, const Placement& placement);
  // ---- Virtual desktops ----
  bool OnCurrentDesktop(const FakeWindow& w) const;
  // The window becomes visible: one that was hidden comes up on the desktop in front.
  void MakeVisible(FakeWindow& w);
  // ---- Mixed DPI ----
  // The monitor holding most of the rectangle (its centre's, for an empty
  // one); null with no monitors.
  const DisplayMonitor* MonitorOf(const Rect& rect) const;
  // The window has moved: crossing to a monitor of another DPI, it rescales.
  void Rescale(FakeWindow& w, const Rect& before);
  // A system-aware caller's view: the monitor's pixels in the system's DPI,
  // and back.
  Rect ToCaller(const Rect& rect) const;
  Point ToCaller(Point point) const;
  Point FromCaller(Point point, const DisplayMonitor** monitor = nullptr) const;

  std::map<WindowHandle, FakeWindow> windows_;
  std::map<WindowHandle, std::string> names_;  // kept after a window closes
  std::vector<WindowHandle> zOrder_;
  WindowHandle nextHandle_ = 0x100;

  std::uint32_t tick_ = 1000;
  std::uint32_t ownProcess_ = kDefaultOwnProcess;
  std::function<void()> onPause_;
  std::function<void(const DesktopCall&)> onWait_;
  bool inWait_ = false;
  std::function<void(DesktopMethod, WindowHandle)> onCall_;
  Point pointer_{};
  bool pointerFails_ = false;
  std::array<KeyState, 256> keys_{};
  WindowHandle foreground_ = kNoWindow;
  WindowHandle focus_ = kNoWindow;
  bool foregroundRefused_ = false;
  std::uint32_t lockTimeout_ = kDefaultForegroundLockTimeout;
  bool lockTimeoutRefused_ = false;
  std::function<void(WindowHandle)> onHide_;
  std::multiset<std::uint32_t> attached_;
  bool allRectsFail_ = false;
  std::map<std::uint32_t, ThreadModes> threadModes_;
  std::map<std::uint32_t, WindowHandle> inputMethods_;
  UserNotificationState notification_ = UserNotificationState::AcceptsNotifications;  // the full-screen rule's
  // ---- Virtual desktops ----
  int currentDesktop_ = 0;
  bool desktopsMissing_ = false;
  // ---- Mixed DPI ----
  std::uint32_t systemDpi_ = kDefaultDpi;
  bool systemAware_ = false;

  std::vector<std::string> blockingCalls_;
  std::array<int, kDesktopMethodCount> counts_{};
  std::vector<DesktopCall> calls_;
  bool recording_ = true;
};

}  // namespace peekbar
