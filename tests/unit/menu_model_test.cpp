// The tray menu as the user sees it, and what its items do: the location
// commands, monitor-number positions, profiles, and the guard that keeps a
// second dialog from opening over the first.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fakes/scene.h"
#include "fakes/cycle_assertions.h"

namespace peekbar {
namespace {

using namespace command_id;

// "id text", with " ✓" for a check mark and " ●" for a radio bullet; "text >"
// for a submenu and "—" for a separator.
std::string Describe(const MenuItem& item) {
  switch (item.kind) {
    case MenuItem::Kind::Separator: return "—";
    case MenuItem::Kind::Submenu: return U8(item.text) + " >";
    case MenuItem::Kind::Command: break;
  }
  std::string text = std::to_string(item.id) + " " + U8(item.text);
  if (item.mark == MenuMark::Check) text += " ✓";
  if (item.mark == MenuMark::Radio) text += " ●";
  return text;
}

std::vector<std::string> Items(const MenuItem& menu, std::size_t max = 1000) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < menu.items.size() && i < max; ++i) lines.push_back(Describe(menu.items[i]));
  return lines;
}

const MenuItem& Sub(const MenuItem& menu, std::u16string_view text) {
  static const MenuItem none;
  for (const MenuItem& item : menu.items) {
    if (item.kind == MenuItem::Kind::Submenu && item.text == text) return item;
  }
  ADD_FAILURE() << "no submenu " << U8(text);
  return none;
}

const MenuItem* ById(const MenuItem& menu, std::uint16_t id) {
  for (const MenuItem& item : menu.items) {
    if (item.kind == MenuItem::Kind::Command && item.id == id) return &item;
    if (const MenuItem* found = ById(item, id)) return found;
  }
  return nullptr;
}

MenuMark MarkOf(const MenuItem& menu, std::uint16_t id) {
  const MenuItem* item = ById(menu, id);
  EXPECT_NE(item, nullptr) << id;
  return item != nullptr ? item->mark : MenuMark::None;
}

// The submenu of one location: the one whose first item is its keyword item.
const MenuItem& LocationSubmenu(const MenuItem& menu, int m, int l) {
  static const MenuItem none;
  const auto keywordId = static_cast<std::uint16_t>(LocationCommandId(m, l, 0));
  std::function<const MenuItem*(const MenuItem&)> find = [&](const MenuItem& at) -> const MenuItem* {
    for (const MenuItem& item : at.items) {
      if (item.kind != MenuItem::Kind::Submenu) continue;
      if (!item.items.empty() && item.items[0].id == keywordId) return &item;
      if (const MenuItem* found = find(item)) return found;
    }
    return nullptr;
  };
  const MenuItem* found = find(menu);
  if (found == nullptr) ADD_FAILURE() << "no submenu for location " << m << "/" << l;
  return found != nullptr ? *found : none;
}

struct Scene : DesktopScene {
  explicit Scene(int monitors = 1) : DesktopScene(monitors) {
    h.store.SetInt(ProfileIni(0), u"OPTION", u"BALLOON", 0);
    Start();
    ClearLogs();
  }
  const MenuItem& Menu() {
    h.windows.chooseInMenu = nullptr;
    h.app.ShowTrayMenu();
    return h.windows.lastMenu;
  }
  // Opens the menu and chooses the item, as the user does.
  void Choose(std::uint16_t id) {
    h.windows.chooseInMenu = [this, id](const MenuItem&) { h.app.OnCommand(id); };
    h.app.ShowTrayMenu();
  }
  // Opens the menu and chooses the window's candidate item of a location
  // (the first one when it is listed twice).
  void ChooseWindow(int m, int l, WindowHandle window) {
    h.windows.chooseInMenu = [this, m, l, window](const MenuItem&) {
      const std::vector<WindowEntry>& list = h.state().windowList;
      for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].window != window) continue;
        h.app.OnCommand(static_cast<std::uint16_t>(LocationCommandId(m, l, 3 + static_cast<int>(i))));
        return;
      }
      ADD_FAILURE() << "not a candidate";
    };
    h.app.ShowTrayMenu();
  }
};

