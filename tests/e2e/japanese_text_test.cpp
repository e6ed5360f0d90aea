// Japanese text in the settings files, through Peekbar's own reads and
// writes. Meant to pass under any system code page: the harness also runs
// these tests in an English locale, where a file written in the ANSI code
// page would turn Japanese into question marks.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "file_lock.h"
#include "ini_file.h"
#include "installation.h"
#include "message_box.h"
#include "peekbar_interface.h"
#include "peekbar_process.h"
#include "peekbar_session.h"
#include "test_programs.h"

namespace e2e {
namespace {

namespace command = peekbar::command;

// A value as the platform's profile reader returns it.
std::wstring ReadProfileString(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    wchar_t value[512] = {};
    GetPrivateProfileStringW(section, key, L"", value, 512, path.c_str());
    return value;
}

std::wstring DefaultProfileName(unsigned k) { return L"プロファイル_" + std::to_wstring(k); }

class JapaneseText : public testing::Test {
protected:
    void StartPeekbar() {
        peekbar = PeekbarProcess::Start(installation.ExePath());
        ASSERT_NE(peekbar.WaitUntilRunning(), nullptr) << "Peekbar did not come up";
    }

    void Command(WORD id) { ASSERT_TRUE(peekbar.SendCommand(id)) << "command " << id << " was not handled"; }

    void ExitPeekbar() { ASSERT_EQ(peekbar.Exit(), std::optional<DWORD>(0)); }

