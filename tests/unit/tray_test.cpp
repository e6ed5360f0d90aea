// The tray icon's image, tip and mouse notifications, and the balloon or
// message box that carries messages to the user.
#include <gtest/gtest.h>

#include <string>

#include "core/settings/messages.h"
#include "core/tray/tray_icon.h"
#include "fakes/fake_shell.h"

namespace peekbar {
namespace {

TEST(TrayIconImageTest, ThemeRowAndStateColumn) {
  struct Case {
    std::int32_t color;
    int running, paused, showingAll;
  };
  const Case cases[] = {
      {0, 101, 103, 104},
      {1, 105, 107, 108},
      {2, 106, 107, 108},
      {5, 101, 103, 104},   // out of range: the normal row
      {-1, 101, 103, 104},
      {3, 101, 103, 104},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrayIconResource(TrayIconState::Running, c.color), c.running) << c.color;
    EXPECT_EQ(TrayIconResource(TrayIconState::Paused, c.color), c.paused) << c.color;
    EXPECT_EQ(TrayIconResource(TrayIconState::ShowingAll, c.color), c.showingAll) << c.color;
  }
}

TEST(TrayIconImageTest, ShowAllOutranksPause) {
  AppState state;
  EXPECT_EQ(CurrentTrayIconState(state), TrayIconState::Running);
  state.paused = true;
  EXPECT_EQ(CurrentTrayIconState(state), TrayIconState::Paused);
  state.showAllActive = true;
  EXPECT_EQ(CurrentTrayIconState(state), TrayIconState::ShowingAll);
  state.paused = false;
  EXPECT_EQ(CurrentTrayIconState(state), TrayIconState::ShowingAll);
}

TEST(TrayTipTest, ProfileNameWithVersionCutTo127Units) {
  EXPECT_EQ(TrayTipText(u"プロファイル_0"), u"プロファイル_0 - Peekbar Ver1.05");
  EXPECT_EQ(TrayTipText(u""), u" - Peekbar Ver1.05");

  const std::u16string suffix = u" - Peekbar Ver1.05";  // 18 units
  const std::u16string fits(127 - suffix.size(), u'名');
  EXPECT_EQ(TrayTipText(fits), fits + suffix);  // exactly 127 units: whole

  const std::u16string oneOver(128 - suffix.size(), u'名');
  const std::u16string cut = TrayTipText(oneOver);
  EXPECT_EQ(cut.size(), 127u);
  EXPECT_EQ(cut, (oneOver + suffix).substr(0, 127));  // "... Ver1.0"

  const std::u16string longest(127, u'名');
  EXPECT_EQ(TrayTipText(longest), longest);
}

TEST(TrayNotifyTest, ReleasesAndLeftDoubleClickOnIconOneOnly) {
  using namespace tray_mouse;
  using R = TrayRequest;
  struct Case {
    std::uintptr_t icon;
    std::uint32_t message;
    std::int32_t reverse;
    TrayRequest request;
  };
  const Case cases[] = {
      {1, kLeftButtonUp, 0, R::ForegroundMainWindow},
      {1, kLeftButtonUp, 1, R::ForegroundMainWindow},
      {1, kRightButtonUp, 0, R::ShowMenu},
      {1, kRightButtonUp, 1, R::ShowMenu},
      {1, kLeftButtonDoubleClick, 0, R::ApplyAllKeywords},
      {1, kLeftButtonDoubleClick, 1, R::ToggleShowAll},
      {1, kMiddleButtonUp, 0, R::ToggleShowAll},
      {1, kMiddleButtonUp, 1, R::ApplyAllKeywords},
      {1, kMiddleButtonUp, 7, R::ApplyAllKeywords},  // any non-zero reverses
      {1, 0x0200, 0, R::None},  // WM_MOUSEMOVE
      {1, 0x0201, 0, R::None},  // WM_LBUTTONDOWN
      {1, 0x0204, 0, R::None},  // WM_RBUTTONDOWN
      {1, 0x0206, 0, R::None},  // WM_RBUTTONDBLCLK
      {1, 0x0207, 1, R::None},  // WM_MBUTTONDOWN
      {1, 0x0209, 0, R::None},  // WM_MBUTTONDBLCLK
      {0, kRightButtonUp, 0, R::None},
      {2, kLeftButtonUp, 0, R::None},
      {2, kLeftButtonDoubleClick, 1, R::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeTrayNotify(c.icon, c.message, c.reverse), c.request)
        << "icon " << c.icon << " message 0x" << std::hex << c.message << " reverse " << c.reverse;
  }
}

struct TrayIconFixture : ::testing::Test {
  AppState state;
  FakeShell shell;
  TrayIcon tray{state, shell};
};

// The add carries everything at once (the shell may be slow to answer each
// call); a profile switch changes tip and colour, a state only the image.
TEST_F(TrayIconFixture, AddCarriesMessageIconAndTipThenProfileAndStateModifyOnlyTheirFields) {
  state.settings.trayIconColor = 1;
  state.profiles.names[0] = u"仕事";
  state.profiles.names[1] = u"家";
  ASSERT_TRUE(tray.AddTrayIcon());
  state.profiles.selected = 1;
  state.settings.trayIconColor = 2;  // the new profile's colour
  tray.UpdateTrayTip();
  state.paused = true;
  tray.SetTrayIconState(CurrentTrayIconState(state));

  const auto& calls = shell.IconCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].action, TrayAction::Add);
  EXPECT_EQ(calls[0].record.flags, TrayIconRecord::kMessage | TrayIconRecord::kIcon | TrayIconRecord::kTip);
  EXPECT_EQ(calls[0].record.iconResource, 105);
  EXPECT_EQ(calls[0].record.tip, u"仕事 - Peekbar Ver1.05");
  EXPECT_EQ(calls[1].action, TrayAction::Modify);
  EXPECT_EQ(calls[1].record.flags, TrayIconRecord::kIcon | TrayIconRecord::kTip);
  EXPECT_EQ(calls[1].record.iconResource, TrayIconResource(TrayIconState::Running, 2));
  EXPECT_EQ(calls[1].record.tip, u"家 - Peekbar Ver1.05");
  EXPECT_EQ(calls[2].action, TrayAction::Modify);
  EXPECT_EQ(calls[2].record.flags, TrayIconRecord::kIcon);
  EXPECT_EQ(calls[2].record.iconResource, TrayIconResource(TrayIconState::Paused, 2));
  EXPECT_EQ(shell.IconImage(), TrayIconResource(TrayIconState::Paused, 2));
  EXPECT_EQ(shell.IconTip(), u"家 - Peekbar Ver1.05");
}

