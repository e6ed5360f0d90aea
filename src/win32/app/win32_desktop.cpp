#include "win32/app/win32_desktop.h"

#include <imm.h>
#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "win32/app/dpi.h"
#include "win32/app/wide.h"

namespace peekbar::win32 {
namespace {

// How long a window's thread may take to answer before it counts as not
// answering; a window busy for longer is handled without waiting for it.
constexpr UINT kAnswerTimeoutMs = 50;

BOOL CALLBACK VisitTopLevelWindow(HWND window, LPARAM context) {
  const auto& visit = *reinterpret_cast<const std::function<bool(WindowHandle)>*>(context);
  return visit(FromHwnd(window)) ? TRUE : FALSE;
}

int ShowCommandValue(ShowCommand command) {
  switch (command) {
    case ShowCommand::Hide: return SW_HIDE;
    case ShowCommand::Show: return SW_SHOW;
    case ShowCommand::Restore: return SW_RESTORE;
  }
  return SW_SHOW;
}

}  // namespace

std::uint32_t Win32Desktop::TickCount() { return GetTickCount(); }

bool Win32Desktop::PointerPosition(Point& position) {
  POINT p{};
  if (!GetCursorPos(&p)) return false;
  position = {p.x, p.y};
  return true;
}

bool Win32Desktop::IsKeyDown(VirtualKey key) { return GetAsyncKeyState(static_cast<int>(key)) != 0; }

bool Win32Desktop::IsKeyHeld(VirtualKey key) { return (GetKeyState(static_cast<int>(key)) & 0x8000) != 0; }

void Win32Desktop::Pause(std::uint32_t milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) break;
    // Messages sent by other threads are answered; posted ones (timer,
    // commands, the quit message) stay queued for the message loop.
    if (MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds - elapsed, QS_SENDMESSAGE, 0) == WAIT_OBJECT_0) {
      MSG message;
      PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }
}

bool Win32Desktop::WindowExists(WindowHandle window) { return IsWindow(ToHwnd(window)) != FALSE; }

bool Win32Desktop::IsResponding(WindowHandle window) {
  const HWND hwnd = ToHwnd(window);
  if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) return true;
  // Known to be hung for a while: no need to wait to find out.
  if (IsHungAppWindow(hwnd)) return false;
  // Blocked meanwhile: no message sent to this thread runs in the middle of
  // what asked.
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &result) != 0;
}

bool Win32Desktop::IsWindowVisible(WindowHandle window) { return ::IsWindowVisible(ToHwnd(window)) != FALSE; }

