#include "core/app/hotkey_bindings.h"

#include "core/base/locations.h"
#include "core/base/text.h"

#include <algorithm>
#include <utility>

namespace peekbar {
namespace {

// Where the user sets the identifier's key.
std::u16string HotkeyPlace(int id, int monitorCount) {
  const HotkeyTarget target = HotkeyTargetOf(id);
  switch (target.kind) {
    case HotkeyTarget::Kind::Pause: return u"「設定」→「ホットキー設定」の処理の一時停止";
    case HotkeyTarget::Kind::Menu: return u"「設定」→「ホットキー設定」のメニュー表示";
    case HotkeyTarget::Kind::Location: break;
  }
  std::u16string place = u"「";
  if (monitorCount > 1) {
    place += u"モニター";
    place += DecimalText(target.monitor + 1);
    place += u"」→「";
  }
  place += LocationName(target.location);
  place += u"」の「ホットキー設定」";
  return place;
}

std::u16string RefusalReason(const RefusedHotkey& refused, int monitorCount) {
  switch (refused.reason) {
    case RefusedHotkey::Reason::NeedsCtrlOrAlt:
      return u"文字の入力や編集に使うキーは、Ctrl か Alt と組み合わせて下さい（F1～F24 などはそのままでも使えます）。";
    case RefusedHotkey::Reason::HeldByPeekbar: return HotkeyPlace(refused.holder, monitorCount) + u"と同じキーです。";
    case RefusedHotkey::Reason::HeldElsewhere: break;
  }
  return u"他のプログラムなどが既に使っています。";
}

// The first other identifier whose key is the same combination.
std::optional<int> HolderOf(const std::map<int, Hotkey>& keys, int id, Hotkey key) {
  for (const auto& [other, held] : keys) {
    if (other != id && SameCombination(held, key)) return other;
  }
  return std::nullopt;
}

}  // namespace

int LocationHotkeyId(int monitor, int location) { return kFirstLocationHotkeyId + kLocationCount * monitor + location; }

HotkeyTarget HotkeyTargetOf(int id) {
  if (id == kPauseHotkeyId) return {HotkeyTarget::Kind::Pause};
  if (id == kMenuHotkeyId) return {HotkeyTarget::Kind::Menu};
  const int x = id - kFirstLocationHotkeyId;
  return {HotkeyTarget::Kind::Location, x / kLocationCount, x % kLocationCount};
}

std::u16string RefusedHotkeysMessage(const std::vector<RefusedHotkey>& refused, int monitorCount) {
  std::u16string text = u"次のホットキーは使用できません。\n";
  for (const RefusedHotkey& key : refused) {
    text += u"\n";
    text += HotkeyText(key.key);
    text += u"：";
    text += HotkeyPlace(key.id, monitorCount);
    text += u"\n　";
    text += RefusalReason(key, monitorCount);
  }
  text += u"\n\n別のキーを設定して下さい。";
  return text;
}

std::u16string HotkeyObjectionText(const RefusedHotkey& refused, int monitorCount) {
  std::u16string text;
  // The pause and menu dialog has two keys: the one meant is named.
  if (refused.id == kPauseHotkeyId) text += u"処理の一時停止の ";
  if (refused.id == kMenuHotkeyId) text += u"メニュー表示の ";
  text += HotkeyText(refused.key);
  text += u" は使用できません。\n\n";
  text += RefusalReason(refused, monitorCount);
  if (refused.reason != RefusedHotkey::Reason::NeedsCtrlOrAlt) text += u"\n別のキーを設定して下さい。";
  return text;
}

std::map<int, Hotkey> HotkeyBindings::Wanted() const {
  std::map<int, Hotkey> wanted;
  const auto want = [&](int id, std::int32_t key) {
    if (IsHotkey(static_cast<Hotkey>(key))) wanted[id] = static_cast<Hotkey>(key);
  };
  want(kPauseHotkeyId, state_.settings.pauseHotkey);
  want(kMenuHotkeyId, state_.settings.menuHotkey);
  for (int m = 0; m < state_.MonitorCount(); ++m) {
    if (!state_.Monitor(m).active) continue;  // a detached monitor's edges are asleep, and so are its keys
    for (int n = 0; n < kLocationCount; ++n) want(LocationHotkeyId(m, n), state_.At(m, n).hotkey);
  }
  return wanted;
}

void HotkeyBindings::ReleaseAll() {
  released_ = true;
  for (const auto& [id, key] : registered_) registrar_.Unregister(id);
  registered_.clear();
}

std::vector<RefusedHotkey> HotkeyBindings::Sync() {
  if (released_) return {};
  // What the program itself cannot hold is decided first, in identifier
  // order, so that the same key wins in a run as at the next start.
  std::vector<RefusedHotkey> refusedHere;
  std::map<int, Hotkey> holdable;
  for (const auto& [id, key] : Wanted()) {
    if (NeedsCtrlOrAlt(key)) {
      refusedHere.push_back({id, key, RefusedHotkey::Reason::NeedsCtrlOrAlt});
    } else if (const std::optional<int> holder = HolderOf(holdable, id, key)) {
      refusedHere.push_back({id, key, RefusedHotkey::Reason::HeldByPeekbar, *holder});
    } else {
      holdable[id] = key;
    }
  }
  // Everything no longer held as it is wanted goes first, so that a key
  // moved from one place to another is free for its new place.
  for (auto it = registered_.begin(); it != registered_.end();) {
    const auto w = holdable.find(it->first);
    if (w != holdable.end() && w->second == it->second) {
      ++it;
      continue;
    }
    registrar_.Unregister(it->first);
    it = registered_.erase(it);
  }
  for (const auto& [id, key] : holdable) {
    if (registered_.contains(id)) continue;
    if (registrar_.Register(id, key)) {
      registered_[id] = key;
    } else {
      refusedHere.push_back({id, key, RefusedHotkey::Reason::HeldElsewhere});
    }
  }
  std::vector<RefusedHotkey> told;
  std::map<int, Hotkey> refused;
  for (const RefusedHotkey& r : refusedHere) {
    const auto before = refused_.find(r.id);
    if (before == refused_.end() || before->second != r.key) told.push_back(r);
    refused[r.id] = r.key;
  }
  std::sort(told.begin(), told.end(), [](const RefusedHotkey& a, const RefusedHotkey& b) { return a.id < b.id; });
  refused_ = std::move(refused);
  return told;
}

std::optional<RefusedHotkey> HotkeyBindings::Check(int id, Hotkey key, const std::map<int, Hotkey>& others) {
  if (!IsHotkey(key)) return std::nullopt;  // none is always allowed
  if (NeedsCtrlOrAlt(key)) return RefusedHotkey{id, key, RefusedHotkey::Reason::NeedsCtrlOrAlt};
  if (const std::optional<int> holder = HolderOf(others, id, key)) {
    return RefusedHotkey{id, key, RefusedHotkey::Reason::HeldByPeekbar, *holder};
  }
  if (!registrar_.Register(kTrialHotkeyId, key)) return RefusedHotkey{id, key, RefusedHotkey::Reason::HeldElsewhere};
  registrar_.Unregister(kTrialHotkeyId);
  return std::nullopt;
}

std::optional<RefusedHotkey> HotkeyBindings::CheckLocationKey(int id, Hotkey key) {
  return Check(id, key, Wanted());
}

std::optional<RefusedHotkey> HotkeyBindings::CheckGlobalKeys(const GlobalHotkeys& keys) {
  std::map<int, Hotkey> others = Wanted();
  others.erase(kPauseHotkeyId);
  others.erase(kMenuHotkeyId);
  if (std::optional<RefusedHotkey> refused = Check(kPauseHotkeyId, keys.pause, others)) return refused;
  if (IsHotkey(keys.pause)) others[kPauseHotkeyId] = keys.pause;
  return Check(kMenuHotkeyId, keys.menu, others);
}

}  // namespace peekbar
