// The four global commands, the command sound and the tray icon's clicks
// that run two of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/scene.h"
#include "fakes/cycle_assertions.h"

namespace peekbar {
namespace {

const char kOpenSound[] = "Open C:\\Tools\\Peekbar\\Command.mp3";
const char kShowAllOn[] =
    "一時的に、登録してあるウィンドウを全て表示します。\n「一時全箇所表示」をもう一度選択すると一時全箇所表示を解除します。";
const char kShowAllOff[] = "一時全箇所表示を解除しました。";

// A running program with messages as boxes, an editor registered at two
// locations and notes at a third, all hidden.
struct Scene : DesktopScene {
  WindowHandle editor = kNoWindow;
  WindowHandle notes = kNoWindow;

  // What the rest of the system looked like when the sound started.
  struct AtSound {
    std::vector<std::string> desktop;
    std::vector<std::string> shell;
    WindowHandle topMiddle = kNoWindow;
  };
  std::vector<AtSound> atSound;

  explicit Scene(int monitors = 1, bool sound = true) : DesktopScene(monitors) {
    h.store.SetInt(ProfileIni(0), u"OPTION", u"BALLOON", 0);
    h.store.SetInt(ProfileIni(0), u"OPTION", u"SOUND_ON_COMMAND", sound ? 1 : 0);
    Start();
    editor = h.desktop.AddWindow("editor", {0, 0, 400, 300}, false);
    notes = h.desktop.AddWindow("notes", {0, 0, 300, 200}, false);
    h.Hold(0, TopMiddle, editor);
    h.Hold(0, BottomMiddle, editor);
    h.Hold(0, RightTop, notes);
    h.sound.OnPlay([this] { atSound.push_back({h.desktop.Log(), h.shell.Log(), h.RegisteredAt(0, TopMiddle)}); });
    Clear();
  }
  void Clear() {
    ClearLogs();
    atSound.clear();
  }
  long Plays() const { return std::count(h.sound.Log().begin(), h.sound.Log().end(), "Play"); }
  std::string Box(const char* text) const { return "Box owner=" + std::to_string(main) + " (info) " + text; }
};

TEST(PauseTest, FlipsTheIconUnlessShowingAllAndSaysNothing) {
  for (const bool showAll : {false, true}) {
    Scene s;
    s.h.state().showAllActive = showAll;
    s.h.app.OnCommand(command_id::kPause);
    EXPECT_TRUE(s.h.state().paused);
    EXPECT_EQ(s.h.shell.Log(), showAll ? std::vector<std::string>{} : std::vector<std::string>{"Modify icon=103"});
    EXPECT_EQ(s.h.windows.log, (std::vector<std::string>{"CloseTrigger"}));
    ASSERT_EQ(s.atSound.size(), 1u);
    EXPECT_EQ(s.atSound[0].shell, s.h.shell.Log()) << "the sound comes after the icon";
    EXPECT_TRUE(s.h.shell.TimerRunning());

    s.Clear();
    s.h.app.OnCommand(command_id::kPause);
    EXPECT_FALSE(s.h.state().paused);
    EXPECT_EQ(s.h.shell.Log(), showAll ? std::vector<std::string>{} : std::vector<std::string>{"Modify icon=101"});
    EXPECT_TRUE(s.h.windows.log.empty());
    EXPECT_TRUE(s.h.shell.Boxes().empty());
    EXPECT_EQ(s.h.desktop.TotalCalls(), 0);
  }
}

TEST(ShowAllTest, OnShowsEveryRegisteredWindowWithTheTimerStopped) {
  Scene s;
  s.h.app.OnCommand(command_id::kShowAll);
  EXPECT_TRUE(s.h.state().showAllActive);
  EXPECT_EQ(s.h.shell.Log(), (std::vector<std::string>{"StopTimer", "Modify icon=104", s.Box(kShowAllOn)}));
  EXPECT_EQ(s.h.desktop.Log(), (std::vector<std::string>{"PlaceWindow editor NotTopmost show async",
                                                         "PlaceWindow notes NotTopmost show async",
                                                         "PlaceWindow editor NotTopmost show async"}));
  EXPECT_EQ(s.h.windows.log, (std::vector<std::string>{"CloseTrigger"}));
  ASSERT_EQ(s.atSound.size(), 1u);
  EXPECT_TRUE(s.atSound[0].shell.empty()) << "the sound comes first";
  EXPECT_TRUE(s.atSound[0].desktop.empty());
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), s.editor) << "registrations stay";
  EXPECT_TRUE(s.h.desktop.Find(s.notes)->visible);
}

