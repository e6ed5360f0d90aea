// Reading the settings files with their defaults and read rules, the file
// names, the writers' key order, the failure of a first write, and the saved
// window rectangles.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "fakes/app_harness.h"

namespace peekbar {
namespace {

// An integer setting as a case names it: a field of Settings, or a field of
// one of its font records.
struct Field {
  Field(std::int32_t Settings::*field) : direct(field) {}  // NOLINT: cases name fields as they are
  Field(FontRecord Settings::*font, std::int32_t FontRecord::*field) : font(font), inFont(field) {}
  std::int32_t Of(const Settings& s) const { return direct != nullptr ? s.*direct : (s.*font).*inFont; }

  std::int32_t Settings::*direct = nullptr;
  FontRecord Settings::*font = nullptr;
  std::int32_t FontRecord::*inFont = nullptr;
};
constexpr auto kLabelFont = &Settings::labelFont;
constexpr auto kPopFont = &Settings::monitorPopFont;

struct Entry {
  std::u16string_view section;
  std::u16string_view key;
  std::u16string_view value;
};

// Loads profile 0 with the given entries in its file.
struct Loaded {
  AppHarness h;
  explicit Loaded(const std::vector<Entry>& entries) {
    for (const Entry& e : entries) h.store.Set(ProfileIni(0), e.section, e.key, e.value);
    h.app.PrepareStartup(false);
  }
};

TEST(SettingsLoadTest, EveryKeyTakesItsDefaultWithoutFiles) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.app.PrepareStartup(false);
  const Settings& s = h.settings();
  const std::pair<Field, std::int32_t> expected[] = {
      {&Settings::cornerLength, 10},      {&Settings::middleLength, 10},       {&Settings::timerInterval, 200},
      {&Settings::showingDelay, 250},     {&Settings::hiddenDelay, 1000},      {&Settings::mustButtonForShow, 0},
      {&Settings::hideTaskbar, 0},        {&Settings::noTitle, 0},             {&Settings::enabledAtEdge, 1},
      {&Settings::topmost, 0},            {&Settings::keepWindowPos, 0},       {&Settings::restoreWindowPos, 0},
      {&Settings::balloon, 1},            {&Settings::soundOnCommand, 0},      {&Settings::multipleStartup, 1},
      {&Settings::trayOperationReverse, 0}, {&Settings::fullscreenQuiet, 1}, {&Settings::trayIconColor, 0},
      {&Settings::guideEnabled, 1},       {&Settings::guideEnabledKey, 1},     {&Settings::guideAlwaysShow, 0},
      {&Settings::guideCtrl, 1},          {&Settings::guideShift, 0},          {&Settings::guideAlt, 0},
      {&Settings::judgmentWidth, 1},      {&Settings::guideWidth, 12},         {&Settings::guideAlpha, 160},
      {&Settings::labelShow, 0},          {&Settings::labelCtrl, 1},           {&Settings::labelShift, 0},
      {&Settings::labelAlt, 0},
      {{kLabelFont, &FontRecord::height}, -19}, {{kLabelFont, &FontRecord::width}, 0},
      {{kLabelFont, &FontRecord::weight}, 700}, {{kLabelFont, &FontRecord::italic}, 0},
      {{kLabelFont, &FontRecord::charset}, 128},
      {&Settings::labelFontColorIndex, 0}, {&Settings::labelFontCustomColor, 0},
      {&Settings::triggerEnabled, 0},     {&Settings::triggerCtrl, 1},         {&Settings::triggerShift, 0},
      {&Settings::triggerAlt, 0},         {&Settings::triggerWidth, 200},      {&Settings::triggerHeight, 200},
      {&Settings::triggerAlpha, 192},
      {&Settings::monitorPopShow, 0},     {&Settings::monitorPopAlpha, 64},
      {{kPopFont, &FontRecord::height}, -171}, {{kPopFont, &FontRecord::width}, 0},
      {{kPopFont, &FontRecord::weight}, 700},  {{kPopFont, &FontRecord::italic}, 0},
      {{kPopFont, &FontRecord::charset}, 128},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(expected[i].first.Of(s), expected[i].second) << "field #" << i;
  }
  EXPECT_EQ(U8(s.labelFont.face.View()), "ＭＳ ゴシック");
  EXPECT_EQ(U8(s.monitorPopFont.face.View()), "ＭＳ ゴシック");

