// The desktop over user32.
#pragma once

#include <windows.h>

#include "core/base/desktop.h"

namespace peekbar::win32 {

// ---- Virtual desktops ----
// The shell's virtual-desktop manager, declared where it is used.
struct VirtualDesktopManager;

class Win32Desktop final : public Desktop {
 public:
  // ---- Virtual desktops ----
  // On the main thread, once: enters its apartment and asks the shell for
  // its virtual-desktop manager.
  Win32Desktop();
  ~Win32Desktop() override;

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
  std::uint32_t OwnProcessId() override;
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

  // ---- Virtual desktops ----
  bool IsOnCurrentDesktop(WindowHandle window) override;
  // Elevated windows:
  bool RunsElevated(WindowHandle window) override;
  // Mixed DPI:
  std::uint32_t SystemDpi() override;

 private:
  VirtualDesktopManager* desktops_ = nullptr;  // none where the system has no virtual desktops
  bool apartmentEntered_ = false;
  // Elevated windows: this process's integrity level, read once; 0 until then.
  DWORD ownIntegrity_ = 0;
};

}  // namespace peekbar::win32
