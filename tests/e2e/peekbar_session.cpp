#include "peekbar_session.h"

#include "desktop_input.h"
#include "ini_file.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "window_state.h"

#include <cstdlib>

namespace e2e {
namespace {

// Long enough for Peekbar to see the pointer inside on several ticks.
constexpr DWORD kRestInsideMs = 800;

}  // namespace

void PeekbarSession::SetUp() { ASSERT_TRUE(MovePointer(kRestingPoint)); }

void PeekbarSession::StartPeekbar(const ProfileFile& profile) {
    ASSERT_TRUE(profile.Write(installation.ProfilePath(0)));
    peekbar = PeekbarProcess::Start(installation.ExePath());
    ASSERT_NE(peekbar.WaitUntilRunning(), nullptr) << "Peekbar did not come up";
    // The tray icon comes first in the main window's creation, the keywords later.
    ASSERT_TRUE(peekbar.AllEarlierMessagesHandled());
}

void PeekbarSession::Command(WORD id) {
    ASSERT_TRUE(peekbar.SendCommand(id)) << "command " << id << " was not handled";
}

HWND PeekbarSession::OpenDialog(WORD command, const std::wstring& title) {
    EXPECT_TRUE(PostMessageW(peekbar.MainWindow(), WM_COMMAND, command, 0));
    const HWND dialog = WaitForDialog(peekbar.Id(), title);
    EXPECT_NE(dialog, nullptr) << "the dialog of command " << command << " did not open";
    if (dialog == nullptr || !WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; })) return nullptr;
    return dialog;
}

void PeekbarSession::Close(HWND dialog, int button) {
    SendDlgItemMessageW(dialog, button, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
}

HWND PeekbarSession::WaitForMessageBox() { return WaitForDialog(peekbar.Id(), peekbar::kMessageBoxCaption); }

std::wstring PeekbarSession::AnswerMessageBox() {
    const HWND box = WaitForMessageBox();
    return box ? Answer(box) : L"";
}

std::wstring PeekbarSession::Answer(HWND box) {
    const std::wstring text = MessageBoxText(box);
    DismissMessageBox(box);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the message box did not close";
    return text;
}

std::wstring PeekbarSession::ProfileText() const { return ReadTextFile(installation.ProfilePath(0)).text; }

std::optional<Rect> PeekbarSession::RememberedRect(int monitor, int location) const {
    const std::wstring text = ProfileText();
    const std::wstring section = L"MONITOR_" + std::to_wstring(monitor);
    const std::wstring n = std::to_wstring(location);
    const auto left = IniValue(text, section, L"WIN_LEFT_" + n);
    const auto top = IniValue(text, section, L"WIN_TOP_" + n);
    const auto right = IniValue(text, section, L"WIN_RIGHT_" + n);
    const auto bottom = IniValue(text, section, L"WIN_BOTTOM_" + n);
    if (!left || !top || !right || !bottom) return std::nullopt;
    return Rect{_wtoi(left->c_str()), _wtoi(top->c_str()), _wtoi(right->c_str()), _wtoi(bottom->c_str())};
}

bool WaitShown(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return IsShown(window); }, timeoutMs);
}

bool WaitHidden(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsShown(window); }, timeoutMs);
}

bool StaysHidden(HWND window, DWORD durationMs) {
    return HoldsFor([&] { return !IsShown(window); }, durationMs);
}

bool EnterAndLeave(HWND window, POINT outside) {
    // A window just shown may still be on its way to its place: follow it
    // until the pointer has rested inside it.
    const bool restedInside = WaitUntil([&] {
        const POINT centre = WindowRect(window).Centre();
        if (!MovePointer(centre)) return false;
        Sleep(kRestInsideMs);
        return WindowRect(window).Contains(centre);
    });
    return restedInside && MovePointer(outside) && WaitHidden(window);
}

}  // namespace e2e