  const ProfileState& p = h.state().profiles;
  EXPECT_EQ(p.selected, 0);
  for (int k = 0; k < kProfileCount; ++k) {
    EXPECT_EQ(U8(p.names[static_cast<std::size_t>(k)].View()), "プロファイル_" + std::to_string(k));
  }
  const MonitorSlot& slot = h.state().monitorSlots[0];
  for (int n = 0; n < kLocationCount; ++n) {
    const auto i = static_cast<std::size_t>(n);
    EXPECT_TRUE(slot[i].keyword.Empty()) << n;
    EXPECT_EQ(slot[i].isRegex, 0) << n;
    EXPECT_EQ(slot[i].guideColor, 255u) << n;
  }
  EXPECT_EQ(h.store.FileCount(), 0u) << "reading creates no file";
}

TEST(SettingsLoadTest, ReadRulesNormaliseStoredValues) {
  struct Case {
    const char* what;
    std::vector<Entry> entries;
    Field field;
    std::int32_t expected;
  };
  const std::vector<Case> cases = {
      {"corner above 50", {{u"OPTION", u"CORNER_LENGTH", u"80"}}, &Settings::cornerLength, 50},
      {"middle after a corner of 50", {{u"OPTION", u"CORNER_LENGTH", u"80"}, {u"OPTION", u"MIDDLE_LENGTH", u"30"}},
       &Settings::middleLength, 0},
      {"corner 30 kept", {{u"OPTION", u"CORNER_LENGTH", u"30"}, {u"OPTION", u"MIDDLE_LENGTH", u"70"}},
       &Settings::cornerLength, 30},
      {"middle limited by corner 30", {{u"OPTION", u"CORNER_LENGTH", u"30"}, {u"OPTION", u"MIDDLE_LENGTH", u"70"}},
       &Settings::middleLength, 40},
      {"middle limited by the default corner", {{u"OPTION", u"MIDDLE_LENGTH", u"90"}}, &Settings::middleLength, 80},
      {"middle at its limit", {{u"OPTION", u"MIDDLE_LENGTH", u"80"}}, &Settings::middleLength, 80},
      {"negative corner", {{u"OPTION", u"CORNER_LENGTH", u"-5"}}, &Settings::cornerLength, 0},
      {"middle limited by a negative corner read as 0",
       {{u"OPTION", u"CORNER_LENGTH", u"-5"}, {u"OPTION", u"MIDDLE_LENGTH", u"150"}}, &Settings::middleLength, 100},
      {"negative middle", {{u"OPTION", u"MIDDLE_LENGTH", u"-1"}}, &Settings::middleLength, 0},
      {"negative timer", {{u"OPTION", u"TIMER_INTERVAL", u"-1"}}, &Settings::timerInterval, 0},
      {"negative showing delay", {{u"OPTION", u"SHOWING_DELAY", u"-100"}}, &Settings::showingDelay, 0},
      {"negative hidden delay", {{u"OPTION", u"HIDDEN_DELAY", u"-1"}}, &Settings::hiddenDelay, 0},
      {"large hidden delay", {{u"OPTION", u"HIDDEN_DELAY", u"86400000"}}, &Settings::hiddenDelay, 86400000},
      {"button 6", {{u"OPTION", u"MUST_BTN_FOR_SHOW", u"6"}}, &Settings::mustButtonForShow, 6},
      {"button 7", {{u"OPTION", u"MUST_BTN_FOR_SHOW", u"7"}}, &Settings::mustButtonForShow, 0},
      {"button -1", {{u"OPTION", u"MUST_BTN_FOR_SHOW", u"-1"}}, &Settings::mustButtonForShow, 0},
      {"flag 7", {{u"OPTION", u"HIDE_TASKBAR", u"7"}}, &Settings::hideTaskbar, 1},
      {"flag -1", {{u"OPTION", u"MULTIPLE_STARTUP", u"-1"}}, &Settings::multipleStartup, 1},
      {"full-screen quiet 0", {{u"OPTION", u"FULLSCREEN_QUIET", u"0"}}, &Settings::fullscreenQuiet, 0},
      {"full-screen quiet 7", {{u"OPTION", u"FULLSCREEN_QUIET", u"7"}}, &Settings::fullscreenQuiet, 1},
      {"flag 0", {{u"OPTION", u"BALLOON", u"0"}}, &Settings::balloon, 0},
      {"flag as words", {{u"OPTION", u"ENABLED_AT_EDGE", u"yes"}}, &Settings::enabledAtEdge, 0},
      {"empty value keeps the default", {{u"OPTION", u"ENABLED_AT_EDGE", u""}}, &Settings::enabledAtEdge, 1},
      {"non-numeric timer", {{u"OPTION", u"TIMER_INTERVAL", u"abc"}}, &Settings::timerInterval, 0},
      {"number with a unit", {{u"OPTION", u"TIMER_INTERVAL", u"50ms"}}, &Settings::timerInterval, 50},
      {"tray colour 2", {{u"OPTION", u"TRAY_ICON_COLOR", u"2"}}, &Settings::trayIconColor, 2},
      {"tray colour 5", {{u"OPTION", u"TRAY_ICON_COLOR", u"5"}}, &Settings::trayIconColor, 0},
      {"tray colour -1", {{u"OPTION", u"TRAY_ICON_COLOR", u"-1"}}, &Settings::trayIconColor, 0},
      {"guide alpha 0", {{u"GUIDE", u"GUIDE_ALPHA", u"0"}}, &Settings::guideAlpha, 1},
      {"guide alpha 300", {{u"GUIDE", u"GUIDE_ALPHA", u"300"}}, &Settings::guideAlpha, 255},
      {"judgment width -5", {{u"GUIDE", u"JUDGMENT_WIDTH", u"-5"}}, &Settings::judgmentWidth, 1},
      {"guide width -5", {{u"GUIDE", u"GUIDE_WIDTH", u"-5"}}, &Settings::guideWidth, 1},
      {"guide width 0", {{u"GUIDE", u"GUIDE_WIDTH", u"0"}}, &Settings::guideWidth, 1},
      {"label show 2", {{u"LABEL", u"SHOW", u"2"}}, &Settings::labelShow, 2},
      {"label show 3", {{u"LABEL", u"SHOW", u"3"}}, &Settings::labelShow, 0},
      {"label colour index 3", {{u"LABEL", u"FONT_COLOR_IDX", u"3"}}, &Settings::labelFontColorIndex, 0},
      {"italic 257", {{u"LABEL", u"FONT_ITALIC", u"257"}}, Field(kLabelFont, &FontRecord::italic), 1},
      {"charset 384", {{u"LABEL", u"FONT_CHARSET", u"384"}}, Field(kLabelFont, &FontRecord::charset), 128},
      {"charset -1", {{u"LABEL", u"FONT_CHARSET", u"-1"}}, Field(kLabelFont, &FontRecord::charset), 255},
      {"font height kept", {{u"LABEL", u"FONT_HEIGHT", u"-25"}}, Field(kLabelFont, &FontRecord::height), -25},
      {"custom colour kept", {{u"LABEL", u"FONT_OPT_RGB", u"16711680"}}, &Settings::labelFontCustomColor, 16711680},
      {"trigger width 0", {{u"TRIGGER", u"WND_WIDTH", u"0"}}, &Settings::triggerWidth, 250},
      {"trigger width -3", {{u"TRIGGER", u"WND_WIDTH", u"-3"}}, &Settings::triggerWidth, 250},
      {"trigger width 1", {{u"TRIGGER", u"WND_WIDTH", u"1"}}, &Settings::triggerWidth, 1},
      {"trigger height 0", {{u"TRIGGER", u"WND_HEIGHT", u"0"}}, &Settings::triggerHeight, 200},
      {"trigger width past its dialog", {{u"TRIGGER", u"WND_WIDTH", u"40000"}}, &Settings::triggerWidth, 32767},
      {"trigger height at the largest", {{u"TRIGGER", u"WND_HEIGHT", u"2147483647"}}, &Settings::triggerHeight, 32767},
      {"trigger alpha 0", {{u"TRIGGER", u"WND_ALPHA", u"0"}}, &Settings::triggerAlpha, 1},
      {"trigger alpha 256", {{u"TRIGGER", u"WND_ALPHA", u"256"}}, &Settings::triggerAlpha, 255},
      {"pop-ups hidden", {{u"MONITOR_POP", u"SHOW", u"-1"}}, &Settings::monitorPopShow, -1},
      {"pop-ups bottom right", {{u"MONITOR_POP", u"SHOW", u"4"}}, &Settings::monitorPopShow, 4},
      {"pop-ups 5", {{u"MONITOR_POP", u"SHOW", u"5"}}, &Settings::monitorPopShow, 0},
      {"pop-ups -2", {{u"MONITOR_POP", u"SHOW", u"-2"}}, &Settings::monitorPopShow, 0},
      {"pop-up alpha 0", {{u"MONITOR_POP", u"ALPHA", u"0"}}, &Settings::monitorPopAlpha, 1},
      {"pop-up italic 257", {{u"MONITOR_POP", u"FONT_ITALIC", u"257"}}, Field(kPopFont, &FontRecord::italic), 1},
  };
  for (const Case& c : cases) {
    Loaded loaded(c.entries);
    EXPECT_EQ(c.field.Of(loaded.h.settings()), c.expected) << c.what;
  }
}

TEST(SettingsLoadTest, KeysWithTheSameNameAreReadFromTheirOwnSection) {
  Loaded loaded({{u"GUIDE", u"ENABLED", u"0"},
                 {u"TRIGGER", u"ENABLED", u"1"},
                 {u"GUIDE", u"TRIGGER_CTRL", u"0"},
                 {u"LABEL", u"TRIGGER_SHIFT", u"1"},
                 {u"TRIGGER", u"TRIGGER_ALT", u"1"},
                 {u"LABEL", u"SHOW", u"1"},
                 {u"MONITOR_POP", u"FONT_HEIGHT", u"-99"}});
  const Settings& s = loaded.h.settings();
  EXPECT_EQ(s.guideEnabled, 0);
  EXPECT_EQ(s.triggerEnabled, 1);
  EXPECT_EQ(s.guideCtrl, 0);
  EXPECT_EQ(s.labelCtrl, 1);
  EXPECT_EQ(s.triggerCtrl, 1);
  EXPECT_EQ(s.labelShift, 1);
  EXPECT_EQ(s.guideShift, 0);
  EXPECT_EQ(s.triggerShift, 0);
  EXPECT_EQ(s.triggerAlt, 1);
  EXPECT_EQ(s.labelAlt, 0);
  EXPECT_EQ(s.labelShow, 1);
  EXPECT_EQ(s.monitorPopShow, 0);
  EXPECT_EQ(s.monitorPopFont.height, -99);
  EXPECT_EQ(s.labelFont.height, -19);
}

TEST(SettingsLoadTest, TextValuesAreCutToTheirBuffers) {
  const std::u16string longFace(40, u'字');
  const std::u16string longKeyword(300, u'鍵');
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.AddMonitor({1920, 0, 3200, 1024});
  h.store.Set(ProfileIni(0), u"LABEL", u"FONT_FACE_NAME", longFace);
  h.store.Set(ProfileIni(0), u"MONITOR_POP", u"FONT_FACE_NAME", u"Meiryo UI");
  h.store.Set(ProfileIni(0), u"MONITOR_1", u"KEYWORD_3", longKeyword);
  h.store.Set(ProfileIni(0), u"MONITOR_1", u"KEYWORD_4", u"*メモ帳*");
  h.store.Set(ProfileIni(0), u"MONITOR_1", u"REG_EXP_3", u"5");
  h.store.Set(ProfileIni(0), u"MONITOR_1", u"GUIDE_COLOR_3", u"16711680");
  h.store.Set(ProfileIni(0), u"MONITOR_0", u"GUIDE_COLOR_15", u"0");
  h.app.PrepareStartup(false);

  const Settings& s = h.settings();
  EXPECT_EQ(s.labelFont.face.View(), longFace.substr(0, 31));
  EXPECT_EQ(s.monitorPopFont.face.View(), u"Meiryo UI");
  const MonitorSlot& second = h.state().monitorSlots[1];
  EXPECT_EQ(second[3].keyword.View(), longKeyword.substr(0, 255));
  EXPECT_EQ(U8(second[4].keyword.View()), "*メモ帳*");
  EXPECT_EQ(second[3].isRegex, 1);
  EXPECT_EQ(second[4].isRegex, 0);
  EXPECT_EQ(second[3].guideColor, 0xFF0000u);
  EXPECT_EQ(second[4].guideColor, 255u);
  EXPECT_EQ(h.state().At(0, 15).guideColor, 0u);
  EXPECT_TRUE(h.state().At(0, 3).keyword.Empty()) << "monitors keep their own sections";
}

TEST(ProfileLoadTest, SelectedIndexIsClampedAndChoosesTheFile) {
  struct Case {
    const char* stored;
    int selected;
  };
  const Case cases[] = {{"15", 9}, {"-3", 0}, {"4", 4}, {"9", 9}, {"x", 0}};
  for (const Case& c : cases) {
    AppHarness h;
    h.store.Set(kMainIni, u"PROFILE", u"INDEX", Utf16FromUtf8(c.stored));
    for (int k = 0; k < kProfileCount; ++k) h.store.SetInt(ProfileIni(k), u"OPTION", u"TIMER_INTERVAL", 100 + k);
    h.app.PrepareStartup(false);
    EXPECT_EQ(h.state().profiles.selected, c.selected) << c.stored;
    EXPECT_EQ(h.settings().timerInterval, 100 + c.selected) << c.stored;
  }
}

TEST(ProfileLoadTest, NamesFromEachFileWithDefaultsForEmptyOnes) {
  AppHarness h;
  h.store.Set(ProfileIni(0), u"PROFILE", u"NAME", u"");
  h.store.Set(ProfileIni(2), u"PROFILE", u"NAME", u"仕事");
  h.store.Set(ProfileIni(9), u"PROFILE", u"NAME", std::u16string(200, u'n'));
  h.app.PrepareStartup(false);
  const auto& names = h.state().profiles.names;
  EXPECT_EQ(U8(names[0].View()), "プロファイル_0");
  EXPECT_EQ(U8(names[1].View()), "プロファイル_1");
  EXPECT_EQ(U8(names[2].View()), "仕事");
  EXPECT_EQ(names[9].View(), std::u16string(127, u'n'));
  EXPECT_EQ(h.store.Get(ProfileIni(0), u"PROFILE", u"NAME"), u"") << "the file keeps its empty name";

  // The next profile list write puts the default name into the file.
  ASSERT_TRUE(h.app.SettingsFiles().SaveProfileList(kNoWindow));
  EXPECT_EQ(U8(*h.store.Get(ProfileIni(0), u"PROFILE", u"NAME")), "プロファイル_0");
  EXPECT_EQ(U8(*h.store.Get(ProfileIni(2), u"PROFILE", u"NAME")), "仕事");
}

TEST(SettingsPathTest, FilesSitNextToTheExecutableAndCarryTheUserName) {
  struct Case {
    std::u16string executable;
    std::u16string user;
    std::u16string mainFile;
    std::u16string profile3;
  };
  const Case cases[] = {
      {u"C:\\Tools\\Peekbar\\Peekbar.exe", u"tester", u"C:\\Tools\\Peekbar\\tester_Peekbar.ini",
       u"C:\\Tools\\Peekbar\\tester_Peekbar_3.ini"},
      {u"C:\\Tools\\Peekbar\\Peekbar.exe", u"", u"C:\\Tools\\Peekbar\\_Peekbar.ini",
       u"C:\\Tools\\Peekbar\\_Peekbar_3.ini"},
      {u"D:\\ユーザー\\田中\\Peekbar.exe", u"田中", u"D:\\ユーザー\\田中\\田中_Peekbar.ini",
       u"D:\\ユーザー\\田中\\田中_Peekbar_3.ini"},
      {u"", u"tester", u"tester_Peekbar.ini", u"tester_Peekbar_3.ini"},
  };
  for (const Case& c : cases) {
    AppHarness h;
    h.shell.SetExecutablePath(c.executable);
    h.shell.SetUserName(c.user);
    h.store.SetInt(c.mainFile, u"PROFILE", u"INDEX", 3);
    h.store.SetInt(c.profile3, u"OPTION", u"TIMER_INTERVAL", 77);
    h.app.PrepareStartup(false);
    EXPECT_EQ(U8(h.state().profiles.mainSettingsPath), U8(c.mainFile));
    EXPECT_EQ(U8(h.state().profiles.SelectedPath()), U8(c.profile3));
    EXPECT_EQ(h.settings().timerInterval, 77) << U8(c.profile3);
  }
}

// ---- Writers ----

struct WriterFixture : ::testing::Test {
  AppHarness h;
  void SetUp() override {
    h.AddMonitor({0, 0, 1920, 1080});
    h.AddMonitor({1920, 0, 3200, 1024});
    h.app.PrepareStartup(false);
  }
  SettingsFile& file() { return h.app.SettingsFiles(); }
};

TEST_F(WriterFixture, OptionSectionInKeyOrderWithValuesFromMemory) {
  Settings& s = h.settings();
  s.cornerLength = 5;
  s.middleLength = 20;
  s.timerInterval = 100;
  s.hideTaskbar = 1;
  s.trayOperationReverse = 1;
  s.fullscreenQuiet = 0;
  ASSERT_TRUE(file().SaveOptionSettings(kNoWindow));
  EXPECT_EQ(h.store.WriteLog(), (std::vector<std::string>{
                                    "OPTION/CORNER_LENGTH=5", "OPTION/MIDDLE_LENGTH=20", "OPTION/TIMER_INTERVAL=100",
                                    "OPTION/SHOWING_DELAY=250", "OPTION/HIDDEN_DELAY=1000",
                                    "OPTION/MUST_BTN_FOR_SHOW=0", "OPTION/HIDE_TASKBAR=1", "OPTION/NO_TITLE=0",
                                    "OPTION/ENABLED_AT_EDGE=1", "OPTION/TOPMOST=0", "OPTION/KEEP_WIN_POS=0",
                                    "OPTION/RESTORE_WIN_POS=0", "OPTION/BALLOON=1", "OPTION/SOUND_ON_COMMAND=0",
                                    "OPTION/MULTIPLE_STARTUP=1", "OPTION/TRAY_OPR_REVERSE=1",
                                    "OPTION/FULLSCREEN_QUIET=0"}));
  for (const auto& w : h.store.Writes()) EXPECT_EQ(U8(w.path), U8(ProfileIni(0)));
}

TEST_F(WriterFixture, EachSectionWriterWritesOnlyItsKeysInOrder) {
  struct Case {
    const char* writer;
    std::function<bool(SettingsFile&)> save;
    std::vector<std::string> log;
  };
  const std::vector<Case> cases = {
      {"tray colour", [](SettingsFile& f) { return f.SaveTrayIconColor(kNoWindow); }, {"OPTION/TRAY_ICON_COLOR=0"}},
      {"guide", [](SettingsFile& f) { return f.SaveGuideSettings(kNoWindow); },
       {"GUIDE/ENABLED=1", "GUIDE/ENABLED_KEY=1", "GUIDE/ALWAYS_SHOW=0", "GUIDE/TRIGGER_CTRL=1",
        "GUIDE/TRIGGER_SHIFT=0", "GUIDE/TRIGGER_ALT=0", "GUIDE/JUDGMENT_WIDTH=1", "GUIDE/GUIDE_WIDTH=12",
        "GUIDE/GUIDE_ALPHA=160"}},
      {"label", [](SettingsFile& f) { return f.SaveLabelSettings(kNoWindow); },
       {"LABEL/SHOW=0", "LABEL/TRIGGER_CTRL=1", "LABEL/TRIGGER_SHIFT=0", "LABEL/TRIGGER_ALT=0",
        "LABEL/FONT_FACE_NAME=ＭＳ ゴシック", "LABEL/FONT_HEIGHT=-19", "LABEL/FONT_WIDTH=0", "LABEL/FONT_WEIGHT=700",
        "LABEL/FONT_ITALIC=0", "LABEL/FONT_CHARSET=128", "LABEL/FONT_COLOR_IDX=0", "LABEL/FONT_OPT_RGB=0"}},
      {"trigger", [](SettingsFile& f) { return f.SaveTriggerSettings(kNoWindow); },
       {"TRIGGER/ENABLED=0", "TRIGGER/TRIGGER_CTRL=1", "TRIGGER/TRIGGER_SHIFT=0", "TRIGGER/TRIGGER_ALT=0",
        "TRIGGER/WND_WIDTH=200", "TRIGGER/WND_HEIGHT=200", "TRIGGER/WND_ALPHA=192"}},
      {"monitor pop-ups", [](SettingsFile& f) { return f.SaveMonitorPopSettings(kNoWindow); },
       {"MONITOR_POP/SHOW=0", "MONITOR_POP/ALPHA=64", "MONITOR_POP/FONT_FACE_NAME=ＭＳ ゴシック",
        "MONITOR_POP/FONT_HEIGHT=-171", "MONITOR_POP/FONT_WIDTH=0", "MONITOR_POP/FONT_WEIGHT=700",
        "MONITOR_POP/FONT_ITALIC=0", "MONITOR_POP/FONT_CHARSET=128"}},
  };
  for (const Case& c : cases) {
    h.store.ClearWrites();
    EXPECT_TRUE(c.save(file())) << c.writer;
    EXPECT_EQ(h.store.WriteLog(), c.log) << c.writer;
  }
}

TEST_F(WriterFixture, LocationSettingsGoToTheMonitorsSection) {
  MonitorSlot& slot = h.state().monitorSlots[1];
  slot[5].keyword = u"*エディタ*";
  slot[5].isRegex = 1;
  slot[5].guideColor = 0x00FF8000;
  ASSERT_TRUE(file().SaveLocationSettings(kNoWindow, 1, 5));
  EXPECT_EQ(h.store.WriteLog(), (std::vector<std::string>{"MONITOR_1/KEYWORD_5=*エディタ*", "MONITOR_1/REG_EXP_5=1",
                                                          "MONITOR_1/GUIDE_COLOR_5=16744448"}));
}

TEST_F(WriterFixture, ProfileListWritesTheIndexThenTenNames) {
  h.state().profiles.selected = 3;
  h.state().profiles.names[4] = u"自宅";
  ASSERT_TRUE(file().SaveProfileList(kNoWindow));
  const auto& writes = h.store.Writes();
  ASSERT_EQ(writes.size(), 11u);
  EXPECT_EQ(U8(writes[0].path), U8(kMainIni));
  EXPECT_EQ(U8(writes[0].section + u"/" + writes[0].key + u"=" + writes[0].value), "PROFILE/INDEX=3");
  for (int k = 0; k < kProfileCount; ++k) {
    const auto& w = writes[static_cast<std::size_t>(k) + 1];
    EXPECT_EQ(U8(w.path), U8(ProfileIni(k)));
    EXPECT_EQ(U8(w.section + u"/" + w.key), "PROFILE/NAME");
    EXPECT_EQ(U8(w.value), k == 4 ? "自宅" : "プロファイル_" + std::to_string(k));
  }
}

TEST_F(WriterFixture, WritersUseTheSelectedProfileFile) {
  h.state().profiles.selected = 6;
  ASSERT_TRUE(file().SaveGuideSettings(kNoWindow));
  ASSERT_TRUE(file().SaveLocationSettings(kNoWindow, 0, 0));
  for (const auto& w : h.store.Writes()) EXPECT_EQ(U8(w.path), U8(ProfileIni(6)));
}

TEST(SettingsRoundTripTest, NormalisedValuesAreWrittenBackNormalised) {
  Loaded loaded({{u"OPTION", u"HIDE_TASKBAR", u"7"},
                 {u"OPTION", u"CORNER_LENGTH", u"80"},
                 {u"OPTION", u"MIDDLE_LENGTH", u"10"},
                 {u"LABEL", u"FONT_ITALIC", u"257"}});
  ASSERT_TRUE(loaded.h.app.SettingsFiles().SaveOptionSettings(kNoWindow));
  ASSERT_TRUE(loaded.h.app.SettingsFiles().SaveLabelSettings(kNoWindow));
  const auto value = [&](std::u16string_view section, std::u16string_view key) {
    return U8(loaded.h.store.Get(ProfileIni(0), section, key).value_or(u"<missing>"));
  };
  EXPECT_EQ(value(u"OPTION", u"HIDE_TASKBAR"), "1");
  EXPECT_EQ(value(u"OPTION", u"CORNER_LENGTH"), "50");
  EXPECT_EQ(value(u"OPTION", u"MIDDLE_LENGTH"), "0");
  EXPECT_EQ(value(u"LABEL", u"FONT_ITALIC"), "1");
}

// A failing first write: the user is told which file, nothing else of that
// writer is attempted, and the values in memory stay.
TEST(SettingsWriteFailureTest, FirstWriteFailureReportsThePathAndStops) {
  struct Case {
    const char* writer;
    std::function<bool(SettingsFile&, WindowHandle)> save;
    bool mainFile;
  };
  const std::vector<Case> cases = {
      {"option", [](SettingsFile& f, WindowHandle o) { return f.SaveOptionSettings(o); }, false},
      {"tray colour", [](SettingsFile& f, WindowHandle o) { return f.SaveTrayIconColor(o); }, false},
      {"guide", [](SettingsFile& f, WindowHandle o) { return f.SaveGuideSettings(o); }, false},
      {"label", [](SettingsFile& f, WindowHandle o) { return f.SaveLabelSettings(o); }, false},
      {"trigger", [](SettingsFile& f, WindowHandle o) { return f.SaveTriggerSettings(o); }, false},
      {"monitor pop-ups", [](SettingsFile& f, WindowHandle o) { return f.SaveMonitorPopSettings(o); }, false},
      {"location", [](SettingsFile& f, WindowHandle o) { return f.SaveLocationSettings(o, 0, 7); }, false},
      {"profile list", [](SettingsFile& f, WindowHandle o) { return f.SaveProfileList(o); }, true},
  };
  for (const Case& c : cases) {
    for (const bool balloon : {true, false}) {
      AppHarness h;
      h.AddMonitor({0, 0, 1920, 1080});
      h.store.SetInt(ProfileIni(0), u"OPTION", u"BALLOON", balloon ? 1 : 0);
      const WindowHandle main = h.Start();
      h.shell.ClearLog();
      const std::u16string path = c.mainFile ? kMainIni : ProfileIni(0);
      h.store.FailWritesTo(path);

      EXPECT_FALSE(c.save(h.app.SettingsFiles(), main)) << c.writer;

      ASSERT_EQ(h.store.Writes().size(), 1u) << c.writer << ": only the first write is tried";
      EXPECT_FALSE(h.store.Writes()[0].succeeded);
      const std::string message = "設定ファイルの書き込みに失敗しました。\n\n" + U8(path);
      if (balloon) {
        EXPECT_TRUE(h.shell.Boxes().empty()) << c.writer;
        ASSERT_EQ(h.shell.Balloons().size(), 1u) << c.writer;
        EXPECT_EQ(U8(h.shell.Balloons()[0].info), message) << c.writer;
        EXPECT_EQ(h.shell.Balloons()[0].infoFlags, 3u) << c.writer;
      } else {
        EXPECT_TRUE(h.shell.Balloons().empty()) << c.writer;
        ASSERT_EQ(h.shell.Boxes().size(), 1u) << c.writer;
        EXPECT_EQ(U8(h.shell.Boxes()[0].text), message) << c.writer;
        EXPECT_EQ(h.shell.Boxes()[0].owner, main) << c.writer;
        EXPECT_EQ(h.shell.Boxes()[0].icon, MessageIcon::Error) << c.writer;
      }
    }
  }
}

TEST(SettingsWriteFailureTest, VeryLongPathIsCutToFitTheBalloon) {
  AppHarness h;
  h.shell.SetExecutablePath(u"C:\\" + std::u16string(300, u'd') + u"\\Peekbar.exe");
  h.Start();
  h.store.FailWritesTo(h.state().profiles.SelectedPath());
  EXPECT_FALSE(h.app.SettingsFiles().SaveGuideSettings(h.state().mainWindow));
  ASSERT_EQ(h.shell.Balloons().size(), 1u);
  const std::u16string info = h.shell.Balloons()[0].info;
  EXPECT_EQ(info.size(), 255u);
  EXPECT_EQ(U8(info.substr(0, 19)), "設定ファイルの書き込みに失敗しました。");
}

TEST(SettingsWriteFailureTest, MemoryKeepsTheNewValues) {
  AppHarness h;
  h.Start();
  h.store.FailWritesTo(ProfileIni(0));
  h.settings().guideAlpha = 99;
  EXPECT_FALSE(h.app.SettingsFiles().SaveGuideSettings(h.state().mainWindow));
  EXPECT_EQ(h.settings().guideAlpha, 99);
  EXPECT_FALSE(h.store.HasFile(ProfileIni(0)));
}

// A failure of any other write than a writer's first is told too, once
// per run.
TEST(SettingsWriteFailureTest, OtherFailedWritesAreToldOncePerRun) {
  AppHarness h;
  h.Start();
  const std::string failed = "設定ファイルの書き込みに失敗しました。\n\n";
  const auto balloons = [&] {
    std::vector<std::string> texts;
    for (const TrayIconRecord& b : h.shell.Balloons()) texts.push_back(U8(b.info));
    return texts;
  };

  h.store.FailWritesOfKey(u"MIDDLE_LENGTH");
  EXPECT_TRUE(h.app.SettingsFiles().SaveOptionSettings(h.state().mainWindow));
  EXPECT_EQ(h.store.Writes().size(), 17u) << "the keys after a failed one are still written";
  EXPECT_EQ(balloons(), (std::vector<std::string>{failed + U8(ProfileIni(0))}));

  EXPECT_TRUE(h.app.SettingsFiles().SaveOptionSettings(h.state().mainWindow));
  h.store.FailWritesTo(ProfileIni(4));
  EXPECT_TRUE(h.app.SettingsFiles().SaveProfileList(h.state().mainWindow));
  EXPECT_EQ(balloons().size(), 1u) << "told once per run";

  // A writer whose first key fails still says so every time.
  h.store.FailWritesTo(ProfileIni(0));
  EXPECT_FALSE(h.app.SettingsFiles().SaveGuideSettings(h.state().mainWindow));
  EXPECT_FALSE(h.app.SettingsFiles().SaveGuideSettings(h.state().mainWindow));
  EXPECT_EQ(balloons().size(), 3u);
}

// It is written at every hide.
TEST(SettingsWriteFailureTest, AWindowRectangleThatCannotBeWrittenIsToldOnce) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.Start();
  h.Hold(0, 2, h.desktop.AddWindow("editor", {10, 20, 410, 320}));
  h.store.FailWritesTo(ProfileIni(0));
  for (int hide = 0; hide < 3; ++hide) h.app.Showing().RememberWindowRect(0, 2);
  ASSERT_EQ(h.shell.Balloons().size(), 1u);
  EXPECT_EQ(U8(h.shell.Balloons()[0].info), "設定ファイルの書き込みに失敗しました。\n\n" + U8(ProfileIni(0)));
  EXPECT_EQ(h.shell.Balloons()[0].infoFlags, 3u);
}