bool Win32Desktop::WindowRect(WindowHandle window, Rect& rect) {
  RECT r{};
  if (!GetWindowRect(ToHwnd(window), &r)) return false;
  rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

bool Win32Desktop::IsMinimized(WindowHandle window) { return IsIconic(ToHwnd(window)) != FALSE; }

bool Win32Desktop::IsMaximized(WindowHandle window) { return IsZoomed(ToHwnd(window)) != FALSE; }

void Win32Desktop::ShowWindow(WindowHandle window, ShowCommand command) {
  ::ShowWindow(ToHwnd(window), ShowCommandValue(command));
}

void Win32Desktop::ShowWindowAsync(WindowHandle window, ShowCommand command) {
  ::ShowWindowAsync(ToHwnd(window), ShowCommandValue(command));
}

void Win32Desktop::PlaceWindow(WindowHandle window, const Placement& placement) {
  HWND insertAfter = nullptr;
  UINT flags = 0;
  switch (placement.zOrder) {
    case ZOrder::Unchanged: flags |= SWP_NOZORDER; break;
    case ZOrder::Top: insertAfter = HWND_TOP; break;
    case ZOrder::Topmost: insertAfter = HWND_TOPMOST; break;
    case ZOrder::NotTopmost: insertAfter = HWND_NOTOPMOST; break;
  }
  if (!placement.move) flags |= SWP_NOMOVE;
  if (!placement.size) flags |= SWP_NOSIZE;
  if (placement.show) flags |= SWP_SHOWWINDOW;
  if (placement.noActivate) flags |= SWP_NOACTIVATE;
  if (placement.async) flags |= SWP_ASYNCWINDOWPOS;
  SetWindowPos(ToHwnd(window), insertAfter, placement.position.x, placement.position.y, placement.width,
               placement.height, flags);
}

void Win32Desktop::BringToTop(WindowHandle window) { BringWindowToTop(ToHwnd(window)); }

void Win32Desktop::SetFocus(WindowHandle window) { ::SetFocus(ToHwnd(window)); }

WindowHandle Win32Desktop::ForegroundWindow() { return FromHwnd(GetForegroundWindow()); }

bool Win32Desktop::SetForegroundWindow(WindowHandle window) { return ::SetForegroundWindow(ToHwnd(window)) != FALSE; }

void Win32Desktop::AttachInputToForeground(WindowHandle window, bool attach) {
  const DWORD own = GetCurrentThreadId();
  const DWORD other = GetWindowThreadProcessId(ToHwnd(window), nullptr);
  if (other != 0 && other != own) AttachThreadInput(own, other, attach ? TRUE : FALSE);
}

std::uint32_t Win32Desktop::ForegroundLockTimeout() {
  DWORD timeout = 0;
  SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
  return timeout;
}

void Win32Desktop::SetForegroundLockTimeout(std::uint32_t milliseconds) {
  SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                        reinterpret_cast<void*>(static_cast<std::uintptr_t>(milliseconds)), 0);
}

