// The user's hands: the pointer and the keyboard, driven through the
// system's input functions so that every program sees them as a user's.
#pragma once

#include <windows.h>

#include <functional>
#include <string>


namespace e2e {

// Puts the pointer at (x, y) and waits until the system reports it there
// (it is set again if it does not arrive). Another process may still see
// the old position for a short while afterwards: tests poll for the effect.
bool MovePointer(int x, int y);
inline bool MovePointer(POINT p) { return MovePointer(p.x, p.y); }

// Moves the pointer to `p` with mouse input alone, and waits until it is
// there: while another program tracks a pop-up menu, Wine ignores
// SetCursorPos.
bool MoveMouse(POINT p);

// Moves the pointer to `p` as a mouse does, so that the window there sees
// it arrive.
bool Hover(POINT p);
// Moves the pointer to `p` and clicks `window` there with the left button,
// or the right one. The button's messages are posted to the window: under
// Wine a pressed button can land where the pointer was a moment before.
bool Click(HWND window, POINT p, bool rightButton = false);

// Presses and releases one key.
void TapKey(WORD virtualKey);

// Presses keys in the X server, as a keyboard does (xdotool's names, e.g.
// "ctrl+alt+p" or "Escape"): what the system makes of them, hotkeys
// included, is what a user's keys would make. Returns once Wine has seen
// the modifiers released again, which it reads after the rest; false when
// xdotool did not run or Wine did not see that.
bool PressInXServer(const std::wstring& keys);
// The same, the keys held until `effect` holds (false when it does not come),
// as a person holds them until what they bring up is there: a window that
// comes up under the pointer has Wine read the keyboard anew from the X
// server, which must then find the keys still down, as they are.
bool PressInXServerUntil(const std::wstring& keys, const std::function<bool()>& effect);

// Holds a modifier key (Ctrl, Shift or Alt) down for its lifetime, released
// also when a test fails. Wine takes the key state from the X server when the
// pointer enters a window or a window appears under it, so the key is
// pressed there too (XTEST, through xdotool) before Wine hears of it, and
// let go there after Wine did: both then agree that it is held.
class HeldKey {
public:
    explicit HeldKey(WORD virtualKey);
    ~HeldKey();
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    WORD key_;
};

}  // namespace e2e