// ---- Settings files saved as UTF-8 ----

const std::string kToldAtLoad = U8(
    u"設定ファイルをUTF-16に変換できませんでした（ほかのプログラムが開いているなど）。"
    u"次に起動するまで、このファイルの日本語（キーワード、プロファイル名など）は正しく読めず、"
    u"設定の変更も保存しません。ファイルを閉じてから Peekbar を起動し直してください。\n\n");

// What an editor saves: UTF-8 without a byte-order mark.
constexpr std::string_view kUtf8Profile = "[OPTION]\r\nTIMER_INTERVAL=77\r\n[MONITOR_0]\r\nKEYWORD_2=*メモ帳*\r\n";
constexpr std::u16string_view kProfileText = u"[OPTION]\r\nTIMER_INTERVAL=77\r\n[MONITOR_0]\r\nKEYWORD_2=*メモ帳*\r\n";

TEST(SettingsEncodingTest, Utf8FileIsWrittenAnewAsUtf16BeforeItIsRead) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.store.SetBytes(ProfileIni(0), kUtf8Profile);
  h.Start();
  EXPECT_EQ(h.store.Bytes(ProfileIni(0)), Utf16SettingsBytes(kProfileText));
  EXPECT_EQ(U8(h.state().At(0, 2).keyword.View()), "*メモ帳*");
  EXPECT_FALSE(h.store.HasFile(ProfileIni(0) + u".converting"));
  EXPECT_FALSE(h.store.HasFile(ProfileIni(0) + u".converted"));
}

