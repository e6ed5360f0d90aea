// The keyboard path, with keys pressed in the X server as a user's keyboard
// presses them: a location's hotkey brings its window up docked at its edge
// and puts it away; PAUSE stops and restarts the edges; MENU opens the tray
// menu for the arrow and access keys; a key another program holds is told
// once while the rest work; the dialogs write the keys, which work at once.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "desktop_input.h"
#include "driver_options.h"
#include "ini_file.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "screenshot.h"
#include "test_programs.h"
#include "tray.h"

namespace e2e {
namespace {

namespace command = peekbar::command;
using peekbar::location::kTopMiddle;

constexpr wchar_t kTargetTitle[] = L"Peekbar test: hotkey";
constexpr WORD kCtrlAlt = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8;
constexpr WORD kCtrlAltP = kCtrlAlt | 'P';
constexpr WORD kCtrlAltK = kCtrlAlt | 'K';
constexpr WORD kCtrlAltM = kCtrlAlt | 'M';
constexpr WORD kCtrlAltO = kCtrlAlt | 'O';

// Where the keyboard goes now, for a failure message.
std::string FocusNow() {
    const HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(foreground, &process);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    wchar_t className[64] = {};
    GetClassNameW(foreground, className, 64);
    return " (foreground " + std::to_string(reinterpret_cast<std::uintptr_t>(foreground)) + " of process " +
           std::to_string(process) + ", class " + testing::PrintToString(std::wstring(className)) + ", flags " +
           std::to_string(info.flags) + ", focus " + std::to_string(reinterpret_cast<std::uintptr_t>(info.hwndFocus)) +
           ", menu owner " + std::to_string(reinterpret_cast<std::uintptr_t>(info.hwndMenuOwner)) + ")";
}

class Hotkeys : public PeekbarSession {
protected:
    // The target's window registered at the middle of the top edge, whose
    // HOTKEY_2 is Ctrl+Alt+P; PAUSE Ctrl+Alt+K and MENU Ctrl+Alt+M.
    HWND StartWithKeys() {
        if (TwoMonitorLayout()) {
            // Without a virtual desktop the keys reach Wine only through
            // whichever of its windows the X server gives the focus, and
            // with no window manager nothing keeps one there.
            return nullptr;
        }
        target = TestProgram::StartTarget({kTargetTitle});
        EXPECT_TRUE(WriteIniValue(installation.MainSettingsPath(), L"HOTKEY", L"PAUSE", std::to_wstring(kCtrlAltK)));
        EXPECT_TRUE(WriteIniValue(installation.MainSettingsPath(), L"HOTKEY", L"MENU", std::to_wstring(kCtrlAltM)));
        StartPeekbar(QuickProfile().Keyword(0, kTopMiddle, std::wstring(kTargetTitle) + L"*").Hotkey(0, kTopMiddle, kCtrlAltP));
        const HWND window = target.Window();
        // Taken once the keys are registered.
        EXPECT_TRUE(WaitHidden(window));
        return window;
    }
    TestProgram target;
};

TEST_F(Hotkeys, LocationKeyBringsItsWindowUpAndAwayPauseStopsTheEdgesMenuOpensForTheKeys) {
    const HWND window = StartWithKeys();
    if (window == nullptr) GTEST_SKIP() << "keys from the X server need the virtual desktop";

    ASSERT_TRUE(PressInXServer(L"ctrl+alt+p"));
    ASSERT_TRUE(WaitShown(window)) << "the hotkey did not bring the window up";
    // Shown first, then docked: the move may come a moment after the show.
    const auto dockedAtTheTop = [&] {
        const Rect r = WindowRect(window);
        return r.top == 0 && r.left + r.Width() / 2 == kScreenWidth / 2;
    };
    EXPECT_TRUE(WaitUntil(dockedAtTheTop)) << "not docked centred on the middle of the top edge: " << WindowRect(window);
    const Rect docked = WindowRect(window);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; })) << "not in front";

    ASSERT_TRUE(PressInXServer(L"ctrl+alt+p"));
    EXPECT_TRUE(WaitHidden(window)) << "the second press did not put it away";
    EXPECT_TRUE(WaitUntil([&] { return RememberedRect(0, kTopMiddle) == docked; })) << "its rectangle was not written";

    // Paused, the edge brings nothing up; resumed, it does again. The key
    // comes through the X server, so only its effect tells that it arrived:
    // the tray icon drained of colour.
    const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT bar = {};
    ASSERT_TRUE(GetWindowRect(taskbar, &bar));
    const std::vector<DWORD> running = ScreenPixels(bar);
    ASSERT_TRUE(PressInXServer(L"ctrl+alt+k"));
    ASSERT_TRUE(WaitUntil([&] { return ScreenPixels(bar) != running; })) << "the tray icon did not show the pause";
    ASSERT_TRUE(MovePointer(kTopEdgeMiddle));
    EXPECT_TRUE(StaysHidden(window, 1500)) << "the edge worked while paused";
    ASSERT_TRUE(PressInXServer(L"ctrl+alt+k"));
    EXPECT_TRUE(WaitShown(window)) << "the edge did not work again";
    ASSERT_TRUE(EnterAndLeave(window));

    // The menu at the pointer, its keyboard focus taken: an access key opens
    // a submenu, Escape closes the menus one by one. (Typed into Wine's own
    // input, as the tray menu's test does: keys from the X server go to the
    // X window that has its focus, which nothing here gives the menu.)
    const auto menus = [&] { return VisiblePopupMenus(peekbar.Id()).size(); };
    ASSERT_TRUE(PressInXServerUntil(L"ctrl+alt+m", [&] { return menus() == 1; })) << "MENU opened no menu";
    TapKey('C');  // コマンド(&C)
    EXPECT_TRUE(WaitUntil([&] { return menus() == 2; })) << "the access key did not reach the menu" << FocusNow();
    TapKey(VK_ESCAPE);
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return menus() == 0; })) << "the menu did not close by its keys";
}