// The menu shows before any other program is asked about its windows; the
// windows are read once, and a window that comes or goes afterwards changes
// no submenu of that opening, the candidates and the marks alike.
TEST(TrayMenuLayoutTest, ShowsBeforeReadingTheWindowsAndEverySubmenuShowsOneReading) {
  Scene scene;
  const WindowHandle editor = scene.Add("editor", u"Editor");
  const WindowHandle notes = scene.Add("notes", u"Notes");
  scene.h.Hold(0, TopMiddle, editor);
  scene.ClearLogs();
  TrayMenu menu(scene.h.state(), scene.h.desktop, false);
  for (const DesktopMethod asked : {DesktopMethod::EnumerateTopLevelWindows, DesktopMethod::WindowTitle,
                                    DesktopMethod::WindowClassName, DesktopMethod::WindowProcessId}) {
    EXPECT_EQ(scene.h.desktop.Calls(asked), 0);
  }
  const MenuItem& top = Sub(menu.Root(), u"上端(&U)");
  ASSERT_EQ(top.items.size(), 3u);
  EXPECT_TRUE(top.items[1].items.empty());

  const auto itemsOf = [&](const MenuItem& submenu) {
    MenuItem made;
    made.items = menu.ItemsOf(submenu);
    return Items(made);
  };
  const std::vector<std::string> middle = itemsOf(top.items[1]);
  scene.Add("late", u"Late");
  scene.h.Hold(0, TopMiddle, notes);
  scene.h.Hold(0, TopLeft, notes);
  const std::vector<std::string> left = itemsOf(top.items[0]);
  EXPECT_EQ(scene.h.desktop.Calls(DesktopMethod::EnumerateTopLevelWindows), 1);
  // The candidates after the separator, without their identifiers and marks.
  const auto candidates = [](const std::vector<std::string>& items) {
    std::vector<std::string> labels;
    for (auto it = std::find(items.begin(), items.end(), "—"); it != items.end() && ++it != items.end();) {
      labels.push_back(it->substr(it->find(' '), it->find(" ✓") - it->find(' ')));
    }
    return labels;
  };
  EXPECT_EQ(candidates(middle).size(), 3u);  // the registered window twice, the other once
  EXPECT_EQ(candidates(middle), candidates(left)) << testing::PrintToString(middle) << testing::PrintToString(left);
  EXPECT_EQ(std::count_if(middle.begin(), middle.end(), [](const std::string& i) { return i.ends_with("✓"); }), 2);
  EXPECT_EQ(std::count_if(left.begin(), left.end(), [](const std::string& i) { return i.ends_with("✓"); }), 0);
}

TEST(TrayMenuLayoutTest, OneMonitorIsTheRootTwoGetOneItemEach) {
  const std::vector<std::string> tail = {"—", "コマンド(&C) >", "設定(&O) >", "プロファイル(&P) >", "ヘルプ(&H) >",
                                         "1001 終了(&X)"};
  Scene one;
  one.h.desktop.SetPointer(1500, 1070);
  std::vector<std::string> expected = {"四隅(&Y) >", "上端(&U) >", "下端(&S) >", "左端(&L) >", "右端(&M) >", "—",
                                       "1300 一括登録(&I)"};
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_EQ(Items(one.Menu()), expected);
  EXPECT_EQ(one.h.windows.lastMenuAt, (Point{1500, 1070}));
  EXPECT_EQ(one.h.windows.log, (std::vector<std::string>{"ShowPopups", "HidePopups"}));

  Scene two(2);
  const MenuItem& root = two.Menu();
  expected = {"モニター1 >", "モニター2 >"};
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_EQ(Items(root), expected);
  EXPECT_EQ(Items(Sub(root, u"モニター2")).back(), "1301 一括登録(&I)");
}

TEST(TrayMenuLayoutTest, GroupsHoldTheirLocationsInMenuOrder) {
  struct Group {
    std::u16string_view text;
    std::vector<std::pair<std::string, int>> locations;
  };
  const std::vector<Group> groups = {
      {u"四隅(&Y)", {{"左上隅(&1)", 0}, {"左下隅(&2)", 12}, {"右上隅(&3)", 4}, {"右下隅(&4)", 8}}},
      {u"上端(&U)", {{"上端左(&1)", 1}, {"上端中央(&2)", 2}, {"上端右(&3)", 3}}},
      {u"下端(&S)", {{"下端左(&1)", 11}, {"下端中央(&2)", 10}, {"下端右(&3)", 9}}},
      {u"左端(&L)", {{"左端上(&1)", 15}, {"左端中央(&2)", 14}, {"左端下(&3)", 13}}},
      {u"右端(&M)", {{"右端上(&1)", 5}, {"右端中央(&2)", 6}, {"右端下(&3)", 7}}},
  };
  Scene s(2);
  const MenuItem& monitor = Sub(s.Menu(), u"モニター2");
  for (const Group& g : groups) {
    const MenuItem& group = Sub(monitor, g.text);
    ASSERT_EQ(group.items.size(), g.locations.size()) << U8(g.text);
    for (std::size_t i = 0; i < g.locations.size(); ++i) {
      const MenuItem& location = group.items[i];
      EXPECT_EQ(U8(location.text), g.locations[i].first);
      ASSERT_FALSE(location.items.empty());
      EXPECT_EQ(location.items[0].id, 2000 + (16 + g.locations[i].second) * 259) << g.locations[i].first;
    }
  }
}

TEST(TrayMenuLayoutTest, ThirdCandidateOfMonitor2RightMiddleIs7703) {
  Scene s(2);
  const WindowHandle back = s.Add("back", u"後ろ");
  s.Add("middle", u"中");
  s.Add("front", u"前");
  const MenuItem& location = Sub(Sub(Sub(s.Menu(), u"モニター2"), u"右端(&M)"), u"右端中央(&2)");
  EXPECT_EQ(Items(location), (std::vector<std::string>{"7698 ウィンドウ自動登録キーワード設定(&W)",
                                                       "7700 ガイド色設定(&G)", "382 ホットキー設定(&H)...", "—", "7701 前（Notepad）",
                                                       "7702 中（Notepad）", "7703 後ろ（Notepad）"}));
  s.ClearLogs();
  s.h.app.OnCommand(7703);
  EXPECT_EQ(s.h.RegisteredAt(1, RightMiddle), back);
}