// A conversion writes its copy as "<file>.converting" and renames it
// "<file>.converted" once all of it is on the disk, then replaces the file
// with it. On FAT the file is removed before the copy takes its place.
TEST(SettingsEncodingTest, CopiesLeftByAConversionThatDidNotFinish) {
  struct Case {
    const char* scene;
    bool fileThere;               // holding TIMER_INTERVAL=55
    std::u16string_view copyName;  // holding TIMER_INTERVAL=77
    std::int32_t read;
  };
  const Case cases[] = {
      {"file removed for a whole copy", false, u".converted", 77},
      {"file never replaced by a whole copy", true, u".converted", 55},
      {"copy cut short, file missing", false, u".converting", 200},
      {"copy cut short, file there", true, u".converting", 55},
  };
  for (const Case& c : cases) {
    AppHarness h;
    if (c.fileThere) h.store.SetBytes(ProfileIni(0), Utf16SettingsBytes(u"[OPTION]\r\nTIMER_INTERVAL=55\r\n"));
    const std::string copy = Utf16SettingsBytes(u"[OPTION]\r\nTIMER_INTERVAL=77\r\n");
    h.store.SetBytes(ProfileIni(0) + std::u16string(c.copyName), copy);
    h.Start();
    EXPECT_EQ(h.settings().timerInterval, c.read) << c.scene;
    EXPECT_FALSE(h.store.HasFile(ProfileIni(0) + std::u16string(c.copyName))) << c.scene;
    if (c.read == 77) {
      EXPECT_EQ(h.store.Bytes(ProfileIni(0)), copy) << c.scene;
    }
    EXPECT_EQ(h.store.HasFile(ProfileIni(0)), c.read != 200) << c.scene << ": a copy cut short is never taken";
  }
}

