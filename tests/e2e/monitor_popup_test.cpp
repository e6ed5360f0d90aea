// The monitor-number captions: on every monitor while the tray menu is open
// (two monitors or more), where MONITOR_POP SHOW puts them; and their
// opacity dialog.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop_input.h"
#include "driver_options.h"
#include "ini_file.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "screenshot.h"
#include "tray.h"

namespace e2e {
namespace {

namespace command = peekbar::command;

BOOL CALLBACK CollectCaption(HWND window, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) == L"PEEKBAR_TIP" && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

std::vector<HWND> VisibleCaptions() {
    std::vector<HWND> found;
    EnumWindows(CollectCaption, reinterpret_cast<LPARAM>(&found));
    return found;
}

class MonitorPopups : public PeekbarSession {};

TEST_F(MonitorPopups, ShownInTheirCornerWhileTheMenuIsOpen) {
    if (!TwoMonitorLayout()) GTEST_SKIP() << "captions are made only with two monitors or more";
    StartPeekbar(QuickProfile());
    Command(static_cast<WORD>(command::kMonitorPopHidden + 5));  // "右下(&6)": bottom right
    EXPECT_TRUE(VisibleCaptions().empty());
    ASSERT_TRUE(PostTrayMouseMessage(peekbar.MainWindow(), WM_RBUTTONUP));
    ASSERT_TRUE(WaitUntil([&] { return VisibleCaptions().size() == 2; })) << "no caption per monitor";
    EXPECT_TRUE(SaveScreenshot(L"monitor-captions"));
    std::vector<POINT> corners;
    for (HWND caption : VisibleCaptions()) {
        RECT rect{};
        GetWindowRect(caption, &rect);
        corners.push_back({rect.right, rect.bottom});
    }
    const auto has = [&](LONG x, LONG y) {
        for (const POINT& p : corners) {
            if (p.x == x && p.y == y) return true;
        }
        return false;
    };
    EXPECT_TRUE(has(1920, 1080)) << "first monitor's caption not in its bottom-right corner";
    EXPECT_TRUE(has(3200, 1024)) << "second monitor's caption not in its bottom-right corner";
    // Escape until the menu has closed; the captions go with it. (Without a
    // window manager Wine can hide the menu a moment before its loop ends,
    // so one more Escape may be needed to end it.)
    // Each Escape is given time to take effect, so that none is left over.
    const auto open = [&] { return !VisiblePopupMenus(peekbar.Id()).empty() || !VisibleCaptions().empty(); };
    for (int press = 0; press < 5 && open(); ++press) {
        TapKey(VK_ESCAPE);
        WaitUntil([&] { return !open(); }, 1000);
    }
    EXPECT_FALSE(open()) << "the menu or the captions stayed";
}

TEST_F(MonitorPopups, OpacityDialogSavesTheSection) {
    StartPeekbar(QuickProfile());
    ASSERT_TRUE(PostMessageW(peekbar.MainWindow(), WM_COMMAND, command::kMonitorPopAlpha, 0));
    const HWND dialog = WaitForDialog(peekbar.Id(), L"モニター番号表示透明度設定");
    ASSERT_NE(dialog, nullptr) << "no opacity dialog";
    wchar_t shown[16] = {};
    GetDlgItemTextW(dialog, 6000, shown, 16);
    EXPECT_EQ(std::wstring(shown), L"64");
    // Beyond the up-down control's range: stored as the most opaque.
    SetDlgItemTextW(dialog, 6000, L"300");
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return IniValue(ProfileText(), L"MONITOR_POP", L"FONT_CHARSET").has_value(); }))
        << "the section was not saved";
    EXPECT_EQ(IniValue(ProfileText(), L"MONITOR_POP", L"ALPHA"), std::wstring(L"255"));
}

}  // namespace
}  // namespace e2e
