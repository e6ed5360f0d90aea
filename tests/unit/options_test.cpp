// The options sheet: keeping its controls consistent while the user edits,
// what is taken over on OK, and the confirmed options coming into effect.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/settings/options.h"
#include "fakes/app_harness.h"
#include "fakes/fake_page_controls.h"
#include "resource.h"

namespace peekbar {
namespace {

constexpr int kKeepBox = IDC_OPTION_KEEP_WIN_POS;
constexpr int kRestoreBox = IDC_OPTION_RESTORE_WIN_POS;

TEST(OptionsPagesTest, RestoringPositionsGoesOnlyWithKeepingThem) {
  struct Case {
    int clicked;
    bool keep, restore;                  // after the click, before the coupling
    bool keepAfter, restoreAfter;
  };
  const Case cases[] = {
      {kKeepBox, false, true, false, false},    // keep unticked: restore goes too
      {kKeepBox, true, false, true, false},     // keep ticked: restore stays as it was
      {kRestoreBox, false, true, true, true},   // restore ticked: keep comes too
      {kRestoreBox, true, false, true, false},  // restore unticked: keep stays
      {IDC_OPTION_HIDE_TASKBAR, false, true, false, true},  // another box: nothing coupled
  };
  for (const Case& c : cases) {
    FakePageControls boxes;
    boxes.checked[kKeepBox] = c.keep;
    boxes.checked[kRestoreBox] = c.restore;
    Settings edited;
    OnPageControl(OptionsFlagsPage(), c.clicked, ControlEvent::Clicked, boxes, nullptr, edited);
    EXPECT_EQ(boxes.IsChecked(kKeepBox), c.keepAfter) << c.clicked << c.keep << c.restore;
    EXPECT_EQ(boxes.IsChecked(kRestoreBox), c.restoreAfter) << c.clicked << c.keep << c.restore;
  }
  // The boxes are bound to the flags they are coupled by.
  EXPECT_EQ(FindBinding(OptionsFlagsPage(), kKeepBox)->field, &Settings::keepWindowPos);
  EXPECT_EQ(FindBinding(OptionsFlagsPage(), kRestoreBox)->field, &Settings::restoreWindowPos);
}

TEST(OptionsPagesTest, EditedLengthIsClampedAndTheOtherLoweredToFit) {
  struct Case {
    bool cornerEdited;
    EdgeLengths typed, shown;
  };
  const Case cases[] = {
      {true, {40, 30}, {40, 20}},   // a longer corner shortens the middle
      {true, {40, 20}, {40, 20}},   // exactly fitting: unchanged
      {true, {70, 10}, {50, 0}},    // above the range
      {true, {-3, 100}, {0, 100}},  // below it
      {false, {10, 90}, {5, 90}},   // a longer middle shortens the corners
      {false, {5, 91}, {4, 91}},    // half of an odd remainder rounds down
      {false, {10, 150}, {0, 100}},
      {false, {10, -1}, {10, 0}},
  };
  for (const Case& c : cases) {
    const EdgeLengths shown = c.cornerEdited ? CornerLengthEdited(c.typed) : MiddleLengthEdited(c.typed);
    EXPECT_EQ(shown, c.shown) << c.cornerEdited << " " << c.typed.corner << "/" << c.typed.middle;
  }
}

TEST(OptionsPagesTest, TakenNumbersAreNormalisedAsTheFileIsRead) {
  using Numbers = std::array<std::int32_t, 5>;  // corner, middle, period, show delay, hide delay
  constexpr std::array<int, 5> kSpins = {IDC_OPTION_CORNER_SPIN, IDC_OPTION_MIDDLE_SPIN, IDC_OPTION_PERIOD_SPIN,
                                         IDC_OPTION_SHOW_DELAY_SPIN, IDC_OPTION_HIDE_DELAY_SPIN};
  struct Case {
    Numbers positions;
    int item;
    Numbers taken;
    std::int32_t mustButton;
  };
  const Case cases[] = {
      {{20, 60, 100, 0, 32767}, 6, {20, 60, 100, 0, 32767}, 6},
      {{-1, -2, -3, -4, -5}, -1, {0, 0, 1, 0, 0}, 0},  // the period's up-down starts at 1; no button
      {{60, 100, 1, 2, 3}, 7, {50, 0, 1, 2, 3}, 0},    // the middle follows the clamped corner
      {{30, 70, 1, 2, 3}, 3, {30, 40, 1, 2, 3}, 3},
  };
  for (const Case& c : cases) {
    FakePageControls controls;
    for (std::size_t i = 0; i < kSpins.size(); ++i) controls.positions[kSpins[i]] = c.positions[i];
    controls.selections[IDC_OPTION_MUST_BUTTON] = c.item;
    Settings s;
    TakePage(OptionsNumbersPage(), controls, s);
    const Numbers taken = {s.cornerLength, s.middleLength, s.timerInterval, s.showingDelay, s.hiddenDelay};
    EXPECT_EQ(taken, c.taken) << c.positions[0] << " " << c.positions[1];
    EXPECT_EQ(s.mustButtonForShow, c.mustButton) << c.item;
  }
  const auto items = MustButtonForShowItems();
  std::vector<std::string> texts;
  for (const std::u16string_view item : items) texts.push_back(U8(item));
  EXPECT_EQ(texts, (std::vector<std::string>{"無し", "マウス左ボタン", "マウス右ボタン", "マウス中ボタン",
                                             "Ctrlキー", "Shiftキー", "Altキー"}));
}

// The sheet opened from the tray menu, with a taskbar that a show hid.
struct OptionsCommand {
  AppHarness h;
  WindowHandle taskbar = h.desktop.AddWindow("taskbar", u"Shell_TrayWnd", u"");
  WindowHandle start = h.desktop.AddWindow("start", u"Button", u"スタート");
  bool busyWhileOpen = false;

