// Whatever a hand-edited settings file or another program's window holds,
// nothing overflows, nothing goes where no one can reach it, and nothing of
// the program's own or of the shell's is taken by a keyword.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "core/overlays/guides.h"
#include "core/registration/registration_sheet.h"
#include "fakes/app_harness.h"

namespace peekbar {
namespace {

const std::vector<std::u16string>& HostileNumbers() {
  static const std::vector<std::u16string> texts = {
      u"-2147483648", u"2147483647", u"-1", u"2147483648", u"-2147483649", u"abc", u"", u" +12 ",
      std::u16string(10000, u'9'), u"-" + std::u16string(10000, u'9'), u"0x7FFFFFFF",
  };
  return texts;
}

// Every integer key of a profile, given any text: what is read obeys its
// rule, and the geometry made from it stays within 32 bits (the sanitizer
// builds catch an overflow here).
TEST(HandEditedSettingsTest, EveryIntegerKeyTakesAnyTextAndEndsWithinItsRule) {
  for (const std::u16string& text : HostileNumbers()) {
    SCOPED_TRACE(U8(text.substr(0, 20)));
    AppHarness h;
    h.AddMonitor({-32768, -32768, 32767, 32767});
    h.AddMonitor({0, 0, 1920, 1080});
    for (const SettingDef& def : SettingDefinitions()) {
      if (!def.IsText()) h.store.Set(ProfileIni(0), def.section, def.key, text);
    }
    for (int m = 0; m < 2; ++m) {
      for (int n = 0; n < kLocationCount; ++n) {
        for (const LocationSettingDef& def : LocationSettingDefinitions()) {
          if (def.get != nullptr) h.store.Set(ProfileIni(0), MonitorSection(m), LocationKey(def, n), text);
        }
      }
    }
    h.Start();
    Settings& s = h.settings();
    for (const SettingDef& def : SettingDefinitions()) {
      if (def.IsText()) continue;
      const std::int32_t value = def.IntIn(s);
      EXPECT_EQ(NormaliseSetting(def, value, s), value) << U8(def.section) << "/" << U8(def.key);
    }
    for (const MonitorSlot& monitor : h.state().monitorSlots) {
      const LocationSpan span = LocationSpan::Of(monitor.monitorRect, s.cornerLength, s.middleLength);
      for (int k = 0; k < kLocationCount; ++k) {
        const GuideBar bar = GuideBarOf(monitor.monitorRect, span, s.guideWidth, k);
        EXPECT_LE(bar.count, 2);
        IsPointerInJudgmentBand(monitor.monitorRect, s.judgmentWidth, {0, 0});
        LabelOrigin(k, bar.parts[0], s.guideWidth, 2000, 1000);
      }
    }
    EXPECT_GE(s.labelFont.height, -1000);
    EXPECT_LE(s.labelFont.height, 1000);
    EXPECT_LE(s.guideWidth, 32767);
  }
}

// A remembered rectangle is used only where a monitor still is; one that no
// monitor holds, or that no window could be, leaves the window to its edge.
TEST(SavedRectTest, UsedOnlyOnAPresentMonitorOtherwiseTheWindowDocks) {
  enum class Then { AtTheRectangle, Docked, WhereItWas };
  struct Case {
    Rect saved;
    Then then;
  };
  const Case cases[] = {
      {{100, 100, 500, 400}, Then::AtTheRectangle},
      {{-1000, 200, -600, 500}, Then::AtTheRectangle},  // the monitor left of the primary
      {{1700, 100, 2100, 400}, Then::AtTheRectangle},   // its centre still on the primary
      {{3000, 100, 3400, 400}, Then::Docked},           // a monitor unplugged since
      {{-2000000000, 0, 2000000000, 100}, Then::Docked},
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, Then::Docked},
      {{0, 0, 100000, 500}, Then::Docked},              // larger than any window
      // No positive size: nothing is remembered, and it comes up where it was.
      {{2000000000, 0, -2000000000, 100}, Then::WhereItWas},
      {{100, 100, 100, 400}, Then::WhereItWas},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.saved.left << "," << c.saved.top << "," << c.saved.right << ","
                                    << c.saved.bottom);
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.AddMonitor({-1280, 0, 0, 1024});
    h.store.SetInt(ProfileIni(0), u"OPTION", u"KEEP_WIN_POS", 1);
    h.store.SetInt(ProfileIni(0), u"OPTION", u"SHOWING_DELAY", 0);
    h.Start();
    EXPECT_EQ(IsUsableSavedRect(c.saved, h.state().monitorSlots), c.then == Then::AtTheRectangle);

