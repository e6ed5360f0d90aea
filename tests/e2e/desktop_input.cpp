#include "desktop_input.h"

#include <gtest/gtest.h>

#include <string>

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

const wchar_t* XKeyName(WORD virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT: return L"Shift_L";
        case VK_MENU: return L"Alt_L";
        default: return L"Control_L";
    }
}

// Runs xdotool with the arguments and waits until it is done. Wine hands
// out no handle on a Linux program it starts, so the command leaves a file
// behind when it has finished.
bool RunXdotool(const std::wstring& arguments) {
    static int sent = 0;
    const std::wstring marker = L"/tmp/peekbar-e2e-key-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(++sent);
    std::wstring command = L"sh -c \"xdotool " + arguments + L" && touch " + marker + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    if (process.hThread != nullptr) CloseHandle(process.hThread);
    if (process.hProcess != nullptr) CloseHandle(process.hProcess);
    std::wstring done = L"Z:" + marker;
    for (wchar_t& c : done) c = c == L'/' ? L'\\' : c;
    const bool finished = WaitUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; });
    DeleteFileW(done.c_str());
    return finished;
}

// Presses or releases the key in the X server.
bool SendXServerKey(WORD virtualKey, bool down) {
    return RunXdotool(std::wstring(down ? L"keydown " : L"keyup ") + XKeyName(virtualKey));
}

}  // namespace

namespace {

bool ModifiersUpInWine() {
    for (const int key : {VK_CONTROL, VK_MENU, VK_SHIFT, VK_LWIN, VK_RWIN}) {
        if ((GetAsyncKeyState(key) & 0x8000) != 0) return false;
    }
    return true;
}

}  // namespace

namespace {

// A modifier Wine still holds from an earlier step would change the
// combination.
bool NoModifierBefore(const std::wstring& keys) {
    if (WaitUntil(ModifiersUpInWine)) return true;
    ADD_FAILURE() << "Wine holds a modifier key before " << testing::PrintToString(keys);
    return false;
}

// xdotool is done once the X server has the keys; Wine reads them from
// there later, through its desktop's thread. Its modifiers up again, the
// whole combination has reached it. Wine may also have read the keyboard
// anew from the X server while the keys were going (a window came up or
// went under the pointer, see HeldKey), and keep a modifier down that the
// server has up: that one is let go in Wine too, as HeldKey lets go.
bool ModifiersReleasedAfter(const std::wstring& keys) {
    constexpr DWORD kReadByWineMs = 2000;
    if (WaitUntil(ModifiersUpInWine, kReadByWineMs)) return true;
    for (const WORD key : {VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LSHIFT, VK_RSHIFT, VK_LWIN, VK_RWIN}) {
        if ((GetAsyncKeyState(key) & 0x8000) != 0) SendKey(key, false);
    }
    if (WaitUntil(ModifiersUpInWine)) return true;
    ADD_FAILURE() << "Wine did not see the modifiers of " << testing::PrintToString(keys) << " released";
    return false;
}

}  // namespace

bool PressInXServer(const std::wstring& keys) {
    return NoModifierBefore(keys) && RunXdotool(L"key " + keys) && ModifiersReleasedAfter(keys);
}

bool PressInXServerUntil(const std::wstring& keys, const std::function<bool()>& effect) {
    if (!NoModifierBefore(keys) || !RunXdotool(L"keydown " + keys)) return false;
    const bool came = WaitUntil(effect);
    return RunXdotool(L"keyup " + keys) && ModifiersReleasedAfter(keys) && came;
}

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

bool MoveMouse(POINT p) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        SendMouse(p, 0);
        if (WaitUntil([&] { return PointerIsAt(p.x, p.y); }, 300)) return true;
    }
    return false;
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

HeldKey::HeldKey(WORD virtualKey) : key_(virtualKey) {
    if (!SendXServerKey(key_, true)) ADD_FAILURE() << "the X server did not take the key";
    SendKey(key_, true);
}

// Released in the X server first, then in Wine until Wine keeps it up: a
// window of Wine that took the focus while the key was down reads the
// server's keyboard late, when its process gets to it, and may put the key
// down again after its release.
HeldKey::~HeldKey() {
    SendXServerKey(key_, false);
    const auto up = [&] { return (GetAsyncKeyState(key_) & 0x8000) == 0; };
    for (int attempt = 0; attempt < 5; ++attempt) {
        SendKey(key_, false);
        if (HoldsFor(up, 500)) return;
    }
    ADD_FAILURE() << "Wine kept the key down";
}

}  // namespace e2e