TEST(LocationMenuTest, KeywordAndUnregisterItemsFollowTheLocation) {
  struct Case {
    std::u16string_view keyword;
    bool registered;
    bool candidates;
    std::vector<std::string> items;
  };
  const std::vector<Case> cases = {
      {u"", false, true, {"3554 ウィンドウ自動登録キーワード設定(&W)", "3556 ガイド色設定(&G)", "366 ホットキー設定(&H)...", "—", "3557 doc - 新（Notepad）"}},
      {u"*メモ帳*", false, true,
       {"3554 ウィンドウ自動登録キーワード設定 - *メモ帳*(&W)", "3556 ガイド色設定(&G)", "366 ホットキー設定(&H)...", "—", "3557 doc - 新（Notepad）"}},
      {u"", true, true,
       {"3554 ウィンドウ自動登録キーワード設定(&W)", "3555 登録解除 - doc - 新（Notepad）(&T)", "3556 ガイド色設定(&G)", "366 ホットキー設定(&H)...", "—",
        "3557 doc - 新（Notepad） ✓"}},
      {u"", false, false, {"3554 ウィンドウ自動登録キーワード設定(&W)", "3556 ガイド色設定(&G)", "366 ホットキー設定(&H)...", "—"}},
  };
  for (const Case& c : cases) {
    Scene s;
    const WindowHandle doc = s.Add("doc", u"doc - 旧", c.candidates);
    if (c.registered) s.h.app.Registration().Register(0, RightMiddle, doc);
    s.h.desktop.Find(doc)->title = u"doc - 新";  // the title as it is when the menu opens
    s.Slot()[RightMiddle].keyword = c.keyword;
    EXPECT_EQ(Items(LocationSubmenu(s.Menu(), 0, RightMiddle)), c.items);
  }
}

TEST(LocationMenuTest, AtMost256CandidatesAreOffered) {
  Scene s;
  for (int i = 0; i < 300; ++i) s.Add("w", DecimalText(i));
  const MenuItem& menu = s.Menu();
  for (const int l : {TopLeftCorner, RightMiddle, LeftTop}) {
    const MenuItem& location = LocationSubmenu(menu, 0, l);
    ASSERT_EQ(location.items.size(), 4u + 256u) << l;  // keyword, colour, hotkey, separator
    EXPECT_EQ(Describe(location.items.back()),
              std::to_string(LocationCommandId(0, l, 258)) + " 44（Notepad）") << "the 256th from the front";
  }
}

TEST(LocationMenuTest, RegisteredWindowIsCheckedOnlyAtItsLocationTwiceWhenVisible) {
  for (const bool visible : {false, true}) {
    Scene s;
    s.Add("other", u"other");
    const WindowHandle doc = s.Add("doc", u"doc");
    s.h.app.Registration().Register(0, TopMiddle, doc);
    s.h.desktop.Find(doc)->visible = visible;
    const MenuItem& menu = s.Menu();
    for (int l = 0; l < kLocationCount; ++l) {
      int checks = 0;
      for (const MenuItem& item : LocationSubmenu(menu, 0, l).items) checks += item.mark == MenuMark::Check ? 1 : 0;
      EXPECT_EQ(checks, l == TopMiddle ? (visible ? 2 : 1) : 0) << l << " visible " << visible;
    }
  }
}

TEST(TrayMenuTailTest, ItemsAndMarksFollowTheState) {
  Scene s;
  const MenuItem& plain = s.Menu();
  EXPECT_EQ(Items(Sub(plain, u"コマンド(&C)")),
            (std::vector<std::string>{"1015 処理を一時停止(&S)", "1016 一時全箇所表示(&I)", "1017 全箇所登録解除(&R)",
                                      "1018 全箇所キーワード適用(&K)"}));
  const MenuItem& settings = Sub(plain, u"設定(&O)");
  EXPECT_EQ(Items(settings), (std::vector<std::string>{"1004 オプション(&O)", "1005 ガイド・ラベル設定(&G)", "1048 ホットキー設定(&K)...",
                                                       "トリガーウィンドウ(&T) >", "モニター番号表示(&N) >",
                                                       "トレイアイコンカラー(&A) >", "—",
                                                       "1014 本ソフトをスタートアップに登録する(&R)"}));
  const MenuItem& trigger = Sub(settings, u"トリガーウィンドウ(&T)");
  EXPECT_EQ(Items(trigger), (std::vector<std::string>{"1037 トリガーウィンドウを有効にする(&T)",
                                                      "押下キー設定（複数選択可）(&O) >", "1041 トリガーウィンドウ設定(&C)"}));
  EXPECT_EQ(Items(Sub(trigger, u"押下キー設定（複数選択可）(&O)")),
            (std::vector<std::string>{"1038 Ctrlキー(&C) ✓", "1039 Shiftキー(&S)", "1040 Altキー(&A)"}));
  const MenuItem& pop = Sub(settings, u"モニター番号表示(&N)");
  EXPECT_EQ(Items(pop), (std::vector<std::string>{"表示位置設定(&H) >", "1042 透明度設定(&T)", "1043 フォント設定(&F)"}));
  EXPECT_EQ(Items(Sub(pop, u"表示位置設定(&H)")),
            (std::vector<std::string>{"1100 非表示(&1)", "1101 中央(&2) ●", "1102 左上(&3)", "1103 右上(&4)",
                                      "1104 左下(&5)", "1105 右下(&6)"}));
  EXPECT_EQ(Items(Sub(settings, u"トレイアイコンカラー(&A)")),
            (std::vector<std::string>{"1044 通常(&T) ●", "1045 白(&S)", "1046 黒(&K)"}));
  EXPECT_EQ(Items(Sub(plain, u"ヘルプ(&H)")),
            (std::vector<std::string>{"1002 Readme.txt(&H)", "—", "1003 バージョン情報(&A)"}));
  EXPECT_EQ(Items(Sub(plain, u"プロファイル(&P)"), 4),
            (std::vector<std::string>{"1047 プロファイル名を変更(&P)", "—", "1200 プロファイル_0(&1) ●",
                                      "1201 プロファイル_1(&2)"}));

  AppState& st = s.h.state();
  Settings& set = s.h.settings();
  st.paused = true;
  st.showAllActive = true;
  set.triggerEnabled = 1;
  set.triggerCtrl = 0;
  set.triggerShift = 1;
  set.triggerAlt = 1;
  set.trayIconColor = 2;
  st.profiles.selected = 9;
  s.h.shell.AddExistingFile(u"C:\\Users\\tester\\Startup\\Peekbar.lnk");
  const MenuItem& changed = s.Menu();
  const std::pair<std::uint16_t, MenuMark> marks[] = {
      {kPause, MenuMark::Check},          {kShowAll, MenuMark::Check},       {kTriggerEnable, MenuMark::Check},
      {kTriggerCtrl, MenuMark::None},     {kTriggerShift, MenuMark::Check},  {kTriggerAlt, MenuMark::Check},
      {kTrayColorNormal, MenuMark::None}, {kTrayColorBlack, MenuMark::Radio}, {kStartupShortcut, MenuMark::Check},
      {kProfileFirst, MenuMark::None},    {kProfileLast, MenuMark::Radio},
  };
  for (const auto& [id, mark] : marks) EXPECT_EQ(MarkOf(changed, id), mark) << id;
}