    Installation installation;
    PeekbarProcess peekbar;
};

TEST_F(JapaneseText, JapaneseAddedToPeekbarsOwnFileSurvivesItsRewrites) {
    const std::wstring profile0 = installation.ProfilePath(0);
    StartPeekbar();
    Command(command::kTrayColorNormal);  // Peekbar creates the profile file
    ExitPeekbar();
    ASSERT_TRUE(ReadTextFile(profile0).exists);
    EXPECT_TRUE(ReadTextFile(profile0).utf16Bom) << "the file Peekbar created has no UTF-16 byte-order mark";

    // Another program (or the user's editor) adds Japanese text to it.
    ASSERT_TRUE(WritePrivateProfileStringW(L"PROFILE", L"NAME", L"日本語プロファイル", profile0.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"LABEL", L"FONT_FACE_NAME", L"ＭＳ 明朝", profile0.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"MONITOR_0", L"KEYWORD_0", L"*メモ帳*", profile0.c_str()));

    StartPeekbar();
    Command(command::kTrayColorWhite);  // rewrites a key of the same file
    ExitPeekbar();

    const TextFile file = ReadTextFile(profile0);
    EXPECT_TRUE(file.utf16Bom);
    EXPECT_EQ(IniValue(file.text, L"PROFILE", L"NAME"), std::optional<std::wstring>(L"日本語プロファイル"));
    EXPECT_EQ(IniValue(file.text, L"LABEL", L"FONT_FACE_NAME"), std::optional<std::wstring>(L"ＭＳ 明朝"));
    EXPECT_EQ(IniValue(file.text, L"MONITOR_0", L"KEYWORD_0"), std::optional<std::wstring>(L"*メモ帳*"));
    EXPECT_EQ(IniValue(file.text, L"OPTION", L"TRAY_ICON_COLOR"), std::optional<std::wstring>(L"1"));
}

TEST_F(JapaneseText, FilesCreatedByPeekbarHoldItsJapaneseDefaults) {
    StartPeekbar();
    Command(command::kMonitorPopHidden);  // creates profile 0 with the default face name
    Command(command::kProfileFirst + 3);  // writes every profile's name
    ExitPeekbar();

    for (unsigned k = 0; k < 10; ++k) {
        const std::wstring path = installation.ProfilePath(k);
        const TextFile file = ReadTextFile(path);
        ASSERT_TRUE(file.exists) << "profile " << k;
        EXPECT_TRUE(file.utf16Bom) << "profile " << k << " was not created as UTF-16 with a byte-order mark";
        EXPECT_EQ(ReadProfileString(path, L"PROFILE", L"NAME"), DefaultProfileName(k)) << "profile " << k;
    }
    EXPECT_EQ(ReadProfileString(installation.ProfilePath(0), L"MONITOR_POP", L"FONT_FACE_NAME"), L"ＭＳ ゴシック");
    EXPECT_EQ(ReadProfileString(installation.MainSettingsPath(), L"PROFILE", L"INDEX"), L"3");
}

TEST_F(JapaneseText, JapaneseReadByPeekbarIsWrittenBackUnchanged) {
    const std::wstring profile0 = installation.ProfilePath(0);
    ASSERT_TRUE(WriteUnicodeTextFile(profile0, {
        L"[PROFILE]", L"NAME=日本語プロファイル",
        L"[MONITOR_POP]", L"FONT_FACE_NAME=ＭＳ 明朝"}));

    StartPeekbar();
    Command(command::kMonitorPopHidden);  // rewrites MONITOR_POP, face name from memory
    Command(command::kProfileFirst + 1);  // rewrites every profile's name from memory
    ExitPeekbar();

    const TextFile file = ReadTextFile(profile0);
    EXPECT_TRUE(file.utf16Bom);
    EXPECT_EQ(IniValue(file.text, L"PROFILE", L"NAME"), std::optional<std::wstring>(L"日本語プロファイル"));
    EXPECT_EQ(IniValue(file.text, L"MONITOR_POP", L"FONT_FACE_NAME"), std::optional<std::wstring>(L"ＭＳ 明朝"));
    EXPECT_EQ(IniValue(file.text, L"MONITOR_POP", L"SHOW"), std::optional<std::wstring>(L"-1"));
    EXPECT_EQ(ReadProfileString(installation.ProfilePath(1), L"PROFILE", L"NAME"), DefaultProfileName(1));
}

std::string FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes.substr(0, read);
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// A profile saved by an editor as UTF-8 without a byte-order mark is turned
// into UTF-16, its text unchanged, and its Japanese keyword takes its window
// whatever the system code page; a profile in code page 932 is not touched.
TEST_F(JapaneseText, Utf8ProfileIsConvertedAndItsKeywordWorksAnAnsiOneIsLeftAlone) {
    TestProgram target = TestProgram::StartTarget({L"窓のテスト"});
    ASSERT_NE(target.Window(), nullptr);
    const std::string utf8 =
        "[MONITOR_0]\r\nKEYWORD_2=*\xE7\xAA\x93\xE3\x81\xAE\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88*\r\n";
    ASSERT_TRUE(WriteFileBytes(installation.ProfilePath(0), utf8));
    const std::string cp932 = "[PROFILE]\r\nNAME=\x93\xFA\x96\x7B\x8C\xEA\r\n";
    ASSERT_TRUE(WriteFileBytes(installation.ProfilePath(1), cp932));

    StartPeekbar();
    EXPECT_TRUE(WaitHidden(target.Window())) << "the keyword read from the UTF-8 file did not match";
    const TextFile converted = ReadTextFile(installation.ProfilePath(0));
    EXPECT_TRUE(converted.utf16Bom);
    EXPECT_EQ(converted.text, L"[MONITOR_0]\r\nKEYWORD_2=*窓のテスト*\r\n");
    EXPECT_EQ(FileBytes(installation.ProfilePath(1)), cp932) << "the code page 932 file was changed";
    ExitPeekbar();
    EXPECT_TRUE(WaitShown(target.Window()));
}

// An editor that keeps the UTF-8 profile open for writing lets it be read
// but not replaced (so under Wine 8 too). Written through the profile
// functions later, it would lose its Japanese: Peekbar writes nothing into
// it that run, says so as it reads it, and once more at the first write.
TEST_F(JapaneseText, Utf8ProfileThatCouldNotBeConvertedIsLeftAloneThatRun) {
    const std::wstring profile0 = installation.ProfilePath(0);
    const std::string utf8 = "[OPTION]\r\nBALLOON=0\r\n[PROFILE]\r\nNAME=\xE6\x97\xA5\xE6\x9C\xAC\r\n";
    ASSERT_TRUE(WriteFileBytes(profile0, utf8));
    FileLock editor(profile0, FILE_SHARE_READ);
    ASSERT_TRUE(editor.Held());
    StartPeekbar();
    editor.Release();
    const HWND atStart = WaitForDialog(peekbar.Id(), peekbar::kMessageBoxCaption);
    ASSERT_NE(atStart, nullptr) << "not told as it was read";
    EXPECT_EQ(MessageBoxText(atStart),
              L"設定ファイルをUTF-16に変換できませんでした（ほかのプログラムが開いているなど）。"
              L"次に起動するまで、このファイルの日本語（キーワード、プロファイル名など）は正しく読めず、"
              L"設定の変更も保存しません。ファイルを閉じてから Peekbar を起動し直してください。\n\n" +
                  profile0);
    DismissMessageBox(atStart);
    EXPECT_TRUE(WaitUntil([&] { return FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty(); }));

    ASSERT_TRUE(peekbar.PostCommand(command::kTrayColorWhite));
    const HWND box = WaitForDialog(peekbar.Id(), peekbar::kMessageBoxCaption);
    ASSERT_NE(box, nullptr) << "no message box about the file left unconverted";
    EXPECT_EQ(MessageBoxText(box), L"設定ファイルのUTF-16への変換に失敗しました。\n"
                                   L"文字化けを防ぐため、次に起動するまでこのファイルには書き込みません。\n\n" +
                                       profile0);
    DismissMessageBox(box);
    EXPECT_TRUE(WaitUntil([&] { return FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty(); }));

    EXPECT_TRUE(peekbar.SendCommand(command::kTrayColorBlack));
    EXPECT_TRUE(peekbar.AllEarlierMessagesHandled()) << "told more than once";
    EXPECT_TRUE(FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty()) << "told more than once";
    ExitPeekbar();
    EXPECT_EQ(FileBytes(profile0), utf8);
    EXPECT_FALSE(FileExists(profile0 + L".converting"));
    EXPECT_FALSE(FileExists(profile0 + L".converted"));
}

}  // namespace
}  // namespace e2e