TEST(ShowAllTest, OffHidesThemAgainFromTheTickNotedAtTheStart) {
  for (const bool paused : {false, true}) {
    Scene s;
    s.h.app.OnCommand(command_id::kShowAll);
    s.h.state().paused = paused;
    s.Slot()[TopMiddle].cycle.Show(s.h.desktop.Tick());
    s.Clear();
    const std::uint32_t noted = s.h.desktop.Tick();
    s.h.sound.OnPlay([&] { s.h.desktop.Advance(7); });

    s.h.app.OnCommand(command_id::kShowAll);

    EXPECT_FALSE(s.h.state().showAllActive);
    EXPECT_EQ(s.h.shell.Log(), (std::vector<std::string>{paused ? "Modify icon=103" : "Modify icon=101",
                                                         "StartTimer 200", s.Box(kShowAllOff)}));
    EXPECT_EQ(s.h.desktop.Log(), (std::vector<std::string>{"ShowWindow editor Hide", "ShowWindow notes Hide",
                                                           "ShowWindow editor Hide"}));
    for (const int k : {TopMiddle, RightTop, BottomMiddle}) {
      EXPECT_TRUE(InPhase(s.Slot()[k], CyclePhase::Hidden, noted)) << k;
    }
    EXPECT_EQ(s.Slot()[TopLeft].cycle.Phase(), CyclePhase::Empty) << "no window there: untouched";
    EXPECT_NE(s.h.desktop.Tick(), noted);
    EXPECT_TRUE(s.h.windows.log.empty());
  }
}

TEST(UnregisterAllTest, EveryLocationGivesItsWindowBackThenTheSoundAndTheMessage) {
  struct Case {
    int monitors;
    const char* message;
  };
  const Case cases[] = {{1, "全箇所のウィンドウの登録を解除しました。"},
                        {2, "全モニターの全箇所のウィンドウの登録を解除しました。"}};
  for (const Case& c : cases) {
    Scene s(c.monitors);
    s.Slot()[TopMiddle].keyword = u"editor*";
    if (c.monitors > 1) s.h.Hold(1, LeftMiddle, s.notes);
    s.Clear();
    s.h.app.OnCommand(command_id::kUnregisterAll);

    std::vector<std::string> shown = {"PlaceWindow editor NotTopmost show async",
                                      "PlaceWindow notes NotTopmost show async",
                                      "PlaceWindow editor NotTopmost show async"};
    if (c.monitors > 1) shown.push_back("PlaceWindow notes NotTopmost show async");
    EXPECT_EQ(s.h.desktop.Log(), shown);
    for (const MonitorSlot& slot : s.h.state().monitorSlots) {
      for (const WindowHandle w : slot.Windows()) EXPECT_EQ(w, kNoWindow);
    }
    EXPECT_EQ(s.Slot()[TopMiddle].keyword, u"editor*");
    EXPECT_TRUE(s.h.store.Writes().empty());
    EXPECT_EQ(s.h.shell.Log(), (std::vector<std::string>{s.Box(c.message)}));
    ASSERT_EQ(s.atSound.size(), 1u);
    EXPECT_EQ(s.atSound[0].desktop, shown) << "the sound comes after the work";
    EXPECT_TRUE(s.atSound[0].shell.empty()) << "and before the message";
  }
}

TEST(ApplyAllKeywordsTest, KeywordsAppliedThenTheSoundAndTheMessage) {
  struct Case {
    int monitors;
    const char* message;
  };
  const Case cases[] = {{1, "全箇所のキーワードを適用しました。"}, {2, "全モニターの全箇所のキーワードを適用しました。"}};
  for (const Case& c : cases) {
    Scene s(c.monitors);
    const WindowHandle doc = s.h.desktop.AddWindow("doc", u"Notepad", u"doc - メモ帳");
    s.Slot()[TopMiddle].keyword = u"*メモ帳*";
    s.Clear();
    s.h.app.OnCommand(command_id::kApplyAllKeywords);
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc);
    EXPECT_EQ(s.h.RegisteredAt(0, RightTop), kNoWindow);
    EXPECT_EQ(s.h.shell.Log(), (std::vector<std::string>{s.Box(c.message)}));
    ASSERT_EQ(s.atSound.size(), 1u);
    EXPECT_EQ(s.atSound[0].topMiddle, doc) << "the sound comes after the work";
    EXPECT_TRUE(s.atSound[0].shell.empty());
  }
}

