// The edges' full-screen rule: which window in front quiets which monitor,
// over layouts with negative coordinates and windows spanning monitors, and
// what a quiet monitor does to a show cycle on the simulated clock.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/engine/full_screen.h"
#include "fakes/scene.h"

namespace peekbar {
namespace {

using V = FullScreenVerdict;
using N = UserNotificationState;

// A monitor left of the primary one and higher up.
constexpr Rect kLeftOfPrimary{-1280, -200, 0, 824};

struct WindowInFront {
  Rect rect;
  bool caption = false;
  std::u16string className = u"GameWindow";
  bool own = false;  // one of Peekbar's windows
};

struct Row {
  const char* what;
  std::vector<Rect> monitors;
  std::optional<WindowInFront> front;  // none: nothing in front
  std::vector<V> verdicts;             // per monitor
  N notification = N::AcceptsNotifications;
  bool optionOn = true;
};

std::vector<V> Verdicts(const Row& row) {
  AppHarness h;
  for (const Rect& m : row.monitors) h.AddMonitor(m);
  h.Start();
  h.settings().fullscreenQuiet = row.optionOn ? 1 : 0;
  h.desktop.SetUserNotification(row.notification);
  if (row.front) {
    FakeWindow w;
    w.rect = row.front->rect;
    w.caption = row.front->caption;
    w.className = row.front->className;
    if (row.front->own) w.process = FakeDesktop::kDefaultOwnProcess;
    h.desktop.SetForeground(h.desktop.AddWindow(std::move(w)));
  }
  // One rule answers for every monitor from one look at the window in front.
  FullScreenRule rule(h.state(), h.desktop);
  std::vector<V> verdicts;
  for (int m = 0; m < static_cast<int>(row.monitors.size()); ++m) verdicts.push_back(rule.VerdictFor(m));
  return verdicts;
}

TEST(FullScreenRuleTest, VerdictPerMonitorOverLayouts) {
  const std::vector<Rect> sideBySide = {kPrimary, kSecond};
  const std::vector<Rect> leftAndUp = {kPrimary, kLeftOfPrimary};
  const Row rows[] = {
      {"borderless over the primary", sideBySide, WindowInFront{kPrimary}, {V::FullScreenWindow, V::NotCovering}},
      {"borderless over the second", sideBySide, WindowInFront{kSecond}, {V::NotCovering, V::FullScreenWindow}},
      {"with its frame past the edges, spilling onto the second", sideBySide,
       WindowInFront{{-8, -8, 1928, 1088}}, {V::FullScreenWindow, V::NotCovering}},
      {"one row short", sideBySide, WindowInFront{{0, 0, 1920, 1079}}, {V::NotCovering, V::NotCovering}},
      {"spanning both whole", sideBySide, WindowInFront{{0, 0, 3200, 1080}},
       {V::FullScreenWindow, V::FullScreenWindow}},
      {"spanning half of each", sideBySide, WindowInFront{{960, 0, 2560, 1024}}, {V::NotCovering, V::NotCovering}},
      {"over the monitor at negative coordinates", leftAndUp, WindowInFront{kLeftOfPrimary},
       {V::NotCovering, V::FullScreenWindow}},
      {"from the negative monitor onto the primary", leftAndUp, WindowInFront{{-1280, -200, 1920, 1080}},
       {V::FullScreenWindow, V::FullScreenWindow}},
      {"maximised with a caption on the second, frame past its edges", sideBySide,
       WindowInFront{{1912, -8, 3208, 1032}, true}, {V::HasCaption, V::HasCaption}},
      {"Peekbar's own", sideBySide, WindowInFront{kPrimary, false, u"PEEKBAR_TRIGGER", true},
       {V::OwnWindow, V::OwnWindow}},
      {"the desktop window", sideBySide, WindowInFront{{0, 0, 3200, 1080}, false, u"#32769"},
       {V::ShellWindow, V::ShellWindow}},
      {"the shell's desktop", sideBySide, WindowInFront{{0, 0, 3200, 1080}, false, u"Progman"},
       {V::ShellWindow, V::ShellWindow}},
      {"the shell's worker", sideBySide, WindowInFront{{0, 0, 3200, 1080}, false, u"WorkerW"},
       {V::ShellWindow, V::ShellWindow}},
      {"a taskbar over the primary", sideBySide, WindowInFront{kPrimary, false, u"Shell_TrayWnd"},
       {V::ShellWindow, V::NotCovering}},
      {"a second taskbar", sideBySide, WindowInFront{kSecond, false, u"Shell_SecondaryTrayWnd"},
       {V::NotCovering, V::ShellWindow}},
      {"a class that only begins like the shell's", sideBySide, WindowInFront{kPrimary, false, u"ProgmanGame"},
       {V::FullScreenWindow, V::NotCovering}},
      {"nothing in front", sideBySide, std::nullopt, {V::NoForeground, V::NoForeground}},
      {"option off", sideBySide, WindowInFront{kPrimary}, {V::OptionOff, V::OptionOff}, N::AcceptsNotifications,
       false},
      // The shell's word quiets the monitor holding most of the window in front.
      {"exclusive Direct3D, an ordinary window in front on the second", sideBySide,
       WindowInFront{{2000, 100, 2600, 600}, true}, {V::HasCaption, V::Direct3DFullScreen}, N::Direct3DFullScreen},
      {"presentation, a window mostly on the primary", sideBySide, WindowInFront{{1000, 100, 2400, 600}, true},
       {V::PresentationMode, V::HasCaption}, N::PresentationMode},
      {"presentation, on the negative monitor", leftAndUp, WindowInFront{{-900, 0, -100, 500}, true},
       {V::HasCaption, V::PresentationMode}, N::PresentationMode},
      {"Direct3D, a full-screen window says so first", sideBySide, WindowInFront{kPrimary},
       {V::FullScreenWindow, V::NotCovering}, N::Direct3DFullScreen},
      {"Direct3D with nothing in front", sideBySide, std::nullopt, {V::NoForeground, V::NoForeground},
       N::Direct3DFullScreen},
      {"busy is not enough", sideBySide, WindowInFront{{100, 100, 500, 400}, true},
       {V::HasCaption, V::HasCaption}, N::Busy},
      {"Direct3D with the option off", sideBySide, WindowInFront{{100, 100, 500, 400}, true},
       {V::OptionOff, V::OptionOff}, N::Direct3DFullScreen, false},
  };
  for (const Row& row : rows) EXPECT_EQ(Verdicts(row), row.verdicts) << row.what;
}

// Two monitors: an editor registered at the top of the first, a notepad at
// the right of the second, and a game covering the first in front.
TEST(FullScreenQuietTest, TheCoveredMonitorStartsNoDwellUntilTheGameLeavesTheForeground) {
  DesktopScene s(2);
  s.Start();
  const WindowHandle editor = s.AddHidden("editor", {0, 0, 400, 300});
  const WindowHandle notepad = s.AddHidden("notepad", {2000, 100, 2400, 400});
  FakeWindow covering;
  covering.rect = kPrimary;
  covering.caption = false;
  const WindowHandle game = s.h.desktop.AddWindow(std::move(covering));
  s.h.app.Registration().Register(0, TopMiddle, editor);
  s.h.app.Registration().Register(1, RightMiddle, notepad);
  s.TickAt({960, 500});
  // The tick at which the window came up with the pointer resting at p; 0 for none.
  const auto ticksUntilShown = [&s](WindowHandle w, Point p) {
    for (int i = 1; i <= 5; ++i) {
      s.TickAt(p);
      if (s.Visible(w)) return i;
    }
    return 0;
  };
  s.h.desktop.SetForeground(game);
  EXPECT_EQ(ticksUntilShown(notepad, {3199, 512}), 2) << "the second monitor kept quiet too";
  s.h.desktop.SetForeground(game);  // back in front once notepad was brought up
  EXPECT_EQ(ticksUntilShown(editor, {960, 0}), 0) << "shown over the full-screen game";
  EXPECT_EQ(s.Slot(0)[TopMiddle].cycle.Phase(), CyclePhase::Hidden) << "a dwell started";
  // 250 ms at 200 ms ticks: the second tick, counted from the game's leaving.
  s.h.desktop.SetForeground(notepad);
  EXPECT_EQ(ticksUntilShown(editor, {960, 0}), 2);
}

// Two monitors: an editor registered at the top of the first, a notepad at
// the right of the second, labels only while Ctrl is held, and a game
// covering the first in front. What a user sees of each overlay.
struct QuietOverlayScene : DesktopScene {
  WindowHandle game = kNoWindow;
  WindowHandle editor = kNoWindow;
  QuietOverlayScene() : DesktopScene(2) {
    h.store.SetInt(ProfileIni(0), u"LABEL", u"SHOW", 1);
    Start();
    editor = AddHidden("editor", {0, 0, 400, 300});
    h.desktop.Find(editor)->title = u"editor";
    const WindowHandle notepad = AddHidden("notepad", {2000, 100, 2400, 400});
    h.desktop.Find(notepad)->title = u"notepad";
    h.app.Registration().Register(0, TopMiddle, editor);
    h.app.Registration().Register(1, RightMiddle, notepad);
    FakeWindow covering;
    covering.rect = kPrimary;
    covering.caption = false;
    game = h.desktop.AddWindow(std::move(covering));
    h.desktop.SetForeground(game);
  }
  const OverlayFrame& Frame() const { return h.windows.frame; }
  bool GuideShown(int m) const {
    const auto& guide = Frame().guides.monitors[static_cast<std::size_t>(m)];
    return Frame().guides.visible && guide && !guide->quiet;
  }
  std::u16string Label(int m, int location) const { return h.windows.Bar(m, location)->label; }
};

// Each overlay on the full-screen monitor and on the other, the game in front.
TEST(FullScreenQuietTest, NoOverlayComesUpOnTheCoveredMonitorAndEveryOneStillDoesOnTheOther) {
  enum class Shows : std::uint8_t { EdgeGuides, AlwaysShown, KeyGuides, Trigger };
  struct Case {
    const char* what;
    Shows shows;
    Point pointer;
    std::array<bool, 2> guides;  // up on each monitor
    bool trigger;
  };
  const Case cases[] = {
      {"the covered monitor's left edge", Shows::EdgeGuides, {0, 540}, {false, false}, false},
      {"the other monitor's right edge", Shows::EdgeGuides, {3199, 100}, {false, true}, false},
      {"guides always shown", Shows::AlwaysShown, {960, 540}, {false, true}, false},
      {"guides for Ctrl", Shows::KeyGuides, {960, 540}, {false, true}, false},
      {"the trigger window at a pointer on the covered monitor", Shows::Trigger, {960, 540}, {false, false}, false},
      {"the trigger window at a pointer on the other", Shows::Trigger, {2500, 500}, {false, false}, true},
  };
  for (const Case& c : cases) {
    QuietOverlayScene s;
    Settings& settings = s.h.settings();
    settings.guideEnabled = c.shows == Shows::EdgeGuides ? 1 : 0;
    settings.guideEnabledKey = c.shows == Shows::KeyGuides ? 1 : 0;
    settings.guideAlwaysShow = c.shows == Shows::AlwaysShown ? 1 : 0;
    settings.triggerEnabled = c.shows == Shows::Trigger ? 1 : 0;
    s.TickAt(c.pointer);
    if (c.shows == Shows::KeyGuides || c.shows == Shows::Trigger) s.h.desktop.PressKey(VirtualKey::Control);
    s.Tick();
    for (int m = 0; m < 2; ++m) {
      EXPECT_EQ(s.GuideShown(m), c.guides[static_cast<std::size_t>(m)]) << c.what << ", monitor " << m;
    }
    EXPECT_EQ(s.Frame().trigger.visible, c.trigger) << c.what;
    if (c.shows == Shows::KeyGuides) {
      EXPECT_EQ(U8(s.Label(1, RightMiddle)), "notepad") << "the label keys held on the other monitor";
    }
    // The game gone from the front, its monitor works again.
    s.h.desktop.SetForeground(s.editor);
    if (c.shows == Shows::Trigger) s.h.desktop.ReleaseKey(VirtualKey::Control);
    s.Tick();
    if (c.shows == Shows::Trigger) s.h.desktop.PressKey(VirtualKey::Control);
    s.Tick();
    EXPECT_TRUE(c.shows == Shows::Trigger ? s.Frame().trigger.visible : s.GuideShown(0)) << c.what << ", the game gone";
  }
}

// Guides always shown: the covered monitor's guide goes and comes back with
// the game in front, also while paused; the window in front is looked at
// once a tick while the guides are up, and not at all on an idle tick.
TEST(FullScreenQuietTest, AnAlwaysShownGuideFollowsTheGameAndTheLookCostsATickOnlyWhileSomethingIsUp) {
  QuietOverlayScene s;
  s.TickAt({960, 540});
  s.h.desktop.ResetCalls();
  s.Tick();
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::ForegroundWindow), 0) << "an idle tick asked about the window in front";

  s.h.settings().guideAlwaysShow = 1;
  s.Tick();
  EXPECT_FALSE(s.GuideShown(0));
  EXPECT_TRUE(s.GuideShown(1));
  s.h.desktop.ResetCalls();
  s.TickAt({960, 0});  // on the editor's hot spot, where a dwell would start
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::ForegroundWindow), 1) << "one look for both guides and the edge";
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::UserNotification), 0) << "the shell asked over a full-screen window";

  s.h.desktop.SetForeground(s.editor);
  s.Tick();
  EXPECT_TRUE(s.GuideShown(0)) << "not back once the game left the front";
  s.h.app.OnCommand(command_id::kPause);
  s.h.desktop.SetForeground(s.game);
  s.Tick();
  EXPECT_FALSE(s.GuideShown(0)) << "over the game while paused";
}

}  // namespace
}  // namespace peekbar
