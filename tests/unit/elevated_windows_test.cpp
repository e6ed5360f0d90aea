// Windows of programs running as administrator, which this program may not
// hide or move: keywords pass them over, a registration that did not take is
// taken back, and the user is told once per window.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/registration/candidates.h"
#include "core/tray/menu_model.h"
#include "fakes/scene.h"

namespace peekbar {
namespace {

struct ElevatedScene : DesktopScene {
  ElevatedScene() : DesktopScene(1) {
    Start();
    h.settings().balloon = 1;  // told at once, through the tray icon
  }
  WindowHandle AddElevated(std::string name, std::u16string title) {
    const WindowHandle window = Add(std::move(name), std::move(title));
    h.desktop.Find(window)->elevated = true;
    return window;
  }
  void SetKeyword(int location, std::u16string_view keyword) { Slot(0)[location].keyword = keyword; }
  std::size_t Told() const { return h.shell.Balloons().size(); }
  std::vector<WindowHandle> Journaled() {
    std::vector<WindowHandle> windows;
    for (const JournalWindow& w : h.journal.Own().windows) windows.push_back(w.window);
    return windows;
  }
};

TEST(ElevatedWindowTest, KeywordsPassItOverForTheNextMatchAndTellOncePerWindow) {
  // Each way keywords are applied.
  for (int way = 0; way < 3; ++way) {
    ElevatedScene s;
    s.SetKeyword(TopMiddle, u"*メモ帳*");
    // The location waits before they come up, as a waiting location must.
    s.h.app.Registration().RegisterNewWindowsByKeywords();
    const WindowHandle plain = s.Add("plain", u"log - メモ帳");
    const WindowHandle admin = s.AddElevated("admin", u"hosts - メモ帳");
    for (int round = 0; round < 2; ++round) {
      s.h.app.Registration().Unregister(0, TopMiddle);
      if (way == 0) s.h.app.Registration().RegisterByKeyword(0, TopMiddle);
      if (way == 1) {
        if (round > 0) {
          // Seen, then hidden and shown again by their programs.
          s.h.app.Registration().RegisterNewWindowsByKeywords();
          s.h.app.OnWindowShown(plain);
          s.h.app.OnWindowShown(admin);
        }
        s.h.app.Registration().RegisterNewWindowsByKeywords();
      }
      if (way == 2) s.h.app.Registration().RegisterAllByKeywords();
      EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), plain) << "way " << way;
      EXPECT_TRUE(s.Visible(admin)) << "way " << way;
    }
    ASSERT_EQ(s.Told(), 1U) << "way " << way;
    EXPECT_EQ(s.h.shell.Balloons()[0].info, ElevatedWindowSkippedMessage(u"hosts - メモ帳"));
  }
}

TEST(ElevatedWindowTest, ARegistrationThatDidNotTakeIsTakenBackAndToldOnce) {
  ElevatedScene s;
  const WindowHandle held = s.Add("held", u"held");
  const WindowHandle admin = s.AddElevated("admin", u"管理者");
  s.h.app.Registration().Register(0, RightTop, held);
  for (int round = 0; round < 2; ++round) {
    EXPECT_FALSE(s.h.app.Registration().Register(0, TopMiddle, admin));
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), kNoWindow);
    EXPECT_EQ(s.Journaled(), std::vector<WindowHandle>{held});
  }
  ASSERT_EQ(s.Told(), 1U);
  EXPECT_EQ(s.h.shell.Balloons()[0].info, RegistrationRefusedMessage(u"管理者"));

  // A hide left to a thread that does not answer is not judged yet.
  const WindowHandle hung = s.Add("hung", u"hung");
  s.h.desktop.Find(hung)->hung = true;
  s.h.desktop.Find(hung)->asyncShowPending = true;
  EXPECT_TRUE(s.h.app.Registration().Register(0, TopMiddle, hung));
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), hung);
  EXPECT_EQ(s.Told(), 1U);
}

