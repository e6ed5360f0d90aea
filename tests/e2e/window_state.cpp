#include "window_state.h"

#include "wait.h"

namespace e2e {

std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ") " << r.Width()
               << "x" << r.Height();
}

Rect WindowRect(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return {};
    return {r.left, r.top, r.right, r.bottom};
}

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool PutWindow(HWND window, const Rect& r) {
    return SetWindowPos(window, HWND_NOTOPMOST, r.left, r.top, r.Width(), r.Height(),
                        SWP_NOACTIVATE | SWP_SHOWWINDOW) &&
           WaitUntil([&] { return IsShown(window) && WindowRect(window) == r && !IsTopmost(window); });
}

bool GoFullScreen(HWND window, const Rect& r) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    SetWindowLongW(window, GWL_STYLE, (style & ~(WS_CAPTION | WS_THICKFRAME)) | WS_POPUP);
    SetWindowPos(window, HWND_TOP, r.left, r.top, r.Width(), r.Height(), SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    return WaitUntil([&] { return WindowRect(window) == r; }) && Activate(window);
}

bool Maximise(HWND window) {
    ShowWindow(window, SW_MAXIMIZE);
    return WaitUntil([&] { return IsZoomed(window) != FALSE; }) && Activate(window);
}

bool Activate(HWND window) {
    return WaitUntil([&] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
    });
}

}  // namespace e2e
