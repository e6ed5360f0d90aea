#include "core/app/hotkey_bindings.h"

#include "core/base/locations.h"
#include "core/base/text.h"

#include <utility>

namespace peekbar {

int LocationHotkeyId(int monitor, int location) { return kFirstLocationHotkeyId + kLocationCount * monitor + location; }

HotkeyTarget HotkeyTargetOf(int id) {
  if (id == kPauseHotkeyId) return {HotkeyTarget::Kind::Pause};
  if (id == kMenuHotkeyId) return {HotkeyTarget::Kind::Menu};
  const int x = id - kFirstLocationHotkeyId;
  return {HotkeyTarget::Kind::Location, x / kLocationCount, x % kLocationCount};
}

std::u16string RefusedHotkeysMessage(const std::vector<HotkeyBinding>& refused, int monitorCount) {
  std::u16string text = u"次のホットキーは、他のプログラムなどが既に使っているため使用できません。\n";
  for (const HotkeyBinding& binding : refused) {
    const HotkeyTarget target = HotkeyTargetOf(binding.id);
    text += u"\n";
    text += HotkeyText(binding.key);
    text += u"：";
    switch (target.kind) {
      case HotkeyTarget::Kind::Pause: text += u"「設定」→「ホットキー設定」の処理の一時停止"; break;
      case HotkeyTarget::Kind::Menu: text += u"「設定」→「ホットキー設定」のメニュー表示"; break;
      case HotkeyTarget::Kind::Location:
        text += u"「";
        if (monitorCount > 1) {
          text += u"モニター";
          text += DecimalText(target.monitor + 1);
          text += u"」→「";
        }
        text += LocationName(target.location);
        text += u"」の「ホットキー設定」";
        break;
    }
  }
  text += u"\n\n別のキーを設定して下さい。";
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
  for (const auto& [id, key] : registered_) registrar_.Unregister(id);
  registered_.clear();
}

std::vector<HotkeyBinding> HotkeyBindings::Sync() {
  const std::map<int, Hotkey> wanted = Wanted();
  // Everything no longer wanted as it is held goes first, so that a key
  // moved from one place to another is free for its new place.
  for (auto it = registered_.begin(); it != registered_.end();) {
    const auto w = wanted.find(it->first);
    if (w != wanted.end() && w->second == it->second) {
      ++it;
      continue;
    }
    registrar_.Unregister(it->first);
    it = registered_.erase(it);
  }
  std::vector<HotkeyBinding> told;
  std::map<int, Hotkey> refused;
  for (const auto& [id, key] : wanted) {
    if (registered_.contains(id)) continue;
    if (registrar_.Register(id, key)) {
      registered_[id] = key;
      continue;
    }
    const auto before = refused_.find(id);
    if (before == refused_.end() || before->second != key) told.push_back({id, key});
    refused[id] = key;
  }
  refused_ = std::move(refused);
  return told;
}

}  // namespace peekbar