// Written through the private-profile functions, a UTF-8 file would be
// rewritten in the ANSI code page, its Japanese lost. Nothing is written
// into it for the rest of the run; the user is told so as it is read, and
// once more at the first write refused.
TEST(SettingsEncodingTest, FileLeftUnconvertedIsNotWrittenThisRun) {
  struct Case {
    const char* scene;
    std::u16string_view name;  // the file as the scene leaves it
    std::string bytes;
  };
  const Case cases[] = {
      {"UTF-8 file held by an editor", u"", std::string(kUtf8Profile)},
      {"whole copy that could not replace the missing file", u".converted", Utf16SettingsBytes(kProfileText)},
  };
  const std::string told = "設定ファイルのUTF-16への変換に失敗しました。\n"
                           "文字化けを防ぐため、次に起動するまでこのファイルには書き込みません。\n\n" +
                           U8(ProfileIni(0));
  for (const Case& c : cases) {
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    const std::u16string path = ProfileIni(0) + std::u16string(c.name);
    h.store.SetBytes(path, c.bytes);
    h.store.FailWritesTo(ProfileIni(0));
    const WindowHandle main = h.Start();
    h.store.FailWritesTo(ProfileIni(0), false);  // the editor lets go of it
    ASSERT_EQ(h.shell.Balloons().size(), 1u) << c.scene << ": not told as it was read";
    EXPECT_EQ(U8(h.shell.Balloons()[0].info), kToldAtLoad + U8(ProfileIni(0))) << c.scene;
    EXPECT_EQ(h.shell.Balloons()[0].infoFlags, 3u) << c.scene;
    h.Hold(0, 2, h.desktop.AddWindow("editor", {10, 20, 410, 320}));

    EXPECT_FALSE(h.app.SettingsFiles().SaveOptionSettings(main)) << c.scene;
    EXPECT_FALSE(h.app.SettingsFiles().SaveGuideSettings(main)) << c.scene;
    h.app.Showing().RememberWindowRect(0, 2);
    EXPECT_TRUE(h.app.SettingsFiles().SaveProfileList(main)) << c.scene;

    for (const auto& w : h.store.Writes()) EXPECT_NE(U8(w.path), U8(ProfileIni(0))) << c.scene;
    EXPECT_EQ(h.store.Writes().size(), 10u) << c.scene << ": the index and the other nine names";
    EXPECT_EQ(h.store.Bytes(path), c.bytes) << c.scene;
    ASSERT_EQ(h.shell.Balloons().size(), 2u) << c.scene;
    EXPECT_EQ(U8(h.shell.Balloons()[1].info), told) << c.scene;
  }
}

