// Commands arrive at any moment: sent by other programs, they are handed to
// Peekbar whenever it waits on another program's thread. None of them runs in
// the middle of another operation; they run after it, in their order, and no
// window is ever hidden without being registered and written down.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "fakes/scene.h"

namespace peekbar {
namespace {

using namespace command_id;

// Three programs' windows, each taken by a keyword at an edge of its own, on
// a screen with a taskbar that goes while a window is up.
struct BusyScene : DesktopScene {
  std::vector<WindowHandle> windows;

  BusyScene() {
    h.desktop.AddWindow("taskbar", u"Shell_TrayWnd", u"");
    const char* const names[] = {"editor", "terminal", "mail"};
    const int locations[] = {TopMiddle, LeftMiddle, BottomMiddle};
    for (int i = 0; i < 3; ++i) {
      FakeWindow w;
      w.name = names[i];
      w.title = Utf16FromUtf8(names[i]);
      w.rect = {300 + 100 * i, 300, 900 + 100 * i, 700};
      w.thread = static_cast<std::uint32_t>(3 + i);
      w.process = static_cast<std::uint32_t>(30 + i);
      windows.push_back(h.desktop.AddWindow(w));
      h.store.Set(ProfileIni(0), u"MONITOR_0", u"KEYWORD_" + DecimalText(locations[i]), w.title + u"*");
    }
    h.store.SetInt(ProfileIni(0), u"OPTION", u"HIDE_TASKBAR", 1);
    h.store.SetInt(ProfileIni(0), u"OPTION", u"BALLOON", 0);
  }

  // What a later start gives back if the program were killed now: every
  // window it hid must be listed in its journal (and registered, or it is
  // hidden for good even while the program runs).
  void ExpectNothingLost(const std::string& when) {
    const JournalRecord journal = h.journal.Own();
    for (const WindowHandle w : windows) {
      if (Visible(w)) continue;
      EXPECT_TRUE(h.state().IsRegistered(w)) << h.desktop.NameOf(w) << " hidden, not registered, " << when;
      const bool listed = std::any_of(journal.windows.begin(), journal.windows.end(),
                                      [w](const JournalWindow& j) { return j.window == w; });
      EXPECT_TRUE(listed) << h.desktop.NameOf(w) << " hidden, not in the journal, " << when;
    }
  }
};

TEST(OperationsTest, CommandsSentWhileItWaitsRunAfterTheOperationInTheirOrder) {
  BusyScene s;
  s.h.Start();
  const WindowHandle editor = s.windows[0];
  bool sent = false;
  s.h.desktop.OnWait([&](const DesktopCall& call) {
    if (sent || call.method != DesktopMethod::ShowWindow || call.window != editor) return;
    sent = true;
    s.h.app.OnCommand(kUnregisterAll);
    s.h.app.OnCommand(kApplyAllKeywords);
    EXPECT_TRUE(s.h.state().IsRegistered(editor)) << "a command ran in the middle of the registration";
  });
  s.h.shell.ClearLog();
  s.h.app.OnCommand(kApplyAllKeywords);
  ASSERT_TRUE(sent);
  // Applied, then unregistered, then applied again: all three boxes in that
  // order, and the keywords hold the windows in the end.
  std::vector<std::string> boxes;
  for (const FakeShell::Box& box : s.h.shell.Boxes()) boxes.push_back(U8(box.text));
  EXPECT_EQ(boxes, (std::vector<std::string>{"全箇所のキーワードを適用しました。", "全箇所のウィンドウの登録を解除しました。",
                                             "全箇所のキーワードを適用しました。"}));
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), editor);
  EXPECT_FALSE(s.h.desktop.Find(editor)->visible);
  s.ExpectNothingLost("after the commands");
}

