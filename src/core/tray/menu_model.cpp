#include "core/tray/menu_model.h"

#include <array>
#include <utility>

#include "core/tray/commands.h"
#include "core/registration/candidates.h"

namespace peekbar {
namespace {

using namespace command_id;

MenuItem Command(std::u16string text, std::uint16_t id, MenuMark mark = MenuMark::None) {
  MenuItem item;
  item.text = std::move(text);
  item.id = id;
  item.mark = mark;
  return item;
}

MenuItem Separator() {
  MenuItem item;
  item.kind = MenuItem::Kind::Separator;
  return item;
}

MenuItem Submenu(std::u16string text, std::vector<MenuItem> items = {}) {
  MenuItem item;
  item.kind = MenuItem::Kind::Submenu;
  item.text = std::move(text);
  item.items = std::move(items);
  return item;
}

MenuMark CheckIf(bool on) { return on ? MenuMark::Check : MenuMark::None; }
MenuMark RadioIf(bool on) { return on ? MenuMark::Radio : MenuMark::None; }

std::u16string Cut(std::u16string text, std::size_t units) {
  if (text.size() > units - 1) text.resize(units - 1);
  return text;
}

struct Candidates {
  std::vector<std::u16string> labels;
  std::vector<WindowHandle> windows;
};

MenuItem LocationMenu(const AppState& state, Desktop& desktop, int m, int l, const Candidates& candidates) {
  const LocationSlot& at = state.At(m, l);
  const auto id = [&](int item) {
    return static_cast<std::uint16_t>(LocationCommandId(m, l, item, state.MonitorCount()));
  };
  MenuItem menu = Submenu(std::u16string(LocationMenuLabel(l)));
  const std::u16string_view keyword = at.keyword.View();
  menu.items.push_back(Command(
      keyword.empty() ? std::u16string(u"ウィンドウ自動登録キーワード設定(&W)")
                      : Cut(u"ウィンドウ自動登録キーワード設定 - " + std::u16string(keyword) + u"(&W)",
                            kLocationItemUnits),
      id(0)));
  const WindowHandle registered = at.window;
  if (registered != kNoWindow) {
    const std::u16string title = desktop.WindowTitle(registered, kTitleUnits);
    const std::u16string className = desktop.WindowClassName(registered, kTitleUnits);
    menu.items.push_back(
        Command(Cut(u"登録解除 - " + title + u"（" + className + u"）(&T)", kLocationItemUnits), id(1)));
  }
  menu.items.push_back(Command(u"ガイド色設定(&G)", id(2)));
  menu.items.push_back(Separator());
  for (std::size_t i = 0; i < candidates.labels.size(); ++i) {
    menu.items.push_back(Command(candidates.labels[i], id(3 + static_cast<int>(i)),
                                 CheckIf(registered != kNoWindow && candidates.windows[i] == registered)));
  }
  return menu;
}

MenuItem MonitorMenu(const AppState& state, Desktop& desktop, int m, const Candidates& candidates) {
  struct Group {
    std::u16string_view text;
    std::array<int, 4> locations;
    int count;
  };
  static constexpr std::array<Group, 5> kGroups = {{
      {u"四隅(&Y)", {TopLeftCorner, BottomLeftCorner, TopRightCorner, BottomRightCorner}, 4},
      {u"上端(&U)", {TopLeft, TopMiddle, TopRight, 0}, 3},
      {u"下端(&S)", {BottomLeft, BottomMiddle, BottomRight, 0}, 3},
      {u"左端(&L)", {LeftTop, LeftMiddle, LeftBottom, 0}, 3},
      {u"右端(&M)", {RightTop, RightMiddle, RightBottom, 0}, 3},
  }};
  MenuItem menu = Submenu(u"モニター" + DecimalText(m + 1));
  for (const Group& group : kGroups) {
    MenuItem submenu = Submenu(std::u16string(group.text));
    for (int i = 0; i < group.count; ++i) {
      submenu.items.push_back(LocationMenu(state, desktop, m, group.locations[static_cast<std::size_t>(i)], candidates));
    }
    menu.items.push_back(std::move(submenu));
  }
  menu.items.push_back(Separator());
  menu.items.push_back(Command(u"一括登録(&I)", static_cast<std::uint16_t>(kRegistrationSheetFirst + m)));
  return menu;
}

std::vector<MenuItem> CommonTail(const AppState& state, bool startupShortcutExists) {
  const Settings& s = state.settings;
  std::vector<MenuItem> tail;
  tail.push_back(Separator());
  tail.push_back(Submenu(u"コマンド(&C)", {
      Command(u"処理を一時停止(&S)", kPause, CheckIf(state.paused)),
      Command(u"一時全箇所表示(&I)", kShowAll, CheckIf(state.showAllActive)),
      Command(u"全箇所登録解除(&R)", kUnregisterAll),
      Command(u"全箇所キーワード適用(&K)", kApplyAllKeywords),
  }));

  std::vector<MenuItem> positions;
  static constexpr std::array<std::u16string_view, 6> kPositions = {
      u"非表示(&1)", u"中央(&2)", u"左上(&3)", u"右上(&4)", u"左下(&5)", u"右下(&6)"};
  for (std::size_t i = 0; i < kPositions.size(); ++i) {
    const auto id = static_cast<std::uint16_t>(kMonitorPopHidden + i);
    positions.push_back(Command(std::u16string(kPositions[i]), id, RadioIf(id == kMonitorPopHidden + 1 + s.monitorPopShow)));
  }
  tail.push_back(Submenu(u"設定(&O)", {
      Command(u"オプション(&O)", kOptions),
      Command(u"ガイド・ラベル設定(&G)", kGuideLabelSettings),
      Submenu(u"トリガーウィンドウ(&T)", {
          Command(u"トリガーウィンドウを有効にする(&T)", kTriggerEnable, CheckIf(s.triggerEnabled != 0)),
          Submenu(u"押下キー設定（複数選択可）(&O)", {
              Command(u"Ctrlキー(&C)", kTriggerCtrl, CheckIf(s.triggerCtrl != 0)),
              Command(u"Shiftキー(&S)", kTriggerShift, CheckIf(s.triggerShift != 0)),
              Command(u"Altキー(&A)", kTriggerAlt, CheckIf(s.triggerAlt != 0)),
          }),
          Command(u"トリガーウィンドウ設定(&C)", kTriggerSettings),
      }),
      Submenu(u"モニター番号表示(&N)", {
          Submenu(u"表示位置設定(&H)", std::move(positions)),
          Command(u"透明度設定(&T)", kMonitorPopAlpha),
          Command(u"フォント設定(&F)", kMonitorPopFont),
      }),
      Submenu(u"トレイアイコンカラー(&A)", {
          Command(u"通常(&T)", kTrayColorNormal, RadioIf(s.trayIconColor == 0)),
          Command(u"白(&S)", kTrayColorWhite, RadioIf(s.trayIconColor == 1)),
          Command(u"黒(&K)", kTrayColorBlack, RadioIf(s.trayIconColor == 2)),
      }),
      Separator(),
      Command(u"本ソフトをスタートアップに登録する(&R)", kStartupShortcut, CheckIf(startupShortcutExists)),
  }));

  MenuItem profiles = Submenu(u"プロファイル(&P)", {Command(u"プロファイル名を変更(&P)", kProfileRename), Separator()});
  for (int p = 0; p < kProfileCount; ++p) {
    // The digit suffix always survives; a long name is what gets cut.
    const std::u16string suffix = u"(&" + DecimalText((p + 1) % 10) + u")";
    std::u16string name(state.profiles.names[static_cast<std::size_t>(p)].View());
    if (name.size() + suffix.size() > kProfileItemUnits - 1) name.resize(kProfileItemUnits - 1 - suffix.size());
    profiles.items.push_back(Command(name + suffix, static_cast<std::uint16_t>(kProfileFirst + p),
                                     RadioIf(p == state.profiles.selected)));
  }
  tail.push_back(std::move(profiles));
  tail.push_back(Submenu(u"ヘルプ(&H)", {
      Command(u"Readme.txt(&H)", kReadme),
      Separator(),
      Command(u"バージョン情報(&A)", kAbout),
  }));
  tail.push_back(Command(u"終了(&X)", kExit));
  return tail;
}

}  // namespace

MenuItem BuildTrayMenu(AppState& state, Desktop& desktop, bool startupShortcutExists) {
  const std::size_t count = CollectWindows(state, desktop);
  Candidates candidates;
  const auto limit = static_cast<std::size_t>(MaxMenuCandidates(state.MonitorCount()));
  const std::size_t offered = count < limit ? count : limit;
  for (std::size_t i = 0; i < offered; ++i) {
    candidates.labels.push_back(EntryLabel(state.windowList[i]));
    candidates.windows.push_back(state.windowList[i].window);
  }
  MenuItem root;
  if (state.MonitorCount() == 1) {
    root = MonitorMenu(state, desktop, 0, candidates);
  } else {
    root = Submenu(u"");
    for (int m = 0; m < state.MonitorCount(); ++m) root.items.push_back(MonitorMenu(state, desktop, m, candidates));
  }
  for (MenuItem& item : CommonTail(state, startupShortcutExists)) root.items.push_back(std::move(item));
  return root;
}

}  // namespace peekbar
