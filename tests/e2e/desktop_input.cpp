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

// Mouse input as the hardware gives it, at `p` itself: the window there
// sees the pointer move over it.
void SendMouse(POINT p, DWORD buttons) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(p.x - left, 65535, width - 1);
    input.mi.dy = MulDiv(p.y - top, 65535, height - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | buttons;
    SendInput(1, &input, sizeof input);
}

bool Hover(POINT p) {
    if (!MovePointer(p)) return false;
    SendMouse(p, 0);
    return true;
}

bool Click(HWND window, POINT p, bool rightButton) {
    if (!Hover(p)) return false;
    POINT client = p;
    ScreenToClient(window, &client);
    const LPARAM at = MAKELPARAM(client.x, client.y);
    return PostMessageW(window, rightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                        rightButton ? MK_RBUTTON : MK_LBUTTON, at) &&
           PostMessageW(window, rightButton ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

void TapKey(WORD virtualKey) {
    SendKey(virtualKey, true);
    SendKey(virtualKey, false);
}

std::atomic<int> HeldKey::repressed_{0};

HeldKey::HeldKey(WORD virtualKey) : key_(virtualKey) {
    SendKey(key_, true);
    // On the desktop the test works on, which a new thread is not on by itself.
    presser_ = std::thread([this, desktop = GetThreadDesktop(GetCurrentThreadId())] {
        SetThreadDesktop(desktop);
        while (holding_) {
            if ((GetAsyncKeyState(key_) & 0x8000) == 0) {
                SendKey(key_, true);
                ++repressed_;
            }
            Sleep(1);
        }
    });
}

HeldKey::~HeldKey() {
    holding_ = false;
    presser_.join();
    SendKey(key_, false);
}

}  // namespace e2e