    FakeWindow w;
    w.name = "editor";
    w.rect = {300, 300, 700, 600};
    w.visible = false;
    const WindowHandle editor = h.desktop.AddWindow(w);
    h.app.Registration().Register(0, TopMiddle, editor);
    h.state().At(0, TopMiddle).savedRect = c.saved;
    h.desktop.SetPointer(960, 0);
    h.desktop.Advance(200);
    h.app.OnTimer();
    const Rect shown = h.desktop.Find(editor)->rect;
    switch (c.then) {
      case Then::AtTheRectangle: EXPECT_EQ(shown, c.saved); break;
      case Then::Docked: EXPECT_EQ(shown, (Rect{760, 0, 1160, 300})) << "not docked at its edge"; break;
      case Then::WhereItWas: EXPECT_EQ(shown, (Rect{300, 300, 700, 600})); break;
    }
  }
}

// Neither the program's own windows nor the shell's are taken by a keyword,
// however wide; the shell's stay in the menu, the program's do not.
TEST(KeywordTargetsTest, NeverTheProgramsOwnWindowsNorTheShellsByAKeyword) {
  for (const bool regex : {false, true}) {
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.store.Set(ProfileIni(0), u"MONITOR_0", u"KEYWORD_2", regex ? u".*" : u"*");
    h.store.SetInt(ProfileIni(0), u"MONITOR_0", u"REG_EXP_2", regex ? 1 : 0);
    FakeWindow guide;
    guide.name = "own guide";
    guide.className = u"PEEKBAR_GUIDE";
    guide.process = FakeDesktop::kDefaultOwnProcess;
    const WindowHandle own = h.desktop.AddWindow(guide);
    for (const char16_t* shellClass : {u"Shell_TrayWnd", u"Shell_SecondaryTrayWnd", u"Progman", u"WorkerW"}) {
      h.desktop.AddWindow("shell", shellClass, u"");
    }
    h.Start();
    EXPECT_EQ(h.RegisteredAt(0, TopMiddle), kNoWindow) << "something of its own or the shell's was taken";

    const WindowHandle editor = h.desktop.AddWindow("editor", u"Edit", u"notes");
    h.app.OnCommand(command_id::kApplyAllKeywords);
    EXPECT_EQ(h.RegisteredAt(0, TopMiddle), editor);
    EXPECT_TRUE(h.desktop.Find(own)->visible);

    h.app.OnTrayNotify(kTrayIconId, tray_mouse::kRightButtonUp);
    const MenuItem& top = h.windows.lastMenu.items[1];  // "上端(&U)" > "上端中央(&2)"
    std::vector<std::u16string> labels;
    for (const MenuItem& item : top.items[1].items) labels.push_back(item.text);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), u"（Shell_TrayWnd）"), 1);
    for (const std::u16string& label : labels) EXPECT_EQ(label.find(u"PEEKBAR_GUIDE"), std::u16string::npos);
  }
}