// Told once for every file read that could not be converted: those of the
// start in one word, a profile left so since the start not again when it
// is chosen, one that became so meanwhile as it is chosen.
TEST(SettingsEncodingTest, FilesLeftUnconvertedAreToldOnceAsTheyAreRead) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  for (const int k : {0, 3}) {
    h.store.SetBytes(ProfileIni(k), std::string(kUtf8Profile));
    h.store.FailWritesTo(ProfileIni(k));
  }
  h.Start();
  // What was told as the files were read (the writes refused say more).
  const auto toldAtLoad = [&h] {
    std::vector<std::string> texts;
    for (const auto& b : h.shell.Balloons()) {
      if (U8(b.info).starts_with(kToldAtLoad)) texts.push_back(U8(b.info).substr(kToldAtLoad.size()));
    }
    return texts;
  };
  const std::string bothAtStart = U8(ProfileIni(0)) + "\n" + U8(ProfileIni(3));
  EXPECT_EQ(toldAtLoad(), (std::vector<std::string>{bothAtStart}));
  EXPECT_EQ(h.shell.Balloons().size(), 1u);
  h.app.OnCommand(command_id::kProfileFirst + 3);
  EXPECT_EQ(toldAtLoad().size(), 1u) << "told again as it was chosen";
  h.store.SetBytes(ProfileIni(5), std::string(kUtf8Profile));  // edited by hand meanwhile, held by the editor
  h.store.FailWritesTo(ProfileIni(5));
  h.app.OnCommand(command_id::kProfileFirst + 5);
  EXPECT_EQ(toldAtLoad(), (std::vector<std::string>{bothAtStart, U8(ProfileIni(5))}));
}