TEST(TrayMenuTailTest, MonitorNumberPositionRadioAndStartupCheck) {
  for (int show = -1; show <= 4; ++show) {
    Scene s;
    s.h.settings().monitorPopShow = show;
    const MenuItem& menu = s.Menu();
    for (std::uint16_t id = kMonitorPopHidden; id <= kMonitorPopLast; ++id) {
      EXPECT_EQ(MarkOf(menu, id), id == 1101 + show ? MenuMark::Radio : MenuMark::None) << show << " " << id;
    }
  }
  struct Case {
    std::u16string folder;
    std::u16string existing;
    bool checked;
  };
  const Case cases[] = {
      {u"C:\\Users\\tester\\Startup", u"C:\\Users\\tester\\Startup\\Peekbar.lnk", true},
      {u"C:\\Users\\tester\\Startup", u"C:\\Users\\tester\\Startup\\Other.lnk", false},
      {u"", u"\\Peekbar.lnk", false},
  };
  for (const Case& c : cases) {
    Scene s;
    s.h.shell.SetStartupFolder(c.folder);
    s.h.shell.AddExistingFile(c.existing);
    EXPECT_EQ(MarkOf(s.Menu(), kStartupShortcut), c.checked ? MenuMark::Check : MenuMark::None) << U8(c.existing);
  }
}

TEST(TrayMenuTailTest, ProfileItemsCarryADigitMnemonicThatALongNameNeverPushesOut) {
  struct Case {
    std::size_t nameLength;
    std::size_t keptLength;
  };
  const Case cases[] = {{10, 10}, {123, 123}, {124, 123}, {200, 123}};
  for (const Case& c : cases) {
    AppHarness h;
    h.AddMonitor({0, 0, 1920, 1080});
    h.store.Set(ProfileIni(0), u"PROFILE", u"NAME", std::u16string(c.nameLength, u'名'));
    h.store.Set(ProfileIni(9), u"PROFILE", u"NAME", std::u16string(c.nameLength, u'名'));
    h.Start();
    h.app.ShowTrayMenu();
    const MenuItem& profiles = Sub(h.windows.lastMenu, u"プロファイル(&P)");
    ASSERT_EQ(profiles.items.size(), 12u);
    for (int p = 0; p < kProfileCount; ++p) {
      const MenuItem& item = profiles.items[static_cast<std::size_t>(p) + 2];
      EXPECT_EQ(item.id, kProfileFirst + p);
      const std::u16string digit = DecimalText((p + 1) % 10);
      const std::u16string name = p == 0 || p == 9 ? std::u16string(c.keptLength, u'名') : DefaultProfileName(p);
      EXPECT_EQ(item.text, name + u"(&" + digit + u")") << c.nameLength << " profile " << p;
      EXPECT_LE(item.text.size(), 127u);
    }
  }
}

