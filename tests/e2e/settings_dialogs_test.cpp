// The profile name and Startup shortcut commands, with their dialogs filled
// in and confirmed as a user does.

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>

#include "ini_file.h"
#include "installation.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_session.h"
#include "screenshot.h"

namespace e2e {
namespace {

namespace command = peekbar::command;

std::wstring StartupShortcut() {
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE);
    return std::wstring(folder) + L"\\Peekbar.lnk";
}

// The arguments a shortcut starts its target with.
std::wstring ShortcutArguments(const std::wstring& link) {
    std::wstring arguments = L"<unreadable>";
    const HRESULT com = CoInitialize(nullptr);
    IShellLinkW* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        wchar_t text[256] = {};
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Load(link.c_str(), STGM_READ)) && SUCCEEDED(shellLink->GetArguments(text, 256))) {
            arguments = text;
        }
        if (file != nullptr) file->Release();
        shellLink->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return arguments;
}

using SettingsDialogs = PeekbarSession;

TEST_F(SettingsDialogs, ProfileNameIsWrittenIntoItsFile) {
    StartPeekbar(QuickProfile());
    const HWND dialog = OpenDialog(command::kProfileRename, L"プロファイル名を変更");
    ASSERT_NE(dialog, nullptr) << "no profile name dialog";
    wchar_t shown[128] = {};
    GetDlgItemTextW(dialog, 7000, shown, 128);
    EXPECT_EQ(std::wstring(shown), L"プロファイル_0");
    SetDlgItemTextW(dialog, 7000, L"仕事用");
    Close(dialog);
    EXPECT_TRUE(WaitUntil([&] { return ProfileText().find(L"NAME=仕事用") != std::wstring::npos; }))
        << "the new name was not saved";
    EXPECT_EQ(IniValue(ReadTextFile(installation.MainSettingsPath()).text, L"PROFILE", L"INDEX"), std::wstring(L"0"));
}

TEST_F(SettingsDialogs, StartupShortcutIsCreatedWithItsDelayAndRemovedAgain) {
    const std::wstring link = StartupShortcut();
    DeleteFileW(link.c_str());
    StartPeekbar(QuickProfile());

    const HWND dialog = OpenDialog(command::kStartupShortcut, L"起動遅延時間設定");
    ASSERT_NE(dialog, nullptr) << "no start-up delay dialog";
    SetDlgItemTextW(dialog, 8000, L"30");
    Sleep(300);  // let it paint before the picture is taken
    EXPECT_TRUE(SaveScreenshot(L"startup-delay-dialog"));
    Close(dialog);
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES; }))
        << "no shortcut in the Startup folder: " << std::string(link.begin(), link.end()) << " folder attrs "
        << GetFileAttributesW(link.substr(0, link.rfind(L'\\')).c_str());
    EXPECT_EQ(ShortcutArguments(link), L"30");

    // Present: the command removes it without asking.
    ASSERT_TRUE(PostMessageW(peekbar.MainWindow(), WM_COMMAND, command::kStartupShortcut, 0));
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; }))
        << "the shortcut was not removed";
    EXPECT_TRUE(FindDialogs(peekbar.Id(), L"起動遅延時間設定").empty());
}

}  // namespace
}  // namespace e2e