  OptionsCommand() {
    h.AddMonitor({0, 0, 1920, 1080});
    h.Start();
    h.app.TaskbarHiding().HideTaskbar();
    h.shell.ClearLog();
    h.desktop.ResetCalls();
  }
  // The user edits the sheet's copy; meanwhile the tray icon's colour is
  // changed from the menu, which the sheet does not hold.
  void Run(std::function<void(Settings&)> edit, bool confirmed) {
    h.windows.optionsSheet = [this, edit, confirmed](Settings& options) {
      busyWhileOpen = h.state().modalBusy;
      edit(options);
      h.app.OnCommand(command_id::kTrayColorBlack);
      h.shell.ClearLog();
      h.store.ClearWrites();
      return confirmed;
    };
    h.app.OnCommand(command_id::kOptions);
  }
  bool Visible(WindowHandle w) { return h.desktop.Find(w)->visible; }
};

TEST(OptionsCommandTest, ConfirmedOptionsAreSavedTheTaskbarGivenBackAndTheTimerRestarted) {
  OptionsCommand o;
  o.Run([](Settings& s) {
    s.timerInterval = 50;
    s.keepWindowPos = 0;
    s.restoreWindowPos = 1;  // not possible in the sheet, but in a file
    s.trayIconColor = 0;
  }, true);

  EXPECT_TRUE(o.busyWhileOpen);
  EXPECT_FALSE(o.h.state().modalBusy);
  EXPECT_EQ(o.h.shell.Log(), (std::vector<std::string>{"StopTimer", "StartTimer 50"}));
  const std::vector<std::string> writes = o.h.store.WriteLog();
  ASSERT_EQ(writes.size(), 17u);
  EXPECT_EQ(writes[2], "OPTION/TIMER_INTERVAL=50");
  EXPECT_EQ(writes[11], "OPTION/RESTORE_WIN_POS=1") << "the file keeps what was confirmed";
  EXPECT_EQ(o.h.settings().restoreWindowPos, 0) << "restoring goes only with keeping";
  EXPECT_EQ(o.h.settings().timerInterval, 50);
  EXPECT_EQ(o.h.settings().trayIconColor, 2) << "a setting the sheet does not hold stays";
  EXPECT_TRUE(o.Visible(o.taskbar));
  EXPECT_TRUE(o.Visible(o.start));
}

TEST(OptionsCommandTest, HidingTheTaskbarLooksItUpAfreshAndHidesNothingYet) {
  OptionsCommand o;
  o.h.desktop.Find(o.taskbar)->className = u"Gone";  // the shell restarted
  const WindowHandle newTaskbar = o.h.desktop.AddWindow("new taskbar", u"Shell_TrayWnd", u"");
  o.Run([](Settings& s) {
    s.hideTaskbar = 1;
    s.keepWindowPos = 1;
    s.restoreWindowPos = 1;
  }, true);
  EXPECT_EQ(o.h.state().taskbarWindow, newTaskbar);
  EXPECT_TRUE(o.Visible(newTaskbar));
  EXPECT_FALSE(o.Visible(o.start)) << "not shown while hiding is on";
  EXPECT_EQ(o.h.settings().restoreWindowPos, 1);
}

TEST(OptionsCommandTest, FailedSaveIsReportedAndTheTimerRestartedAllTheSame) {
  OptionsCommand o;
  o.h.store.FailWritesTo(ProfileIni(0));
  o.Run([](Settings& s) { s.timerInterval = 70; }, true);
  const std::vector<std::string>& log = o.h.shell.Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "StopTimer");
  EXPECT_NE(log[1].find("設定ファイルの書き込みに失敗しました。"), std::string::npos) << log[1];
  EXPECT_EQ(log[2], "StartTimer 70");
  EXPECT_EQ(o.h.settings().timerInterval, 70);
}

TEST(OptionsCommandTest, CancelLeavesSettingsFilesTimerAndTaskbarAlone) {
  OptionsCommand o;
  const Settings before = o.h.settings();
  o.Run([](Settings& s) {
    s.cornerLength = 30;
    s.balloon = 0;
  }, false);
  EXPECT_EQ(o.h.settings().cornerLength, before.cornerLength);
  EXPECT_EQ(o.h.settings().balloon, before.balloon);
  EXPECT_TRUE(o.h.shell.Log().empty());
  EXPECT_TRUE(o.h.store.Writes().empty());
  EXPECT_FALSE(o.Visible(o.taskbar));
  EXPECT_FALSE(o.h.state().modalBusy);
}

}  // namespace
}  // namespace peekbar