TEST_F(TrayIconFixture, TipIsNotTouchedBeforeTheIconWasAdded) {
  tray.UpdateTrayTip();
  EXPECT_TRUE(shell.IconCalls().empty());
}

TEST_F(TrayIconFixture, RemoveDeletesTheIcon) {
  ASSERT_TRUE(tray.AddTrayIcon());
  tray.Remove();
  EXPECT_EQ(shell.IconCalls().back().action, TrayAction::Delete);
  EXPECT_FALSE(shell.IconPresent());
}

TEST(BalloonRecordTest, InfoFieldsAndTextCutTo255Units) {
  const TrayIconRecord info = UserMessages::BalloonRecord(u"適用しました", MessageIcon::Information);
  EXPECT_EQ(info.flags, TrayIconRecord::kInfo);
  EXPECT_EQ(info.infoFlags, 1u);
  EXPECT_EQ(info.infoTitle, u"Peekbar");
  EXPECT_EQ(info.info, u"適用しました");
  EXPECT_EQ(UserMessages::BalloonRecord(u"x", MessageIcon::Error).infoFlags, 3u);

  for (std::size_t length : {254u, 255u, 256u, 300u}) {
    const std::u16string text(length, u'あ');
    EXPECT_EQ(UserMessages::BalloonRecord(text, MessageIcon::Error).info.size(), length < 255 ? length : 255u)
        << length;
  }
}

TEST(UserMessagesTest, BalloonOrMessageBoxByTheBalloonSetting) {
  struct Case {
    std::int32_t balloon;
    bool error;
  };
  const Case cases[] = {{1, false}, {1, true}, {0, false}, {0, true}, {5, true}};
  for (const Case& c : cases) {
    FakeShell shell;
    Settings settings;
    settings.balloon = c.balloon;
    Operations operations;
    UserMessages messages(shell, settings, operations);
    ASSERT_TRUE(shell.NotifyIcon(TrayAction::Add, TrayIconRecord{}));
    shell.ClearLog();

    const WindowHandle owner = 0x4242;
    if (c.error) {
      messages.ShowErrorMessage(owner, u"失敗しました");
    } else {
      messages.ShowInfoMessage(owner, u"完了しました");
    }
    const std::u16string text = c.error ? u"失敗しました" : u"完了しました";
    if (c.balloon != 0) {
      EXPECT_TRUE(shell.Boxes().empty()) << c.balloon;
      ASSERT_EQ(shell.Balloons().size(), 1u);
      EXPECT_EQ(shell.IconCalls().size(), 1u);
      EXPECT_EQ(shell.Balloons()[0].info, text);
      EXPECT_EQ(shell.Balloons()[0].infoFlags, c.error ? 3u : 1u);
    } else {
      EXPECT_TRUE(shell.IconCalls().empty());
      ASSERT_EQ(shell.Boxes().size(), 1u);
      EXPECT_EQ(shell.Boxes()[0].owner, owner);
      EXPECT_EQ(shell.Boxes()[0].text, text);
      EXPECT_EQ(shell.Boxes()[0].icon, c.error ? MessageIcon::Error : MessageIcon::Information);
    }
  }
}

}  // namespace
}  // namespace peekbar