TEST(LocationCommandTest, PickingMovingAndUnregisteringWindows) {
  Scene s(2);
  const WindowHandle doc1 = s.Add("doc1", u"doc1");
  const WindowHandle doc2 = s.Add("doc2", u"doc2");
  FakeDesktop& d = s.h.desktop;

  // Pick: hidden, registered, waiting from now.
  d.Advance(300);
  s.ClearLogs();
  s.ChooseWindow(0, TopMiddle, doc1);
  EXPECT_EQ(d.Log(), (std::vector<std::string>{"ShowWindow doc1 Hide"}));
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc1);
  EXPECT_TRUE(InPhase(s.Slot()[TopMiddle], CyclePhase::Hidden, d.Tick()));

  // Move: the old window comes back, the new one goes.
  s.ClearLogs();
  s.ChooseWindow(0, TopMiddle, doc2);
  EXPECT_EQ(d.Log(), (std::vector<std::string>{"PlaceWindow doc1 NotTopmost show async", "ShowWindow doc2 Hide"}));
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc2);

  // The same window at a second location, on the other monitor.
  s.ClearLogs();
  s.ChooseWindow(1, LeftMiddle, doc2);
  EXPECT_EQ(d.Log(), (std::vector<std::string>{"ShowWindow doc2 Hide"}));
  EXPECT_EQ(s.h.RegisteredAt(1, LeftMiddle), doc2);

  // Unregistering one of the two leaves it hidden.
  s.ClearLogs();
  s.Choose(static_cast<std::uint16_t>(LocationCommandId(1, LeftMiddle, 1)));
  EXPECT_TRUE(d.Log().empty());
  EXPECT_EQ(s.h.RegisteredAt(1, LeftMiddle), kNoWindow);
  EXPECT_FALSE(d.Find(doc2)->visible);

  // Choosing the marked window unregisters it; it is the last one, so it comes back.
  s.ClearLogs();
  s.ChooseWindow(0, TopMiddle, doc2);
  EXPECT_EQ(d.Log(), (std::vector<std::string>{"PlaceWindow doc2 NotTopmost show async"}));
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), kNoWindow);
  EXPECT_TRUE(d.Find(doc2)->visible);
}

// The user chooses from what the menu showed: a command that reads the
// windows again while the menu is open (a keyword applied, a display change)
// and a window that came up meanwhile change nothing of what the items name,
// during the opening or after it.
TEST(LocationCommandTest, CandidateNamesTheWindowTheMenuShowedWhateverReadsTheWindowsMeanwhile) {
  Scene s;
  const WindowHandle doc = s.Add("doc", u"doc");
  s.Add("sheet", u"sheet");
  const auto docItem = [&](const MenuItem& menu) {
    const std::vector<MenuItem>& items = menu.items[1].items[1].items;  // 上端 > 上端中央
    for (const MenuItem& item : items) {
      if (item.text == u"doc（Notepad）") return item.id;
    }
    ADD_FAILURE() << "doc is not offered";
    return std::uint16_t{0};
  };
  for (const bool whileOpen : {true, false}) {
    SCOPED_TRACE(whileOpen ? "chosen while the menu is open" : "sent after it closed");
    std::uint16_t id = 0;
    s.h.windows.chooseInMenu = [&](const MenuItem& menu) {
      id = docItem(menu);
      s.Add("newcomer", u"newcomer");  // in front of every other window
      s.h.app.OnCommand(kApplyAllKeywords);
      if (whileOpen) s.h.app.OnCommand(id);
    };
    s.h.app.ShowTrayMenu();
    if (!whileOpen) s.h.app.OnCommand(id);
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc);
    s.h.app.OnCommand(kUnregisterAll);
  }
}

// An item does what it showed: an unmarked one never unregisters, though a
// keyword caught its window while the menu was open; a marked one does
// nothing once another window took the place meanwhile.
TEST(LocationCommandTest, WhatAnItemDoesFollowsItsMarkNotWhatChangedSince) {
  for (const bool marked : {false, true}) {
    for (const bool whileOpen : {true, false}) {
      SCOPED_TRACE(testing::Message() << marked << (whileOpen ? " chosen while the menu is open" : " sent after"));
      Scene s;
      const WindowHandle doc = s.Add("doc", u"doc");
      const WindowHandle other = s.Add("other", u"other");
      if (marked) s.h.app.Registration().Register(0, TopMiddle, doc);
      std::uint16_t docItem = 0;
      s.h.windows.chooseInMenu = [&](const MenuItem&) {
        const std::vector<WindowEntry>& listed = s.h.state().windowList;
        for (std::size_t i = 0; i < listed.size(); ++i) {
          if (listed[i].window == doc) docItem = static_cast<std::uint16_t>(LocationCommandId(0, TopMiddle, 3 + static_cast<int>(i)));
        }
        s.h.app.Registration().Register(0, TopMiddle, marked ? other : doc);
        if (whileOpen) s.h.app.OnCommand(docItem);
      };
      s.h.app.ShowTrayMenu();
      if (!whileOpen) s.h.app.OnCommand(docItem);
      EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), marked ? other : doc);
    }
  }
}

TEST(LocationCommandTest, PickingEndsTheShowCycleWhenNothingIsShownButUnregisteringDoesNot) {
  enum class Act { Pick, PickMarked, UnregisterItem };
  struct Case {
    Act act;
    bool otherShown;
    bool cycleEnds;
  };
  const Case cases[] = {
      {Act::Pick, false, true},          {Act::Pick, true, false},
      {Act::PickMarked, false, true},    {Act::UnregisterItem, false, false},
  };
  for (const Case& c : cases) {
    Scene s;
    const WindowHandle taskbar = s.h.desktop.AddWindow("taskbar", u"Shell_TrayWnd", u"");
    s.h.state().taskbarWindow = taskbar;
    s.h.settings().hideTaskbar = 1;
    const WindowHandle browser = s.Add("browser", u"browser");
    const WindowHandle doc = s.Add("doc", u"doc");
    const WindowHandle up = s.Add("up", u"up");
    s.h.app.Registration().Register(0, RightTop, up);
    s.h.desktop.Find(up)->visible = true;
    if (c.otherShown) s.Slot()[RightTop].cycle.Show(s.h.desktop.Tick());
    if (c.act != Act::Pick) s.h.app.Registration().Register(0, TopMiddle, doc);
    s.h.app.TaskbarHiding().HideTaskbar();
    s.h.state().savedForeground = browser;
    s.h.desktop.SetForeground(up);

    if (c.act == Act::UnregisterItem) {
      s.Choose(static_cast<std::uint16_t>(LocationCommandId(0, TopMiddle, 1)));
    } else {
      s.ChooseWindow(0, TopMiddle, doc);
    }
    EXPECT_EQ(s.h.desktop.Find(taskbar)->visible, c.cycleEnds) << static_cast<int>(c.act) << c.otherShown;
    EXPECT_EQ(s.h.desktop.Foreground(), c.cycleEnds ? browser : up);
    EXPECT_EQ(s.h.state().savedForeground, c.cycleEnds ? kNoWindow : browser);
  }
}

