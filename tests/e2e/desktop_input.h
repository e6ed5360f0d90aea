// The user's hands: the pointer and the keyboard, driven through the
// system's input functions so that every program sees them as a user's.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

namespace e2e {

// Puts the pointer at (x, y) and waits until the system reports it there
// (it is set again if it does not arrive). Another process may still see
// the old position for a short while afterwards: tests poll for the effect.
bool MovePointer(int x, int y);
inline bool MovePointer(POINT p) { return MovePointer(p.x, p.y); }

// Moves the pointer to `p` as a mouse does, so that the window there sees
// it arrive.
bool Hover(POINT p);
// Moves the pointer to `p` and clicks `window` there with the left button,
// or the right one. The button's messages are posted to the window: under
// Wine a pressed button can land where the pointer was a moment before.
bool Click(HWND window, POINT p, bool rightButton = false);

// Presses and releases one key.
void TapKey(WORD virtualKey);

// Holds a key down for its lifetime (released also when a test fails).
// Wine lets go of a key pressed this way whenever the pointer enters a
// window or a window appears under it (the X server never saw the key
// down): the key is pressed again at once whenever it is seen released.
class HeldKey {
public:
    explicit HeldKey(WORD virtualKey);
    ~HeldKey();
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;
    // How often any held key of this program had to be pressed again: read
    // before an action, it tells whether a press came after it, even one
    // made while the action was still going on or by a key held anew.
    static int Repressed() { return repressed_; }

private:
    WORD key_;
    std::atomic<bool> holding_{true};
    static std::atomic<int> repressed_;
    std::thread presser_;
};

}  // namespace e2e
