// The settings files as Peekbar writes them in answer to tray-menu commands:
// which section, which keys in which order, which values, and what the user
// is told when a file cannot be written.

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

namespace e2e {
namespace {

namespace command = peekbar::command;

class SettingsFile : public testing::Test {
protected:
    void StartPeekbar() {
        peekbar = PeekbarProcess::Start(installation.ExePath());
        ASSERT_NE(peekbar.WaitUntilRunning(), nullptr) << "Peekbar did not come up";
    }

    // A command may wait for an operation under way; each check below waits
    // for the file to read as it should.
    void Command(WORD id) { ASSERT_TRUE(peekbar.SendCommand(id)) << "command " << id << " was not handled"; }

    std::wstring ProfileText(unsigned k) const { return ReadTextFile(installation.ProfilePath(k)).text; }

    IniEntries ProfileSection(unsigned k, const std::wstring& section) const {
        return SectionEntries(ProfileText(k), section);
    }

    // Waits until `section` of profile k holds exactly `expected`, in order.
    void ExpectSectionBecomes(unsigned k, const std::wstring& section, const IniEntries& expected,
                              const std::string& when) const {
        IniEntries read;
        EXPECT_TRUE(WaitUntil([&] { return (read = ProfileSection(k, section)) == expected; }))
            << section << " " << when << ": " << testing::PrintToString(read);
    }

    // Waits until every listed key of `section` of profile k has its listed value.
    void ExpectProfileValues(unsigned k, const std::wstring& section, const IniEntries& expected) const {
        std::wstring text;
        const auto all = [&] {
            text = ProfileText(k);
            for (const auto& [key, value] : expected) {
                if (IniValue(text, section, key) != std::optional<std::wstring>(value)) return false;
            }
            return true;
        };
        if (WaitUntil(all)) return;
        for (const auto& [key, value] : expected) {
            EXPECT_EQ(IniValue(text, section, key), std::optional<std::wstring>(value)) << section << " " << key;
        }
    }