TEST(CommandSoundTest, PlayedOnlyWithSoundOnCommand) {
  const std::uint16_t commands[] = {command_id::kPause, command_id::kShowAll, command_id::kUnregisterAll,
                                    command_id::kApplyAllKeywords};
  for (const bool sound : {false, true}) {
    for (const std::uint16_t id : commands) {
      Scene s(1, sound);
      s.h.app.OnCommand(id);
      EXPECT_EQ(s.Plays(), sound ? 1 : 0) << id << " sound " << sound;
    }
  }
}

// Open only while it plays: the end of a play closes the device, the next
// command opens it again; a play stopped for the next one leaves it open.
TEST(CommandSoundTest, OpenOnlyWhilePlaying) {
  Scene s;
  const auto since = [&](std::size_t from) {
    const auto& all = s.h.sound.Log();
    return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(from), all.end());
  };
  ASSERT_EQ(s.h.sound.Log().back(), "Close") << "left open after the start-up check";
  std::size_t mark = s.h.sound.Log().size();
  s.h.app.OnCommand(command_id::kPause);
  s.h.app.OnCommand(command_id::kPause);
  EXPECT_EQ(since(mark), (std::vector<std::string>{kOpenSound, "Play", "Play"}));
  s.h.app.OnCommandSoundEnded();
  EXPECT_EQ(s.h.sound.Log().back(), "Close");
  mark = s.h.sound.Log().size();
  s.h.app.OnCommand(command_id::kPause);
  EXPECT_EQ(since(mark), (std::vector<std::string>{kOpenSound, "Play"}));
}

TEST(CommandSoundTest, OpenedAtStartWhateverTheSettingAndAFailureIsAlwaysABox) {
  struct Case {
    bool fails;
    int sound;
  };
  const Case cases[] = {{false, 0}, {false, 1}, {true, 0}, {true, 1}};
  for (const Case& c : cases) {
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.sound.SetOpenFails(c.fails);
    h.store.SetInt(ProfileIni(0), u"OPTION", u"BALLOON", 1);
    h.store.SetInt(ProfileIni(0), u"OPTION", u"SOUND_ON_COMMAND", c.sound);
    const WindowHandle main = h.Start();
    const std::vector<std::string> opened = c.fails ? std::vector<std::string>{kOpenSound}
                                                    : std::vector<std::string>{kOpenSound, "Close"};
    EXPECT_EQ(h.sound.Log(), opened) << c.fails;
    if (!c.fails) {
      EXPECT_TRUE(h.shell.Boxes().empty());
      continue;
    }
    // Told once the rest of the start is done: the device is slow to open.
    EXPECT_EQ(h.shell.Log(), (std::vector<std::string>{"Add icon=101 tip=プロファイル_0 - Peekbar Ver1.05", "StartTimer 200",
                                                       "Box owner=" + std::to_string(main) +
                                                           " (error) コマンド実行時に鳴らす音声ファイルの読み込みに失敗しました。"}));
    EXPECT_TRUE(h.shell.Balloons().empty());
  }
}

TEST(TrayClickTest, DoubleClickAppliesKeywordsAndMiddleClickShowsAllUnlessSwapped) {
  struct Case {
    int reverse;
    std::uint32_t mouse;
    bool showAll;
  };
  const Case cases[] = {
      {0, tray_mouse::kLeftButtonDoubleClick, false},
      {0, tray_mouse::kMiddleButtonUp, true},
      {1, tray_mouse::kLeftButtonDoubleClick, true},
      {1, tray_mouse::kMiddleButtonUp, false},
  };
  for (const Case& c : cases) {
    Scene s;
    s.h.settings().trayOperationReverse = c.reverse;
    s.h.state().modalBusy = true;  // not a menu command: a dialog does not hold it back
    s.h.app.OnTrayNotify(1, c.mouse);
    EXPECT_EQ(s.h.state().showAllActive, c.showAll) << c.reverse << " " << c.mouse;
    const std::string expected = c.showAll ? s.Box(kShowAllOn) : s.Box("全箇所のキーワードを適用しました。");
    ASSERT_FALSE(s.h.shell.Log().empty());
    EXPECT_EQ(s.h.shell.Log().back(), expected);
  }
}

}  // namespace
}  // namespace peekbar
