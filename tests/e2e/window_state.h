// What anyone can see of a top-level window of another program: where it
// is, whether it is shown, topmost or in front.
#pragma once

#include <windows.h>

#include <ostream>

namespace e2e {

// A window rectangle; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(POINT p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
    POINT Centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r);

// The window's rectangle in screen coordinates (all zero for no window).
Rect WindowRect(HWND window);

bool IsShown(HWND window);
bool IsTopmost(HWND window);

// Moves and sizes a window and makes it an ordinary shown window that is
// not topmost, without activating it.
bool PutWindow(HWND window, const Rect& r);

// Makes a window the foreground window and waits until it is.
bool Activate(HWND window);

// ---- For the full-screen rule ----
// Takes the title bar and frame off another program's window, lays it over
// `r` and brings it to the front, as a program going full screen does.
bool GoFullScreen(HWND window, const Rect& r);
// Maximises another program's window on the monitor it is on (it keeps its
// title bar) and brings it to the front.
bool Maximise(HWND window);

}  // namespace e2e
