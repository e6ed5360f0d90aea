// A plain program with ordinary top-level windows for the end-to-end tests to
// register: one window per argument, titled with it, of class
// PEEKBAR_TEST_TARGET, 400 x 300 at staggered positions. Posted WM_APP + 1,
// its thread stops answering for good (a hung program); posted WM_APP + 2,
// it is busy for wParam milliseconds. A window titled "<kHoldsHotkey><n>"
// holds hotkey n (as a hotkey control reports it) for as long as it lives.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <cwchar>

namespace {

// Windows of this process still open. (Other instances of the program own
// windows of the same class: a search by class would find theirs too.)
int openWindows = 0;

constexpr wchar_t kHoldsHotkey[] = L"Peekbar test: holds hotkey ";

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
  if (message == WM_DESTROY) {
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
  for (int i = 1; i < count; ++i) {
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