TEST(LocationCommandTest, KeywordItemSavesTheLocationAndRegistersOnOk) {
  for (const bool ok : {false, true}) {
    Scene s(2);
    s.h.store.SetInt(kMainIni, u"PROFILE", u"INDEX", 4);
    s.h.app.SettingsFiles().LoadSettings();
    const WindowHandle doc = s.Add("doc", u"doc - メモ帳");
    bool busyDuringDialog = false;
    s.h.windows.keywordDialog = [&](FixedText<kKeywordUnits>& keyword, std::int32_t& isRegex) {
      busyDuringDialog = s.h.state().modalBusy;
      if (!ok) return false;
      keyword = u"*メモ帳*";
      isRegex = 0;
      return true;
    };
    s.ClearLogs();
    s.Choose(static_cast<std::uint16_t>(LocationCommandId(1, RightMiddle, 0)));
    EXPECT_TRUE(busyDuringDialog);
    EXPECT_FALSE(s.h.state().modalBusy);
    EXPECT_EQ(s.h.windows.log,
              (std::vector<std::string>{"ShowPopups", "KeywordDialog ウィンドウ自動登録キーワード設定（モニター2、右端中央）",
                                        "HidePopups"}));
    const std::vector<std::string> saved = {"MONITOR_1/KEYWORD_6=*メモ帳*", "MONITOR_1/REG_EXP_6=0",
                                            "MONITOR_1/GUIDE_COLOR_6=255"};
    EXPECT_EQ(s.h.store.WriteLog(), ok ? saved : std::vector<std::string>{});
    for (const auto& w : s.h.store.Writes()) EXPECT_EQ(w.path, ProfileIni(4));
    EXPECT_EQ(s.h.RegisteredAt(1, RightMiddle), ok ? doc : kNoWindow);
  }
}

TEST(LocationCommandTest, GuideColourItemOpensTheChooserOnlyWhenNoDialogIsUp) {
  struct Case {
    bool busy;
    std::optional<Color> chosen;
    std::vector<std::string> log;
    std::vector<std::string> writes;
  };
  const std::vector<Case> cases = {
      {true, 0x00FF00, {"ShowPopups", "HidePopups"}, {}},
      {false, std::nullopt, {"ShowPopups", "PickColor 255", "HidePopups"}, {}},
      {false,
       0x00FF00,
       {"ShowPopups", "PickColor 255", "HidePopups"},
       {"MONITOR_0/KEYWORD_12=", "MONITOR_0/REG_EXP_12=0", "MONITOR_0/GUIDE_COLOR_12=65280"}},
  };
  for (const Case& c : cases) {
    Scene s;
    s.h.app.Registration().Register(0, BottomLeftCorner, s.Add("doc", u"doc"));
    s.h.app.OnTimer();
    s.h.state().modalBusy = c.busy;
    s.h.windows.chosenColor = c.chosen;
    s.ClearLogs();
    s.Choose(static_cast<std::uint16_t>(LocationCommandId(0, BottomLeftCorner, 2)));
    EXPECT_EQ(s.h.windows.log, c.log);
    EXPECT_EQ(s.h.store.WriteLog(), c.writes);
    const Color colour = c.writes.empty() ? 255u : 0x00FF00u;
    EXPECT_EQ(s.Slot()[BottomLeftCorner].guideColor, colour);
    ASSERT_NE(s.h.windows.Bar(0, BottomLeftCorner), nullptr);
    EXPECT_EQ(s.h.windows.Bar(0, BottomLeftCorner)->color, colour) << "the guide not painted anew";
    EXPECT_EQ(s.h.state().modalBusy, c.busy);
  }
}