// ---- The table ----

TEST(SettingsTableTest, NoKeyStandsTwiceInASection) {
  std::set<std::pair<std::u16string_view, std::u16string_view>> seen;
  for (const SettingDef& def : SettingDefinitions()) {
    EXPECT_TRUE(seen.insert({def.section, def.key}).second) << U8(def.section) << "/" << U8(def.key);
  }
}

TEST(SettingsTableTest, EveryDefaultSurvivesItsOwnReadRule) {
  const Settings& defaults = DefaultSettings();
  for (const SettingDef& def : SettingDefinitions()) {
    if (def.IsText()) continue;
    EXPECT_EQ(NormaliseSetting(def, def.IntIn(defaults), defaults), def.IntIn(defaults))
        << U8(def.section) << "/" << U8(def.key);
  }
}

// The monitor-number font from the font chooser: stored as a file's values
// are read (italic and charset keep their low byte) and saved; Cancel
// changes nothing.
TEST(FontRecordTest, ChosenMonitorNumberFontIsNormalisedAndSaved) {
  AppHarness h;
  h.Start();
  h.store.ClearWrites();
  h.app.OnCommand(command_id::kMonitorPopFont);
  EXPECT_EQ(h.settings().monitorPopFont.height, -171);
  EXPECT_TRUE(h.store.Writes().empty()) << "cancelled";

  h.windows.chosenFont = FontRecord{.face = {u"Meiryo UI"}, .height = -40, .width = 3, .weight = 400,
                                    .italic = 257, .charset = 0x180};
  h.app.OnCommand(command_id::kMonitorPopFont);
  const FontRecord& font = h.settings().monitorPopFont;
  EXPECT_EQ(U8(font.face.View()), "Meiryo UI");
  EXPECT_EQ(font.italic, 1);
  EXPECT_EQ(font.charset, 0x80);
  EXPECT_EQ(h.settings().labelFont.height, -19) << "the label font is another record";
  EXPECT_EQ(h.store.WriteLog(),
            (std::vector<std::string>{"MONITOR_POP/SHOW=0", "MONITOR_POP/ALPHA=64",
                                      "MONITOR_POP/FONT_FACE_NAME=Meiryo UI", "MONITOR_POP/FONT_HEIGHT=-40",
                                      "MONITOR_POP/FONT_WIDTH=3", "MONITOR_POP/FONT_WEIGHT=400",
                                      "MONITOR_POP/FONT_ITALIC=1", "MONITOR_POP/FONT_CHARSET=128"}));
}

