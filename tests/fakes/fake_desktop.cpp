#include "fakes/fake_desktop.h"

#include <algorithm>

namespace peekbar {
namespace {

constexpr std::array<const char*, kDesktopMethodCount> kMethodNames = {
    "TickCount",       "PointerPosition",        "IsKeyDown",
    "WindowExists",    "IsWindowVisible",        "WindowRect",
    "IsMinimized",     "IsMaximized",            "ShowWindow",
    "PlaceWindow",     "BringToTop",             "SetFocus",
    "ForegroundWindow", "SetForegroundWindow",   "AttachInputToForeground",
    "ForegroundLockTimeout", "SetForegroundLockTimeout", "WindowTitle",
    "WindowClassName", "FindTopLevelWindow",     "FindTopLevelWindows",    "EnumerateTopLevelWindows",
    "IsKeyHeld",       "Pause",                  "ShowWindowAsync",
    "WindowProcessId", "IsResponding",
    "WindowOwner",     "WindowThreadId",         "ThreadModesOf",
    "TopLevelWindowAt", "InputMethodWindow",     "IsHung",
    // For the full-screen rule:
    "HasCaption",      "UserNotification",
    // Virtual desktops:
    "IsOnCurrentDesktop",
    // Elevated windows:
    "RunsElevated",
    // Mixed DPI:
    "SystemDpi",
};

const char* ShowCommandName(ShowCommand command) {
  switch (command) {
    case ShowCommand::Hide: return "Hide";
    case ShowCommand::Show: return "Show";
    case ShowCommand::Restore: return "Restore";
  }
  return "?";
}

const char* ZOrderName(ZOrder z) {
  switch (z) {
    case ZOrder::Unchanged: return "Unchanged";
    case ZOrder::Top: return "Top";
    case ZOrder::Topmost: return "Topmost";
    case ZOrder::NotTopmost: return "NotTopmost";
  }
  return "?";
}

std::string HandleText(WindowHandle window) {
  std::string text = "#";
  text += std::to_string(window);
  return text;
}

std::u16string Cut(std::u16string_view text, std::size_t maxUnits) {
  if (maxUnits == 0) return {};
  return std::u16string(text.substr(0, maxUnits - 1));
}

}  // namespace

const char* DesktopMethodName(DesktopMethod method) { return kMethodNames[static_cast<std::size_t>(method)]; }

bool IsDesktopAction(DesktopMethod method) {
  switch (method) {
    case DesktopMethod::ShowWindow:
    case DesktopMethod::ShowWindowAsync:
    case DesktopMethod::PlaceWindow:
    case DesktopMethod::BringToTop:
    case DesktopMethod::SetFocus:
    case DesktopMethod::SetForegroundWindow:
    case DesktopMethod::AttachInputToForeground:
    case DesktopMethod::SetForegroundLockTimeout:
      return true;
    default:
      return false;
  }
}

// ---- Scene ----

WindowHandle FakeDesktop::AddWindow(FakeWindow window) {
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 4;
  return AddWindowWithHandle(handle, std::move(window));
}

WindowHandle FakeDesktop::AddWindowWithHandle(WindowHandle handle, FakeWindow window) {
  if (Find(handle) != nullptr) return kNoWindow;  // still in use
  names_[handle] = window.name.empty() ? HandleText(handle) : window.name;
  windows_.emplace(handle, std::move(window));
  zOrder_.insert(zOrder_.begin(), handle);
  RaiseWithinBand(handle);
  return handle;
}

WindowHandle FakeDesktop::AddWindow(std::string name, Rect rect, bool visible) {
  FakeWindow window;
  window.name = std::move(name);
  window.rect = rect;
  window.visible = visible;
  return AddWindow(std::move(window));
}

WindowHandle FakeDesktop::AddWindow(std::string name, std::u16string className, std::u16string title) {
  FakeWindow window;
  window.name = std::move(name);
  window.className = std::move(className);
  window.title = std::move(title);
  return AddWindow(std::move(window));
}

WindowHandle FakeDesktop::AddMenu(std::string name, std::uint32_t thread, Rect rect) {
  FakeWindow menu;
  menu.name = std::move(name);
  menu.className = u"#32768";
  menu.rect = rect;
  menu.thread = thread;
  menu.topmost = true;
  return AddWindow(std::move(menu));
}

void FakeDesktop::CloseWindow(WindowHandle window) {
  if (windows_.erase(window) == 0) return;
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
  if (foreground_ == window) foreground_ = kNoWindow;
  if (focus_ == window) focus_ = kNoWindow;
}

FakeWindow* FakeDesktop::Find(WindowHandle window) {
  const auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const FakeWindow* FakeDesktop::Find(WindowHandle window) const {
  const auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

// Moves the window to the top of its band: topmost windows to the very top,
// the others just below the last topmost window.
void FakeDesktop::RaiseWithinBand(WindowHandle window) {
  const FakeWindow* w = Find(window);
  if (w == nullptr) return;
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
  auto position = zOrder_.begin();
  if (!w->topmost) {
    while (position != zOrder_.end() && Find(*position)->topmost) ++position;
  }
  zOrder_.insert(position, window);
}

void FakeDesktop::PressKey(VirtualKey key) {
  KeyState& k = keys_[KeyIndex(key)];
  k.down = true;
  k.pressedSinceQuery = true;
}

void FakeDesktop::ReleaseKey(VirtualKey key) { keys_[KeyIndex(key)].down = false; }

void FakeDesktop::TapKey(VirtualKey key) {
  PressKey(key);
  ReleaseKey(key);
}

// ---- Recording ----

DesktopCall& FakeDesktop::Record(DesktopMethod method, WindowHandle window) {
  if (onCall_) onCall_(method, window);
  ++counts_[static_cast<std::size_t>(method)];
  static DesktopCall scratch;
  if (!recording_) {
    scratch = DesktopCall{};
    scratch.method = method;
    scratch.window = window;
    return scratch;
  }
  DesktopCall& call = calls_.emplace_back();
  call.method = method;
  call.window = window;
  return call;
}

void FakeDesktop::NoteIfBlocking(const DesktopCall& call) {
  const FakeWindow* w = Find(call.window);
  if (w == nullptr || !w->hung) return;
  bool blocking = false;
  switch (call.method) {
    case DesktopMethod::ShowWindow:
    case DesktopMethod::BringToTop:
    case DesktopMethod::SetFocus:
    case DesktopMethod::AttachInputToForeground:
      blocking = true;
      break;
    case DesktopMethod::PlaceWindow:
      blocking = !call.placement.async;
      break;
    default:
      break;
  }
  if (blocking) blockingCalls_.push_back(Describe(call));
}

int FakeDesktop::TotalCalls() const {
  int total = 0;
  for (int c : counts_) total += c;
  return total;
}

void FakeDesktop::ResetCalls() {
  counts_.fill(0);
  calls_.clear();
}

std::string FakeDesktop::NameOf(WindowHandle window) const {
  if (window == kNoWindow) return "null";
  const auto it = names_.find(window);
  return it == names_.end() ? HandleText(window) : it->second;
}

std::string FakeDesktop::Describe(const DesktopCall& call) const {
  std::string text = DesktopMethodName(call.method);
  const auto add = [&text](const auto&... parts) { (text.append(parts), ...); };
  switch (call.method) {
    case DesktopMethod::TickCount:
    case DesktopMethod::PointerPosition:
    case DesktopMethod::ForegroundWindow:
    case DesktopMethod::ForegroundLockTimeout:
    case DesktopMethod::FindTopLevelWindow:
    case DesktopMethod::FindTopLevelWindows:
    case DesktopMethod::EnumerateTopLevelWindows:
    case DesktopMethod::ThreadModesOf:
    case DesktopMethod::TopLevelWindowAt:
    case DesktopMethod::UserNotification:
    case DesktopMethod::SystemDpi:
      break;
    case DesktopMethod::IsKeyDown:
    case DesktopMethod::IsKeyHeld:
      add(" ", std::to_string(static_cast<int>(call.key)));
      break;
    case DesktopMethod::Pause:
      add(" ", std::to_string(call.milliseconds));
      break;
    case DesktopMethod::ShowWindow:
    case DesktopMethod::ShowWindowAsync:
      add(" ", NameOf(call.window), " ", ShowCommandName(call.show));
      break;
    case DesktopMethod::PlaceWindow: {
      const Placement& p = call.placement;
      add(" ", NameOf(call.window), " ", ZOrderName(p.zOrder));
      if (p.move) add(" move=(", std::to_string(p.position.x), ",", std::to_string(p.position.y), ")");
      if (p.size) add(" size=", std::to_string(p.width), "x", std::to_string(p.height));
      if (p.show) add(" show");
      if (p.noActivate) add(" noactivate");
      if (p.async) add(" async");
      break;
    }
    case DesktopMethod::AttachInputToForeground:
      add(" ", NameOf(call.window), call.flag ? " attach" : " detach");
      break;
    case DesktopMethod::SetForegroundLockTimeout:
      add(" ", std::to_string(call.value));
      break;
    default:
      add(" ", NameOf(call.window));
      break;
  }
  return text;
}

std::vector<std::string> FakeDesktop::Log(bool withQueries) const {
  std::vector<std::string> lines;
  for (const DesktopCall& call : calls_) {
    if (withQueries || IsDesktopAction(call.method)) lines.push_back(Describe(call));
  }
  return lines;
}

// ---- Desktop ----

std::uint32_t FakeDesktop::TickCount() {
  Record(DesktopMethod::TickCount);
  return tick_;
}

bool FakeDesktop::PointerPosition(Point& position) {
  Record(DesktopMethod::PointerPosition);
  if (pointerFails_) return false;
  position = ToCaller(pointer_);
  return true;
}

bool FakeDesktop::IsKeyDown(VirtualKey key) {
  Record(DesktopMethod::IsKeyDown).key = key;
  KeyState& k = keys_[KeyIndex(key)];
  const bool result = k.down || k.pressedSinceQuery;
  k.pressedSinceQuery = false;
  return result;
}

bool FakeDesktop::IsKeyHeld(VirtualKey key) {
  Record(DesktopMethod::IsKeyHeld).key = key;
  return keys_[KeyIndex(key)].down;
}

void FakeDesktop::Wait(const DesktopCall& call) {
  if (!onWait_ || inWait_) return;
  if (call.method != DesktopMethod::Pause) {
    const FakeWindow* w = Find(call.window);
    if (w == nullptr || w->thread == kOwnThread) return;
  }
  inWait_ = true;
  onWait_(call);
  inWait_ = false;
}

void FakeDesktop::Pause(std::uint32_t milliseconds) {
  DesktopCall& recorded = Record(DesktopMethod::Pause);
  recorded.milliseconds = milliseconds;
  const DesktopCall call = recorded;  // what runs next may add to the call list
  tick_ += milliseconds;
  if (onPause_) onPause_();
  Wait(call);
}

bool FakeDesktop::WindowExists(WindowHandle window) {
  Record(DesktopMethod::WindowExists, window);
  return Find(window) != nullptr;
}

bool FakeDesktop::IsResponding(WindowHandle window) {
  Record(DesktopMethod::IsResponding, window);
  const FakeWindow* w = Find(window);
  return w == nullptr || !w->hung;
}

bool FakeDesktop::IsWindowVisible(WindowHandle window) {
  Record(DesktopMethod::IsWindowVisible, window);
  const FakeWindow* w = Find(window);
  return w != nullptr && w->visible;
}

bool FakeDesktop::WindowRect(WindowHandle window, Rect& rect) {
  Record(DesktopMethod::WindowRect, window);
  const FakeWindow* w = Find(window);
  if (w == nullptr || w->rectFails || allRectsFail_) return false;
  rect = ToCaller(w->rect);
  return true;
}

bool FakeDesktop::IsMinimized(WindowHandle window) {
  Record(DesktopMethod::IsMinimized, window);
  const FakeWindow* w = Find(window);
  return w != nullptr && w->minimized;
}

bool FakeDesktop::IsMaximized(WindowHandle window) {
  Record(DesktopMethod::IsMaximized, window);
  const FakeWindow* w = Find(window);
  return w != nullptr && w->maximized;
}

void FakeDesktop::ShowWindowAsync(WindowHandle window, ShowCommand command) {
  Record(DesktopMethod::ShowWindowAsync, window).show = command;
  ApplyShow(window, command, true);
}

void FakeDesktop::ShowWindow(WindowHandle window, ShowCommand command) {
  DesktopCall& call = Record(DesktopMethod::ShowWindow, window);
  call.show = command;
  NoteIfBlocking(call);
  const DesktopCall made = call;  // what runs while it waits may add to the call list
  ApplyShow(window, command, false);
  Wait(made);
}

void FakeDesktop::ApplyShow(WindowHandle window, ShowCommand command, bool async) {
  FakeWindow* w = Find(window);
  if (w == nullptr) return;
  if (async && w->asyncShowPending) return;
  if (w->elevated) return;  // Elevated windows: the system refuses
  switch (command) {
    case ShowCommand::Hide:
      if (w->visible && onHide_) onHide_(window);
      w->hiddenByCore = w->hiddenByCore || w->visible;
      w->visible = false;
      break;
    case ShowCommand::Show:
      MakeVisible(*w);
      break;
    case ShowCommand::Restore:
      if ((w->minimized || w->maximized) && w->normalRect.Width() > 0 && w->normalRect.Height() > 0) {
        w->rect = w->normalRect;
      }
      w->minimized = false;
      w->maximized = false;
      MakeVisible(*w);
      break;
  }
}

void FakeDesktop::PlaceWindow(WindowHandle window, const Placement& placement) {
  DesktopCall& call = Record(DesktopMethod::PlaceWindow, window);
  call.placement = placement;
  NoteIfBlocking(call);
  const DesktopCall made = call;
  Place(window, placement);
  if (!placement.async) Wait(made);
}

void FakeDesktop::Place(WindowHandle window, const Placement& placement) {
  FakeWindow* w = Find(window);
  if (w == nullptr) return;
  if (w->elevated) return;  // Elevated windows: the system refuses
  const Rect before = w->rect;
  const DisplayMonitor* monitor = nullptr;
  if (placement.move) {
    const Point at = FromCaller(placement.position, &monitor);
    const std::int32_t width = w->rect.Width();
    const std::int32_t height = w->rect.Height();
    w->rect = {at.x, at.y, at.x + width, at.y + height};
  }
  if (placement.size) {
    if (monitor == nullptr) FromCaller({w->rect.left, w->rect.top}, &monitor);
    const std::uint32_t dpi = monitor != nullptr ? monitor->dpi : systemDpi_;
    const auto physical = [&](std::int32_t extent) {
      return systemAware_ ? static_cast<std::int32_t>(static_cast<std::int64_t>(extent) * dpi / systemDpi_) : extent;
    };
    w->rect.right = w->rect.left + physical(placement.width);
    w->rect.bottom = w->rect.top + physical(placement.height);
  }
  if (placement.move || placement.size) Rescale(*w, before);
  if (placement.show && !(placement.async && w->asyncShowPending)) MakeVisible(*w);
  switch (placement.zOrder) {
    case ZOrder::Unchanged:
      break;
    case ZOrder::Top:
      RaiseWithinBand(window);
      break;
    case ZOrder::Topmost:
      w->topmost = true;
      RaiseWithinBand(window);
      break;
    case ZOrder::NotTopmost:
      // Already an ordinary window: its place does not change.
      if (w->topmost) {
        w->topmost = false;
        RaiseWithinBand(window);
      }
      break;
  }
}

void FakeDesktop::BringToTop(WindowHandle window) {
  const DesktopCall call = Record(DesktopMethod::BringToTop, window);
  NoteIfBlocking(call);
  RaiseWithinBand(window);
  Wait(call);
}

void FakeDesktop::SetFocus(WindowHandle window) {
  NoteIfBlocking(Record(DesktopMethod::SetFocus, window));
  if (Find(window) != nullptr) focus_ = window;
}

WindowHandle FakeDesktop::ForegroundWindow() {
  Record(DesktopMethod::ForegroundWindow);
  return foreground_;
}

bool FakeDesktop::SetForegroundWindow(WindowHandle window) {
  const DesktopCall call = Record(DesktopMethod::SetForegroundWindow, window);
  const bool taken = !foregroundRefused_ && Find(window) != nullptr;
  if (taken) {
    // Virtual desktops: activating a window the user cannot see on another desktop takes the user there.
    const FakeWindow& w = *Find(window);
    if (w.visible && !OnCurrentDesktop(w)) currentDesktop_ = w.desktop;
    foreground_ = window;
    RaiseWithinBand(window);
  }
  Wait(call);
  return taken;
}

void FakeDesktop::AttachInputToForeground(WindowHandle window, bool attach) {
  DesktopCall& call = Record(DesktopMethod::AttachInputToForeground, window);
  call.flag = attach;
  NoteIfBlocking(call);
  const FakeWindow* w = Find(window);
  const std::uint32_t thread = w != nullptr ? w->thread : 0;
  if (thread == 0 || thread == kOwnThread) return;  // nothing to join
  if (attach) {
    attached_.insert(thread);
  } else if (const auto it = attached_.find(thread); it != attached_.end()) {
    attached_.erase(it);
  }
}

std::uint32_t FakeDesktop::ForegroundLockTimeout() {
  Record(DesktopMethod::ForegroundLockTimeout);
  return lockTimeout_;
}

void FakeDesktop::SetForegroundLockTimeout(std::uint32_t milliseconds) {
  Record(DesktopMethod::SetForegroundLockTimeout).value = milliseconds;
  if (!lockTimeoutRefused_) lockTimeout_ = milliseconds;
}

std::u16string FakeDesktop::WindowTitle(WindowHandle window, std::size_t maxUnits) {
  Record(DesktopMethod::WindowTitle, window);
  const FakeWindow* w = Find(window);
  return w == nullptr ? std::u16string() : Cut(w->title, maxUnits);
}

std::u16string FakeDesktop::WindowClassName(WindowHandle window, std::size_t maxUnits) {
  Record(DesktopMethod::WindowClassName, window);
  const FakeWindow* w = Find(window);
  return w == nullptr ? std::u16string() : Cut(w->className, maxUnits);
}

std::uint32_t FakeDesktop::WindowProcessId(WindowHandle window) {
  Record(DesktopMethod::WindowProcessId, window);
  const FakeWindow* w = Find(window);
  return w == nullptr ? 0 : w->process;
}

WindowHandle FakeDesktop::FindTopLevelWindow(std::u16string_view className, const std::u16string_view* caption) {
  Record(DesktopMethod::FindTopLevelWindow);
  for (WindowHandle handle : zOrder_) {
    const FakeWindow& w = *Find(handle);
    if (w.className != className) continue;
    if (caption != nullptr && w.title != *caption) continue;
    return handle;
  }
  return kNoWindow;
}

std::vector<WindowHandle> FakeDesktop::FindTopLevelWindows(std::u16string_view className) {
  Record(DesktopMethod::FindTopLevelWindows);
  std::vector<WindowHandle> found;
  for (WindowHandle handle : zOrder_) {
    if (Find(handle)->className == className) found.push_back(handle);
  }
  return found;
}

void FakeDesktop::EnumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visitor) {
  Record(DesktopMethod::EnumerateTopLevelWindows);
  // A snapshot, so that the visitor may change the desktop.
  const std::vector<WindowHandle> snapshot = zOrder_;
  for (WindowHandle handle : snapshot) {
    if (!visitor(handle)) return;
  }
}

// ---- What belongs to a window ----

WindowHandle FakeDesktop::WindowOwner(WindowHandle window) {
  Record(DesktopMethod::WindowOwner, window);
  const FakeWindow* w = Find(window);
  return w == nullptr ? kNoWindow : w->owner;
}

std::uint32_t FakeDesktop::WindowThreadId(WindowHandle window) {
  Record(DesktopMethod::WindowThreadId, window);
  const FakeWindow* w = Find(window);
  return w == nullptr ? 0 : w->thread;
}

ThreadModes FakeDesktop::ThreadModesOf(std::uint32_t thread) {
  Record(DesktopMethod::ThreadModesOf);
  const auto it = threadModes_.find(thread);
  return it == threadModes_.end() ? ThreadModes{} : it->second;
}

WindowHandle FakeDesktop::TopLevelWindowAt(Point point) {
  Record(DesktopMethod::TopLevelWindowAt);
  point = FromCaller(point);
  for (const WindowHandle handle : zOrder_) {
    const FakeWindow& w = *Find(handle);
    if (w.visible && !w.minimized && OnCurrentDesktop(w) && w.rect.Contains(point)) return handle;
  }
  return kNoWindow;
}

WindowHandle FakeDesktop::InputMethodWindow(WindowHandle window) {
  Record(DesktopMethod::InputMethodWindow, window);
  const FakeWindow* w = Find(window);
  if (w == nullptr) return kNoWindow;
  const auto it = inputMethods_.find(w->thread);
  return it == inputMethods_.end() ? kNoWindow : it->second;
}

bool FakeDesktop::IsHung(WindowHandle window) {
  Record(DesktopMethod::IsHung, window);
  const FakeWindow* w = Find(window);
  return w != nullptr && w->hung;
}

// ---- For the full-screen rule ----

bool FakeDesktop::HasCaption(WindowHandle window) {
  Record(DesktopMethod::HasCaption, window);
  const FakeWindow* w = Find(window);
  return w != nullptr && w->caption;
}

UserNotificationState FakeDesktop::UserNotification() {
  Record(DesktopMethod::UserNotification);
  return notification_;
}

// ---- Virtual desktops ----

bool FakeDesktop::IsOnCurrentDesktop(WindowHandle window) {
  Record(DesktopMethod::IsOnCurrentDesktop, window);
  const FakeWindow* w = Find(window);
  return w == nullptr || OnCurrentDesktop(*w);  // the system cannot say: in front
}

bool FakeDesktop::OnCurrentDesktop(const FakeWindow& w) const {
  return desktopsMissing_ || w.desktop == kEveryDesktop || w.desktop == currentDesktop_;
}

void FakeDesktop::MakeVisible(FakeWindow& w) {
  if (!w.visible && w.desktop != kEveryDesktop) w.desktop = currentDesktop_;
  w.visible = true;
  w.hiddenByCore = false;
}

// ---- Elevated windows ----

bool FakeDesktop::RunsElevated(WindowHandle window) {
  Record(DesktopMethod::RunsElevated, window);
  const FakeWindow* w = Find(window);
  return w != nullptr && w->elevated;
}

// ---- Mixed DPI ----

std::uint32_t FakeDesktop::SystemDpi() {
  Record(DesktopMethod::SystemDpi);
  return systemDpi_;
}

std::vector<DisplayMonitor> FakeDesktop::Monitors() {
  if (!systemAware_) return monitors;
  std::vector<DisplayMonitor> seen = monitors;
  for (DisplayMonitor& m : seen) {
    m.rect = ToCaller(m.rect);
    m.dpi = systemDpi_;
  }
  return seen;
}

const DisplayMonitor* FakeDesktop::MonitorOf(const Rect& rect) const {
  const DisplayMonitor* best = nullptr;
  std::int64_t bestArea = -1;
  const Point centre{rect.left + static_cast<std::int32_t>(rect.Width() / 2),
                     rect.top + static_cast<std::int32_t>(rect.Height() / 2)};
  for (const DisplayMonitor& m : monitors) {
    const std::int64_t w = std::min(rect.right, m.rect.right) - std::max(rect.left, m.rect.left);
    const std::int64_t h = std::min(rect.bottom, m.rect.bottom) - std::max(rect.top, m.rect.top);
    std::int64_t area = w > 0 && h > 0 ? w * h : 0;
    if (area == 0 && m.rect.Contains(centre)) area = 1;
    if (area > bestArea) {
      best = &m;
      bestArea = area;
    }
  }
  return best;
}

namespace {

// A coordinate `from` pixels per inch about the origin, `to` pixels per inch.
std::int32_t ScaledAbout(std::int32_t origin, std::int32_t value, std::uint32_t to, std::uint32_t from) {
  return origin + static_cast<std::int32_t>(static_cast<std::int64_t>(value - origin) * to / from);
}

}  // namespace

void FakeDesktop::Rescale(FakeWindow& w, const Rect& before) {
  const DisplayMonitor* from = MonitorOf(before);
  const DisplayMonitor* to = MonitorOf(w.rect);
  if (to == nullptr) return;
  if (w.dpi == 0) w.dpi = from != nullptr ? from->dpi : to->dpi;
  if (!w.rescales || w.dpi == to->dpi) {
    w.dpi = w.rescales ? w.dpi : to->dpi;
    return;
  }
  w.rect.right = w.rect.left + ScaleForDpi(static_cast<std::int32_t>(w.rect.Width()), to->dpi, w.dpi);
  w.rect.bottom = w.rect.top + ScaleForDpi(static_cast<std::int32_t>(w.rect.Height()), to->dpi, w.dpi);
  w.dpi = to->dpi;
}

Point FakeDesktop::ToCaller(Point point) const {
  const Rect seen = ToCaller(Rect{point.x, point.y, point.x + 1, point.y + 1});
  return {seen.left, seen.top};
}

Rect FakeDesktop::ToCaller(const Rect& rect) const {
  if (!systemAware_) return rect;
  const DisplayMonitor* m = MonitorOf(rect);
  if (m == nullptr) return rect;
  const Rect& o = m->rect;
  return {ScaledAbout(o.left, rect.left, systemDpi_, m->dpi), ScaledAbout(o.top, rect.top, systemDpi_, m->dpi),
          ScaledAbout(o.left, rect.right, systemDpi_, m->dpi), ScaledAbout(o.top, rect.bottom, systemDpi_, m->dpi)};
}

Point FakeDesktop::FromCaller(Point point, const DisplayMonitor** monitor) const {
  // The monitor whose rectangle, as the caller sees it, holds the point.
  const DisplayMonitor* found = nullptr;
  for (const DisplayMonitor& m : monitors) {
    if (ToCaller(m.rect).Contains(point)) {
      found = &m;
      break;
    }
  }
  if (monitor != nullptr) *monitor = found;
  if (!systemAware_ || found == nullptr) return point;
  return {ScaledAbout(found->rect.left, point.x, found->dpi, systemDpi_),
          ScaledAbout(found->rect.top, point.y, found->dpi, systemDpi_)};
}

}  // namespace peekbar