TEST(ModalGuardTest, MenuOpenedOverTheKeywordDialogOpensNoSecondDialog) {
  Scene s;
  const WindowHandle doc = s.Add("doc", u"doc");
  bool nested = false;
  s.h.windows.keywordDialog = [&](FixedText<kKeywordUnits>&, std::int32_t&) {
    if (nested) return false;
    nested = true;
    // A chooser opened over the dialog and closed again leaves it guarded.
    s.Choose(kMonitorPopAlpha);
    // The dialog's own message loop lets the tray icon open the menu again.
    for (const int id : {LocationCommandId(0, TopMiddle, 0), LocationCommandId(0, TopMiddle, 2)}) {
      s.Choose(static_cast<std::uint16_t>(id));
    }
    for (const std::uint16_t id : {kAbout, kOptions, kGuideLabelSettings, kStartupShortcut, kTriggerSettings,
                                   kProfileRename, kRegistrationSheetFirst}) {
      s.Choose(id);
    }
    EXPECT_TRUE(s.h.state().modalBusy) << "the inner commands leave the flag to the open dialog";
    s.ChooseWindow(0, TopMiddle, doc);  // not a dialog: goes through
    s.Choose(kPause);
    return false;
  };
  s.ClearLogs();
  s.Choose(static_cast<std::uint16_t>(LocationCommandId(0, LeftMiddle, 0)));
  int dialogs = 0;
  for (const std::string& line : s.h.windows.log) {
    dialogs += line.rfind("KeywordDialog", 0) == 0 || line.rfind("PickColor", 0) == 0 ? 1 : 0;
  }
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc);
  EXPECT_TRUE(s.h.state().paused);
  EXPECT_FALSE(s.h.state().modalBusy);
  EXPECT_TRUE(s.h.store.Writes().empty());

  nested = true;  // the dialog is closed: the next keyword item opens it again
  s.Choose(static_cast<std::uint16_t>(LocationCommandId(0, TopMiddle, 0)));
  EXPECT_EQ(s.h.windows.log.back(), "HidePopups");
  EXPECT_EQ(s.h.windows.log[s.h.windows.log.size() - 2], "KeywordDialog ウィンドウ自動登録キーワード設定（上端中央）");
}

TEST(MonitorPopPositionTest, ItemsSetTheShowValueAndRewriteTheSection) {
  for (std::uint16_t id = kMonitorPopHidden; id <= kMonitorPopLast; ++id) {
    Scene s;
    s.ClearLogs();
    s.Choose(id);
    const int show = id - 1101;
    EXPECT_EQ(s.h.settings().monitorPopShow, show);
    EXPECT_EQ(s.h.windows.log, (std::vector<std::string>{"ShowPopups", "RebuildPopups", "HidePopups"}));
    const std::vector<std::string> writes = s.h.store.WriteLog();
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes[0], "MONITOR_POP/SHOW=" + std::to_string(show));
    for (const std::string& w : writes) EXPECT_EQ(w.rfind("MONITOR_POP/", 0), 0u) << w;
    EXPECT_EQ(MarkOf(s.Menu(), id), MenuMark::Radio);
  }
}

TEST(SelectProfileTest, ReloadsReregistersRestartsTheTimerAndSavesTheList) {
  Scene s;
  const WindowHandle doc1 = s.Add("doc1", u"doc1");
  const WindowHandle doc2 = s.Add("doc2", u"doc2");
  s.h.app.Registration().Register(0, RightTop, doc2);
  const std::u16string ini = ProfileIni(2);
  s.h.store.Set(ini, u"PROFILE", u"NAME", u"仕事");
  s.h.store.SetInt(ini, u"OPTION", u"TIMER_INTERVAL", 100);
  s.h.store.SetInt(ini, u"OPTION", u"BALLOON", 0);
  s.h.store.SetInt(ini, u"OPTION", u"TRAY_ICON_COLOR", 2);
  s.h.store.Set(ini, u"MONITOR_0", u"KEYWORD_2", u"doc1*");
  s.h.app.SettingsFiles().LoadSettings();  // the name is read at start-up
  s.ClearLogs();

  s.Choose(1202);

  EXPECT_EQ(s.h.state().profiles.selected, 2);
  EXPECT_EQ(s.h.settings().timerInterval, 100);
  EXPECT_EQ(s.h.shell.Log(), (std::vector<std::string>{
                                 "StopTimer", "Modify icon=" + std::to_string(TrayIconResource(TrayIconState::Running, 2)) + " tip=仕事 - Peekbar Ver1.05", "StartTimer 100",
                                 "Box owner=" + std::to_string(s.main) + " (info) プロファイル「仕事」を選択しました。"}));
  EXPECT_EQ(s.h.windows.log, (std::vector<std::string>{"ShowPopups", "CloseGuides", "RebuildPopups", "HidePopups"}));
  EXPECT_EQ(s.h.windows.GuidesMade(), 1) << "the guides not made again";
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc1);
  EXPECT_EQ(s.h.RegisteredAt(0, RightTop), kNoWindow);
  EXPECT_TRUE(s.h.desktop.Find(doc2)->visible);
  const auto& writes = s.h.store.Writes();
  ASSERT_EQ(writes.size(), 11u);
  EXPECT_EQ(writes[0].path, kMainIni);
  EXPECT_EQ(U8(writes[0].key) + "=" + U8(writes[0].value), "INDEX=2");
  EXPECT_EQ(writes[3].path, ProfileIni(2));
  EXPECT_EQ(U8(writes[3].value), "仕事");
  EXPECT_EQ(MarkOf(s.Menu(), 1202), MenuMark::Radio);

  s.ClearLogs();
  s.Choose(1202);
  EXPECT_TRUE(s.h.shell.Log().empty()) << "the selected profile again: nothing";
  EXPECT_TRUE(s.h.store.Writes().empty());
  EXPECT_EQ(s.h.windows.log, (std::vector<std::string>{"ShowPopups", "HidePopups"}));
  EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc1);
}