// A window chosen from a list made a while ago is taken only if it is still
// the window the list showed.
TEST(StaleCandidateTest, AClosedWindowOrAReusedHandleIsNotTaken) {
  for (const bool fromSheet : {false, true}) {
    SCOPED_TRACE(fromSheet ? "registration sheet" : "menu");
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.Start();
    const WindowHandle editor = h.desktop.AddWindow("editor", u"Edit", u"notes");
    const auto replaceEditor = [&] {
      h.desktop.CloseWindow(editor);
      FakeWindow other;
      other.name = "other program's";
      other.className = u"Edit";
      other.process = 77;
      h.desktop.AddWindowWithHandle(editor, other);
    };
    if (fromSheet) {
      h.windows.registrationSheet = [&](RegistrationSheet& sheet) {
        replaceEditor();
        sheet.FillRow(TopMiddle);
        sheet.ApplyRow(kNoWindow, TopMiddle, u"", false, 1);  // the editor, listed first
      };
      h.app.OnCommand(command_id::kRegistrationSheetFirst);
    } else {
      h.app.OnTrayNotify(kTrayIconId, tray_mouse::kRightButtonUp);
      replaceEditor();
      h.app.OnCommand(static_cast<std::uint16_t>(LocationCommandId(0, TopMiddle, 3)));
    }
    EXPECT_EQ(h.RegisteredAt(0, TopMiddle), kNoWindow);
    EXPECT_TRUE(h.desktop.Find(editor)->visible) << "another program's window was hidden";
  }
}

}  // namespace
}  // namespace peekbar

namespace peekbar {
namespace {

// Settings files as editors save them: UTF-8 with or without a byte-order
// mark is converted (the private-profile functions would read it in the
// ANSI code page); UTF-16, ASCII and text in the ANSI code page are left.
TEST(SettingsEncodingTest, Utf8IsConvertedEverythingElseLeftAsItIs) {
  struct Case {
    const char* what;
    std::string bytes;
    std::optional<std::u16string> text;
  };
  const std::string keyword = "[MONITOR_0]\r\nKEYWORD_2=*\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3*\r\n";
  const Case cases[] = {
      {"UTF-8", keyword, u"[MONITOR_0]\r\nKEYWORD_2=*メモ帳*\r\n"},
      {"UTF-8 with its mark", "\xEF\xBB\xBF" + keyword, u"[MONITOR_0]\r\nKEYWORD_2=*メモ帳*\r\n"},
      {"UTF-8 mark alone", "\xEF\xBB\xBF", u""},
      {"a character past U+FFFF", "a=\xF0\x9F\x98\x80", u"a=\U0001F600"},
      {"ASCII", "[OPTION]\r\nTOPMOST=1\r\n", std::nullopt},
      {"code page 932", "KEYWORD_2=*\x83\x81\x83\x82\x92\xA0*", std::nullopt},
      {"UTF-16 with its mark", std::string("\xFF\xFE[\0O\0", 6), std::nullopt},
      {"UTF-16 without it", std::string("[\0O\0\x30\x00", 6), std::nullopt},
      {"overlong", "a=\xC0\xAF", std::nullopt},
      {"a surrogate", "a=\xED\xA0\x80", std::nullopt},
      {"past U+10FFFF", "a=\xF4\x90\x80\x80", std::nullopt},
      {"cut short", "a=\xE3\x83", std::nullopt},
      {"mark, then not UTF-8", "\xEF\xBB\xBF\x83\x81", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8SettingsText(c.bytes), c.text) << c.what;
}

TEST(SettingsEncodingTest, EveryFileIsNormalisedBeforeItIsFirstRead) {
  AppHarness h;
  h.AddMonitor({0, 0, 1920, 1080});
  h.app.PrepareStartup(false);
  const std::vector<std::string>& log = h.store.AccessLog();
  for (const std::string name : {"tester_Peekbar.ini", "tester_Peekbar_0.ini", "tester_Peekbar_9.ini"}) {
    const auto normalised = std::find(log.begin(), log.end(), name);
    const auto read = std::find(log.begin(), log.end(), "read " + name);
    EXPECT_NE(normalised, log.end()) << name;
    EXPECT_LT(normalised, read) << name;
  }
}

}  // namespace
}  // namespace peekbar
