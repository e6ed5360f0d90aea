#include "core/tray/commands.h"

#include <algorithm>
#include <array>

#include "core/base/locations.h"

namespace peekbar {
namespace {

using namespace command_id;
using A = CommandAction;
using M = Modality;

template <std::size_t N>
using Labels = std::array<std::u16string_view, N>;

constexpr Labels<1> kExitLabel = {u"終了(&X)"};
constexpr Labels<1> kReadmeLabel = {u"Readme.txt(&H)"};
constexpr Labels<1> kAboutLabel = {u"バージョン情報(&A)"};
constexpr Labels<1> kOptionsLabel = {u"オプション(&O)"};
constexpr Labels<1> kGuideLabelSettingsLabel = {u"ガイド・ラベル設定(&G)"};
constexpr Labels<1> kStartupShortcutLabel = {u"本ソフトをスタートアップに登録する(&R)"};
constexpr Labels<1> kPauseLabel = {u"処理を一時停止(&S)"};
constexpr Labels<1> kShowAllLabel = {u"一時全箇所表示(&I)"};
constexpr Labels<1> kUnregisterAllLabel = {u"全箇所登録解除(&R)"};
constexpr Labels<1> kApplyAllKeywordsLabel = {u"全箇所キーワード適用(&K)"};
constexpr Labels<1> kTriggerEnableLabel = {u"トリガーウィンドウを有効にする(&T)"};
constexpr Labels<1> kTriggerCtrlLabel = {u"Ctrlキー(&C)"};
constexpr Labels<1> kTriggerShiftLabel = {u"Shiftキー(&S)"};
constexpr Labels<1> kTriggerAltLabel = {u"Altキー(&A)"};
constexpr Labels<1> kTriggerSettingsLabel = {u"トリガーウィンドウ設定(&C)"};
constexpr Labels<1> kMonitorPopAlphaLabel = {u"透明度設定(&T)"};
constexpr Labels<1> kMonitorPopFontLabel = {u"フォント設定(&F)"};
constexpr Labels<3> kTrayColorLabels = {u"通常(&T)", u"白(&S)", u"黒(&K)"};
constexpr Labels<1> kProfileRenameLabel = {u"プロファイル名を変更(&P)"};
constexpr Labels<1> kHotkeySettingsLabel = {u"ホットキー設定(&K)..."};
constexpr Labels<1> kLocationHotkeyLabel = {u"ホットキー設定(&H)..."};
constexpr Labels<6> kMonitorPopPositionLabels = {u"非表示(&1)", u"中央(&2)", u"左上(&3)",
                                                 u"右上(&4)",   u"左下(&5)", u"右下(&6)"};
constexpr Labels<1> kRegistrationSheetLabel = {u"一括登録(&I)"};
// The keyword item names the keyword when there is one; this is its text
// without.
constexpr Labels<1> kLocationKeywordLabel = {u"ウィンドウ自動登録キーワード設定(&W)"};
constexpr Labels<1> kLocationGuideColorLabel = {u"ガイド色設定(&G)"};

constexpr CommandSpec One(A action, std::uint16_t id, M modality, std::span<const std::u16string_view> label) {
  return {action, id, id, modality, label};
}

const std::array kTable = {
    One(A::Exit, kExit, M::None, kExitLabel),
    One(A::Readme, kReadme, M::None, kReadmeLabel),
    One(A::About, kAbout, M::Dialog, kAboutLabel),
    One(A::Options, kOptions, M::Dialog, kOptionsLabel),
    One(A::GuideLabelSettings, kGuideLabelSettings, M::Dialog, kGuideLabelSettingsLabel),
    One(A::StartupShortcut, kStartupShortcut, M::Dialog, kStartupShortcutLabel),
    One(A::Pause, kPause, M::None, kPauseLabel),
    One(A::ShowAll, kShowAll, M::None, kShowAllLabel),
    One(A::UnregisterAll, kUnregisterAll, M::None, kUnregisterAllLabel),
    One(A::ApplyAllKeywords, kApplyAllKeywords, M::None, kApplyAllKeywordsLabel),
    One(A::TriggerEnable, kTriggerEnable, M::None, kTriggerEnableLabel),
    One(A::TriggerCtrl, kTriggerCtrl, M::None, kTriggerCtrlLabel),
    One(A::TriggerShift, kTriggerShift, M::None, kTriggerShiftLabel),
    One(A::TriggerAlt, kTriggerAlt, M::None, kTriggerAltLabel),
    One(A::TriggerSettings, kTriggerSettings, M::Dialog, kTriggerSettingsLabel),
    One(A::MonitorPopAlpha, kMonitorPopAlpha, M::Nested, kMonitorPopAlphaLabel),
    One(A::MonitorPopFont, kMonitorPopFont, M::Nested, kMonitorPopFontLabel),
    CommandSpec{A::TrayIconColor, kTrayColorNormal, kTrayColorBlack, M::None, kTrayColorLabels},
    One(A::ProfileRename, kProfileRename, M::Dialog, kProfileRenameLabel),
    One(A::HotkeySettings, kHotkeySettings, M::Dialog, kHotkeySettingsLabel),
    CommandSpec{A::LocationHotkey, kLocationHotkeyFirst, kLocationHotkeyLast, M::Dialog, kLocationHotkeyLabel},
    CommandSpec{A::MonitorPopPosition, kMonitorPopHidden, kMonitorPopLast, M::None, kMonitorPopPositionLabels},
    // An open dialog holds what it read from the selected profile, and its
    // OK writes that back into the profile selected then.
    CommandSpec{A::SelectProfile, kProfileFirst, kProfileLast, M::Profile, {}},
    CommandSpec{A::RegistrationSheet, kRegistrationSheetFirst, kRegistrationSheetLast, M::Dialog,
                kRegistrationSheetLabel},
    // The location commands share one range; the item within a location's
    // block tells which of them an identifier is.
    CommandSpec{A::LocationKeyword, kLocationFirst, 0xFFFF, M::Dialog, kLocationKeywordLabel},
    CommandSpec{A::LocationUnregister, kLocationFirst, 0xFFFF, M::None, {}},
    CommandSpec{A::LocationGuideColor, kLocationFirst, 0xFFFF, M::Dialog, kLocationGuideColorLabel},
    CommandSpec{A::LocationCandidate, kLocationFirst, 0xFFFF, M::None, {}},
};

constexpr A kLocationActions[] = {A::LocationKeyword, A::LocationUnregister, A::LocationGuideColor};

bool IsLocationAction(A action) {
  return action == A::LocationKeyword || action == A::LocationUnregister || action == A::LocationGuideColor ||
         action == A::LocationCandidate;
}

}  // namespace

bool NamesMonitor(CommandAction action) {
  return action == A::RegistrationSheet || action == A::LocationHotkey || IsLocationAction(action);
}

namespace {

Command Ignored(std::uint16_t id) {
  Command c;
  c.id = id;
  return c;
}

Command Decoded(A action, std::uint16_t id) {
  Command c;
  c.action = action;
  c.modality = SpecOf(action).modality;
  c.id = id;
  return c;
}

Command DecodeLocation(std::uint16_t id, int monitorCount) {
  const int block = LocationBlockSize(monitorCount);
  if (block <= kLocationItems) return Ignored(id);
  const int x = id - kLocationFirst;
  const int monitor = x / (kLocationCount * block);
  if (monitor >= monitorCount) return Ignored(id);
  const int k = x % block;
  Command c = Decoded(k < kLocationItems ? kLocationActions[k] : A::LocationCandidate, id);
  c.monitor = monitor;
  c.location = (x / block) % kLocationCount;
  c.candidate = k >= kLocationItems ? k - kLocationItems : 0;
  return c;
}

}  // namespace

std::span<const CommandSpec> CommandTable() { return kTable; }

const CommandSpec& SpecOf(CommandAction action) {
  return *std::find_if(kTable.begin(), kTable.end(), [action](const CommandSpec& s) { return s.action == action; });
}

std::uint16_t CommandIdOf(CommandAction action, int index) {
  return static_cast<std::uint16_t>(SpecOf(action).first + index);
}

std::u16string_view CommandLabelOf(CommandAction action, int index) {
  const std::span<const std::u16string_view> labels = SpecOf(action).labels;
  if (labels.empty()) return {};
  return labels.size() == 1 ? labels[0] : labels[static_cast<std::size_t>(index)];
}

int LocationBlockSize(int monitorCount) {
  constexpr int kAvailable = 65536 - kLocationFirst;
  const int locations = kLocationCount * (monitorCount > 1 ? monitorCount : 1);
  const int fitting = kAvailable / locations;
  return fitting < kLocationBlock ? fitting : kLocationBlock;
}

int MaxMenuCandidates(int monitorCount) {
  const int candidates = LocationBlockSize(monitorCount) - kLocationItems;
  return candidates > 0 ? candidates : 0;
}

int LocationHotkeyCommandId(int monitor, int location) {
  return kLocationHotkeyFirst + kLocationCount * monitor + location;
}

int LocationCommandId(int monitor, int location, int k, int monitorCount) {
  return kLocationFirst + (kLocationCount * monitor + location) * LocationBlockSize(monitorCount) + k;
}

Command DecodeCommand(std::uint16_t id, int monitorCount) {
  for (const CommandSpec& spec : kTable) {
    if (id < spec.first || id > spec.last) continue;
    if (IsLocationAction(spec.action)) return DecodeLocation(id, monitorCount);
    Command c = Decoded(spec.action, id);
    switch (spec.action) {
      case A::TrayIconColor:
      case A::SelectProfile:
        c.value = id - spec.first;
        break;
      case A::MonitorPopPosition:
        c.value = id - spec.first - 1;  // the first hides the captions: SHOW -1
        break;
      case A::RegistrationSheet:
        c.monitor = id - spec.first;
        if (c.monitor >= monitorCount) return Ignored(id);
        break;
      case A::LocationHotkey:
        c.monitor = (id - spec.first) / kLocationCount;
        c.location = (id - spec.first) % kLocationCount;
        if (c.monitor >= monitorCount) return Ignored(id);
        break;
      default:
        break;
    }
    return c;
  }
  return Ignored(id);
}

}  // namespace peekbar