TEST(ElevatedWindowTest, AWindowPassedOverIsNotAskedAboutAgain) {
  ElevatedScene s;
  s.SetKeyword(TopMiddle, u"管理者*");
  s.h.app.Registration().RegisterNewWindowsByKeywords();
  const WindowHandle admin = s.AddElevated("admin", u"管理者");
  s.h.app.Registration().RegisterNewWindowsByKeywords();
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::RunsElevated), 1);
  s.h.desktop.ResetCalls();
  for (int i = 0; i < 3; ++i) s.h.app.Registration().RegisterNewWindowsByKeywords();
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::RunsElevated), 0);
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), kNoWindow);

  // Its handle given to a new window of another process: asked afresh.
  s.h.desktop.CloseWindow(admin);
  FakeWindow next;
  next.title = u"管理者";
  next.process = 77;
  s.h.desktop.AddWindowWithHandle(admin, next);
  s.h.app.Registration().RegisterNewWindowsByKeywords();
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), admin);
}

TEST(ElevatedWindowTest, TheMenuOffersItGreyedWithANote) {
  ElevatedScene s;
  s.Add("plain", u"plain");
  s.AddElevated("admin", u"admin");
  const MenuItem menu = BuildTrayMenu(s.h.state(), s.h.desktop, false);
  std::vector<std::u16string> greyed;
  std::vector<std::u16string> offered;
  const std::function<void(const MenuItem&)> visit = [&](const MenuItem& item) {
    if (item.kind == MenuItem::Kind::Command && item.text.find(u"plain") == 0) offered.push_back(item.text);
    if (item.grayed) greyed.push_back(item.text);
    for (const MenuItem& child : item.items) visit(child);
  };
  visit(menu);
  // Every location offers both; only the elevated one is greyed, noted, in each.
  EXPECT_EQ(offered.size(), static_cast<std::size_t>(kLocationCount));
  ASSERT_EQ(greyed.size(), static_cast<std::size_t>(kLocationCount));
  EXPECT_EQ(greyed[0], u"admin（Notepad）" + std::u16string(kElevatedCandidateNote));
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::RunsElevated), 1 + 1) << "once per candidate and opening";
}

TEST(ElevatedWindowTest, TheSheetOffersItWithANoteAndChoosingItRegistersNothingToldOnce) {
  ElevatedScene s;
  const WindowHandle plain = s.Add("plain", u"plain");
  const WindowHandle admin = s.AddElevated("admin", u"admin");
  s.h.desktop.ResetCalls();
  bool opened = false;
  s.h.windows.registrationSheet = [&](RegistrationSheet& sheet) {
    opened = true;
    const std::u16string noted = u"admin（Notepad）" + std::u16string(kElevatedCandidateNote);
    EXPECT_EQ(sheet.CandidateLabels(), (std::vector<std::u16string>{noted, u"plain（Notepad）"}));
    EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::RunsElevated), 2) << "once per candidate and opening";
    // Apply, then OK: each row applied twice, two rows choosing it.
    for (int press = 0; press < 2; ++press) {
      sheet.ApplyRow(0x777, TopMiddle, u"", false, 1);
      sheet.ApplyRow(0x777, LeftTop, u"", false, 1);
      sheet.ApplyRow(0x777, RightTop, u"", false, 2);
    }
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), kNoWindow);
    EXPECT_EQ(s.h.RegisteredAt(0, LeftTop), kNoWindow);
    EXPECT_EQ(s.h.RegisteredAt(0, RightTop), plain);
  };
  s.h.app.OnCommand(command_id::kRegistrationSheetFirst);
  ASSERT_TRUE(opened);
  EXPECT_EQ(s.h.desktop.Calls(DesktopMethod::RunsElevated), 2) << "not asked again at apply";
  EXPECT_TRUE(s.Visible(admin));
  EXPECT_EQ(s.Journaled(), std::vector<WindowHandle>{plain});
  for (const std::string& call : s.h.desktop.Log()) {
    EXPECT_EQ(call.find("admin"), std::string::npos) << call << ": not even tried";
  }
  ASSERT_EQ(s.Told(), 1U);
  EXPECT_EQ(s.h.shell.Balloons()[0].info, ElevatedWindowNotRegisteredMessage(u"admin"));
}

}  // namespace
}  // namespace peekbar
