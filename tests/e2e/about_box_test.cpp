// The about box from its tray menu item: its texts, a link that turns red
// under the pointer and opens the project's home, Esc ignored, and OK, Enter
// and the close button each closing it.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop_input.h"
#include "driver_options.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "process_windows.h"
#include "screenshot.h"
#include "test_programs.h"

namespace e2e {
namespace {

namespace command = peekbar::command;

using peekbar::text::kAboutTitle;
constexpr wchar_t kHomeUrl[] = L"https://github.com/peekbar/peekbar";
constexpr int kLinkId = 1000;

// Web addresses open with the test program, which shows a window titled
// with the address it was given (the session's prefix is its own).
void OpenWebAddressesWithTheTestProgram() {
    const std::wstring command = L"\"" + Options().targetExe + L"\" \"%1\"";
    RegSetKeyValueW(HKEY_CLASSES_ROOT, L"https\\shell\\open\\command", nullptr, REG_SZ, command.c_str(),
                    static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

// Pixels of the link's text in red (the pointer over it) and in blue.
struct LinkColours {
    int red = 0;
    int blue = 0;
};
LinkColours LinkColoursOnScreen(HWND link) {
    RECT r{};
    GetWindowRect(link, &r);
    LinkColours seen;
    const HDC screen = GetDC(nullptr);
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; x += 2) {
            const COLORREF c = GetPixel(screen, x, y);
            if (GetRValue(c) > 200 && GetGValue(c) < 80 && GetBValue(c) < 80) ++seen.red;
            if (GetBValue(c) > 200 && GetRValue(c) < 80 && GetGValue(c) < 80) ++seen.blue;
        }
    }
    ReleaseDC(nullptr, screen);
    return seen;
}

// The test program's window showing the project's home, once it was opened.
HWND BrowserWindow() {
    for (const HWND window : VisibleTopLevelWindows()) {
        wchar_t className[64] = {};
        wchar_t title[128] = {};
        GetClassNameW(window, className, 64);
        GetWindowTextW(window, title, 128);
        if (std::wstring(className) == kTargetClass && std::wstring(title) == kHomeUrl) return window;
    }
    return nullptr;
}

using AboutBox = PeekbarSession;

TEST_F(AboutBox, ShowsTheVersionAndALinkThatOpensTheHomeAndOnlyOkEnterOrCloseEndIt) {
    OpenWebAddressesWithTheTestProgram();
    StartPeekbar(QuickProfile());
    HWND box = OpenDialog(command::kAbout, kAboutTitle);
    ASSERT_NE(box, nullptr);
    const HWND link = GetDlgItem(box, kLinkId);
    wchar_t text[128] = {};
    GetWindowTextW(link, text, 128);
    EXPECT_EQ(std::wstring(text), std::wstring(L"URL : ") + kHomeUrl);

    // A second request while it is open opens nothing.
    ASSERT_TRUE(peekbar.PostCommand(command::kAbout));
    EXPECT_TRUE(HoldsFor([&] { return FindTopLevelWindows(peekbar.Id(), L"#32770", kAboutTitle).size() == 1; }, 1000))
        << "a second about box";

    // Esc is ignored.
    ASSERT_TRUE(Activate(box));
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(HoldsFor([&] { return IsWindow(box) != FALSE; }, 1000)) << "Esc closed the box";

    // The link turns red under the pointer and blue again when it leaves.
    RECT r{};
    GetWindowRect(link, &r);
    const POINT onLink = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ASSERT_TRUE(Hover(onLink));
    EXPECT_TRUE(WaitUntil([&] { return LinkColoursOnScreen(link).red > 0; })) << "not red under the pointer";
    EXPECT_TRUE(SaveScreenshot(L"about-box-link-under-pointer"));
    ASSERT_TRUE(Hover(kRestingPoint));
    EXPECT_TRUE(WaitUntil([&] {
        const LinkColours c = LinkColoursOnScreen(link);
        return c.red == 0 && c.blue > 0;
    })) << "not blue after the pointer left";

    // A click opens the address; the box stays.
    ASSERT_TRUE(Click(link, onLink));
    HWND opened = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (opened = BrowserWindow()) != nullptr; })) << "the link did not open its address";
    if (opened != nullptr) PostMessageW(opened, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(box));

    Close(box);
    box = OpenDialog(command::kAbout, kAboutTitle);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(Activate(box));
    TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "Enter did not close the box";

    box = OpenDialog(command::kAbout, kAboutTitle);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the close button did not close the box";
    EXPECT_TRUE(peekbar.Responds());
}

}  // namespace
}  // namespace e2e