TEST_F(Hotkeys, KeyHeldElsewhereIsToldOnceTheRestWorkAndTheDialogsKeysWorkAtOnce) {
    if (TwoMonitorLayout()) GTEST_SKIP() << "keys from the X server need the virtual desktop";
    TestProgram holder = TestProgram::StartTarget({L"Peekbar test: holds hotkey " + std::to_wstring(kCtrlAltM)});
    const HWND window = StartWithKeys();

    const std::wstring told = AnswerMessageBox();
    EXPECT_NE(told.find(L"Ctrl+Alt+M：「設定」→「ホットキー設定」のメニュー表示"), std::wstring::npos) << told;
    EXPECT_EQ(told.find(L"Ctrl+Alt+P"), std::wstring::npos) << told;
    ASSERT_TRUE(PressInXServer(L"ctrl+alt+p"));
    EXPECT_TRUE(WaitShown(window)) << "the key that was free does not work";
    ASSERT_TRUE(PressInXServer(L"ctrl+alt+p"));
    ASSERT_TRUE(WaitHidden(window));

    // The pause and menu dialog claims no key Peekbar does not hold.
    HWND dialog = OpenDialog(command::kHotkeySettings, L"ホットキー設定");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendDlgItemMessageW(dialog, 12001, HKM_GETHOTKEY, 0, 0), kCtrlAltK);
    EXPECT_EQ(SendDlgItemMessageW(dialog, 12002, HKM_GETHOTKEY, 0, 0), 0) << "it shows the key it does not hold";
    Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"hotkey-global-dialog"));
    Close(dialog, IDCANCEL);

    // The location's dialog: a new key, written and working at once; the
    // key still held elsewhere is not told again.
    dialog = OpenDialog(static_cast<WORD>(::peekbar::LocationHotkeyCommandId(0, kTopMiddle)), L"ホットキー設定");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendDlgItemMessageW(dialog, 12000, HKM_GETHOTKEY, 0, 0), kCtrlAltP);
    SendDlgItemMessageW(dialog, 12000, HKM_SETHOTKEY, kCtrlAltO, 0);
    Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"hotkey-location-dialog"));
    Close(dialog);
    EXPECT_TRUE(WaitUntil([&] {
        return IniValue(ProfileText(), L"MONITOR_0", L"HOTKEY_2") == std::to_wstring(kCtrlAltO);
    }));
    ASSERT_TRUE(PressInXServer(L"ctrl+alt+o"));
    EXPECT_TRUE(WaitShown(window)) << "the new key does not work";
    EXPECT_TRUE(FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty()) << "told again";
    ASSERT_TRUE(EnterAndLeave(window));
}

// A key the location's dialog cannot take is told at OK in a box over the
// dialog, naming the location that has it; the dialog stays open, and a
// letter typed there gets Ctrl+Alt while a function key stands alone.
TEST_F(Hotkeys, KeyThatCannotBeTakenIsToldOverTheDialogWhichStaysOpen) {
    constexpr WORD kF5 = VK_F5;
    StartPeekbar(QuickProfile().Hotkey(0, kTopMiddle, kCtrlAltP));
    const WORD item = static_cast<WORD>(::peekbar::LocationHotkeyCommandId(0, peekbar::location::kLeftMiddle));
    const HWND dialog = OpenDialog(item, L"ホットキー設定");
    ASSERT_NE(dialog, nullptr);
    SendDlgItemMessageW(dialog, 12000, HKM_SETHOTKEY, kCtrlAltP, 0);
    // Posted: the box the OK brings up holds a sent click until answered.
    ASSERT_TRUE(PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK))));
    const HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no reason was told";
    EXPECT_EQ(GetWindow(box, GW_OWNER), dialog) << "the box is not over the dialog";
    Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"hotkey-refused-over-dialog"));
    const std::wstring told = Answer(box);
    EXPECT_NE(told.find(L"Ctrl+Alt+P は使用できません。"), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"「上端中央」の「ホットキー設定」と同じキーです。"), std::wstring::npos) << told;
    EXPECT_TRUE(HoldsFor([&] { return IsWindow(dialog) != FALSE; }, 500)) << "the dialog closed";
    EXPECT_EQ(IniValue(ProfileText(), L"MONITOR_0", L"HOTKEY_14"), std::nullopt) << "written though refused";

    // Typed into the control: a letter alone takes Ctrl+Alt, F5 stays alone.
    ASSERT_TRUE(Activate(dialog));
    const auto shown = [&] { return static_cast<WORD>(SendDlgItemMessageW(dialog, 12000, HKM_GETHOTKEY, 0, 0)); };
    TapKey('A');
    EXPECT_TRUE(WaitUntil([&] { return shown() == (kCtrlAlt | 'A'); })) << "shows " << shown();
    TapKey(kF5);
    EXPECT_TRUE(WaitUntil([&] { return shown() == kF5; })) << "shows " << shown();
    Close(dialog);
    EXPECT_TRUE(WaitUntil([&] {
        return IniValue(ProfileText(), L"MONITOR_0", L"HOTKEY_14") == std::to_wstring(kF5);
    }));
}

}  // namespace
}  // namespace e2e
