// A plain program with ordinary top-level windows for the end-to-end tests to
// register: one window per argument, titled with it, of class
// PEEKBAR_TEST_TARGET, 400 x 300 at staggered positions. Posted WM_APP + 1,
// its thread stops answering for good (a hung program); posted WM_APP + 2,
// it is busy for wParam milliseconds. Posted WM_APP + 3, a window opens a
// pop-up window it owns, 200 x 150 with its top-left corner at
// (wParam, lParam), without taking the foreground; posted WM_APP + 4, it
// opens a pop-up menu there, which WM_CANCELMODE posted to it closes.
// Posted WM_APP + 5, a window shows itself and takes the foreground, as a
// program does when it is started a second time. Sent WM_APP + 6 with
// wParam 1, a window hides itself right after each show from then on (0:
// no longer), and answers how many shows it has hidden so far. A
// window titled "<kHoldsHotkey><n>" holds hotkey n (as a hotkey control
// reports it) for as long as it lives.
// With the first argument "--taskbar X,Y,W,H" its one window (titled with
// the next argument) is of class Shell_SecondaryTrayWnd at that rectangle,
// a stand-in for the taskbar of a second monitor.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <cwchar>

namespace {

// Windows of this process still open. (Other instances of the program own
// windows of the same class: a search by class would find theirs too.)
int openWindows = 0;

// Titled after its owner: "<owner's title> pop-up".
void OpenOwnedPopUp(HWND owner, int x, int y) {
  wchar_t title[256] = {};
  GetWindowTextW(owner, title, 200);
  lstrcatW(title, L" pop-up");
  HWND popUp = CreateWindowExW(WS_EX_TOOLWINDOW, L"PEEKBAR_TEST_TARGET", title, WS_POPUP | WS_CAPTION, x, y, 200, 150,
                               owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(popUp, SW_SHOWNOACTIVATE);
}

// Returns once the menu is closed.
void OpenPopUpMenu(HWND owner, int x, int y) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"First");
  AppendMenuW(menu, MF_STRING, 2, L"Second");
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, x, y, 0, owner, nullptr);
  DestroyMenu(menu);
}

constexpr wchar_t kHoldsHotkey[] = L"Peekbar test: holds hotkey ";

// A window that hides itself right after each show, and how many it hid.
constexpr wchar_t kHidesAfterShow[] = L"PeekbarTestHidesAfterShow";
constexpr wchar_t kShowsHidden[] = L"PeekbarTestShowsHidden";
constexpr UINT kHideNow = WM_APP + 7;

bool HidesAfterShow(HWND window) { return GetPropW(window, kHidesAfterShow) != nullptr; }

void HoldHotkey(HWND window, const wchar_t* title) {
  const size_t prefix = wcslen(kHoldsHotkey);
  if (wcsncmp(title, kHoldsHotkey, prefix) != 0) return;
  const UINT key = static_cast<UINT>(_wtoi(title + prefix));
  const UINT flags = key >> 8;
  const UINT modifiers = ((flags & HOTKEYF_SHIFT) ? MOD_SHIFT : 0) | ((flags & HOTKEYF_CONTROL) ? MOD_CONTROL : 0) |
                         ((flags & HOTKEYF_ALT) ? MOD_ALT : 0);
  RegisterHotKey(window, 1, modifiers, key & 0xFF);
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) ++openWindows;
  if (message == WM_APP + 1) Sleep(INFINITE);
  if (message == WM_APP + 2) Sleep(static_cast<DWORD>(wParam));
  if (message == WM_APP + 3) OpenOwnedPopUp(window, static_cast<int>(wParam), static_cast<int>(lParam));
  if (message == WM_APP + 4) OpenPopUpMenu(window, static_cast<int>(wParam), static_cast<int>(lParam));
  if (message == WM_APP + 5) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
  }
  if (message == WM_APP + 6) {
    SetPropW(window, kHidesAfterShow, wParam != 0 ? reinterpret_cast<HANDLE>(1) : nullptr);
    return reinterpret_cast<LRESULT>(GetPropW(window, kShowsHidden));
  }
  // However it was shown (ShowWindow, SetWindowPos): hidden once the thread
  // is back in its message loop, before whoever showed it looks again; a
  // show made while it hid itself is undone even if that ends meanwhile.
  if (message == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) &&
      HidesAfterShow(window)) {
    PostMessageW(window, kHideNow, 0, 0);
  }
  if (message == kHideNow && IsWindowVisible(window)) {
    ShowWindow(window, SW_HIDE);
    const auto hidden = reinterpret_cast<UINT_PTR>(GetPropW(window, kShowsHidden));
    SetPropW(window, kShowsHidden, reinterpret_cast<HANDLE>(hidden + 1));
  }
  if (message == WM_DESTROY) {
    RemovePropW(window, kHidesAfterShow);
    RemovePropW(window, kShowsHidden);
    // The last window closed ends the program.
    if (--openWindows == 0) PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = TargetProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"PEEKBAR_TEST_TARGET";
  RegisterClassExW(&windowClass);

  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const bool taskbar = count == 4 && lstrcmpW(arguments[1], L"--taskbar") == 0;
  if (taskbar) {
    windowClass.lpszClassName = L"Shell_SecondaryTrayWnd";
    RegisterClassExW(&windowClass);
    int r[4] = {};
    const wchar_t* p = arguments[2];
    for (int& value : r) {
      while (*p >= L'0' && *p <= L'9') value = value * 10 + (*p++ - L'0');
      if (*p == L',') ++p;
    }
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_SecondaryTrayWnd", arguments[3], WS_POPUP, r[0], r[1], r[2],
                                  r[3], nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
  }
  for (int i = 1; i < count && !taskbar; ++i) {
    HWND window = CreateWindowExW(0, L"PEEKBAR_TEST_TARGET", arguments[i], WS_OVERLAPPEDWINDOW, 100 + 40 * i,
                                  100 + 40 * i, 400, 300, nullptr, nullptr, instance, nullptr);
    HoldHotkey(window, arguments[i]);
    ShowWindow(window, SW_SHOWNORMAL);
  }
  LocalFree(arguments);
  if (count < 2) return 0;

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