// A dialog holds what it read from the selected profile and writes it back
// there at OK: while one is open, no profile is selected, from the menu
// (where the profiles are greyed, as the refused dialogs are) or from
// outside; once it is closed, the same command selects.
TEST(SelectProfileTest, RefusedWhileAnyDialogIsOpenSoItsOkWritesTheProfileItCameFrom) {
  const std::uint16_t openers[] = {
      kAbout, kOptions, kGuideLabelSettings, kStartupShortcut, kTriggerSettings, kMonitorPopAlpha,
      kMonitorPopFont, kProfileRename, kHotkeySettings, kRegistrationSheetFirst,
      static_cast<std::uint16_t>(LocationHotkeyCommandId(0, TopMiddle)),
      static_cast<std::uint16_t>(LocationCommandId(0, TopMiddle, 0)),
      static_cast<std::uint16_t>(LocationCommandId(0, TopMiddle, 2))};
  constexpr auto kSecondProfile = static_cast<std::uint16_t>(kProfileFirst + 1);
  for (const std::uint16_t opener : openers) {
    SCOPED_TRACE(opener);
    Scene s;
    s.h.store.Set(ProfileIni(1), u"MONITOR_0", u"KEYWORD_2", u"doc*");
    const WindowHandle doc = s.Add("doc", u"doc");
    // Every dialog confirmed with what it was shown.
    s.h.windows.optionsSheet = [](Settings&) { return true; };
    s.h.windows.guideLabelSheet = [](Settings&, LabelChoices&) { return true; };
    s.h.windows.triggerDialog = [](Settings&) { return true; };
    s.h.windows.keywordDialog = [](FixedText<kKeywordUnits>&, std::int32_t&) { return true; };
    s.h.windows.chosenColor = 0x00FF00;
    s.h.windows.chosenHotkey = kNoHotkey;
    s.h.windows.chosenGlobalHotkeys = GlobalHotkeys{};
    s.h.windows.profileName = u"仕事";
    s.h.windows.popAlpha = 100;
    s.h.windows.chosenFont = FontRecord{.face = {u"Meiryo"}, .height = -20, .weight = 400};
    s.h.windows.registrationSheet = [&](RegistrationSheet& sheet) {
      for (int l = 0; l < kLocationCount; ++l) {
        const SheetRow row = sheet.FillRow(l);
        sheet.ApplyRow(s.main, l, row.keyword, row.isRegex, row.selection);
      }
    };
    bool greyed = false;
    s.h.windows.whileAnyDialogOpen = [&] {
      s.h.windows.whileAnyDialogOpen = nullptr;
      s.h.app.OnCommand(kSecondProfile);  // from outside
      const MenuItem* item = ById(s.Menu(), kSecondProfile);
      greyed = item != nullptr && item->grayed;
      s.Choose(kSecondProfile);
    };
    s.ClearLogs();
    s.Choose(opener);
    EXPECT_TRUE(greyed);
    EXPECT_EQ(s.h.state().profiles.selected, 0);
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), kNoWindow);
    // A rename writes every profile's name and the selected index.
    for (const auto& write : s.h.store.Writes()) {
      if (write.path == ProfileIni(1)) {
        EXPECT_EQ(U8(write.section + u"/" + write.key), "PROFILE/NAME");
      }
      if (write.key == u"INDEX") {
        EXPECT_EQ(write.value, u"0");
      }
    }

    s.Choose(kSecondProfile);
    EXPECT_EQ(s.h.state().profiles.selected, 1);
    EXPECT_EQ(s.h.RegisteredAt(0, TopMiddle), doc);
    EXPECT_EQ(s.h.store.Get(ProfileIni(1), u"MONITOR_0", u"KEYWORD_2"), u"doc*");
    EXPECT_FALSE(ById(s.Menu(), kSecondProfile)->grayed);
  }
}

}  // namespace
}  // namespace peekbar

namespace peekbar {
namespace {

void VisitCommands(const MenuItem& menu, const std::function<void(const MenuItem&)>& visit) {
  for (const MenuItem& item : menu.items) {
    if (item.kind == MenuItem::Kind::Command) visit(item);
    VisitCommands(item, visit);
  }
}

// Every item the menu can show decodes to an action the program carries
// out, but for the few still waiting for their dialog; a registered window
// and its candidates included, and with as many monitors as identifiers fit.
TEST(WholeMenuTest, EveryItemDecodesToAHandledCommand) {
  for (const int monitors : {1, 2, 16, 40}) {
    SCOPED_TRACE(testing::Message() << monitors << " monitors");
    AppHarness h;
    for (int m = 0; m < monitors; ++m) h.AddMonitor({1920 * m, 0, 1920 * (m + 1), 1080});
    h.Start();
    for (int w = 0; w < 300; ++w) h.desktop.AddWindow(std::to_string(w), u"Editor", u"window");
    h.Hold(monitors - 1, 15, h.desktop.AddWindow("registered", u"Editor", u"kept"));
    const MenuItem menu = BuildTrayMenu(h.state(), h.desktop, false);
    int items = 0;
    VisitCommands(menu, [&](const MenuItem& item) {
      ++items;
      const CommandAction action = DecodeCommand(item.id, monitors).action;
      ASSERT_NE(action, CommandAction::Ignored) << item.id << " " << U8(item.text);
      EXPECT_TRUE(App::Handles(action)) << item.id << " " << U8(item.text);
    });
    EXPECT_GT(items, 16 * monitors * (2 + MaxMenuCandidates(monitors)));
  }
}

}  // namespace
}  // namespace peekbar