    Installation installation;
    PeekbarProcess peekbar;  // declared last: ends before the folder goes
};

IniEntries TriggerSection(int enabled, int ctrl, int shift, int alt) {
    return {{L"ENABLED", std::to_wstring(enabled)}, {L"TRIGGER_CTRL", std::to_wstring(ctrl)},
            {L"TRIGGER_SHIFT", std::to_wstring(shift)}, {L"TRIGGER_ALT", std::to_wstring(alt)},
            {L"WND_WIDTH", L"200"}, {L"WND_HEIGHT", L"200"}, {L"WND_ALPHA", L"192"}};
}

TEST_F(SettingsFile, TrayIconColourCommandsWriteOnlyThatKey) {
    StartPeekbar();
    const struct { WORD command; const wchar_t* value; } steps[] = {
        {command::kTrayColorBlack, L"2"}, {command::kTrayColorWhite, L"1"}, {command::kTrayColorNormal, L"0"}};
    for (const auto& step : steps) {
        Command(step.command);
        ExpectSectionBecomes(0, L"OPTION", {{L"TRAY_ICON_COLOR", step.value}},
                             "after command " + std::to_string(step.command));
    }
    EXPECT_TRUE(TrayIconExists(peekbar.MainWindow()));
}

TEST_F(SettingsFile, TriggerCommandsRewriteTheWholeSectionInOrder) {
    StartPeekbar();
    const struct { WORD command; IniEntries section; } steps[] = {
        {command::kTriggerEnable, TriggerSection(1, 1, 0, 0)},
        {command::kTriggerCtrl, TriggerSection(1, 0, 0, 0)},
        {command::kTriggerCtrl, TriggerSection(1, 1, 0, 0)},
        {command::kTriggerShift, TriggerSection(1, 1, 1, 0)},
        {command::kTriggerAlt, TriggerSection(1, 1, 1, 1)},
        {command::kTriggerEnable, TriggerSection(0, 1, 1, 1)},
    };
    for (const auto& step : steps) {
        Command(step.command);
        ExpectSectionBecomes(0, L"TRIGGER", step.section, "after command " + std::to_string(step.command));
    }
}

TEST_F(SettingsFile, MonitorPopPositionCommandsRewriteTheWholeSectionInOrder) {
    StartPeekbar();
    for (int show = -1; show <= 4; ++show) {
        Command(static_cast<WORD>(command::kMonitorPopHidden + show + 1));
        const IniEntries expected = {
            {L"SHOW", std::to_wstring(show)}, {L"ALPHA", L"64"}, {L"FONT_FACE_NAME", L"ＭＳ ゴシック"},
            {L"FONT_HEIGHT", L"-171"}, {L"FONT_WIDTH", L"0"}, {L"FONT_WEIGHT", L"700"},
            {L"FONT_ITALIC", L"0"}, {L"FONT_CHARSET", L"128"}};
        ExpectSectionBecomes(0, L"MONITOR_POP", expected, "SHOW " + std::to_string(show));
    }
}

TEST_F(SettingsFile, TriggerSectionIsRewrittenWithTheValuesAsRead) {
    ASSERT_TRUE(WriteUnicodeTextFile(installation.ProfilePath(0), {
        L"[TRIGGER]", L"ENABLED=7", L"TRIGGER_SHIFT=7", L"WND_WIDTH=0", L"WND_HEIGHT=-4", L"WND_ALPHA=300"}));
    StartPeekbar();

    Command(command::kTriggerAlt);
    ExpectProfileValues(0, L"TRIGGER", {{L"ENABLED", L"1"}, {L"TRIGGER_CTRL", L"1"}, {L"TRIGGER_SHIFT", L"1"},
                                        {L"TRIGGER_ALT", L"1"}, {L"WND_WIDTH", L"250"}, {L"WND_HEIGHT", L"200"},
                                        {L"WND_ALPHA", L"255"}});
}

TEST_F(SettingsFile, MonitorPopSectionIsRewrittenWithTheValuesAsRead) {
    ASSERT_TRUE(WriteUnicodeTextFile(installation.ProfilePath(0), {
        L"[MONITOR_POP]", L"SHOW=5", L"ALPHA=0", L"FONT_HEIGHT=-50", L"FONT_WEIGHT=400", L"FONT_ITALIC=257",
        L"FONT_CHARSET=384"}));
    StartPeekbar();

    Command(static_cast<WORD>(command::kMonitorPopHidden + 4));  // bottom left
    ExpectProfileValues(0, L"MONITOR_POP", {{L"SHOW", L"3"}, {L"ALPHA", L"1"}, {L"FONT_FACE_NAME", L"ＭＳ ゴシック"},
                                            {L"FONT_HEIGHT", L"-50"}, {L"FONT_WIDTH", L"0"}, {L"FONT_WEIGHT", L"400"},
                                            {L"FONT_ITALIC", L"1"}, {L"FONT_CHARSET", L"128"}});
}

TEST_F(SettingsFile, FailedWriteWithBalloonsOffIsReportedInABoxNamingTheFile) {
    ASSERT_TRUE(WriteIniValue(installation.MainSettingsPath(), L"PROFILE", L"INDEX", L"1"));
    ASSERT_TRUE(WriteIniValue(installation.ProfilePath(1), L"OPTION", L"BALLOON", L"0"));
    StartPeekbar();

    FileLock lock(installation.ProfilePath(1));
    ASSERT_TRUE(lock.Held());
    ASSERT_TRUE(peekbar.PostCommand(command::kTrayColorNormal));
    const HWND box = WaitForDialog(peekbar.Id(), peekbar::kMessageBoxCaption);
    ASSERT_NE(box, nullptr) << "no message box about the failed write";
    EXPECT_EQ(MessageBoxText(box), L"設定ファイルの書き込みに失敗しました。\n\n" + installation.ProfilePath(1));
    DismissMessageBox(box);
    EXPECT_TRUE(WaitUntil([&] { return FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty(); }));
    EXPECT_TRUE(peekbar.Responds());

    lock.Release();
    EXPECT_EQ(IniValue(ProfileText(1), L"OPTION", L"TRAY_ICON_COLOR"), std::nullopt);
    EXPECT_FALSE(FileExists(installation.ProfilePath(0))) << "a write went to an unselected profile";

    // Once the file can be written again, the same command writes it.
    Command(command::kTrayColorWhite);
    ExpectProfileValues(1, L"OPTION", {{L"TRAY_ICON_COLOR", L"1"}});
}

TEST_F(SettingsFile, FailedWriteWithBalloonsOnShowsNoBoxAndWritesNothing) {
    ASSERT_TRUE(WriteUnicodeTextFile(installation.ProfilePath(0), {L"[OPTION]", L"BALLOON=1"}));
    StartPeekbar();

    FileLock lock(installation.ProfilePath(0));
    ASSERT_TRUE(lock.Held());
    Command(command::kTriggerEnable);
    // Refused over a message box: the failure was told in a balloon.
    EXPECT_TRUE(peekbar.AllEarlierMessagesHandled()) << "the failure was not reported as a balloon";
    EXPECT_TRUE(FindDialogs(peekbar.Id(), peekbar::kMessageBoxCaption).empty());

    lock.Release();
    EXPECT_TRUE(ProfileSection(0, L"TRIGGER").empty()) << "keys after the failed first one were written";
}

}  // namespace
}  // namespace e2e
