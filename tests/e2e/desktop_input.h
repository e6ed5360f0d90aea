// The user's hands: the pointer and the keyboard, driven through the
// system's input functions so that every program sees them as a user's.
#pragma once

#include <windows.h>

namespace e2e {

// Puts the pointer at (x, y) and waits until the system reports it there
// (it is set again if it does not arrive). Another process may still see
// the old position for a short while afterwards: tests poll for the effect.
bool MovePointer(int x, int y);
inline bool MovePointer(POINT p) { return MovePointer(p.x, p.y); }

// Presses and releases one key.
void TapKey(WORD virtualKey);

// Holds a key down for its lifetime (released also when a test fails).
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
