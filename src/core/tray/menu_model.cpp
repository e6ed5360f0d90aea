#include "core/tray/menu_model.h"

#include <cstddef>
#include <functional>
#include <utility>

#include "core/registration/candidates.h"
#include "core/tray/commands.h"

namespace peekbar {
namespace {

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

// The item of the index-th identifier of an action, with the table's label.
MenuItem Item(CommandAction action, MenuMark mark = MenuMark::None, int index = 0) {
  return Command(std::u16string(CommandLabelOf(action, index)), CommandIdOf(action, index), mark);
}

MenuMark CheckIf(bool on) { return on ? MenuMark::Check : MenuMark::None; }
MenuMark RadioIf(bool on) { return on ? MenuMark::Radio : MenuMark::None; }

std::u16string Cut(std::u16string text, std::size_t units) {
  if (text.size() > units - 1) text.resize(units - 1);
  return text;
}

std::vector<MenuItem> LocationItems(const AppState& state, Desktop& desktop, int m, int l, int monitorCount,
                                    const MenuOffer& offer, const std::vector<std::u16string>& labels,
                                    const std::vector<bool>& elevated) {
  const LocationSlot& at = state.At(m, l);
  const auto id = [&](int item) { return static_cast<std::uint16_t>(LocationCommandId(m, l, item, monitorCount)); };
  std::vector<MenuItem> items;
  items.reserve(5 + labels.size());
  const std::u16string_view keyword = at.keyword.View();
  items.push_back(Command(
      keyword.empty() ? std::u16string(CommandLabelOf(CommandAction::LocationKeyword))
                      : Cut(u"ウィンドウ自動登録キーワード設定 - " + std::u16string(keyword) + u"(&W)",
                            kLocationItemUnits),
      id(0)));
  const WindowHandle registered = offer.MarkedAt(m, l);
  if (registered != kNoWindow) {
    const std::u16string title = desktop.WindowTitle(registered, kTitleUnits);
    const std::u16string className = desktop.WindowClassName(registered, kTitleUnits);
    items.push_back(Command(Cut(u"登録解除 - " + title + u"（" + className + u"）(&T)", kLocationItemUnits), id(1)));
  }
  items.push_back(Command(std::u16string(CommandLabelOf(CommandAction::LocationGuideColor)), id(2)));
  items.push_back(Command(std::u16string(CommandLabelOf(CommandAction::LocationHotkey)),
                          static_cast<std::uint16_t>(LocationHotkeyCommandId(m, l))));
  items.push_back(Separator());
  for (std::size_t i = 0; i < labels.size(); ++i) {
    items.push_back(Command(labels[i], id(3 + static_cast<int>(i)),
                            CheckIf(registered != kNoWindow && offer.candidates[i].window == registered)));
    items.back().grayed = elevated[i];
  }
  return items;
}

MenuItem MonitorMenu(int m) {
  MenuItem menu = Submenu(u"モニター" + DecimalText(m + 1));
  for (int g = 0; g < kLocationGroupCount; ++g) {
    const auto group = static_cast<LocationGroup>(g);
    MenuItem submenu = Submenu(LocationGroupMenuLabel(group));
    for (const int l : LocationsIn(group)) {
      MenuItem location = Submenu(LocationMenuLabel(l));
      location.deferredBlock = kLocationCount * m + l;
      submenu.items.push_back(std::move(location));
    }
    menu.items.push_back(std::move(submenu));
  }
  menu.items.push_back(Separator());
  menu.items.push_back(Item(CommandAction::RegistrationSheet, MenuMark::None, m));
  return menu;
}

std::vector<MenuItem> CommonTail(const AppState& state, bool startupShortcutExists) {
  const Settings& s = state.settings;
  std::vector<MenuItem> tail;
  tail.push_back(Separator());
  tail.push_back(Submenu(u"コマンド(&C)", {
      Item(CommandAction::Pause, CheckIf(state.paused)),
      Item(CommandAction::ShowAll, CheckIf(state.showAllActive)),
      Item(CommandAction::UnregisterAll),
      Item(CommandAction::ApplyAllKeywords),
  }));

  // SHOW -1..4 is the index of its item.
  std::vector<MenuItem> positions;
  for (int i = 0; i < 6; ++i) {
    positions.push_back(Item(CommandAction::MonitorPopPosition, RadioIf(i == s.monitorPopShow + 1), i));
  }
  std::vector<MenuItem> colors;
  for (int i = 0; i < 3; ++i) colors.push_back(Item(CommandAction::TrayIconColor, RadioIf(i == s.trayIconColor), i));
  tail.push_back(Submenu(u"設定(&O)", {
      Item(CommandAction::Options),
      Item(CommandAction::GuideLabelSettings),
      Item(CommandAction::HotkeySettings),
      Submenu(u"トリガーウィンドウ(&T)", {
          Item(CommandAction::TriggerEnable, CheckIf(s.triggerEnabled != 0)),
          Submenu(u"押下キー設定（複数選択可）(&O)", {
              Item(CommandAction::TriggerCtrl, CheckIf(s.triggerCtrl != 0)),
              Item(CommandAction::TriggerShift, CheckIf(s.triggerShift != 0)),
              Item(CommandAction::TriggerAlt, CheckIf(s.triggerAlt != 0)),
          }),
          Item(CommandAction::TriggerSettings),
      }),
      Submenu(u"モニター番号表示(&N)", {
          Submenu(u"表示位置設定(&H)", std::move(positions)),
          Item(CommandAction::MonitorPopAlpha),
          Item(CommandAction::MonitorPopFont),
      }),
      Submenu(u"トレイアイコンカラー(&A)", std::move(colors)),
      Separator(),
      Item(CommandAction::StartupShortcut, CheckIf(startupShortcutExists)),
  }));

  MenuItem profiles = Submenu(u"プロファイル(&P)", {Item(CommandAction::ProfileRename), Separator()});
  for (int p = 0; p < kProfileCount; ++p) {
    // The digit suffix always survives; a long name is what gets cut.
    const std::u16string suffix = u"(&" + DecimalText((p + 1) % 10) + u")";
    std::u16string name(state.profiles.names[static_cast<std::size_t>(p)].View());
    if (name.size() + suffix.size() > kProfileItemUnits - 1) name.resize(kProfileItemUnits - 1 - suffix.size());
    profiles.items.push_back(
        Command(name + suffix, CommandIdOf(CommandAction::SelectProfile, p), RadioIf(p == state.profiles.selected)));
  }
  tail.push_back(std::move(profiles));
  tail.push_back(Submenu(u"ヘルプ(&H)", {
      Item(CommandAction::Readme),
      Separator(),
      Item(CommandAction::About),
  }));
  tail.push_back(Item(CommandAction::Exit));
  return tail;
}

// While a dialog is open, the items it refuses are greyed: the user sees
// that they wait for the dialog to close.
void GreyItemsRefusedUnderDialog(std::vector<MenuItem>& items, int monitorCount) {
  for (MenuItem& item : items) {
    if (item.kind == MenuItem::Kind::Command && RefusedWhileDialogOpen(DecodeCommand(item.id, monitorCount).modality)) {
      item.grayed = true;
    }
    GreyItemsRefusedUnderDialog(item.items, monitorCount);
  }
}

}  // namespace

TrayMenu::TrayMenu(AppState& state, Desktop& desktop, bool startupShortcutExists)
    : state_(state), desktop_(desktop), monitorCount_(state.MonitorCount()) {
  if (monitorCount_ == 1) {
    root_ = MonitorMenu(0);
  } else {
    root_ = Submenu(u"");
    for (int m = 0; m < monitorCount_; ++m) {
      if (state.Monitor(m).active) root_.items.push_back(MonitorMenu(m));
    }
  }
  for (MenuItem& item : CommonTail(state, startupShortcutExists)) root_.items.push_back(std::move(item));
  if (state.modalBusy) GreyItemsRefusedUnderDialog(root_.items, monitorCount_);
}

WindowHandle MenuOffer::MarkedAt(int monitor, int location) const {
  const auto block = static_cast<std::size_t>(kLocationCount * monitor + location);
  return block < marked.size() ? marked[block] : kNoWindow;
}

MenuOffer OfferNow(AppState& state, Desktop& desktop, int monitorCount) {
  MenuOffer offer;
  const std::size_t count = CollectWindows(state, desktop);
  const auto limit = static_cast<std::size_t>(MaxMenuCandidates(monitorCount));
  const auto first = state.windowList.begin();
  offer.candidates.assign(first, first + static_cast<std::ptrdiff_t>(count < limit ? count : limit));
  // The slots the menu was made for; a display change meanwhile only adds.
  for (int m = 0; m < monitorCount && m < state.MonitorCount(); ++m) {
    for (const LocationSlot& at : state.Monitor(m).locations) offer.marked.push_back(at.cycle.Window());
  }
  return offer;
}

void TrayMenu::ReadWindows() {
  if (read_) return;
  read_ = true;
  offered_ = OfferNow(state_, desktop_, monitorCount_);
  // Elevated windows: asked once per opening, like the labels; their items
  // are greyed.
  std::vector<std::u16string> labels;
  std::vector<bool> elevated;
  OfferedLabels(desktop_, offered_.candidates, offered_.candidates.size(), labels, elevated);
  locationItems_.resize(static_cast<std::size_t>(kLocationCount * monitorCount_));
  for (int m = 0; m < monitorCount_ && m < state_.MonitorCount(); ++m) {
    if (monitorCount_ > 1 && !state_.Monitor(m).active) continue;
    for (int l = 0; l < kLocationCount; ++l) {
      std::vector<MenuItem>& items = locationItems_[static_cast<std::size_t>(kLocationCount * m + l)];
      items = LocationItems(state_, desktop_, m, l, monitorCount_, offered_, labels, elevated);
      if (state_.modalBusy) GreyItemsRefusedUnderDialog(items, monitorCount_);
    }
  }
}

const std::vector<MenuItem>& TrayMenu::ItemsOf(const MenuItem& submenu) {
  ReadWindows();
  static const std::vector<MenuItem> kNone;
  const auto block = static_cast<std::size_t>(submenu.deferredBlock);
  return block < locationItems_.size() ? locationItems_[block] : kNone;
}

MenuItem TrayMenu::Expanded() {
  ReadWindows();
  MenuItem menu = root_;
  const std::function<void(MenuItem&)> expand = [&](MenuItem& item) {
    if (item.deferredBlock >= 0) {
      item.items = ItemsOf(item);
      item.deferredBlock = -1;
    }
    for (MenuItem& child : item.items) expand(child);
  };
  expand(menu);
  return menu;
}

MenuItem BuildTrayMenu(AppState& state, Desktop& desktop, bool startupShortcutExists) {
  return TrayMenu(state, desktop, startupShortcutExists).Expanded();
}

}  // namespace peekbar
