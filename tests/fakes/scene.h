// The scene the core's tests play on: Peekbar on a simulated desktop of one
// monitor (1920 x 1080) or two (a 1280 x 1024 one to its right), the
// windows of other programs a test puts there, and the moves of a user. A
// test file adds what its cases share (a taskbar, a keyword, a window up
// front), then starts Peekbar.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "fakes/app_harness.h"

namespace peekbar {

inline constexpr Rect kPrimary{0, 0, 1920, 1080};
inline constexpr Rect kSecond{1920, 0, 3200, 1024};

struct DesktopScene {
  AppHarness h;
  WindowHandle main = kNoWindow;

  // The monitors the system reports; nothing runs until Start.
  explicit DesktopScene(int monitors = 1) {
    h.AddMonitor(kPrimary);
    if (monitors > 1) h.AddMonitor(kSecond);
  }
  WindowHandle Start() { return main = h.Start(); }

  // A top-level window of another program, of class "Notepad" unless said.
  WindowHandle Add(std::string name, std::u16string title, bool visible = true,
                   std::u16string className = u"Notepad") {
    FakeWindow w;
    w.name = std::move(name);
    w.title = std::move(title);
    w.className = std::move(className);
    w.visible = visible;
    return h.desktop.AddWindow(std::move(w));
  }
  // A hidden window of a thread of its own.
  WindowHandle AddHidden(std::string name, Rect rect) {
    FakeWindow w;
    w.name = std::move(name);
    w.rect = rect;
    w.visible = false;
    w.thread = 3;
    return h.desktop.AddWindow(std::move(w));
  }

  MonitorSlot& Slot(int m = 0) { return h.state().monitorSlots[static_cast<std::size_t>(m)]; }
  bool Visible(WindowHandle w) { return h.desktop.Find(w)->visible; }
  Rect RectOf(WindowHandle w) { return h.desktop.Find(w)->rect; }

  // One tick of the watch timer, `ms` after the last.
  void Tick(std::uint32_t ms = 200) {
    h.desktop.Advance(ms);
    h.app.OnTimer();
  }
  void TickAt(Point p, std::uint32_t ms = 200) {
    h.desktop.SetPointer(p);
    Tick(ms);
  }

  // Forgets what was logged so far, the scene stays.
  void ClearLogs() {
    h.desktop.ResetCalls();
    h.shell.ClearLog();
    h.store.ClearWrites();
    h.windows.log.clear();
  }
};

}  // namespace peekbar