// ---- Saved window rectangles ----

struct WindowRectFixture : ::testing::Test {
  AppHarness h;
  WindowHandle window = kNoWindow;
  void SetUp() override {
    h.AddMonitor({0, 0, 1920, 1080});
    h.AddMonitor({-1280, -200, 0, 824});
    h.app.PrepareStartup(false);
    window = h.desktop.AddWindow("editor", {10, 20, 410, 320});
    h.Hold(1, 2, window);
  }
};

TEST_F(WindowRectFixture, SaveWritesTheFourEdgesAndRemembersThem) {
  h.desktop.Find(window)->rect = {-1200, -150, -800, 100};
  h.app.Showing().RememberWindowRect(1, 2);
  EXPECT_EQ(h.state().At(1, 2).savedRect, (Rect{-1200, -150, -800, 100}));
  EXPECT_EQ(h.store.WriteLog(), (std::vector<std::string>{"MONITOR_1/WIN_LEFT_2=-1200", "MONITOR_1/WIN_TOP_2=-150",
                                                          "MONITOR_1/WIN_RIGHT_2=-800", "MONITOR_1/WIN_BOTTOM_2=100",
                                                          "MONITOR_1/WIN_DPI_2=96"}));
}

TEST_F(WindowRectFixture, SaveSkipsMinimisedMaximisedAndUnreadableWindows) {
  const std::function<void(FakeWindow&)> states[] = {
      [](FakeWindow& w) { w.minimized = true; },
      [](FakeWindow& w) { w.maximized = true; },
      [](FakeWindow& w) { w.rectFails = true; },
  };
  const Rect before{1, 2, 3, 4};
  for (const auto& state : states) {
    FakeWindow& w = *h.desktop.Find(window);
    w = FakeWindow{};
    w.name = "editor";
    w.rect = {10, 20, 410, 320};
    state(w);
    h.state().At(1, 2).savedRect = before;
    h.app.Showing().RememberWindowRect(1, 2);
    EXPECT_TRUE(h.store.Writes().empty());
    EXPECT_EQ(h.state().At(1, 2).savedRect, before);
  }
}

TEST_F(WindowRectFixture, RestoreMovesTheWindowWithoutActivatingIt) {
  h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_LEFT_2", -1000);
  h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_TOP_2", -100);
  h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_RIGHT_2", -500);
  h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_BOTTOM_2", 300);
  h.app.SettingsFiles().RestoreWindowRect(1, 2);
  EXPECT_EQ(h.state().At(1, 2).savedRect, (Rect{-1000, -100, -500, 300}));
  EXPECT_EQ(h.desktop.Log(), (std::vector<std::string>{"PlaceWindow editor Unchanged move=(-1000,-100) size=500x400 noactivate"}));
  EXPECT_EQ(h.desktop.Find(window)->rect, (Rect{-1000, -100, -500, 300}));
}

TEST_F(WindowRectFixture, RestoreWithoutALeftEdgeDoesNothing) {
  h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_TOP_2", 10);
  h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_RIGHT_2", 500);
  h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_BOTTOM_2", 300);
  h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"WIN_LEFT_2", 0);  // another monitor's
  h.app.SettingsFiles().RestoreWindowRect(1, 2);
  EXPECT_EQ(h.state().At(1, 2).savedRect, Rect{});
  EXPECT_TRUE(h.desktop.Log().empty());
}

TEST_F(WindowRectFixture, RestoreOfAnEmptyRectangleKeepsItButDoesNotMove) {
  struct Case {
    Rect stored;
    bool moves;
  };
  const Case cases[] = {
      {{100, 100, 100, 400}, false},  // right = left
      {{100, 100, 50, 400}, false},   // right < left
      {{100, 400, 500, 400}, false},  // bottom = top
      {{100, 100, 101, 101}, true},
  };
  for (const Case& c : cases) {
    h.desktop.ResetCalls();
    h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_LEFT_2", c.stored.left);
    h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_TOP_2", c.stored.top);
    h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_RIGHT_2", c.stored.right);
    h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_BOTTOM_2", c.stored.bottom);
    h.app.SettingsFiles().RestoreWindowRect(1, 2);
    EXPECT_EQ(h.state().At(1, 2).savedRect, c.stored);
    EXPECT_EQ(h.desktop.Calls(DesktopMethod::PlaceWindow), c.moves ? 1 : 0) << c.stored.right;
  }
}

TEST_F(WindowRectFixture, RestoreReadsMissingEdgesAsZero) {
  h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_LEFT_2", -300);
  h.store.SetInt(ProfileIni(0), u"MONITOR_1", u"WIN_BOTTOM_2", 200);
  h.app.SettingsFiles().RestoreWindowRect(1, 2);
  EXPECT_EQ(h.state().At(1, 2).savedRect, (Rect{-300, 0, 0, 200}));
  EXPECT_EQ(h.desktop.Calls(DesktopMethod::PlaceWindow), 1);
}

}  // namespace
}  // namespace peekbar