// Apply-all, unregister-all, a location's unregister item and pause, sent at
// random moments while the pointer works the edges: at no moment is a
// window hidden that the journal would not give back.
TEST(OperationsTest, RandomCommandsWhileTheEdgesAreInUseLoseNoWindow) {
  BusyScene s;
  std::mt19937 random(18);
  const std::uint16_t commands[] = {kApplyAllKeywords, kApplyAllKeywords, kUnregisterAll, kPause,
                                    static_cast<std::uint16_t>(LocationCommandId(0, TopMiddle, 1))};
  int sentCount = 0;
  int shownAtSomeStep = 0;
  s.h.desktop.OnWait([&](const DesktopCall&) {
    if (random() % 8 != 0) return;
    ++sentCount;
    s.h.app.OnCommand(commands[random() % 5]);
    if (random() % 4 == 0) s.h.app.OnTrayNotify(kTrayIconId, tray_mouse::kLeftButtonDoubleClick);
  });
  s.h.Start();
  s.ExpectNothingLost("after the start");
  const Point spots[] = {{960, 0}, {0, 540}, {960, 1079}, {600, 500}, {960, 700}};
  for (int step = 0; step < 400 && !testing::Test::HasFailure(); ++step) {
    if (step % 4 == 0) s.h.desktop.SetPointer(spots[random() % 5]);
    s.h.desktop.Advance(200);
    s.h.app.OnTimer();
    if (step % 8 == 0) {
      if (s.h.state().paused) s.h.app.OnCommand(kPause);
      s.h.app.OnCommand(kApplyAllKeywords);
    }
    for (const WindowHandle w : s.windows) {
      shownAtSomeStep += s.h.desktop.Find(w)->visible && s.h.state().IsRegistered(w) ? 1 : 0;
    }
    s.ExpectNothingLost("at step " + std::to_string(step));
  }
  EXPECT_GT(sentCount, 30);
  EXPECT_GT(shownAtSomeStep, 60) << "the edges brought up too few windows to prove anything";
}

// The session ends while a registration waits on its window: everything is
// back when the message has been handled, the registration goes on without
// hiding anything, nothing that waited runs, and the journal stays until the
// real exit. The window given back is no refusal: no balloon says so.
TEST(OperationsTest, EndOfTheSessionInTheMiddleOfARegistrationHidesNothingAfterIt) {
  BusyScene s;
  s.h.store.SetInt(ProfileIni(0), u"OPTION", u"BALLOON", 1);
  const WindowHandle terminal = s.windows[1];
  bool ended = false;
  s.h.desktop.OnWait([&](const DesktopCall& call) {
    if (ended || call.method != DesktopMethod::ShowWindow || call.window != s.windows[0]) return;
    ended = true;
    s.h.app.OnCommand(kApplyAllKeywords);  // waits, and is dropped
    s.h.app.OnEndSession(true);
    for (const WindowHandle w : s.windows) EXPECT_TRUE(s.h.desktop.Find(w)->visible) << s.h.desktop.NameOf(w);
  });
  s.h.Start();
  ASSERT_TRUE(ended);
  for (const WindowHandle w : s.windows) EXPECT_TRUE(s.h.desktop.Find(w)->visible) << s.h.desktop.NameOf(w);
  EXPECT_FALSE(s.h.state().IsRegistered(terminal)) << "registered after the end";
  EXPECT_EQ(s.h.shell.CloseRequests(), 1);
  EXPECT_TRUE(s.h.shell.Boxes().empty());
  EXPECT_TRUE(s.h.shell.Balloons().empty()) << "the window given back at the end was taken for a refusal";
  EXPECT_FALSE(s.h.journal.OwnPath().empty()) << "the journal went before the exit";

  s.h.desktop.SetPointer({960, 0});
  for (int i = 0; i < 5; ++i) {
    s.h.desktop.Advance(200);
    s.h.app.OnTimer();
  }
  s.h.app.OnCommand(kApplyAllKeywords);
  for (const WindowHandle w : s.windows) EXPECT_TRUE(s.h.desktop.Find(w)->visible) << s.h.desktop.NameOf(w);
  s.h.app.Shutdown();
  EXPECT_TRUE(s.h.journal.OwnPath().empty());
}

}  // namespace
}  // namespace peekbar
