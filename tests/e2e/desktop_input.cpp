#include "desktop_input.h"

#include "wait.h"

namespace e2e {
namespace {

bool PointerIsAt(int x, int y) {
    POINT now{};
    return GetCursorPos(&now) && now.x == x && now.y == y;
}

void SendKey(WORD virtualKey, bool down) {
    keybd_event(static_cast<BYTE>(virtualKey), static_cast<BYTE>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)),
                down ? 0 : KEYEVENTF_KEYUP, 0);
}

}  // namespace

// Under Wine the system keeps its own copy of the pointer position, and a
// late report of an earlier position can overwrite it after a move: the
// copy then shows where the pointer was while the display has it where it
// was put. A move to the position the copy already holds is not passed to
// the display, so the pointer would stay behind. Once the copy has not
// changed for 100 ms, GetCursorPos asks the display itself: the position is
// trusted only when it holds after that.
bool MovePointer(int x, int y) {
    constexpr DWORD kSettleMs = 150;
    constexpr DWORD kConfirmMs = 200;
    for (int attempt = 0; attempt < 10; ++attempt) {
        // A step aside first makes the move a real one for the copy too.
        if (attempt > 0) SetCursorPos(x > 0 ? x - 1 : x + 1, y);
        SetCursorPos(x, y);
        Sleep(kSettleMs);
        if (HoldsFor([&] { return PointerIsAt(x, y); }, kConfirmMs)) return true;
    }
    return false;
}

void TapKey(WORD virtualKey) {
    SendKey(virtualKey, true);
    SendKey(virtualKey, false);
}

HeldKey::HeldKey(WORD virtualKey) : key_(virtualKey) { SendKey(key_, true); }

HeldKey::~HeldKey() { SendKey(key_, false); }

}  // namespace e2e