std::u16string Win32Desktop::WindowTitle(WindowHandle window, std::size_t maxUnits) {
  std::vector<wchar_t> buffer(maxUnits + 1, L'\0');
  const int length = GetWindowTextW(ToHwnd(window), buffer.data(), static_cast<int>(maxUnits));
  return Utf16(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::u16string Win32Desktop::WindowClassName(WindowHandle window, std::size_t maxUnits) {
  std::vector<wchar_t> buffer(maxUnits + 1, L'\0');
  const int length = GetClassNameW(ToHwnd(window), buffer.data(), static_cast<int>(maxUnits));
  return Utf16(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::uint32_t Win32Desktop::OwnProcessId() { return GetCurrentProcessId(); }

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
  auto& monitors = *reinterpret_cast<std::vector<DisplayMonitor>*>(context);
  MONITORINFOEXW info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  monitors.push_back({Utf16(info.szDevice), {r.left, r.top, r.right, r.bottom}, MonitorDpi(monitor)});
  return TRUE;
}

}  // namespace

std::vector<DisplayMonitor> Win32Desktop::Monitors() {
  std::vector<DisplayMonitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

std::uint32_t Win32Desktop::SystemDpi() { return win32::SystemDpi(); }

std::uint32_t Win32Desktop::WindowProcessId(WindowHandle window) {
  DWORD process = 0;
  if (GetWindowThreadProcessId(ToHwnd(window), &process) == 0) return 0;
  return process;
}

WindowHandle Win32Desktop::FindTopLevelWindow(std::u16string_view className, const std::u16string_view* caption) {
  const std::wstring c = WideString(className);
  if (caption == nullptr) return FromHwnd(FindWindowW(c.c_str(), nullptr));
  const std::wstring t = WideString(*caption);
  return FromHwnd(FindWindowW(c.c_str(), t.c_str()));
}

std::vector<WindowHandle> Win32Desktop::FindTopLevelWindows(std::u16string_view className) {
  const std::wstring c = WideString(className);
  std::vector<WindowHandle> found;
  for (HWND w = FindWindowExW(nullptr, nullptr, c.c_str(), nullptr); w != nullptr;
       w = FindWindowExW(nullptr, w, c.c_str(), nullptr)) {
    found.push_back(FromHwnd(w));
  }
  return found;
}

void Win32Desktop::EnumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visitor) {
  EnumWindows(&VisitTopLevelWindow, reinterpret_cast<LPARAM>(&visitor));
}

// ---- What belongs to a window: none of these sends a message ----

WindowHandle Win32Desktop::WindowOwner(WindowHandle window) { return FromHwnd(GetWindow(ToHwnd(window), GW_OWNER)); }

std::uint32_t Win32Desktop::WindowThreadId(WindowHandle window) {
  return GetWindowThreadProcessId(ToHwnd(window), nullptr);
}

ThreadModes Win32Desktop::ThreadModesOf(std::uint32_t thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (thread == 0 || !GetGUIThreadInfo(thread, &info)) return {};
  ThreadModes modes;
  modes.menu = (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
  modes.systemMenu = (info.flags & GUI_SYSTEMMENUMODE) != 0;
  modes.moveSize = (info.flags & GUI_INMOVESIZE) != 0;
  return modes;
}

WindowHandle Win32Desktop::TopLevelWindowAt(Point point) {
  // WindowFromPoint hit-tests with a message only windows of this thread.
  const HWND window = WindowFromPoint(POINT{point.x, point.y});
  return window == nullptr ? kNoWindow : FromHwnd(GetAncestor(window, GA_ROOT));
}

WindowHandle Win32Desktop::InputMethodWindow(WindowHandle window) {
  return FromHwnd(ImmGetDefaultIMEWnd(ToHwnd(window)));
}

bool Win32Desktop::IsHung(WindowHandle window) { return IsHungAppWindow(ToHwnd(window)) != FALSE; }

// ---- For the full-screen rule ----

bool Win32Desktop::HasCaption(WindowHandle window) {
  const LONG style = GetWindowLongW(ToHwnd(window), GWL_STYLE);
  return (style & WS_CAPTION) == WS_CAPTION;
}

namespace {

// HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE*),
// looked up rather than imported: the program still starts on a system
// whose shell lacks it (Wine answers it, always "accepts notifications").
using QueryNotificationState = HRESULT(WINAPI*)(QUERY_USER_NOTIFICATION_STATE*);

QueryNotificationState NotificationStateQuery() {
  static const QueryNotificationState query = [] {
    const HMODULE shell = LoadLibraryW(L"shell32.dll");
    const FARPROC found = shell != nullptr ? GetProcAddress(shell, "SHQueryUserNotificationState") : nullptr;
    // Through a plain pointer: a cast between function types is not portable.
    return reinterpret_cast<QueryNotificationState>(reinterpret_cast<void*>(found));
  }();
  return query;
}

}  // namespace

UserNotificationState Win32Desktop::UserNotification() {
  const QueryNotificationState query = NotificationStateQuery();
  if (query == nullptr) return UserNotificationState::Unknown;
  // Some versions of the shell answer through the taskbar's thread and wait
  // for it: a taskbar that does not answer at once is not asked.
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (taskbar != nullptr && !IsResponding(FromHwnd(taskbar))) return UserNotificationState::Unknown;
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(query(&state))) return UserNotificationState::Unknown;
  switch (static_cast<int>(state)) {
    case QUNS_NOT_PRESENT: return UserNotificationState::NotPresent;
    case QUNS_BUSY: return UserNotificationState::Busy;
    case QUNS_RUNNING_D3D_FULL_SCREEN: return UserNotificationState::Direct3DFullScreen;
    case QUNS_PRESENTATION_MODE: return UserNotificationState::PresentationMode;
    case QUNS_ACCEPTS_NOTIFICATIONS: return UserNotificationState::AcceptsNotifications;
    case QUNS_QUIET_TIME: return UserNotificationState::QuietTime;
    case 7: return UserNotificationState::App;  // QUNS_APP, Windows 8 on
    default: return UserNotificationState::Unknown;
  }
}

// ---- Virtual desktops ----

// The shell's documented IVirtualDesktopManager (Windows 10 on). Declared
// here: the system headers show it only to programs built for Windows 10
// and later, and this one still starts on Windows 7.
struct VirtualDesktopManager : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE IsWindowOnCurrentVirtualDesktop(HWND window, BOOL* onCurrent) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetWindowDesktopId(HWND window, GUID* desktop) = 0;
  virtual HRESULT STDMETHODCALLTYPE MoveWindowToDesktop(HWND window, REFGUID desktop) = 0;
};

namespace {

const GUID kVirtualDesktopManagerClass = {0xaa509086, 0x5ca9, 0x4c25, {0x8f, 0x95, 0x58, 0x9d, 0x3c, 0x07, 0xb4, 0x8a}};
const GUID kVirtualDesktopManagerInterface = {0xa5cd92ff, 0x29be, 0x454c, {0x8d, 0x04, 0xd8, 0x28, 0x79, 0xfb, 0x3f, 0x1b}};

}  // namespace

Win32Desktop::Win32Desktop() {
  // A single-threaded apartment, as a thread with windows has. Entered
  // already in another kind, the thread can still use the manager.
  const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  apartmentEntered_ = SUCCEEDED(apartment);
  if (!apartmentEntered_ && apartment != RPC_E_CHANGED_MODE) return;
  void* manager = nullptr;
  if (SUCCEEDED(CoCreateInstance(kVirtualDesktopManagerClass, nullptr, CLSCTX_ALL, kVirtualDesktopManagerInterface,
                                 &manager))) {
    desktops_ = static_cast<VirtualDesktopManager*>(manager);
  }
}

Win32Desktop::~Win32Desktop() {
  if (desktops_ != nullptr) desktops_->Release();
  if (apartmentEntered_) CoUninitialize();
}

bool Win32Desktop::IsOnCurrentDesktop(WindowHandle window) {
  // Without the manager (Wine, Windows before 10), or when it cannot say,
  // every window is on the one desktop there is.
  if (desktops_ == nullptr) return true;
  BOOL onCurrent = TRUE;
  return FAILED(desktops_->IsWindowOnCurrentVirtualDesktop(ToHwnd(window), &onCurrent)) || onCurrent != FALSE;
}

// ---- Elevated windows ----

namespace {

// The integrity level's RID (SECURITY_MANDATORY_*_RID) of a process's token;
// 0 when it cannot be read. Sets denied when the system refused access.
DWORD TokenIntegrityOf(HANDLE process, bool& denied) {
  denied = false;
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) {
    denied = GetLastError() == ERROR_ACCESS_DENIED;
    return 0;
  }
  DWORD level = 0;
  DWORD size = 0;
  GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
  if (size >= sizeof(TOKEN_MANDATORY_LABEL)) {
    std::vector<BYTE> buffer(size);
    auto* label = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data());
    if (GetTokenInformation(token, TokenIntegrityLevel, label, size, &size) && IsValidSid(label->Label.Sid)) {
      const UCHAR count = *GetSidSubAuthorityCount(label->Label.Sid);
      if (count > 0) level = *GetSidSubAuthority(label->Label.Sid, static_cast<DWORD>(count - 1));
    }
  }
  CloseHandle(token);
  return level;
}

}  // namespace

bool Win32Desktop::RunsElevated(WindowHandle window) {
  if (ownIntegrity_ == 0) {
    bool denied = false;
    ownIntegrity_ = TokenIntegrityOf(GetCurrentProcess(), denied);
    if (ownIntegrity_ == 0) return false;  // nothing to compare with
  }
  DWORD process = 0;
  if (GetWindowThreadProcessId(ToHwnd(window), &process) == 0 || process == 0) return false;
  if (process == GetCurrentProcessId()) return false;
  // A process this one may not even query runs above it.
  const HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  if (handle == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  bool denied = false;
  const DWORD level = TokenIntegrityOf(handle, denied);
  CloseHandle(handle);
  if (denied) return true;
  return level > ownIntegrity_;
}

}  // namespace peekbar::win32
